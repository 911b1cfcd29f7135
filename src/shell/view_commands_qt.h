#pragma once

namespace tesvar {

class MainWindow;

// Connects the commands of the View and Analyse dialogs (Set limits 20, Scale Units 23,
// Scale Factor 24, Parameters 30), Help (60), About (70) and the clipboard (11, 12, 13),
// and gives the window its icon.
void connectViewCommands(MainWindow& window);

}  // namespace tesvar
