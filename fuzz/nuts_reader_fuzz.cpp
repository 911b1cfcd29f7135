// Feeds arbitrary bytes to the NUTS reader.
#include "importers/bruker_aspect_nuts.h"
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace tesvar;
    const auto staged = parseNuts(std::span(bytes, size), fuzz::kFuzzCapacity);
    if (staged) {
        IMPORT_FUZZ_CHECK(size >= kNutsDataOffset && getLe32(bytes) == kNutsMagic);
        fuzz::checkStaged(*staged, fuzz::kFuzzCapacity);
        IMPORT_FUZZ_CHECK(staged->conjugateOnTransform == (staged->acq.acqMode == 1 ? 1 : 0));
    }
    return 0;
}
