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
// The picture never takes more of the page's width or height than this.
constexpr double kLargestPagePart = 0.96;

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
    const double frameWidth = static_cast<double>(std::int64_t{frame.right} - frame.left);
    const double frameHeight = static_cast<double>(std::int64_t{frame.bottom} - frame.top);
    if (pageWidth <= 0 || pageHeight <= 0 || !(frameWidth > 0.0) || !(frameHeight > 0.0))
        return std::nullopt;
    // The picture takes frameWidth / 84550 of the page width, worked out exactly (a
    // whole number of hundredths per printer pixel grows wrong on fine printers), and
    // keeps its proportions. A picture too large for the page is made smaller, so that
    // a margin stays on every side.
    double w = frameWidth * pageWidth / 84550.0;
    double h = w * frameHeight / frameWidth;
    const double fit = std::min({1.0, kLargestPagePart * pageWidth / w,
                                 kLargestPagePart * pageHeight / h});
    w *= fit;
    h *= fit;
    auto half = [](double v) { return toPixel(v / 2); };
    return IntRect{half(pageWidth - w), half(pageHeight - h), half(pageWidth + w),
                   half(pageHeight + h)};
}

}  // namespace tesvar
