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
// are fewer than 128 doubles. The block's td is the number of doubles the file holds.
inline constexpr char kNativeMagic[3] = {'T', 'V', 'X'};
inline constexpr std::size_t kNativeBlockOffset = 256;
inline constexpr std::size_t kNativeDataOffset = 1024;
inline constexpr std::size_t kNativeMinimumSize = 2048;
inline constexpr std::uint8_t kNativeFiller = '0';

// What the data still await at their next Fourier transform. A FID saved before its
// transform keeps it, so that it transforms after reopening as it would have before.
//
// It is stored in a small record in the filler after the parameter block, written only
// when something is pending; a reader that does not know the record sees filler there,
// and a file without it (every file written before it existed) has nothing pending:
//   offset 304, 7 bytes: the ASCII tag "TVXEXT1"
//   offset 311, 1 byte:  flags; bit 0 set: negate the imaginary parts before the transform
//   offset 312, 8 bytes: the digital filter's group delay in complex points, a
//                        little-endian IEEE 754 double, 0 for data without one
//   offset 320, 4 bytes: the CRC-32 (the polynomial of zlib and PNG) of bytes 304 to 319,
//                        little-endian
// A record whose check, flags or delay is not valid is ignored.
struct PendingTransform {
    std::int32_t conjugate = 0;  // 1: negate the imaginary parts once before the transform
    double filterDelay = 0.0;    // digital-filter group delay, complex points
    bool operator==(const PendingTransform&) const = default;
};

inline constexpr std::size_t kPendingRecordOffset = 304;
inline constexpr std::size_t kPendingRecordSize = 20;
inline constexpr char kPendingRecordTag[7] = {'T', 'V', 'X', 'E', 'X', 'T', '1'};

enum class NativeStatus {
    Ok,           // acq and values hold the spectrum
    CannotOpen,   // the file could not be opened or read
    NotNative,    // the magic letters are missing
    Unusable,     // no spectrum: problem tells why
    NotFinite,    // the file holds values that are not finite numbers
};

struct NativeReadResult {
    NativeStatus status = NativeStatus::CannotOpen;
    SpectrumProblem problem = SpectrumProblem::None;  // why the file is Unusable
    bool blockMissing = false;  // the file ends before the parameter block starts
    AcquisitionParameters acq;  // td already bounded by the capacity
    std::vector<double> values; // acq.td values; those the file does not hold are 0.0
    std::string note;           // a file holding fewer values than td, or more than fit
    PendingTransform pending;   // nothing pending unless the file records it
};

// Parses the bytes of a file, never reading more than capacity doubles whatever td the
// file claims (td is then lowered to the capacity). A file ending inside its parameter
// block, with parameters that cannot describe a spectrum or without one whole value is
// Unusable.
NativeReadResult parseNativeFile(std::span<const std::uint8_t> bytes, int capacity);

// Reads the file at path (at most the bytes that capacity doubles need) and parses it.
NativeReadResult readNativeFile(const std::string& path, int capacity);

// The bytes of the file: the block as given apart from td, which becomes the number of
// values written.
std::vector<std::uint8_t> encodeNativeFile(const AcquisitionParameters& acq,
                                           std::span<const double> values,
                                           const PendingTransform& pending = {});

// Writes the file safely, as writeFileBytes does.
bool writeNativeFile(const std::string& path, const AcquisitionParameters& acq,
                     std::span<const double> values, const PendingTransform& pending = {});

}  // namespace tesvar
