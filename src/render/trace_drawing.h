#pragma once

#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "render/plot_geometry.h"

namespace tesvar {

// One line segment per real point from firstIndex, from the pen's current position, on
// a surface `width` units wide that spans the view: point k lies at the column of its
// element (traceX), yOf(value) gives the y of a value and zeroY that of the zero line,
// on which points beyond the values in use lie. Runs of such points are drawn as the
// one straight segment they make, from the vertex of point 0 on: the printed trace
// starts at the corner and must go down the border, not across the picture.
template <typename YOf>
void drawTracePoints(const SpectrumDocument& doc, Canvas& canvas, const VisibleRange& range,
                     int width, YOf yOf, int zeroY)
{
    const ColumnMap map(doc, width);
    auto xOf = [&](std::int64_t k) {
        return map.column(static_cast<double>(range.firstIndex + 2 * k));
    };
    const TracePoints points = tracePoints(doc, range);
    if (points.count == 0)
        return;
    if (points.dataFrom > 0) {
        canvas.lineTo(xOf(0), zeroY);
        if (points.dataFrom > 1)
            canvas.lineTo(xOf(points.dataFrom - 1), zeroY);
    }
    for (std::int64_t k = points.dataFrom; k < points.dataTo; ++k)
        canvas.lineTo(xOf(k), yOf(doc.data[static_cast<std::size_t>(range.firstIndex + 2 * k)]));
    if (points.dataTo < points.count) {
        canvas.lineTo(xOf(points.dataTo), zeroY);
        if (points.count - 1 > points.dataTo)
            canvas.lineTo(xOf(points.count - 1), zeroY);
    }
}

}  // namespace tesvar
