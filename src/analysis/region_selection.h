#pragma once

#include <cstdint>

namespace tesvar {

class AnalysisHost;
class Ui;
class WindowPort;
struct SpectrumDocument;

// Conversions of a time coordinate (the view's horizontal coordinate, 0..acq.aq) into
// data positions, as every tool makes them: the fractional complex-point number and the
// element index (truncated toward zero, 0 while the acquisition time is unusable).
double pointAtTime(const SpectrumDocument& doc, double time);
std::int64_t elementAtTime(const SpectrumDocument& doc, double time);

// The tools on data positions, shared by the mouse and tesvar-batch.
// Zoom to the window between two time coordinates, with the horizontal scroll bar's
// range and position for it. A window without width is refused (returns false).
bool zoomToTimes(SpectrumDocument& doc, AnalysisHost& host, double from, double to);
// Integration between two time coordinates; startNew is cleared once an integral is
// added (a refused region leaves it).
bool integrateTimes(SpectrumDocument& doc, Ui& ui, double from, double to);
// Peak picking between two time coordinates, then the report (command 40012). A
// threshold that is not a finite number of at least 0, or a region wholly off the data,
// is refused with a message.
bool pickPeaksBetweenTimes(SpectrumDocument& doc, Ui& ui, WindowPort& window, double from,
                           double to, double threshold);
// A coupling marker at a time coordinate; its line goes to the open Measure J dialog.
bool placeMarker(SpectrumDocument& doc, Ui& ui, AnalysisHost& host, double time);

// The end of a drag with the current tool (`mode`): the client positions where the
// button went down (anchor) and where the pointer was last seen (current, already
// clamped to the client area). Zoom, Integrate, Peak Picking and Copy are handed the
// rectangle, Measure J the current x. Every tool but Integrate leaves the full view;
// the plot is repainted after all but Copy.
struct DragPoints {
    int anchorX = 0, anchorY = 0;
    int currentX = 0, currentY = 0;
};
void completeRegion(SpectrumDocument& doc, Ui& ui, WindowPort& window, AnalysisHost& host,
                    int mode, const DragPoints& drag);

}  // namespace tesvar
