#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace tesvar {

struct SpectrumDocument;

// Element indices into data. They are held in 64 bits because a view window typed far
// outside the spectrum may reach indices no 32-bit number holds.
using ElementIndex = std::int64_t;

// Pixel coordinates are kept within this magnitude, so that a value far off the plot
// still converts to an integer and sums of coordinates cannot overflow.
inline constexpr int kPixelLimit = 1 << 22;

// Truncates toward zero into the drawable range; a value that is not a number gives
// `fallback`.
inline int toPixel(double value, int fallback = 0)
{
    if (std::isnan(value))
        return fallback;
    const double limit = kPixelLimit;
    return static_cast<int>(std::clamp(value, -limit, limit));  // the conversion truncates
}

// True for a number the plot may divide by: finite and not zero.
bool usableDivisor(double divisor);

// An index counts as odd when half of it has a fractional part; odd indices move one
// element to the left (-3 becomes -4), so that they address a real part.
ElementIndex evenIndex(ElementIndex index);

struct VisibleRange {
    ElementIndex firstIndex = 0;
    ElementIndex lastIndex = 0;
};

// The elements between viewLeft and viewRight, both ends even. lastIndex is one past
// the last element in the whole view. With no usable acquisition time the range is
// empty (0, 0).
VisibleRange visibleRange(const SpectrumDocument& doc);

// The real points a trace draws from firstIndex: count points (k = 0 .. count-1), of
// which those with k in [dataFrom, dataTo) fall on values in use. Points outside the
// values in use (a view window typed beyond the spectrum) lie on the zero line.
struct TracePoints {
    std::int64_t count = 0;
    std::int64_t dataFrom = 0;
    std::int64_t dataTo = 0;
};

// No trace when lastIndex - firstIndex is 2 or less; otherwise (last - first - 1) / 2
// points, so the last complex point before lastIndex is not drawn.
TracePoints tracePoints(const SpectrumDocument& doc, const VisibleRange& range);

// The value of element `index` when it is one of the values in use, else 0.
double valueInUse(const SpectrumDocument& doc, ElementIndex index);

// The one horizontal mapping of the plot: the x, on a surface `width` units wide that
// spans the view, of a fractional element index. The element under viewLeft
// (N / aq x viewLeft) lies at 0 and each element is (width / N) x zoomFactor wide, so
// the whole view has element i at i x that width. 0 where the view has no usable scale.
// Worked out once for a pass over many elements.
class ColumnMap {
public:
    ColumnMap(const SpectrumDocument& doc, int width);

    double x(double element) const { return scaled ? (element - leftEdge) * perElement : 0.0; }

    // True when x grows with the element.
    bool rising() const { return scaled && perElement > 0.0; }

    // The column of an element: x truncated. The trace, the axis ticks and the integral
    // brackets and curves all place their points by it, so that at any zoom the same
    // point lies in the same column, where the readout (xToTime) finds it again. A
    // column edge missed only by rounding error (an axis value summed step by step)
    // counts as reached.
    int column(double element) const
    {
        // Truncation toward zero after a push of 1e-7 away from zero takes a value that
        // lies within 1e-7 below an edge (or above one, on the negative side) to it.
        const double at = x(element);
        return toPixel(at + std::copysign(1e-7, at));
    }

private:
    bool scaled = false;
    double leftEdge = 0.0;
    double perElement = 0.0;
};

// ColumnMap(doc, width).x(element) and .column(element), for a single element.
double elementX(const SpectrumDocument& doc, double element, int width);
int traceX(const SpectrumDocument& doc, double element, int width);

// Client y of a data value: positive values go up, a value of |maxAbsValue| lies
// verticalScale pixels from the zero line. An all-zero spectrum (maxAbsValue 0) and
// values that are not numbers lie on the zero line. Worked out once for a pass over
// many values.
class RowMap {
public:
    // unitsPerPixel > 1 gives rows of a denser surface (device rows on a dense screen).
    explicit RowMap(const SpectrumDocument& doc, double unitsPerPixel = 1.0);

    int y(double value) const
    {
        return scaled ? toPixel(zeroY - value / magnitude * scale, zeroY) : zeroY;
    }

private:
    bool scaled = false;
    int zeroY = 0;
    double magnitude = 1.0;
    double scale = 0.0;
};

// RowMap(doc).y(value), for a single value.
int valueToY(const SpectrumDocument& doc, double value);

// Client x of a fractional complex-point number (element 2p), of a time coordinate
// (element t x N / aq), and back. Each gives 0 (xToTime: viewLeft) where the view has
// no usable scale.
double pointToX(const SpectrumDocument& doc, double point);
double timeToX(const SpectrumDocument& doc, double time);
double xToTime(const SpectrumDocument& doc, double x);

// The fractional complex-point number under a client x.
double pointPosition(const SpectrumDocument& doc, double x);

// The element (fractional) at which the ppm and Hertz axes read 0: referencePoint, the
// origin of the unreferenced scale, moved by the reference offset, so that the axis
// gives every element the Hz (hzOffset) and ppm (ppmOffset = hzOffset / sf) that the
// readout and the peak report give it.
double frequencyOrigin(const SpectrumDocument& doc);

// The value of an even element index in the current display units. Seconds and points
// grow to the right, ppm and Hertz to the left from referencePoint.
double axisValue(const SpectrumDocument& doc, ElementIndex index);

// The status-bar readout for a client x ("ppm 7.260     "). Empty while there is no
// acquisition time, and in ppm while there is no spectrometer frequency.
std::string readoutText(const SpectrumDocument& doc, double x);

}  // namespace tesvar
