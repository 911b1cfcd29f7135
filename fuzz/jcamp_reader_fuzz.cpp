// Feeds arbitrary text to the JCAMP-DX reader with a small capacity, so that the counts,
// repeat counts and line limits are met quickly. A spectrum it accepts must be usable,
// fit the capacity and hold exactly td finite values; a refusal must name a line.
#include "importers/jcamp_reader.h"
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace tesvar;
    constexpr int kCapacity = 4096;
    const auto read =
        parseJcamp(std::string_view(reinterpret_cast<const char*>(bytes), size), kCapacity);
    if (read) {
        fuzz::checkStaged(*read, kCapacity);
        IMPORT_FUZZ_CHECK(read->acq.td <= kCapacity);
        IMPORT_FUZZ_CHECK(read->conjugateOnTransform == 0);
        IMPORT_FUZZ_CHECK(read->domain != DataDomain::Frequency || read->digitalFilterDelay == 0.0);
        IMPORT_FUZZ_CHECK(std::isfinite(read->hzOffset));
    } else if (read.status() == ImportStatus::Refused) {
        IMPORT_FUZZ_CHECK(read.reason().starts_with("line "));
    }
    return 0;
}
