#pragma once

#include <functional>
#include <string>

namespace tesvar {

class Canvas;

// The tool cursors of the plot.
enum class ToolCursor { Zoom, Reference, MoveSpectrum, Integrate, PeakPicking };

// What the analysis commands and the mouse tools need of the main window besides the
// WindowPort: their dialogs, the scroll bars, the status-bar readout, the cursor and
// drawing straight onto the window. The Qt main window implements it; tests record.
class AnalysisHost {
public:
    virtual ~AnalysisHost() = default;

    // Modal dialogs: 107 "Number of Hydrogens", 223 "Integral Factor Scale" (once),
    // 109 "PEAK PICKING", 142 "Reference" and "DisplayDataPointsDB".
    virtual void runHydrogensDialog() = 0;
    virtual void runIntegralFactorDialog() = 0;
    virtual void runPeakDialog() = 0;
    virtual void runReferenceDialog() = 0;
    virtual void runDataPointsDialog() = 0;
    // The modeless dialog 203 "Meassure J": a further one when one is open; the newest
    // receives the lines of later markers.
    virtual void openMeasureJDialog() = 0;
    virtual void addMeasureJLine(const std::string& line) = 0;

    // The horizontal bar's range 0..maximum (set without redrawing) and its position.
    virtual void setHorizontalScrollRange(int maximum) = 0;
    virtual void setHorizontalScrollPosition(int position) = 0;
    // The vertical bar, 0..maximum.
    virtual void setVerticalScroll(int maximum, int position) = 0;

    // Transient drawing on the window's picture (the rubber band, in inverting mode);
    // gone at the next repaint.
    virtual void drawFeedback(const std::function<void(Canvas&)>& draw) = 0;
    virtual void setToolCursor(ToolCursor cursor) = 0;
    // Status-bar part 1.
    virtual void showReadout(const std::string& text) = 0;

    // The Copy tool's rectangle, handed to the clipboard copy.
    virtual void copyRegion(int x0, int y0, int x1, int y1) = 0;
};

}  // namespace tesvar
