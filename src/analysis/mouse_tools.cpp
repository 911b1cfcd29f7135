#include "analysis/mouse_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "analysis/analysis_host.h"
#include "analysis/integration.h"
#include "analysis/referencing.h"
#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "platform/command_ids.h"
#include "platform/window_port.h"
#include "document/plot_geometry.h"

namespace tesvar {

namespace {

// Vertical lines run between the toolbar and the status bar.
constexpr int kLineTop = 29;
constexpr int kLineBottomGap = 23;

// In 64 bits: a view scrolled or typed far beyond the spectrum leaves positions near
// the ends of the 32-bit range, whose differences a 32-bit step cannot hold.
std::int64_t scrollStep(ScrollCode code, int thumb, std::int64_t position, int line, int page)
{
    switch (code) {
    case ScrollCode::LineBack: return -line;
    case ScrollCode::LineForward: return line;
    case ScrollCode::PageBack: return -page;
    case ScrollCode::PageForward: return page;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: return thumb - position;
    case ScrollCode::Other: break;
    }
    return 0;
}

}  // namespace

MouseTools::MouseTools(SpectrumDocument& doc, Ui& ui, WindowPort& window, AnalysisHost& host)
    : doc(doc), ui(ui), window(window), host(host)
{
}

void MouseTools::showReadout(int x)
{
    if (doc.acq.aq != 0.0)
        host.showReadout(readoutText(doc, x));
}

void MouseTools::showCursor()
{
    switch (doc.interactionMode) {
    case cmd::Zoom: host.setToolCursor(ToolCursor::Zoom); break;
    case cmd::Integrate: host.setToolCursor(ToolCursor::Integrate); break;
    case cmd::PeakPicking: host.setToolCursor(ToolCursor::PeakPicking); break;
    case cmd::MoveSpectrum: host.setToolCursor(ToolCursor::MoveSpectrum); break;
    default: break;
    }
    if (doc.referenceArmed)
        host.setToolCursor(ToolCursor::Reference);
}

// The feedback figure of the current drag style with the pointer at (x, y).
void MouseTools::drawBand(Canvas& canvas, int x, int y) const
{
    switch (doc.dragStyle) {
    case DragStyle::HorizontalLine:
        canvas.moveTo(0, y);
        canvas.lineTo(doc.clientWidth, y);
        break;
    case DragStyle::Rectangle:
        canvas.moveTo(drag.anchorX, drag.anchorY);
        canvas.lineTo(drag.anchorX, y);
        canvas.lineTo(x, y);
        canvas.lineTo(x, drag.anchorY);
        canvas.lineTo(drag.anchorX, drag.anchorY);
        break;
    case DragStyle::VerticalLine:
        canvas.moveTo(x, kLineTop);
        canvas.lineTo(x, doc.clientHeight - kLineBottomGap);
        break;
    }
}

void MouseTools::onMouseMove(int x, int y)
{
    showReadout(x);
    showCursor();
    if (!held)
        return;
    drag.currentX = std::clamp(x, 0, std::max(doc.clientWidth - 1, 0));
    drag.currentY = std::clamp(y, 0, std::max(doc.clientHeight - 1, 0));
    const bool rectangle = doc.dragStyle == DragStyle::Rectangle;
    bool& shown = rectangle ? rectangleShown : lineShown;
    const bool erase = shown;
    const int oldX = lastX, oldY = lastY;
    shown = true;
    lastX = drag.currentX;
    lastY = drag.currentY;
    host.drawFeedback([&](Canvas& canvas) {
        canvas.setInvert(true);
        if (erase)
            drawBand(canvas, oldX, oldY);
        drawBand(canvas, lastX, lastY);
        canvas.setInvert(false);
    });
}

void MouseTools::onLeftDown(int x, int y, bool shiftOnly)
{
    if (doc.referenceArmed) {
        if (!referenceUnitsUsable(doc, ui) || !referenceClickUsable(doc, ui, xToTime(doc, x)))
            return;
        doc.clickX = x;
        doc.clickY = y;
        setReferenceClick(doc, xToTime(doc, x));
        host.runReferenceDialog();
        return;
    }
    if (doc.moveArmed) {
        doc.dragStyle = DragStyle::HorizontalLine;
        doc.moveArmed = 0;
        doc.dragToolArmed = 1;
        doc.interactionMode = cmd::ModeVerticalShift;
    }
    if (shiftOnly) {
        doc.clickX = x;
        doc.clickY = y;
        if (hitTestIntegral(doc.integrals, x)) {
            deleteReferenceIntegral(doc);
            window.invalidatePlot();
        }
        return;
    }
    if (doc.dragToolArmed) {
        lineShown = false;
        rectangleShown = false;
        drag = {x, y, x, y};
        lastX = x;
        lastY = y;
        held = true;
    }
}

void MouseTools::onLeftUp()
{
    // Only a press that started a drag hands anything over.
    if (!doc.dragToolArmed || !held)
        return;
    held = false;
    switch (doc.dragStyle) {
    case DragStyle::HorizontalLine:
        doc.baselineY = lastY;
        lineShown = false;
        window.invalidatePlot();
        break;
    case DragStyle::Rectangle:
        if (rectangleShown) {
            const int oldX = lastX, oldY = lastY;
            host.drawFeedback([&](Canvas& canvas) {
                canvas.setInvert(true);
                drawBand(canvas, oldX, oldY);
                canvas.setInvert(false);
            });
            completeRegion(doc, ui, window, host, doc.interactionMode, drag);
        }
        rectangleShown = false;
        break;
    case DragStyle::VerticalLine:
        completeRegion(doc, ui, window, host, doc.interactionMode, drag);
        break;
    }
}

void MouseTools::onRightDown(int x, int y)
{
    doc.clickX = x;
    doc.clickY = y;
    if (hitTestIntegral(doc.integrals, x))
        host.runHydrogensDialog();
}

void MouseTools::onHorizontalScroll(ScrollCode code, int thumb)
{
    const std::int64_t position = doc.hScrollPos;
    std::int64_t step = scrollStep(code, thumb, position, 10, 50);
    if (doc.fullView == 1 || doc.valueCount <= 0)
        return;
    step = std::clamp<std::int64_t>(step, std::min<std::int64_t>(-position, 0),
                                    std::max<std::int64_t>(doc.hScrollMax - position, 0));
    if (step == 0)
        return;
    // The new position lies within 0..hScrollMax or between it and the old one.
    doc.hScrollPos = static_cast<std::int32_t>(position + step);
    host.setHorizontalScrollPosition(doc.hScrollPos);
    const double shift = static_cast<double>(step) / doc.valueCount * doc.acq.aq;
    doc.viewLeft += shift;
    doc.viewRight += shift;
    updateZoomFactor(doc);
    window.invalidatePlot();
}

void MouseTools::onVerticalScroll(ScrollCode code, int thumb)
{
    if (doc.integralsShown != 1)
        return;
    const int height = doc.clientHeight;
    int& base = doc.integralBaseY;
    switch (code) {
    case ScrollCode::LineBack: base = std::max(base - 2, 0); break;
    case ScrollCode::LineForward: base = std::min(base + 2, height); break;
    case ScrollCode::PageBack: base = std::max(base - 12, 0); break;
    case ScrollCode::PageForward: base = std::min(base + 12, height); break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack: base = thumb; break;
    case ScrollCode::Other: return;
    }
    host.setVerticalScroll(height, base);
    window.invalidatePlot();
}

}  // namespace tesvar
