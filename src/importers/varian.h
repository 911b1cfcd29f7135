#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "document/acquisition.h"
#include "importers/import_files.h"

namespace tesvar {

// The "procpar" entries the import uses; an entry the file does not hold stays empty.
struct ProcparValues {
    std::optional<double> sfrq;     // spectrometer frequency, MHz
    std::optional<double> sw;       // sweep width, Hz
    std::optional<std::int64_t> np; // values, real and imaginary
    std::optional<bool> dpIsY;      // dp is "y": 32-bit (or floating-point) data
};

// procpar tokens are read into a buffer of about 2,500 characters.
inline constexpr std::size_t kProcparTokenLength = 2499;

// The data file: a 32-byte file header and the 28-byte header of the first block, then
// the values, all big-endian.
inline constexpr std::size_t kVarianDataOffset = 60;
inline constexpr std::size_t kVarianStatusOffset = 26;

// Bits of the file header's status word.
inline constexpr std::uint16_t kVarianStatusData = 0x0001;
inline constexpr std::uint16_t kVarianStatus32Bit = 0x0004;
inline constexpr std::uint16_t kVarianStatusFloat = 0x0008;

enum class VarianValueType { Int16, Int32, Float32 };

// Each parameter is its name, first on a line of attributes, then a line with the
// number of values and the values. A name matches only as a whole token at the start of
// its line, so sw1, swp or a word inside a string value never count; the value is the
// second token after the rest of the name's line. A later entry overwrites an earlier one.
ProcparValues parseProcpar(std::string_view text);

// The type of the values: from the file header's status word when it marks the file as
// holding data (floating point, else 32-bit, else 16-bit); a header without that mark
// leaves it to dp (32-bit when dp is "y" or missing, 16-bit otherwise).
VarianValueType varianValueType(std::span<const std::uint8_t> dataFile, const ProcparValues& p);

// Combines the data file and its parameters into a staged spectrum, starting from a
// clean set of parameters: np values from byte 60, np cut to the capacity and those
// beyond the end of the file 0.0, with a note for the user. Unusable when the file is
// shorter than its headers, holds no value, or np, sw or sfrq is missing or not valid.
ImportResult assembleVarian(std::span<const std::uint8_t> dataFile, const ProcparValues& params,
                            int capacity);

// Reads the data file at path and "procpar" in its folder (its name in any letter case);
// NotRead when either cannot be read.
ImportResult readVarian(const std::string& path, int capacity);

}  // namespace tesvar
