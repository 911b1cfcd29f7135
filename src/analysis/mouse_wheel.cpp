#include "analysis/mouse_wheel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "analysis/analysis_host.h"
#include "analysis/mouse_tools.h"
#include "analysis/region_selection.h"
#include "document/spectrum_document.h"
#include "document/view_commands.h"
#include "platform/window_port.h"
#include "document/plot_geometry.h"

namespace tesvar {

namespace {

constexpr int kNotch = 120;
// The view's width after one notch towards the spectrum.
constexpr double kZoomPerNotch = 0.8;
// The share of the view's width one notch scrolls.
constexpr double kScrollPerNotch = 0.1;
// The narrowest view the wheel zooms to, in elements: a few points still draw a trace.
constexpr double kNarrowestElements = 8.0;

}  // namespace

MouseWheel::MouseWheel(SpectrumDocument& d, WindowPort& w, AnalysisHost& h, MouseTools& t)
    : doc(d), window(w), host(h), tools(t)
{
}

void MouseWheel::onWheel(const WheelTurn& turn)
{
    // Nothing to show yet, or a rubber band on the window that a repaint would spoil.
    if (doc.hasSpectrum != 1 || doc.valueCount <= 0 || !usableDivisor(doc.acq.aq) ||
        tools.dragging())
        return;
    // The larger component decides; Shift turns an ordinary wheel sideways.
    const int angle = std::abs(turn.angleX) > std::abs(turn.angleY) ? turn.angleX : turn.angleY;
    const int pixels = std::abs(turn.pixelX) > std::abs(turn.pixelY) ? turn.pixelX : turn.pixelY;
    const bool sideways = turn.shift || std::abs(turn.angleX) > std::abs(turn.angleY) ||
                          std::abs(turn.pixelX) > std::abs(turn.pixelY);
    if (turn.control)
        zoomAround(turn.x, static_cast<double>(angle) / kNotch);
    else if (!sideways)
        scaleTrace(turn.angleY);
    else if (pixels != 0)
        scrollSideways(-pixels);  // the picture follows the fingers
    else
        scrollSideways(-static_cast<double>(angle) / kNotch * kScrollPerNotch * doc.clientWidth);
}

void MouseWheel::scaleTrace(int angle)
{
    scaleAngle += angle;
    for (; scaleAngle >= kNotch; scaleAngle -= kNotch)
        increaseCommand(doc, window);
    for (; scaleAngle <= -kNotch; scaleAngle += kNotch)
        decreaseCommand(doc, window);
}

void MouseWheel::zoomAround(int x, double notches)
{
    const double aq = doc.acq.aq;
    const double width = doc.viewRight - doc.viewLeft;
    const double narrowest = kNarrowestElements * aq / doc.valueCount;
    const double wanted = std::clamp(width * std::pow(kZoomPerNotch, notches), narrowest, aq);
    if (notches == 0.0 || !std::isfinite(wanted))
        return;
    if (wanted >= aq) {
        doc.fullView = 1;
        zoomToTimes(doc, host, 0.0, aq);
    } else {
        // The time under the pointer keeps its share of the width to its left.
        const double share = doc.clientWidth > 0 ? static_cast<double>(x) / doc.clientWidth : 0.0;
        const double left = std::clamp(xToTime(doc, x) - share * wanted, 0.0, aq - wanted);
        doc.fullView = 0;
        zoomToTimes(doc, host, left, left + wanted);
    }
    window.invalidatePlot();
}

// pixels: how far the view moves, in client pixels, positive towards the end of the data.
void MouseWheel::scrollSideways(double pixels)
{
    const double perPixel = doc.valueCount / (doc.clientWidth * doc.zoomFactor);
    if (doc.fullView == 1 || !usableDivisor(perPixel))
        return;
    sidewaysPart += pixels * perPixel;
    const double whole = std::trunc(sidewaysPart);
    sidewaysPart -= whole;
    const double bound = doc.valueCount;
    const auto step = static_cast<std::int64_t>(std::clamp(whole, -bound, bound));
    if (step == 0)
        return;
    constexpr std::int64_t lo = std::numeric_limits<int>::min();
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    tools.onHorizontalScroll(ScrollCode::ThumbTrack,
                             static_cast<int>(std::clamp(doc.hScrollPos + step, lo, hi)));
}

}  // namespace tesvar
