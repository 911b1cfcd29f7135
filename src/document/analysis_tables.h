#pragma once

#include <array>
#include <cstdint>

namespace tesvar {

inline constexpr int kMaxIntegrals = 100;
inline constexpr int kMaxPeakRegions = 1000;
// Room for a peak at every other complex point of the largest spectrum: a pick over the
// whole of it holds every local maximum of its noise. Only a plateau at or above the
// threshold over more than half of it fills the table, which then says so.
inline constexpr int kMaxPeaks = 262144;
inline constexpr int kMaxJMarkers = 200;

// Integrals measured on the spectrum. Values are snapshots taken when measured; labels
// show each value relative to the reference integral times referenceHydrogens.
struct IntegralTable {
    std::int32_t count = 0;
    std::int32_t last = 0;  // every loop over integrals runs 0..last inclusive
    std::array<double, kMaxIntegrals> start{};  // fractional complex-point numbers
    std::array<double, kMaxIntegrals> end{};
    std::array<double, kMaxIntegrals> value{};
    std::array<std::int32_t, kMaxIntegrals> labelLeft{};  // written by the drawing pass
    std::array<std::int32_t, kMaxIntegrals> labelRight{};
    std::int32_t present = 0;
    std::int32_t reference = 0;
    std::int32_t previousReference = 0;
    double referenceHydrogens = 1.0;
    std::int32_t startNew = 0;
};

// No initialisers: the table lives in the document, which starts zeroed (see
// SpectrumDocument's allocation), and is written before it is read.
struct PeakRecord {
    double value;        // signed real value at the peak
    std::int32_t index;  // element index (always even)
};

// Picked peaks, grouped by region: the peaks of each region are contiguous.
struct PeakTable {
    std::array<PeakRecord, kMaxPeaks> peaks;
    std::int32_t peakCount = 0;
    std::int32_t regionCount = 0;
    std::array<std::int32_t, kMaxPeakRegions> regionStart{};
    std::array<std::int32_t, kMaxPeakRegions> regionEnd{};
    std::array<std::int32_t, kMaxPeakRegions> regionPeaks{};
    double lastThreshold = 0.0;
};

}  // namespace tesvar
