#include "render/print_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "render/axis.h"
#include "render/integral_drawing.h"
#include "render/plot_style.h"
#include "render/trace_drawing.h"

namespace tesvar {

namespace {

constexpr int kLastRow = kPrintHeight - 1;  // the zero lines keep their relative height in 0..849
constexpr int kAxisBottom = 800;

// A window y scaled to the canvas rows; the middle when the window has no height.
int canvasRow(int clientY, int clientHeight)
{
    if (clientHeight <= 0)
        return kLastRow / 2;
    return static_cast<int>(std::int64_t{kLastRow} * clientY / clientHeight);
}

int lineHeight(Canvas& canvas)
{
    const TextMetrics m = canvas.textMetrics();
    return m.height + m.externalLeading;
}

}  // namespace

void buildPrintMetafile(SpectrumDocument& doc, Canvas& canvas)
{
    canvas.setPen(printPen);
    canvas.setFont(defaultTextFont);
    const int lh = lineHeight(canvas);
    const VisibleRange range = visibleRange(doc);

    drawPrintAxis(doc, canvas, range.firstIndex, range.lastIndex);

    canvas.moveTo(0, 0);
    const int yBase = canvasRow(doc.baselineY, doc.clientHeight);
    // The printed trace is the same way up as the screen's (it divides by the magnitude
    // of the maximum) and stays inside the border.
    const double m = std::fabs(doc.maxAbsValue);
    auto yOf = [&](double v) {
        const double y = usableDivisor(m) ? yBase - v / m * doc.verticalScale : yBase;
        return std::clamp(toPixel(y, yBase), 0, kLastRow);
    };
    drawTracePoints(doc, canvas, range, kPrintWidth, yOf, std::clamp(yBase, 0, kLastRow));

    if (doc.integralsShown == 1) {
        drawPrintIntegralLabels(doc, canvas);
        drawPrintIntegralCurves(doc, canvas);
    }

    canvas.moveTo(0, 0);
    canvas.lineTo(kPrintWidth, 0);
    canvas.lineTo(kPrintWidth, kPrintHeight);
    canvas.lineTo(0, kPrintHeight);
    canvas.lineTo(0, 0);

    // Header and caption are placed with the default font's line height, though drawn
    // in the print font.
    canvas.setFont(printTextFont);
    canvas.textOut(10, kPrintHeight - toPixel(1.5 * lh), printHeaderLine(doc));
    const std::string caption = unitCaption(doc);
    canvas.textOut(1500 - static_cast<int>(caption.size()) / 2, kPrintHeight - 3 * lh, caption);
    canvas.setFont(defaultTextFont);
}

void drawPrintAxis(const SpectrumDocument& doc, Canvas& canvas, ElementIndex a, ElementIndex b)
{
    canvas.setFont(printTextFont);
    const int lh = lineHeight(canvas);
    AxisFrame frame;
    frame.width = kPrintWidth;
    frame.axisY = toPixel(kAxisBottom - 2.5 * lh);
    frame.minorEnd = kAxisBottom - 2 * lh;
    frame.labelY = toPixel(kAxisBottom - 1.5 * lh);
    frame.skipOutside = true;
    drawAxisInFrame(doc, canvas, a, b, frame);
    canvas.setFont(defaultTextFont);
}

void drawPrintIntegralLabels(SpectrumDocument& doc, Canvas& canvas)
{
    canvas.setFont(printVerticalLabelFont);
    const int th = canvas.textMetrics().height;
    BracketFrame frame;
    frame.width = kPrintWidth;
    frame.top = toPixel((kAxisBottom - 2.5 * th) - 7.5 * th);
    frame.leftLegGap = 18;
    frame.rightLegGap = 21;
    drawIntegralBrackets(doc, canvas, frame);
    canvas.setFont(defaultTextFont);
}

void drawPrintIntegralCurves(const SpectrumDocument& doc, Canvas& canvas)
{
    drawIntegralCurvesOn(doc, canvas, kPrintWidth, canvasRow(doc.integralBaseY, doc.clientHeight));
}

std::string printHeaderLine(const SpectrumDocument& doc)
{
    const AcquisitionParameters& acq = doc.acq;
    // Without a frequency there is no ppm width to show.
    const std::string swPpm = usableDivisor(acq.sf) ? formatFixed(acq.sw / acq.sf, 3) : std::string();
    return "Spectrum Frecuency(MHz)= " + formatFixed(acq.sf, 3) + "   Sweep Width(Hz/ppm) " +
           formatFixed(acq.sw, 3) + "/" + swPpm + "   Acquisition Time(sec.)= " +
           formatFixed(acq.aq, 3) + "   Transform Domain(points)= " + std::to_string(acq.td);
}

std::string unitCaption(const SpectrumDocument& doc)
{
    switch (doc.displayUnits) {
    case DisplayUnits::Seconds:
        return "Seconds";
    case DisplayUnits::Ppm:
        return "ppm";
    case DisplayUnits::Hertz:
        return "Hertz";
    case DisplayUnits::Points:
        return "Points";
    }
    return {};
}

IntRect metafileFrame(const IntRect& logical, double screenDpiX, double screenDpiY)
{
    if (!(screenDpiX > 0.0) || !(screenDpiY > 0.0))
        return {};
    auto hundredths = [](int units, double dpi) {
        return toPixel(std::round(units * 2540.0 / dpi));
    };
    return {hundredths(logical.left, screenDpiX), hundredths(logical.top, screenDpiY),
            hundredths(logical.right, screenDpiX), hundredths(logical.bottom, screenDpiY)};
}

std::optional<IntRect> pageTarget(const IntRect& frame, int pageWidth, int pageHeight)
{
    if (pageWidth <= 0 || pageHeight <= 0)
        return std::nullopt;
    const std::int64_t frameWidth = std::int64_t{frame.right} - frame.left;
    const std::int64_t frameHeight = std::int64_t{frame.bottom} - frame.top;
    const int perPixel = 84550 / pageWidth;
    // A page wider than 84,550 pixels leaves no whole hundredths per pixel: scale by the
    // exact ratio there instead of dividing by zero.
    const std::int64_t w = perPixel > 0 ? frameWidth / perPixel : frameWidth * pageWidth / 84550;
    const std::int64_t h = frameHeight / 10;
    auto half = [](std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(
                                         v / 2, -kPixelLimit, kPixelLimit)); };
    return IntRect{half(pageWidth - w), half(pageHeight - h), half(pageWidth + w),
                   half(pageHeight + h)};
}

}  // namespace tesvar
