#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/acquisition.h"

namespace tesvar {

// What an importer hands to the dispatch: a complete spectrum read into staging, so the
// document changes only when the whole import has succeeded.
struct ImportedSpectrum {
    AcquisitionParameters acq;   // td already cut to the capacity
    std::vector<double> values;  // acq.td values; those a short file does not hold are 0.0
    std::int32_t conjugateOnTransform = 0;
    double digitalFilterDelay = 0.0;  // complex points; 0 for data without a digital filter
};

// Parameter files are small; anything beyond this is not read.
inline constexpr std::size_t kMaxParameterFileBytes = std::size_t{16} << 20;

// Reads at most maxBytes of a file; nothing when it cannot be opened or read.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes);
std::optional<std::string> readTextFile(const std::string& path);

// The folder part of a path ("." for a bare name).
std::string folderOf(const std::string& path);

// Finds folder/parts[0]/parts[1]/... comparing every name without regard to letter case,
// since instruments and file transfers do not agree on it ("Acqus", "acqus"). A name
// spelt exactly as asked wins, then the first other match in name order. Returns the
// path found or nothing.
std::optional<std::string> findIgnoringCase(const std::string& folder,
                                            const std::vector<std::string>& parts);

// A spectrum with no values, or with a sweep width that gives no finite acquisition
// time, cannot be shown; neither can values that are not finite numbers.
bool stagedSpectrumIsUsable(const ImportedSpectrum& staged);

}  // namespace tesvar
