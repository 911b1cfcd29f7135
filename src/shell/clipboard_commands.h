#pragma once

#include "render/clipboard_images.h"

namespace tesvar {

class MainWindow;

// The clipboard exchange in the main window. The copy tool's release (region
// completion in Copy mode) calls copyRegionToClipboard with the corners of the drag,
// after the rubber band has been erased; Paste (13) calls pasteClipboardImage.
void copyRegionToClipboard(MainWindow& window, const DragCorners& drag);
void pasteClipboardImage(MainWindow& window);

// Connects Copy (11 and 12) and Paste (13).
void connectClipboardCommands(MainWindow& window);

}  // namespace tesvar
