// Feeds an "Acqus" text and a data file to the Bruker X32 reader. A spectrum it accepts
// must be usable and hold exactly td finite values, whatever the parameters claim.
#include "importers/bruker_x32.h"
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace tesvar;
    const fuzz::TextAndData input = fuzz::splitInput(bytes, size);
    const AcqusValues acqus = parseAcqus(input.text);
    const auto imported = assembleX32(input.data, acqus, fuzz::kFuzzCapacity);
    if (imported) {
        fuzz::checkStaged(*imported, fuzz::kFuzzCapacity);
        IMPORT_FUZZ_CHECK(acqus.td && *acqus.td > 0 && acqus.aqMod);
        IMPORT_FUZZ_CHECK(imported->conjugateOnTransform == 0);
    }
    return 0;
}
