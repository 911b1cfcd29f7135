#include "render/integral_drawing.h"

#include <algorithm>
#include <string>

#include "analysis/integral_label.h"
#include "analysis/truncation.h"
#include "document/spectrum_document.h"
#include "platform/canvas.h"

namespace tesvar {

namespace {

// Integrals 0..last, never beyond the table.
int lastIntegral(const IntegralTable& table)
{
    return std::min(table.last, kMaxIntegrals - 1);
}

// x of a fractional point number on a surface whose `width` spans the view, with the
// width applied before the zoom factor (the printed brackets and every curve's start).
double spannedX(const SpectrumDocument& doc, double point, int width)
{
    if (doc.valueCount <= 0 || !usableDivisor(doc.acq.aq))
        return 0.0;
    return (2.0 * point / doc.valueCount - doc.viewLeft / doc.acq.aq) * width * doc.zoomFactor;
}

// Client or canvas x of a region end (a fractional point number).
double regionX(const SpectrumDocument& doc, double point, const BracketFrame& frame)
{
    return frame.printed ? spannedX(doc, point, frame.width) : pointToX(doc, point);
}

// Point bounds of a region: truncated toward zero and moved down to an even point.
ElementIndex regionPoint(double position) { return evenIndex(truncatedPosition(position)); }

}  // namespace

void drawIntegralBrackets(SpectrumDocument& doc, Canvas& canvas, const BracketFrame& frame)
{
    IntegralTable& table = doc.integrals;
    const int cw = canvas.textMetrics().averageCharWidth;
    const int half = cw / 2;
    const int top = frame.top;
    for (int i = 0; i <= lastIntegral(table); ++i) {
        const double x1 = regionX(doc, table.start[i], frame);
        const double x2 = regionX(doc, table.end[i], frame);
        const int mid = toPixel(x1 + x2) / 2;
        const int leftLeg = mid - half - frame.leftLegGap;
        const int rightLeg = mid + half + frame.rightLegGap;
        if (frame.storeHitBoxes) {
            table.labelLeft[i] = mid - half - 5;
            table.labelRight[i] = mid + half + 5;
        }

        canvas.moveTo(toPixel(x1), top);
        canvas.lineTo(toPixel(x1), top + 5);
        canvas.lineTo(leftLeg, top + 14);
        canvas.lineTo(leftLeg, top + 80);
        canvas.moveTo(toPixel(x2), top);
        canvas.lineTo(toPixel(x2), top + 5);
        canvas.lineTo(rightLeg, top + 14);
        canvas.lineTo(rightLeg, top + 80);

        // The font runs upwards: the reversed text stacked from the top reads correctly
        // from the bottom up.
        std::string label = integralLabelText(table, i);
        std::reverse(label.begin(), label.end());
        for (std::size_t j = 0; j < label.size(); ++j)
            canvas.textOut(mid - half - 3, top + 20 + static_cast<int>(j) * (cw + 1),
                           std::string(1, label[j]));
    }
}

void drawIntegralCurvesOn(const SpectrumDocument& doc, Canvas& canvas, int width, double step,
                          int base)
{
    const IntegralTable& table = doc.integrals;
    // The curves rise above their base at a quarter of the trace's scale, divided by
    // the signed maximum; an all-zero spectrum leaves them flat on the base.
    const double m = doc.maxAbsValue;
    const bool scaled = usableDivisor(m);
    const ElementIndex inUse = std::clamp<ElementIndex>(doc.valueCount, 0, kDataCapacity);
    const ElementIndex lastPoint = (inUse - 1) / 2;  // last point whose real part is in use

    for (int i = 0; i <= lastIntegral(table); ++i) {
        const ElementIndex a = regionPoint(table.start[i]);
        const ElementIndex b = regionPoint(table.end[i]);
        const int x0 = toPixel(spannedX(doc, table.start[i], width));

        // Only points whose values are in use are summed and drawn.
        const ElementIndex from = std::max<ElementIndex>(a, 0);
        const ElementIndex to = std::min(b, lastPoint);
        if (to < from)
            continue;
        const double firstValue = doc.data[static_cast<std::size_t>(2 * from)];
        const int startX = x0 + traceX(from - a, step);
        const double firstRise =
            scaled ? firstValue / m * doc.integralScale * doc.verticalScale * 0.25 : 0.0;
        canvas.moveTo(startX, base - toPixel(firstRise));

        double sum = 0.0;
        for (ElementIndex p = from; p <= to; ++p) {
            sum += doc.data[static_cast<std::size_t>(2 * p)];
            const double y =
                scaled ? base - sum * doc.integralScale / m * doc.verticalScale * 0.25 : base;
            canvas.lineTo(x0 + traceX(p - a, step), toPixel(y, base));
        }
    }
}

}  // namespace tesvar
