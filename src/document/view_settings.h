#pragma once

#include <array>
#include <cstdint>

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// The OK of the Units dialog: the four radio states (Seconds, ppm, Hertz, Points) are
// kept, and the axis takes the unit of the last one set; with none set it keeps its
// unit. The plot is repainted.
void applyUnits(SpectrumDocument& doc, WindowPort& window,
                const std::array<std::int32_t, 4>& checks);

// The OK of the Set limits dialog: both values are stored together when from <= to <=
// acq.aq (from may be negative) and both are finite. Refused values are not stored: a
// beep and "Error" (caption "Try it again"); the result tells whether they were accepted.
bool applyLimits(SpectrumDocument& doc, Ui& ui, double from, double to);

// What the window does after the Set limits dialog closes: the zoom factor follows the
// stored limits and the plot is repainted.
void limitsChanged(SpectrumDocument& doc, WindowPort& window);

}  // namespace tesvar
