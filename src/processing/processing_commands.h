#pragma once

#include <optional>
#include <span>

#include "processing/auto_phase.h"

namespace tesvar {

struct SpectrumDocument;
class Ui;
class WindowPort;

namespace text {
inline constexpr const char* kAutoPhaseCaption = "Automatic Phase";
inline constexpr const char* kSmoothBaselineCaption = "Smooth Baseline";
inline constexpr const char* kNotTransformed =
    "These data are a FID: run the Fourier transform first.";
inline constexpr const char* kTooFewPoints = "The spectrum has too few points.";
inline constexpr const char* kNoLines = "The spectrum has no lines.";
}  // namespace text

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
    // Presses the open phase dialog's Auto button.
    virtual void autoPhaseInDialog() = 0;
};

// The commands of the Process menu with what the main window does around each.
void apodizeCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs);
void fourierCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs);
// Takes the undo snapshot and opens the phase dialog; while it is open, brings it
// forward instead, so that no preview of it becomes the starting point of another.
void phaseCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs);
// The automatic straight-line baseline correction; no undo snapshot.
void autoBaselineCommand(SpectrumDocument& doc, WindowPort& window);

// Why an automatic correction cannot run on the document's data, or nullptr: the data
// are known to be a FID, hold fewer than minimumPoints complex points, or are all zero
// or constant.
const char* automaticRefusal(const SpectrumDocument& doc, int minimumPoints);

// The automatic phase's angles for `data` (the document's data or its snapshot), about
// the pivot maxAbsIndex; nothing, after a message, on a FID, a spectrum of a few points
// or one without lines.
std::optional<PhaseAngles> automaticPhaseAngles(const SpectrumDocument& doc,
                                                std::span<const double> data, Ui& ui);

// The automatic phase, kept as the phase dialog's OK keeps angles: the undo snapshot,
// the found angles in phase0 and phase1, every point rotated about the pivot
// maxAbsIndex, a new largest value, a repaint. Refused with a message (and nothing
// changed) on a FID, a spectrum of a few points or one without lines.
bool applyAutoPhase(SpectrumDocument& doc, Ui& ui, WindowPort& window);
// "&Automatic Phase": applyAutoPhase, or the Auto button of the phase dialog while it
// is open (it previews from the dialog's own starting point). Then as command 42.
bool autoPhaseCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                      ProcessingDialogs& dialogs);

}  // namespace tesvar
