#pragma once

#include "document/plot_geometry.h"

namespace tesvar {

class Canvas;
struct SpectrumDocument;

// Where the integral brackets and labels go on a surface. The bracket of integral i
// runs from its region's ends at `top` down to two legs beside a column of characters
// centred between the ends; the label's characters are stacked in that column.
struct BracketFrame {
    int width = 0;          // surface width that the view spans
    int top = 0;            // y where the bracket starts under the region's ends
    int leftLegGap = 5;     // left leg at mid - half - leftLegGap
    int rightLegGap = 5;    // right leg at mid + half + rightLegGap
    bool storeHitBoxes = false;  // screen labels renew the boxes a click is tested against
};

// Brackets and reversed vertical labels of integrals 0..last, in the canvas's current
// pen and font (the label font). Returns nothing; with storeHitBoxes the table's
// labelLeft/labelRight are renewed. `doc` is not otherwise changed.
void drawIntegralBrackets(SpectrumDocument& doc, Canvas& canvas, const BracketFrame& frame);

// Running-sum curves of integrals 0..last: `base` is the y of the curves' zero, `width`
// the surface width that the view spans. Each summed point lies in its trace column.
void drawIntegralCurvesOn(const SpectrumDocument& doc, Canvas& canvas, int width, int base);

}  // namespace tesvar
