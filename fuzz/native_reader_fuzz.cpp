// Feeds arbitrary bytes to the native file parser. Besides the memory errors the
// sanitizers catch, it checks what the rest of the program relies on: a spectrum the
// parser accepts is usable, fits the buffer and has exactly td values (the file's
// doubles as far as it holds them, zeros after), and writing it and reading it back
// gives the same block, the same bits and the same pending transform.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>

#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "import_fuzz_support.h"  // the invariant check the reader targets share

namespace {

using namespace tesvar;

void checkRewrite(const NativeReadResult& read)
{
    const std::size_t n = read.values.size();
    const auto bytes = encodeNativeFile(read.acq, read.values, read.pending);
    IMPORT_FUZZ_CHECK(bytes.size() == std::max(kNativeMinimumSize, kNativeDataOffset + 8 * n));
    const auto again = parseNativeFile(bytes, fuzz::kFuzzCapacity);
    IMPORT_FUZZ_CHECK(again.status == NativeStatus::Ok);
    IMPORT_FUZZ_CHECK(encodeAcquisition(again.acq) == encodeAcquisition(read.acq));
    IMPORT_FUZZ_CHECK(again.pending == read.pending);
    IMPORT_FUZZ_CHECK(again.values.size() == n);
    IMPORT_FUZZ_CHECK(std::memcmp(again.values.data(), read.values.data(), 8 * n) == 0);
}

void checkValues(std::span<const std::uint8_t> bytes, const NativeReadResult& read)
{
    const std::size_t held =
        bytes.size() > kNativeDataOffset ? (bytes.size() - kNativeDataOffset) / 8 : 0;
    const std::size_t fromFile = std::min(held, read.values.size());
    if (fromFile > 0)
        IMPORT_FUZZ_CHECK(std::memcmp(read.values.data(), bytes.data() + kNativeDataOffset,
                                      8 * fromFile) == 0);
    static const double zeros[fuzz::kFuzzCapacity] = {};
    IMPORT_FUZZ_CHECK(std::memcmp(read.values.data() + fromFile, zeros,
                                  8 * (read.values.size() - fromFile)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const auto read = parseNativeFile(bytes, fuzz::kFuzzCapacity);

    const bool magic = size >= 3 && std::memcmp(data, "TVX", 3) == 0;
    IMPORT_FUZZ_CHECK((read.status == NativeStatus::NotNative) == !magic);
    IMPORT_FUZZ_CHECK(read.status != NativeStatus::CannotOpen);  // bytes in memory always read

    if (read.status != NativeStatus::Ok) {
        IMPORT_FUZZ_CHECK(read.values.empty());
        return 0;
    }
    IMPORT_FUZZ_CHECK(acquisitionIsUsable(read.acq));
    IMPORT_FUZZ_CHECK(read.acq.td > 0 && read.acq.td <= fuzz::kFuzzCapacity);
    IMPORT_FUZZ_CHECK(read.values.size() == static_cast<std::size_t>(read.acq.td));
    checkValues(bytes, read);
    checkRewrite(read);
    return 0;
}
