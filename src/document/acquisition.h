#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tesvar {

// Whether the data are a FID or a spectrum, as far as the document knows: an import
// says which it brought (an instrument's file holds a FID), a transform says which way
// it went, a native file may hold either.
enum class DataDomain : std::int32_t { Unknown = 0, Time = 1, Frequency = 2 };

// The acquisition values of one spectrum. The block is stored byte for byte in the
// native file, so its layout (48 bytes, little-endian) is part of the file format;
// encodeAcquisition/decodeAcquisition do the conversion explicitly rather than
// copying the struct's memory.
struct AcquisitionParameters {
    std::int16_t acqMode = 0;      // 0 and 2: single-channel (real) acquisition
    std::int16_t acqModeFlag = 0;  // second mode word written by some importers
    std::array<std::uint8_t, 4> reserved1{};  // bytes 4..7, kept as read
    double sw = 0.0;               // sweep width, Hz
    double sf = 0.0;               // spectrometer frequency, MHz
    double extra = 0.0;            // one further header value, stored but never read
    std::int32_t td = 0;           // doubles of acquired data (re and im together)
    std::array<std::uint8_t, 4> reserved2{};  // bytes 36..39, kept as read
    double aq = 0.0;               // acquisition time, s: td / (2 sw)

    bool operator==(const AcquisitionParameters&) const = default;
};

inline constexpr std::size_t kAcquisitionBlockSize = 48;
using AcquisitionBlock = std::array<std::uint8_t, kAcquisitionBlockSize>;

AcquisitionBlock encodeAcquisition(const AcquisitionParameters& acq);
AcquisitionParameters decodeAcquisition(const AcquisitionBlock& block);

// Why the contents of a file cannot make a spectrum. Every reader, the native one
// included, refuses a file for these reasons and names the reason to the user.
enum class SpectrumProblem {
    None,
    PointCount,       // the number of values is missing, zero or negative
    SweepWidth,       // missing or not a positive finite number, or td / (2 sw) not finite
    Frequency,        // the spectrometer frequency is missing or not a positive finite number
    AcquisitionMode,  // the format needs a mode and the file lacks it or holds a bad one
    HeaderCut,        // the file ends inside its header
    NoData,           // the header promises values and the file holds not one
};

// The first parameter of acq that cannot describe a spectrum, or None. A spectrum needs
// values, a sweep width giving a finite acquisition time and a spectrometer frequency.
SpectrumProblem acquisitionProblem(const AcquisitionParameters& acq);

// True when every value is a finite number: the only values a spectrum file may hold.
bool allFinite(std::span<const double> values);

// The one line that tells the user that a file and its count of values disagree: it
// holds fewer values than its count (those after them read as 0), or more than the
// capacity takes (the rest left out). Empty when every value was read.
std::string valueCountNote(std::int64_t count, std::int64_t held, int capacity);

// Little-endian helpers shared by the file readers and writers.
void putLe16(std::uint8_t* out, std::uint16_t v);
void putLe32(std::uint8_t* out, std::uint32_t v);
void putLe64(std::uint8_t* out, std::uint64_t v);
void putLeDouble(std::uint8_t* out, double v);
std::uint16_t getLe16(const std::uint8_t* in);
std::uint32_t getLe32(const std::uint8_t* in);
std::uint64_t getLe64(const std::uint8_t* in);
double getLeDouble(const std::uint8_t* in);

}  // namespace tesvar
