#pragma once

#include <QCursor>

#include "analysis/analysis_host.h"

namespace tesvar {

// The cursors of the mouse tools, drawn here: a magnifier for Zoom, a cross with an R
// for Reference, a double arrow for Move Spectrum, an integral sign for Integrate and a
// peak for Peak Picking.
QCursor toolCursor(ToolCursor cursor);

}  // namespace tesvar
