#pragma once

#include <optional>
#include <string>

namespace tesvar {

// The analysis lists and reports write their numbers as printf's "%W.Plf" and "%Wd"
// would in the C locale: right-aligned in at least `width` characters.
std::string formatPadded(double value, int width, int decimals);
std::string formatPadded(long long value, int width);
std::string formatPadded(const std::string& text, int width);

// "%lf": six decimals.
inline constexpr int kDefaultDecimals = 6;

// Edit texts are read as the dialogs read them: at most 79 characters, the leading
// decimal number, 0 when there is none.
double readEditNumber(const std::string& text);
// The same, with nothing when the number is not a finite one ("inf", "nan", or beyond
// the range of a double).
std::optional<double> readEditFiniteNumber(const std::string& text);

struct SpectrumDocument;

// True when time coordinate t lies on the data of a spectrum: 0 to acq.aq. Markers,
// reference clicks and peak regions are refused elsewhere.
bool timeOnData(const SpectrumDocument& doc, double time);

namespace text {
inline constexpr const char* kRefusedInputCaption = "Warning";
inline constexpr const char* kThresholdNotFinite =
    "The threshold is not a finite number: no peaks were picked.";
inline constexpr const char* kPeakRegionOutside =
    "The region lies outside the spectrum: no peaks were picked.";
inline constexpr const char* kReferenceNotFinite =
    "The new reference is not a finite number: the scale is left as it was.";
inline constexpr const char* kReferenceOutside =
    "The position to reference lies outside the spectrum.";
inline constexpr const char* kMarkerOutside =
    "The marker lies outside the spectrum: it was not placed.";
}  // namespace text

}  // namespace tesvar
