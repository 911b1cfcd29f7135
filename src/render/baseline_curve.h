#pragma once

#include <span>

namespace tesvar {

class Canvas;
struct SpectrumDocument;

// A baseline (one value per complex point) drawn over the screen trace in green, with
// the trace's own mapping, one vertex per pixel column of the points in view, so that
// it lies on the spectrum wherever the view is zoomed or shifted.
void drawBaselineCurve(const SpectrumDocument& doc, Canvas& canvas,
                       std::span<const double> baseline);

}  // namespace tesvar
