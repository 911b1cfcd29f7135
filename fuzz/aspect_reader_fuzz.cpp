// Feeds arbitrary bytes to the Bruker Aspect reader and its 48-bit float conversion.
#include <cstring>

#include "importers/bruker_aspect_nuts.h"
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace tesvar;
    if (size >= 6) {
        const double value = aspectFloat(bytes);
        IMPORT_FUZZ_CHECK(!std::isnan(value));
    }
    const auto staged = parseAspect(std::span(bytes, size), fuzz::kFuzzCapacity);
    if (staged) {
        IMPORT_FUZZ_CHECK(size >= kAspectDataOffset && std::memcmp(bytes, kAspectMagic, 3) == 0);
        fuzz::checkStaged(*staged, fuzz::kFuzzCapacity);
    }
    return 0;
}
