#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/acquisition.h"
#include "importers/import_files.h"

namespace tesvar {

// The entries of a Bruker "Acqus" parameter file that the import uses; an entry the
// file does not hold stays empty.
struct AcqusValues {
    std::optional<std::int64_t> aqMod;        // ##$AQ_mod=
    std::optional<double> swH;                // ##$SW_h=  (Hz)
    std::optional<std::int64_t> td;           // ##$TD=    (values, real and imaginary)
    std::optional<double> bf1;                // ##$BF1=   (MHz)
    std::optional<std::int64_t> byteOrder;    // ##$BYTORDA=  1: big-endian values
    std::optional<std::int64_t> dataType;     // ##$DTYPA=    2: 64-bit floating point
    std::optional<double> groupDelay;         // ##$GRPDLY=   digital filter delay, points
    std::optional<std::int64_t> dspFirmware;  // ##$DSPFVS=
    std::optional<double> decimation;         // ##$DECIM=
};

// Tokens of the parameter file are read into an 80-character buffer.
inline constexpr std::size_t kAcqusTokenLength = 79;

// Reads the parameter text. A token that begins with a key (its "=" included) sets
// that entry; the value is whatever follows the "=" in the same token, or else the next
// token. A later entry with the same key overwrites an earlier one.
AcqusValues parseAcqus(std::string_view text);

// Reads the parameter file at path; nothing when it cannot be opened.
std::optional<AcqusValues> readAcqus(const std::string& path);

// The raw bytes of the data file (at most what the capacity of the document takes in
// 64-bit values); nothing when the file cannot be opened. The values are decoded once
// the parameters are known.
std::optional<std::vector<std::uint8_t>> readX32Fid(const std::string& path);

// The values of the data file: 32-bit integers, or 64-bit floating-point values when
// DTYPA is 2, little-endian unless BYTORDA is 1; count values, those beyond the end of
// the file 0.0. No scaling.
std::vector<double> decodeX32Values(std::span<const std::uint8_t> fid, const AcqusValues& acqus,
                                    int count);

// The group delay of the spectrometer's digital filter in complex points: GRPDLY when
// it is positive, otherwise the published table for DSPFVS 10 to 13 and DECIM; 0 when
// neither gives one.
double brukerGroupDelay(const AcqusValues& acqus);

// Combines the data file and its parameters into a staged spectrum, starting from a
// clean set of parameters. Unusable when TD, SW_h, BF1 or AQ_mod is missing or not
// valid or the data file holds no value; BadValues when it holds values that are not
// finite numbers. TD above the capacity is cut to it, with a note for the user, as is a
// data file shorter than TD.
ImportResult assembleX32(std::span<const std::uint8_t> fid, const AcqusValues& acqus, int capacity);

}  // namespace tesvar
