#pragma once

#include <string>
#include <vector>

#include "document/acquisition.h"

namespace tesvar {

// Labels and units of the "Data Acquisition Parameters" dialog (144).
namespace text {
inline constexpr const char* kSfLabel = "Spectrum Frecuency  SF:";
inline constexpr const char* kSwLabel = "Sweep Width SW:";
inline constexpr const char* kAqLabel = "Acquisition Time AQ:";
inline constexpr const char* kTdLabel = "Transform Domain TD:";
inline constexpr const char* kModeLabel = "Acquisition Mode :";
inline constexpr const char* kMhzUnit = "MHz";
inline constexpr const char* kHzUnit = "Hz";
inline constexpr const char* kPpmUnit = "ppm";
inline constexpr const char* kSecondsUnit = "Seconds";
inline constexpr const char* kPointsUnit = "Points";
inline constexpr const char* kRealMode = "Real";
inline constexpr const char* kComplexMode = "Complex";
}  // namespace text

// The texts of the dialog's read-only fields. A value that is not a finite number (the
// sweep width in ppm of a spectrum without a frequency, for example) leaves its field
// empty rather than showing "inf" or "nan".
struct ParameterFields {
    std::string sf;     // "%.3lf", MHz
    std::string sw;     // "%.3lf", Hz
    std::string swPpm;  // sw / sf, "%.3lf"
    std::string aq;     // "%.2lf", seconds
    std::string td;     // "%.d": a zero shows as an empty field
    std::string mode;   // "Real" or "Complex"
};

ParameterFields parameterFields(const AcquisitionParameters& acq, bool realAcquisition);

// The same values as text lines, each with the dialog's label and unit:
// "Spectrum Frecuency  SF: 400.130 MHz", "Sweep Width SW: 6009.600 Hz 15.019 ppm", ...
// An empty field keeps its place, so the unit stays where the dialog shows it.
std::vector<std::string> parameterLines(const ParameterFields& fields);

}  // namespace tesvar
