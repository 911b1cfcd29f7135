#include "render/axis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "document/text_format.h"

namespace tesvar {

namespace {

struct TickRow {
    double limit;  // the row applies when the range is below this
    TickStep tick;
};

// Later rows override earlier ones, so the last row whose limit the range is under wins.
constexpr std::array<TickRow, 19> kTickRows{{
    {33000, {500, 0.0005, 0}},
    {10000, {200, 0.001, 0}},
    {6000, {100, 0.002, 0}},
    {3000, {50, 0.005, 0}},
    {2000, {40, 0.005, 0}},
    {1000, {20, 0.01, 0}},
    {500, {10, 0.02, 0}},
    {200, {5, 0.05, 0}},
    {100, {2, 0.1, 0}},
    {50, {1, 0.2, 0}},
    {20, {0.4, 2, 0}},
    {10, {0.2, 1, 0}},
    {5, {0.1, 2, 1}},
    {2, {0.04, 10, 2}},
    {1, {0.02, 20, 2}},
    {0.5, {0.01, 20, 2}},
    {0.2, {0.004, 100, 3}},
    {0.1, {0.002, 100, 3}},
    {0.05, {0.001, 400, 3}},
}};

// More ticks than this cannot be told apart on any surface; an axis that would need
// them (a nonsensical frequency, say) keeps its line and draws no ticks.
constexpr double kMaxTicks = 100000;

// The values of the axis at its two end elements, and its direction: ppm and Hertz
// grow to the left.
struct AxisEnds {
    double left = 0.0;
    double right = 0.0;
    int direction = 1;
};

bool axisEnds(const SpectrumDocument& doc, ElementIndex low, ElementIndex high, AxisEnds& ends)
{
    if (doc.valueCount <= 0)
        return false;
    const double n = doc.valueCount;
    const double p = frequencyOrigin(doc);
    switch (doc.displayUnits) {
    case DisplayUnits::Seconds:
        ends = {low * doc.acq.aq / n, high * doc.acq.aq / n, 1};
        break;
    case DisplayUnits::Ppm: {
        const double perPpm = doc.acq.sw / doc.acq.sf;
        ends = {(p - low) * perPpm / n, (p - high) * perPpm / n, -1};
        break;
    }
    case DisplayUnits::Hertz:
        ends = {(p - low) * doc.acq.sw / n, (p - high) * doc.acq.sw / n, -1};
        break;
    case DisplayUnits::Points:
        ends = {static_cast<double>(low / 2), static_cast<double>(high / 2), 1};
        break;
    }
    return std::isfinite(ends.left) && std::isfinite(ends.right);
}

// Whole up to the rounding of the read-back value: 7.265 x 400 comes out a hair off
// 2906. Ticks that are not whole multiples lie at least a fifth of a unit away.
bool isWhole(double v) { return std::fabs(v - std::round(v)) < 1e-6; }

}  // namespace

TickStep tickStepFor(double range)
{
    TickStep chosen{500, 0, 0};
    for (const auto& row : kTickRows)
        if (range < row.limit)
            chosen = row.tick;
    return chosen;
}

void drawAxis(const SpectrumDocument& doc, Canvas& canvas, ElementIndex a, ElementIndex b)
{
    const TextMetrics metrics = canvas.textMetrics();
    const int lh = metrics.height + metrics.externalLeading;
    const int h = doc.clientHeight;
    AxisFrame frame;
    frame.width = doc.clientWidth;
    frame.axisY = toPixel(h - 3.5 * lh);
    frame.minorEnd = h - 3 * lh;
    frame.labelY = toPixel(h - 2.5 * lh);
    drawAxisInFrame(doc, canvas, a, b, frame);
}

void drawAxisInFrame(const SpectrumDocument& doc, Canvas& canvas, ElementIndex a, ElementIndex b,
                     const AxisFrame& frame)
{
    const int avgW = canvas.textMetrics().averageCharWidth;
    const ElementIndex low = std::min(a, b);
    const ElementIndex high = std::max(a, b);
    AxisEnds ends;
    const bool scaled = axisEnds(doc, low, high, ends);

    canvas.moveTo(0, frame.axisY);
    canvas.lineTo(frame.width, frame.axisY);
    if (!scaled)
        return;

    const double range = std::fabs(ends.left - ends.right);
    const TickStep tick = tickStepFor(range);
    const double s = tick.step;

    const double first = (std::trunc(ends.left / s) + 1.0) * s;
    const double kr = std::trunc(ends.right / s);
    const double last = readLeadingNumber(formatFixed(ends.right, 5)) == kr ? ends.right - s : s * kr;

    const double quotient = std::fabs(last - first) / s;
    if (!std::isfinite(quotient) || quotient > std::numeric_limits<std::int32_t>::max() ||
        quotient + 2 > kMaxTicks)
        return;
    const int count = static_cast<int>(quotient) + 2;

    // A zero-width view has no scale to place ticks on.
    if (!(range > 0.0) || !std::isfinite(range))
        return;
    // A tick lies at the column of the element its value belongs to, as the trace's
    // points do: the values are linear in the element between the two ends.
    const double elementsPerUnit = static_cast<double>(high - low) / (ends.right - ends.left);
    const ColumnMap map(doc, frame.width);

    const bool growsRight = ends.direction > 0;
    double v = growsRight ? first : last;
    for (int t = 0; t < count; ++t, v += s) {
        if (v > -0.0005 && v < 0.0005)
            v = 0.0;  // no "-0" labels, and the steps restart from an exact zero
        const double readBack = readLeadingNumber(formatFixed(v, 8));
        const bool labelled = isWhole(readBack * tick.labelFactor);
        const int x = map.column(low + (v - ends.left) * elementsPerUnit);
        if (frame.skipOutside && !(x > 0 && x < frame.width))
            continue;
        if (labelled) {
            const std::string label = formatFixed(v, tick.decimals);
            canvas.textOut(x - static_cast<int>(label.size()) * avgW / 2, frame.labelY, label);
            canvas.moveTo(x, frame.axisY);
            canvas.lineTo(x, frame.labelY);
        } else {
            canvas.moveTo(x, frame.axisY);
            canvas.lineTo(x, frame.minorEnd);
        }
    }
}

}  // namespace tesvar
