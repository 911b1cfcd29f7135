#include "document/plot_geometry.h"

#include <algorithm>
#include <cmath>

#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "document/truncation.h"

namespace tesvar {

namespace {

// The acquisition time and the number of values scale every horizontal conversion.
bool horizontalScale(const SpectrumDocument& doc)
{
    return doc.valueCount > 0 && usableDivisor(doc.acq.aq);
}

}  // namespace

bool usableDivisor(double divisor) { return divisor != 0.0 && std::isfinite(divisor); }

ElementIndex evenIndex(ElementIndex index) { return index % 2 != 0 ? index - 1 : index; }

VisibleRange visibleRange(const SpectrumDocument& doc)
{
    if (!horizontalScale(doc))
        return {};
    const double perSecond = doc.valueCount / doc.acq.aq;
    return {evenIndex(truncatedPosition(perSecond * doc.viewLeft)),
            evenIndex(truncatedPosition(perSecond * doc.viewRight))};
}

TracePoints tracePoints(const SpectrumDocument& doc, const VisibleRange& range)
{
    const ElementIndex f = range.firstIndex;
    const ElementIndex l = range.lastIndex;
    if (!(f < l - 2))
        return {};
    TracePoints points;
    points.count = (l - f - 1) / 2;
    const ElementIndex inUse = std::clamp<ElementIndex>(doc.valueCount, 0, kDataCapacity);
    // f is even, so point k reads element f + 2k: in use for -f/2 <= k < (inUse - f + 1)/2.
    points.dataFrom = std::clamp<ElementIndex>(f < 0 ? -f / 2 : 0, 0, points.count);
    points.dataTo = std::clamp<ElementIndex>(inUse > f ? (inUse - f + 1) / 2 : 0, points.dataFrom,
                                             points.count);
    return points;
}

double valueInUse(const SpectrumDocument& doc, ElementIndex index)
{
    const ElementIndex inUse = std::clamp<ElementIndex>(doc.valueCount, 0, kDataCapacity);
    return index >= 0 && index < inUse ? doc.data[static_cast<std::size_t>(index)] : 0.0;
}

ColumnMap::ColumnMap(const SpectrumDocument& doc, int width)
    : scaled(horizontalScale(doc) && std::isfinite(doc.zoomFactor))
{
    if (!scaled)
        return;
    const double n = doc.valueCount;
    leftEdge = n / doc.acq.aq * doc.viewLeft;
    perElement = width / n * doc.zoomFactor;
}

double elementX(const SpectrumDocument& doc, double element, int width)
{
    return ColumnMap(doc, width).x(element);
}

int traceX(const SpectrumDocument& doc, double element, int width)
{
    return ColumnMap(doc, width).column(element);
}

RowMap::RowMap(const SpectrumDocument& doc, double unitsPerPixel)
    : scaled(usableDivisor(std::fabs(doc.maxAbsValue))),
      zeroY(unitsPerPixel == 1.0 ? doc.baselineY
                                 : toPixel(std::lround(doc.baselineY * unitsPerPixel)))
{
    if (!scaled)
        return;
    magnitude = std::fabs(doc.maxAbsValue);
    scale = doc.verticalScale * unitsPerPixel;
}

int valueToY(const SpectrumDocument& doc, double value) { return RowMap(doc).y(value); }

double pointToX(const SpectrumDocument& doc, double point)
{
    return elementX(doc, 2.0 * point, doc.clientWidth);
}

double timeToX(const SpectrumDocument& doc, double time)
{
    // Without a usable acquisition time elementX gives 0 whatever the element.
    return elementX(doc, time / doc.acq.aq * doc.valueCount, doc.clientWidth);
}

double xToTime(const SpectrumDocument& doc, double x)
{
    const double pixels = doc.clientWidth * doc.zoomFactor;
    if (!usableDivisor(pixels))
        return doc.viewLeft;
    return x / pixels * doc.acq.aq + doc.viewLeft;
}

double pointPosition(const SpectrumDocument& doc, double x)
{
    if (!usableDivisor(doc.acq.aq))
        return 0.0;
    return (doc.valueCount / 2) * xToTime(doc, x) / doc.acq.aq;
}

double frequencyOrigin(const SpectrumDocument& doc)
{
    const double shift = doc.hzOffset * doc.valueCount / doc.acq.sw;
    return doc.referencePoint + (std::isfinite(shift) ? shift : 0.0);
}

double axisValue(const SpectrumDocument& doc, ElementIndex index)
{
    const double n = doc.valueCount;
    if (doc.valueCount <= 0)
        return 0.0;
    const double fromReference = frequencyOrigin(doc) - static_cast<double>(index);
    switch (doc.displayUnits) {
    case DisplayUnits::Seconds:
        return static_cast<double>(index) * doc.acq.aq / n;
    case DisplayUnits::Ppm:
        return usableDivisor(doc.acq.sf) ? fromReference * (doc.acq.sw / doc.acq.sf) / n : 0.0;
    case DisplayUnits::Hertz:
        return fromReference * doc.acq.sw / n;
    case DisplayUnits::Points:
        return static_cast<double>(index / 2);
    }
    return 0.0;
}

std::string readoutText(const SpectrumDocument& doc, double x)
{
    if (!usableDivisor(doc.acq.aq))
        return {};
    const double t = xToTime(doc, x);
    const double f = t / doc.acq.aq;
    const char* const gap = "     ";
    switch (doc.displayUnits) {
    case DisplayUnits::Seconds:
        return "Second " + formatFixed(t, 3) + gap;
    case DisplayUnits::Ppm:
        if (!usableDivisor(doc.acq.sf))
            return {};
        return "ppm " + formatFixed(doc.ppmOffset + (1.0 - f) * doc.acq.sw / doc.acq.sf, 3) + gap;
    case DisplayUnits::Hertz:
        return "Hertz " + formatFixed(doc.hzOffset + (1.0 - f) * doc.acq.sw, 3) + gap;
    case DisplayUnits::Points:
        return "Point " + formatFixed(doc.valueCount / doc.acq.aq * t * 0.5, 0) + gap;
    }
    return {};
}

}  // namespace tesvar
