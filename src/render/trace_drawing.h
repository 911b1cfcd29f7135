#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "document/plot_geometry.h"

namespace tesvar {

// Reduces a polyline whose vertices come column by column to the vertices that cover
// the same pixels: of the values that fall on one column it keeps the first, the lowest,
// the highest and the last, so a column holding hundreds of points costs at most three
// segments and its join to the next. The joins are unchanged: each starts at the last
// value of its column and ends at the first of the next. (A raster engine that decides
// single pixels at the turns of a polyline from the segments before them may still set
// one pixel more or less in a column.) A run of vertices belongs to one column while
// both its x and its column number stay the same; the column number may be finer than
// x (a device column where one unit spans several).
class ColumnRuns {
public:
    explicit ColumnRuns(Canvas& canvas) : canvas(canvas) {}
    ~ColumnRuns() { finish(); }
    ColumnRuns(const ColumnRuns&) = delete;
    ColumnRuns& operator=(const ColumnRuns&) = delete;

    void lineTo(int x, int column, int y)
    {
        if (open && x == runX && column == runColumn) {
            if (y != last) {
                // The trailing run of equal values ends: its value lies inside the column.
                lo = before ? std::min(lo, last) : last;
                hi = before ? std::max(hi, last) : last;
                before = true;
                last = y;
            }
            return;
        }
        finish();
        open = true;
        runX = x;
        runColumn = column;
        first = last = y;
        before = false;
    }

    // Draws the column still held; the polyline then ends where it would have ended.
    void finish();

private:
    Canvas& canvas;
    bool open = false;
    int runX = 0, runColumn = 0;
    int first = 0, last = 0;
    // lo and hi span the values before the trailing run of values equal to the last.
    int lo = 0, hi = 0;
    bool before = false;
};

// Where the points of a trace lie: point k (element firstIndex + 2k) at the column of
// its element (traceX) on a surface `width` units wide that spans the view. column(k)
// numbers the columns of 1/columnsPerUnit of a unit (the device columns of a surface
// with that many per unit); it is x(k) when columnsPerUnit is 1.
class TraceColumns {
public:
    TraceColumns(const SpectrumDocument& doc, const VisibleRange& range, int width,
                 int columnsPerUnit)
        : map(doc, width), fine(doc, width * std::max(columnsPerUnit, 1)),
          first(range.firstIndex), finer(columnsPerUnit > 1)
    {
    }

    int x(std::int64_t k) const { return map.column(element(k)); }
    int column(std::int64_t k) const { return finer ? fine.column(element(k)) : x(k); }

    // The first point after k, and at most `to`, in another column than k. Where columns
    // grow with k it is looked for `guess` points on (the length of the column before),
    // then found by doubling and halving; elsewhere point by point.
    std::int64_t columnEnd(std::int64_t k, std::int64_t to, std::int64_t guess) const
    {
        const int x0 = x(k), c0 = column(k);
        auto same = [&](std::int64_t j) { return x(j) == x0 && (!finer || column(j) == c0); };
        if (!map.rising()) {
            std::int64_t j = k + 1;
            while (j < to && same(j))
                ++j;
            return j;
        }
        std::int64_t step = std::max<std::int64_t>(guess, 1);
        std::int64_t in = k;                        // in k's column
        std::int64_t out = std::min(k + step, to);  // past it, or `to`
        while (out < to && same(out)) {
            in = out;
            step *= 2;
            out = std::min(in + step, to);
        }
        if (out - 1 > in && same(out - 1))
            in = out - 1;
        while (out - in > 1) {
            const std::int64_t mid = in + (out - in) / 2;
            (same(mid) ? in : out) = mid;
        }
        return out;
    }

private:
    double element(std::int64_t k) const { return static_cast<double>(first + 2 * k); }

    ColumnMap map, fine;
    ElementIndex first;
    bool finer;
};

// The lowest and highest of `count` real parts from `values` on (every other element),
// where each is first found (counted in real parts), and whether all are numbers.
struct ValueSpan {
    double lo = 0, hi = 0;
    std::int64_t loAt = 0, hiAt = 0;
    bool numbers = true;
};

ValueSpan realPartSpan(const double* values, std::int64_t count);

// The points of the trace in order: zero(k) for a point on the zero line, where the
// points beyond the values in use lie, and data(from, to) for the points k in
// [from, to), which lie on values in use. Runs of zero-line points are passed as the
// one straight segment they make, from the vertex of point 0 on: the printed trace
// starts at the corner and must go down the border, not across the picture.
template <typename Zero, typename Data>
void forEachTracePoint(const SpectrumDocument& doc, const VisibleRange& range, Zero zero,
                       Data data)
{
    const TracePoints points = tracePoints(doc, range);
    if (points.count == 0)
        return;
    if (points.dataFrom > 0) {
        zero(0);
        if (points.dataFrom > 1)
            zero(points.dataFrom - 1);
    }
    if (points.dataFrom < points.dataTo)
        data(points.dataFrom, points.dataTo);
    if (points.dataTo < points.count) {
        zero(points.dataTo);
        if (points.count - 1 > points.dataTo)
            zero(points.count - 1);
    }
}

// The trace from the pen's current position, drawn per column with the pixels of one
// segment per point (see TraceColumns and forEachTracePoint): yOf(value) gives the y of
// a value and must keep the order of numbers (rising or falling); zeroY is the y of
// the zero line. Of a column of more than three values only the first, the lowest and
// highest before the last, and the last are turned into rows; a column with a value
// that is not a number passes them all.
template <typename YOf>
void drawTracePoints(const SpectrumDocument& doc, Canvas& canvas, const VisibleRange& range,
                     int width, YOf yOf, int zeroY, int columnsPerUnit = 1)
{
    ColumnRuns runs(canvas);
    const TraceColumns at(doc, range, width, columnsPerUnit);
    auto value = [&](std::int64_t k) {
        return doc.data[static_cast<std::size_t>(range.firstIndex + 2 * k)];
    };
    auto span = [&](std::int64_t k, std::int64_t count) {
        return realPartSpan(&doc.data[static_cast<std::size_t>(range.firstIndex + 2 * k)],
                            count);
    };
    auto data = [&](std::int64_t from, std::int64_t to) {
        std::int64_t k = from;
        std::int64_t length = 1;
        while (k < to) {
            const int x = at.x(k), column = at.column(k);
            const std::int64_t next = at.columnEnd(k, to, length);
            length = next - k;
            const double first = value(k), last = value(next - 1);
            ValueSpan before = span(k, next - 1 - k);
            auto put = [&](int y) { runs.lineTo(x, column, y); };
            if (!before.numbers || std::isnan(last) || next - k <= 3) {
                for (; k < next; ++k)
                    put(yOf(value(k)));
                continue;
            }
            const int yLast = yOf(last);
            int yLo = yOf(before.lo), yHi = yOf(before.hi);
            if (yLo == yLast && yHi == yLast) {
                put(yLast);  // all on one row
                k = next;
                continue;
            }
            // ColumnRuns spans the values before the run on the last one's row that
            // ends the column. Only an extreme on that row can lie in the run alone;
            // then the extremes are taken again without the run.
            const std::int64_t onLastRow =
                yLo == yLast ? before.loAt : yHi == yLast ? before.hiAt : -1;
            if (onLastRow >= 0) {
                std::int64_t run = next - 1;
                while (yOf(value(run - 1)) == yLast)
                    --run;
                if (k + onLastRow >= run) {
                    before = span(k, run - k);
                    yLo = yOf(before.lo);
                    yHi = yOf(before.hi);
                }
            }
            // The extreme on the last value's row, if any, goes first: fed in this order
            // ColumnRuns draws what it would draw from every value.
            put(yOf(first));
            put(yHi == yLast ? yHi : yLo);
            put(yHi == yLast ? yLo : yHi);
            put(yLast);
            k = next;
        }
    };
    forEachTracePoint(
        doc, range, [&](std::int64_t k) { runs.lineTo(at.x(k), at.column(k), zeroY); }, data);
}

}  // namespace tesvar
