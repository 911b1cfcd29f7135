#include "render/trace_drawing.h"

namespace tesvar {

// Kept out of line: inlined into the drawing loop, the running extremes were kept in
// memory rather than in registers, at several times the cost.
ValueSpan realPartSpan(const double* values, std::int64_t count)
{
    ValueSpan span{values[0], values[0]};
    bool nan = false;
    for (std::int64_t j = 0; j < count; ++j) {
        const double v = values[2 * j];
        if (v < span.lo) {
            span.lo = v;
            span.loAt = j;
        }
        if (v > span.hi) {
            span.hi = v;
            span.hiAt = j;
        }
        nan = nan || std::isnan(v);
    }
    span.numbers = !nan;
    return span;
}

void ColumnRuns::finish()
{
    if (!open)
        return;
    open = false;
    canvas.lineTo(runX, first);
    if (!before)
        return;  // equal values only
    // From the first value over both extremes to the last. When the last equals an
    // extreme that extreme is visited first, so that the path ends with a segment
    // into the last value from the other side rather than one of no length.
    const int a = last == hi ? hi : lo;
    const int b = last == hi ? lo : hi;
    int at = first;
    for (const int y : {a, b, last}) {
        if (y != at)
            canvas.lineTo(runX, y);
        at = y;
    }
}

}  // namespace tesvar
