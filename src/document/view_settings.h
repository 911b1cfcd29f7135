#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;
enum class DisplayUnits : std::int32_t;

// The OK of the Units dialog: the four radio states (Seconds, ppm, Hertz, Points) are
// kept, and the axis takes the unit of the last one set; with none set it keeps its
// unit. The plot is repainted.
void applyUnits(SpectrumDocument& doc, WindowPort& window,
                const std::array<std::int32_t, 4>& checks);

// The unit as the Units dialog names it: "Seconds", "ppm", "Hertz" or "Points".
const char* unitName(DisplayUnits units);

// The reading of the axis and of the status-bar readout (seconds, ppm or Hz with the
// referencing offsets, or points) at a time coordinate, and the time coordinate at which
// the axis shows a reading. Nothing when the spectrum has no usable scale in the current
// unit (no acquisition time; in ppm no spectrometer frequency).
std::optional<double> readingAtTime(const SpectrumDocument& doc, double time);
std::optional<double> timeAtReading(const SpectrumDocument& doc, double reading);

// The OK of the Set limits dialog with the left and right edges of the view as time
// coordinates: both are stored together when from <= to <= acq.aq (from may be
// negative) and both are finite. An edge that is missing (a reading with no place on
// the axis) or refused values are not stored: a beep and "Error" (caption "Try it
// again"); the result tells whether they were accepted.
bool applyLimitTimes(SpectrumDocument& doc, Ui& ui, std::optional<double> from,
                     std::optional<double> to);
// The same with the edges read in the unit of the axis: "from" is the reading at the
// left edge, so in ppm and Hertz, whose axis runs to the left, from is the larger one.
bool applyLimits(SpectrumDocument& doc, Ui& ui, double from, double to);

// What the window does after the Set limits dialog closes: the zoom factor follows the
// stored limits and the plot is repainted.
void limitsChanged(SpectrumDocument& doc, WindowPort& window);

}  // namespace tesvar
