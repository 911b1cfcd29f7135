#pragma once

namespace tesvar {

class MainWindow;

// Connects the Import command (40019, Ctrl+I): the save question, dialog 130 over the
// window, the import, then the keyboard focus back to the window. The Open command's
// hand-over of a file that is not native arrives here too. The file-type choice is
// remembered as long as the window lives.
void connectImportCommand(MainWindow& window);

}  // namespace tesvar
