#pragma once

#include "analysis/region_selection.h"

namespace tesvar {

class AnalysisHost;
class Canvas;
class Ui;
class WindowPort;
struct SpectrumDocument;

// The scroll bar requests, as the bars report them.
enum class ScrollCode { LineBack, LineForward, PageBack, PageForward, ThumbPosition, ThumbTrack, Other };

// The mouse on the plot: the rubber band that follows a drag (drawn in inverting mode
// and erased by drawing it again), the hand-over of the dragged region to the current
// tool on release, the reference click, the vertical shift of the zero line, the
// integral clicks, the scroll bars and the readout of the position under the pointer.
// Positions are client pixels. The window forwards its events; everything it shows
// goes through AnalysisHost.
class MouseTools {
public:
    MouseTools(SpectrumDocument& doc, Ui& ui, WindowPort& window, AnalysisHost& host);

    void onMouseMove(int x, int y);
    // shiftOnly: the left button and Shift, and no other button or key.
    void onLeftDown(int x, int y, bool shiftOnly);
    void onLeftUp();
    void onRightDown(int x, int y);
    void onHorizontalScroll(ScrollCode code, int thumb);
    void onVerticalScroll(ScrollCode code, int thumb);

    bool dragging() const { return held; }

private:
    void drawBand(Canvas& canvas, int x, int y) const;
    void showReadout(int x);
    void showCursor();

    SpectrumDocument& doc;
    Ui& ui;
    WindowPort& window;
    AnalysisHost& host;

    bool held = false;          // button down after a press that started a drag
    bool lineShown = false;     // a horizontal or vertical line is on screen
    bool rectangleShown = false;
    DragPoints drag;            // anchor and the clamped current point
    int lastX = 0, lastY = 0;   // where the feedback on screen was drawn
};

}  // namespace tesvar
