// Feeds a "procpar" text and a data file to the Varian reader.
#include "importers/varian.h"
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    using namespace tesvar;
    const fuzz::TextAndData input = fuzz::splitInput(bytes, size);
    const ProcparValues params = parseProcpar(input.text);
    const auto staged = assembleVarian(input.data, params, fuzz::kFuzzCapacity);
    if (staged) {
        fuzz::checkStaged(*staged, fuzz::kFuzzCapacity);
        IMPORT_FUZZ_CHECK(input.data.size() >= kVarianDataOffset);
        IMPORT_FUZZ_CHECK(staged->acq.acqMode == 1 && staged->conjugateOnTransform == 1);
    }
    return 0;
}
