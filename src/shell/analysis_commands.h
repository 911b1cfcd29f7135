#pragma once

#include "shell/dialogs/analysis_dialog_views.h"

namespace tesvar {

class MainWindow;

// Connects the analysis on the plot to the main window: the mouse tools on the client
// area (rubber band, tool cursors, the reference click, vertical shift, the integral
// clicks, both scroll bars and the status-bar readout), the tool commands Zoom
// (40007), Integrate (40008), Peak Picking (40009), Move Spectrum (40015), Reference
// (40022) and Measure J (40149), Edit peaks (40012), the integral commands 40160,
// 40165, 40166 and 40167, and Data points (31).
void connectAnalysisCommands(MainWindow& window);

// The printer the peak and J reports go to; a QtReportPrinter unless replaced (a test
// prints to a file this way).
void setReportPrinterFactory(MainWindow& window, ReportPrinterFactory factory);

}  // namespace tesvar
