#pragma once

#include <cstdint>

namespace tesvar {

class Ui;
class WindowPort;
struct IntegralTable;
struct SpectrumDocument;

namespace text {
inline constexpr const char* kTooManyIntegralsText = "Error";
inline constexpr const char* kTooManyIntegralsCaption = "Too many integrals";
inline constexpr const char* kRegionOutsideData =
    "The region lies outside the data: there is nothing to integrate.";
inline constexpr const char* kIntegralRefusedCaption = "Error";
inline constexpr const char* kIntegrateHint = "Keys Up/Down to increase/decrease integrals size";
}  // namespace text

// A region's bound for summing: the stored position truncated toward zero, moved down
// to an even point when odd. The integration, its baseline and the curves all use it.
std::int64_t evenPoint(double position);

// The points of integral k that are summed: its even bounds, kept within the points
// whose real values are in use. Empty (last < first) when the region lies wholly
// outside them.
struct SummedPoints {
    std::int64_t first = 0;
    std::int64_t last = -1;
};
SummedPoints summedPoints(const SpectrumDocument& doc, double start, double end);

// Adds an integral of the region between the fractional point numbers `start` and
// `end` (in either order). With startNew the table is emptied first. A region wholly
// outside the data and a full table are refused with a message, and the table is left
// as it was; the result tells whether an integral was added.
bool integrateRegion(SpectrumDocument& doc, Ui& ui, double start, double end, bool startNew);

// The linear baseline under integral k, summed over its points but the last: the mean
// of the five real values from each end inwards sets the line's height there. Windows
// that would reach beyond the values in use take the mean of the points they do cover.
double integralBaseline(const SpectrumDocument& doc, int k);

// The integral whose label box holds client x (the first one, from index 0): it
// becomes the reference, the former one is kept as previousReference. No hit while the
// table holds nothing, and then nothing changes.
bool hitTestIntegral(IntegralTable& table, int x);

// Removes the integral at `reference`; the later ones move down one slot. The reference
// returns to the one in force before the click that chose the deleted integral, now
// counted in the moved slots. When the table becomes empty it is reset and the
// integrals are hidden.
void deleteReferenceIntegral(SpectrumDocument& doc);

// Command 40160: every integral deleted.
void deleteAllIntegrals(SpectrumDocument& doc, WindowPort& window);

// Commands 40165 and 40166: the curves stretched or shrunk by integralStep.
void increaseIntegrals(SpectrumDocument& doc, WindowPort& window);
void decreaseIntegrals(SpectrumDocument& doc, WindowPort& window);

}  // namespace tesvar
