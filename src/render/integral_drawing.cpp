#include "render/integral_drawing.h"

#include <algorithm>
#include <string>

#include "document/integral_label.h"
#include "document/spectrum_document.h"
#include "document/truncation.h"
#include "platform/canvas.h"

namespace tesvar {

namespace {

// Integrals 0..last, never beyond the table.
int lastIntegral(const IntegralTable& table)
{
    return std::min(table.last, kMaxIntegrals - 1);
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
        const double x1 = elementX(doc, 2.0 * table.start[i], frame.width);
        const double x2 = elementX(doc, 2.0 * table.end[i], frame.width);
        const int mid = toPixel(x1 + x2) / 2;
        const int leftLeg = mid - half - frame.leftLegGap;
        const int rightLeg = mid + half + frame.rightLegGap;
        if (frame.storeHitBoxes) {
            table.labelLeft[i] = mid - half - 5;
            table.labelRight[i] = mid + half + 5;
        }

        const int column1 = traceX(doc, 2.0 * table.start[i], frame.width);
        const int column2 = traceX(doc, 2.0 * table.end[i], frame.width);
        canvas.moveTo(column1, top);
        canvas.lineTo(column1, top + 5);
        canvas.lineTo(leftLeg, top + 14);
        canvas.lineTo(leftLeg, top + 80);
        canvas.moveTo(column2, top);
        canvas.lineTo(column2, top + 5);
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

void drawIntegralCurvesOn(const SpectrumDocument& doc, Canvas& canvas, int width, int base)
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

        // Only points whose values are in use are summed and drawn.
        const ElementIndex from = std::max<ElementIndex>(a, 0);
        const ElementIndex to = std::min(b, lastPoint);
        if (to < from)
            continue;
        const double firstValue = doc.data[static_cast<std::size_t>(2 * from)];
        const ColumnMap map(doc, width);
        auto columnOf = [&](ElementIndex p) { return map.column(2.0 * p); };
        const int startX = columnOf(from);
        const double firstRise =
            scaled ? firstValue / m * doc.integralScale * doc.verticalScale * 0.25 : 0.0;
        canvas.moveTo(startX, base - toPixel(firstRise));

        double sum = 0.0;
        for (ElementIndex p = from; p <= to; ++p) {
            sum += doc.data[static_cast<std::size_t>(2 * p)];
            const double y =
                scaled ? base - sum * doc.integralScale / m * doc.verticalScale * 0.25 : base;
            canvas.lineTo(columnOf(p), toPixel(y, base));
        }
    }
}

}  // namespace tesvar
