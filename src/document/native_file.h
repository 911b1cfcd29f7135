#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "document/acquisition.h"

namespace tesvar {

// The native spectrum file: the magic "TVX", "0" filler, the 48-byte acquisition block
// at 256, "0" filler, the doubles from 1024, and "0" filler up to 2048 bytes when there
// are fewer than 128 doubles.
inline constexpr char kNativeMagic[3] = {'T', 'V', 'X'};
inline constexpr std::size_t kNativeBlockOffset = 256;
inline constexpr std::size_t kNativeDataOffset = 1024;
inline constexpr std::size_t kNativeMinimumSize = 2048;
inline constexpr std::uint8_t kNativeFiller = '0';

enum class NativeStatus {
    Ok,           // acq and values hold the spectrum
    CannotOpen,   // the file could not be opened or read
    NotNative,    // the magic letters are missing
    Unusable,     // no spectrum: problem tells why
};

struct NativeReadResult {
    NativeStatus status = NativeStatus::CannotOpen;
    SpectrumProblem problem = SpectrumProblem::None;  // why the file is Unusable
    bool blockMissing = false;  // the file ends before the parameter block starts
    AcquisitionParameters acq;  // td already bounded by the capacity
    std::vector<double> values; // acq.td values; those the file does not hold are 0.0
    std::string note;           // a file holding fewer values than td, or more than fit
};

// Parses the bytes of a file, never reading more than capacity doubles whatever td the
// file claims (td is then lowered to the capacity). A file ending inside its parameter
// block, with parameters that cannot describe a spectrum or without one whole value is
// Unusable.
NativeReadResult parseNativeFile(std::span<const std::uint8_t> bytes, int capacity);

// Reads the file at path (at most the bytes that capacity doubles need) and parses it.
NativeReadResult readNativeFile(const std::string& path, int capacity);

std::vector<std::uint8_t> encodeNativeFile(const AcquisitionParameters& acq,
                                           std::span<const double> values);

// Writes the file to a temporary file in the target folder, checking every write and
// the close, then renames it over path. A file marked read-only is not replaced. On
// failure the previous file is left intact and false is returned.
bool writeNativeFile(const std::string& path, const AcquisitionParameters& acq,
                     std::span<const double> values);

}  // namespace tesvar
