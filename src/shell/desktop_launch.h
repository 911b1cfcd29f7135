#pragma once

#include <QStringList>

namespace tesvar {

class MainWindow;

// A file manager starts Tesvar with the spectrum to open ("tesvar %f" in the desktop
// entry). The first argument that names a file opens as a file dropped on the window
// does, once the window is up; other arguments are ignored. Returns whether a file
// was handed over.
bool openLaunchFile(MainWindow& window, const QStringList& arguments);

}  // namespace tesvar
