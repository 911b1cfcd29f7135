#pragma once

// Shared by the instrument readers' fuzz targets: the invariant check and the split of
// one input into a parameter text and a data file.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

#include "document/spectrum_document.h"
#include "importers/import_files.h"

#define IMPORT_FUZZ_CHECK(condition)                                                 \
    do {                                                                             \
        if (!(condition)) {                                                          \
            std::fprintf(stderr, "invariant failed: %s (line %d)\n", #condition,      \
                         __LINE__);                                                  \
            std::abort();                                                            \
        }                                                                            \
    } while (false)

namespace tesvar::fuzz {

// The capacity the targets hand to the parsers. Every input that claims more values
// than this is cut to it, so a small one keeps each input cheap (the document's capacity
// would fill megabytes for every such input) while every path stays reachable
// within libFuzzer's default input length: a file holding more values than fit, one
// holding fewer than its count, one cut to the capacity.
inline constexpr int kFuzzCapacity = 256;

// The first two bytes (little-endian) give the length of the text; the rest after the
// text is the data file.
struct TextAndData {
    std::string_view text;
    std::span<const std::uint8_t> data;
};

inline TextAndData splitInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size < 2)
        return {};
    const std::size_t wanted = bytes[0] | std::size_t{bytes[1]} << 8;
    const std::size_t length = std::min(wanted, size - 2);
    return {std::string_view(reinterpret_cast<const char*>(bytes + 2), length),
            std::span<const std::uint8_t>(bytes + 2 + length, size - 2 - length)};
}

// What the document relies on for every spectrum an importer accepts, read with the
// given capacity.
inline void checkStaged(const ImportedSpectrum& staged, int capacity = kDataCapacity)
{
    IMPORT_FUZZ_CHECK(acquisitionIsUsable(staged.acq));
    IMPORT_FUZZ_CHECK(staged.acq.td > 0 && staged.acq.td <= capacity);
    IMPORT_FUZZ_CHECK(staged.values.size() == static_cast<std::size_t>(staged.acq.td));
    IMPORT_FUZZ_CHECK(std::all_of(staged.values.begin(), staged.values.end(),
                                  [](double v) { return std::isfinite(v); }));
    IMPORT_FUZZ_CHECK(std::isfinite(staged.digitalFilterDelay) && staged.digitalFilterDelay >= 0.0);
    IMPORT_FUZZ_CHECK(staged.conjugateOnTransform == 0 || staged.conjugateOnTransform == 1);
}

}  // namespace tesvar::fuzz
