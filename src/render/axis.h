#pragma once

#include "document/plot_geometry.h"

namespace tesvar {

class Canvas;
struct SpectrumDocument;

// One row of the tick-step table: the distance between ticks, the label factor (a tick
// is labelled when its value times the factor is whole; 0 labels every tick) and the
// number of decimals of the labels.
struct TickStep {
    double step = 500.0;
    double labelFactor = 0.0;
    int decimals = 0;
};

// The row for an axis spanning `range` units: the narrower the range, the finer the
// step. Each limit is a strict less-than.
TickStep tickStepFor(double range);

// Where an axis goes on its surface: the width that the axis spans (also the origin of
// the ppm and Hertz axes, which grow to the left), the y of the axis line, of the end
// of an unlabelled tick and of the labels' top, and whether ticks outside the surface
// are left out rather than clipped.
struct AxisFrame {
    int width = 0;
    int axisY = 0;
    int minorEnd = 0;
    int labelY = 0;
    bool skipOutside = false;
};

// The axis of the window under the plot, between two element indices given in either
// order, in the canvas's current font and pen.
void drawAxis(const SpectrumDocument& doc, Canvas& canvas, ElementIndex a, ElementIndex b);

// The same axis on any frame; drawAxis and the printed axis differ only in the frame
// and the font.
void drawAxisInFrame(const SpectrumDocument& doc, Canvas& canvas, ElementIndex a, ElementIndex b,
                     const AxisFrame& frame);

}  // namespace tesvar
