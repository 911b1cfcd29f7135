#pragma once

#include <string>

namespace tesvar {

// What the platform-free code needs of the main window: its title, its menu, the
// status-bar prompt, the repaint request and the synchronous command message. The Qt
// main window implements it; tests use FakeWindow and tesvar-batch a quiet stand-in.
class WindowPort {
public:
    virtual ~WindowPort() = default;

    // Enables every menu command that needs a spectrum (they start greyed).
    virtual void enableSpectrumCommands() = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Invalidates the plot rectangle without erasing; the next paint redraws it.
    virtual void invalidatePlot() = 0;
    // Status-bar part 0.
    virtual void setPrompt(const std::string& text) = 0;
    // One line for the user about a load that succeeded with a reservation (a file
    // holding fewer values than its count): the status bar in the window, standard
    // error in the batch runner. It outlives the prompt cleared at the end of the command.
    virtual void showNote(const std::string& text) = 0;
    // Runs a command of the command table at once, as a synchronous window message
    // would. Returns true when the command did its work (an import that read a file).
    virtual bool sendCommand(int commandId) = 0;
};

}  // namespace tesvar
