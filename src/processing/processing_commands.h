#pragma once

namespace tesvar {

struct SpectrumDocument;
class WindowPort;

// The processing dialogs as the shell shows them: the Qt main window opens its dialog
// windows, the batch runner drives the same controllers with the values of a step.
class ProcessingDialogs {
public:
    virtual ~ProcessingDialogs() = default;
    virtual void runApodizationDialog() = 0;  // modal dialog 143
    virtual void runFourierDialog() = 0;      // modal "FourierDB"
    // The modeless dialog 122.
    virtual bool phaseDialogOpen() const = 0;
    virtual void openPhaseDialog() = 0;
    virtual void raisePhaseDialog() = 0;
};

// The commands of the Process menu with what the main window does around each.
void apodizeCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs);
void fourierCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs);
// Takes the undo snapshot and opens the phase dialog; while it is open, brings it
// forward instead, so that no preview of it becomes the starting point of another.
void phaseCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs);
// The automatic straight-line baseline correction; no undo snapshot.
void autoBaselineCommand(SpectrumDocument& doc, WindowPort& window);

}  // namespace tesvar
