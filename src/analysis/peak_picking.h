#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

namespace text {
inline constexpr const char* kPeakDialogTitle = "PEAK PICKING";
inline constexpr const char* kPeakListHeader = "Peak    Frecuency       ppm      Intens. ";
inline constexpr const char* kThresholdLabel = "Threshold ";
inline constexpr const char* kPeakReportDocument = "Peak Picking Ouput";
inline constexpr const char* kPeakTableFullCaption = "Error";
inline constexpr const char* kTooManyPeakRegions =
    "The peak list holds 1000 regions, as many as it can.\n"
    "Clear it to pick further peaks.";
inline constexpr const char* kTooManyPeaks =
    "The peak list has no room for the peaks of this region.\n"
    "Clear it to pick further peaks.";
}  // namespace text

// Frequency and chemical shift of element index i, with the offsets of referencing.
double peakHertz(const SpectrumDocument& doc, std::int64_t index);
double peakPpm(const SpectrumDocument& doc, std::int64_t index);

// Scans the real values between element indexes lo and hi for peaks whose magnitude
// reaches the threshold and appends them as one region of the peak table. Each peak is
// the first point that none of the next three values exceeds, after the values rose
// above the threshold. A candidate recorded where the region ends, while searching or
// still rising, stands for the end of the region rather than a peak and is discarded;
// a region that ends on its last peak's top or on the falling slope after it keeps it.
//
// lo and hi are kept within the values in use (a region dragged beyond the data after
// scrolling is cut at its ends), and values looked at beyond the last one in use count
// as zero. A picking that would overflow the table is refused with a message and
// leaves the table as it was; the result tells whether a region was appended.
bool pickPeaks(SpectrumDocument& doc, Ui& ui, std::int64_t lo, std::int64_t hi,
               double threshold);

// The same, and then the report: command 40012 is sent to the window.
bool pickPeaksAndReport(SpectrumDocument& doc, Ui& ui, WindowPort& window, std::int64_t lo,
                        std::int64_t hi, double threshold);

// The lines of list 1009, region after region: " ", the FROM/TO line, " ", then one
// row per kept peak numbered from 1 within its region.
std::vector<std::string> peakListLines(const SpectrumDocument& doc);

// "FROM:%7.2lf ppm   TO:%7.2lf ppm" for region r.
std::string peakRegionLine(const SpectrumDocument& doc, int region);
// "%6d    %10.2lf    %9.2lf     %10.3lf" for each kept peak of region r, numbered from
// 1: number, Hz, ppm and value.
std::vector<std::string> peakRowLines(const SpectrumDocument& doc, int region);
// The threshold as edit 1031 shows it, "%8.2lf".
std::string thresholdText(double threshold);

// Index of the first peak record of region r.
int firstPeakOfRegion(const SpectrumDocument& doc, int region);

}  // namespace tesvar
