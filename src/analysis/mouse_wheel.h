#pragma once

namespace tesvar {

class AnalysisHost;
class MouseTools;
class WindowPort;
struct SpectrumDocument;

// One movement of the wheel, or of two fingers on a touchpad, over the plot. Angles
// are in eighths of a degree (120 is one notch of a common wheel), positive for a wheel
// turned away from the user or to the left; a touchpad also reports how far the content
// should follow the fingers, in pixels, with the same signs.
struct WheelTurn {
    int x = 0;  // the pointer's client x
    int angleX = 0, angleY = 0;
    int pixelX = 0, pixelY = 0;
    bool control = false;
    bool shift = false;
};

// The wheel over the plot:
// - the plain wheel changes the height of the trace as Increase (turned away) and
//   Decrease (turned towards the user) do, one step per notch;
// - Ctrl+wheel zooms in (away) and out around the pointer: the position under the
//   pointer stays under it, and the view stays within the spectrum;
// - Shift+wheel, a horizontal wheel and a sideways swipe scroll the view as the
//   horizontal scroll bar does (nothing while the whole spectrum is shown), a notch
//   moving it by a tenth of its width and a swipe by the pixels the fingers moved.
// Turns finer than a notch add up until they make one.
class MouseWheel {
public:
    MouseWheel(SpectrumDocument& doc, WindowPort& window, AnalysisHost& host,
               MouseTools& tools);

    void onWheel(const WheelTurn& turn);

private:
    void scaleTrace(int angle);
    void zoomAround(int x, double notches);
    void scrollSideways(double pixels);

    SpectrumDocument& doc;
    WindowPort& window;
    AnalysisHost& host;
    MouseTools& tools;
    int scaleAngle = 0;         // eighths of a degree not yet used for a scale step
    double sidewaysPart = 0.0;  // a fraction of an element not yet scrolled
};

}  // namespace tesvar
