// Feeds arbitrary bytes to the native file parser. Besides the memory errors the
// sanitizers catch, it checks what the rest of the program relies on: a spectrum the
// parser accepts is usable, fits the buffer and has exactly td values (the file's
// doubles as far as it holds them, zeros after), and, for the smaller ones, writing it
// and reading it back gives the same block and the same bits.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#include "document/native_file.h"
#include "document/spectrum_document.h"

namespace {

#define FUZZ_CHECK(condition)                                                  \
    do {                                                                       \
        if (!(condition)) {                                                    \
            std::fprintf(stderr, "invariant failed: %s (line %d)\n", #condition, \
                         __LINE__);                                            \
            std::abort();                                                      \
        }                                                                      \
    } while (false)

using tesvar::NativeStatus;

constexpr int kRewriteLimit = 4096;

void checkRewrite(const tesvar::NativeReadResult& read)
{
    const auto bytes = tesvar::encodeNativeFile(read.acq, read.values);
    FUZZ_CHECK(bytes.size() == std::max<std::size_t>(tesvar::kNativeMinimumSize,
                                                     tesvar::kNativeDataOffset +
                                                         8 * read.values.size()));
    const auto again = tesvar::parseNativeFile(bytes, tesvar::kDataCapacity);
    FUZZ_CHECK(again.status == NativeStatus::Ok);
    FUZZ_CHECK(tesvar::encodeAcquisition(again.acq) == tesvar::encodeAcquisition(read.acq));
    FUZZ_CHECK(again.values.size() == read.values.size());
    FUZZ_CHECK(std::memcmp(again.values.data(), read.values.data(),
                           8 * read.values.size()) == 0);
}

// The values are the file's doubles from offset 1024 as far as the file holds them,
// and zero after that.
void checkValues(std::span<const std::uint8_t> bytes, const tesvar::NativeReadResult& read)
{
    const std::size_t held = bytes.size() > tesvar::kNativeDataOffset
                                 ? (bytes.size() - tesvar::kNativeDataOffset) / 8
                                 : 0;
    const std::size_t fromFile = std::min(held, read.values.size());
    if (fromFile > 0)
        FUZZ_CHECK(std::memcmp(read.values.data(), bytes.data() + tesvar::kNativeDataOffset,
                               8 * fromFile) == 0);
    static const double zeros[tesvar::kDataCapacity] = {};
    FUZZ_CHECK(std::memcmp(read.values.data() + fromFile, zeros,
                           8 * (read.values.size() - fromFile)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const auto read = tesvar::parseNativeFile(bytes, tesvar::kDataCapacity);

    const bool magic = size >= 3 && std::memcmp(data, "TVX", 3) == 0;
    FUZZ_CHECK((read.status == NativeStatus::NotNative) == !magic);
    FUZZ_CHECK(read.status != NativeStatus::CannotOpen);  // bytes in memory always read

    if (read.status != NativeStatus::Ok) {
        FUZZ_CHECK(read.values.empty());
        return 0;
    }
    FUZZ_CHECK(tesvar::acquisitionIsUsable(read.acq));
    FUZZ_CHECK(read.acq.td > 0 && read.acq.td <= tesvar::kDataCapacity);
    FUZZ_CHECK(read.values.size() == static_cast<std::size_t>(read.acq.td));
    checkValues(bytes, read);
    // Rewriting a spectrum of the full capacity costs milliseconds under the
    // sanitizers; the small ones keep the run fast and cover the same code.
    if (read.acq.td <= kRewriteLimit)
        checkRewrite(read);
    return 0;
}
