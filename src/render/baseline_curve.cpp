#include "render/baseline_curve.h"

#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "document/plot_geometry.h"

namespace tesvar {

void drawBaselineCurve(const SpectrumDocument& doc, Canvas& canvas,
                       std::span<const double> baseline)
{
    const VisibleRange range = visibleRange(doc);
    const TracePoints points = tracePoints(doc, range);
    const ColumnMap map(doc, doc.clientWidth);
    canvas.setPen(Pen{{0, 160, 0}, 1});
    bool started = false;
    int lastColumn = 0;
    for (std::int64_t k = points.dataFrom; k < points.dataTo; ++k) {
        const ElementIndex element = range.firstIndex + 2 * k;
        const std::int64_t point = element / 2;
        if (point < 0 || point >= static_cast<std::int64_t>(baseline.size()))
            continue;
        const int x = map.column(static_cast<double>(element));
        if (started && x == lastColumn)
            continue;
        const int y = valueToY(doc, baseline[static_cast<std::size_t>(point)]);
        if (started)
            canvas.lineTo(x, y);
        else
            canvas.moveTo(x, y);
        started = true;
        lastColumn = x;
    }
}

}  // namespace tesvar
