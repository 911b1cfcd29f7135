#pragma once

#include <functional>

namespace tesvar {

class Canvas;
class MainWindow;

// Connects what the window shows and sends out: the plot redrawn into the back buffer
// at every repaint, Print (40014), Export... and Manual Baseline correction (43).
void connectPlotOutput(MainWindow& window);

// Draws straight onto the window's picture, over the plot: shown at once, and gone at
// the next repaint, which redraws the whole picture. Transient feedback (the baseline
// preview, drawn in inverting mode) goes this way.
void drawOnWindow(MainWindow& window, const std::function<void(Canvas&)>& draw);

}  // namespace tesvar
