#include "render/screen_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "render/axis.h"
#include "render/integral_drawing.h"
#include "document/plot_geometry.h"
#include "render/plot_style.h"
#include "render/trace_drawing.h"

namespace tesvar {

namespace {

// Marker lines run between the tool bar and the status bar.
constexpr int kMarkerTop = 29;
constexpr int kStatusBarHeight = 23;

// A half rounds down; larger fractions round up.
int markerX(double xd)
{
    const int x = toPixel(xd);
    const double fraction = xd - std::trunc(xd);
    return std::fabs(fraction) > 0.5 ? x + 1 : x;
}

}  // namespace

void renderPlot(SpectrumDocument& doc, Canvas& backBuffer)
{
    backBuffer.fillRect({0, 0, doc.clientWidth, doc.clientHeight}, kWhite);
    backBuffer.setFont(defaultTextFont);
    backBuffer.setPen(tracePen);

    const VisibleRange range = visibleRange(doc);
    // On a dense screen the trace uses every device column and row: the same curve as at
    // one device pixel to the unit, drawn finer.
    const double ratio = backBuffer.devicePixelRatio();
    const bool dense = ratio > 1.0 && std::isfinite(ratio);
    const double unitsPerPixel = dense ? ratio : 1.0;
    const RowMap rows(doc, unitsPerPixel);
    const int width = dense ? toPixel(std::lround(doc.clientWidth * ratio)) : doc.clientWidth;
    const int zeroY = rows.y(0.0);
    backBuffer.setDevicePixels(dense);
    backBuffer.moveTo(0, zeroY);
    drawTracePoints(
        doc, backBuffer, range, width, [&rows](double v) { return rows.y(v); }, zeroY);
    backBuffer.setDevicePixels(false);

    backBuffer.setPen(overlayPen);
    drawAxis(doc, backBuffer, range.firstIndex, range.lastIndex);
    if (doc.integralsShown == 1)
        drawIntegralLabels(doc, backBuffer);
    if (doc.measureJActive == 1)
        drawCouplingMarkers(doc, backBuffer);
}

void drawIntegralLabels(SpectrumDocument& doc, Canvas& canvas)
{
    canvas.setFont(verticalLabelFont);
    BracketFrame frame;
    frame.width = doc.clientWidth;
    frame.top = doc.clientHeight - 140;
    frame.leftLegGap = 5;
    frame.rightLegGap = 5;
    frame.storeHitBoxes = true;
    drawIntegralBrackets(doc, canvas, frame);
    canvas.setFont(defaultTextFont);
    drawIntegralCurves(doc, canvas);
}

void drawIntegralCurves(const SpectrumDocument& doc, Canvas& canvas)
{
    drawIntegralCurvesOn(doc, canvas, doc.clientWidth, doc.integralBaseY);
}

void drawCouplingMarkers(const SpectrumDocument& doc, Canvas& canvas)
{
    const int half = canvas.textMetrics().averageCharWidth / 2;
    const int count = std::clamp(doc.jMarkerCount, 0, kMaxJMarkers);
    for (int i = 0; i < count; ++i) {
        const int x = markerX(timeToX(doc, doc.jMarkers[i]));
        const int labelY = i % 2 == 0 ? 50 : 90;
        canvas.moveTo(x, kMarkerTop);
        canvas.lineTo(x, doc.clientHeight - kStatusBarHeight);
        canvas.textOut(x - half, labelY, std::to_string(i));
    }
}

}  // namespace tesvar
