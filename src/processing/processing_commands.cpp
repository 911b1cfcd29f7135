#include "processing/processing_commands.h"

#include <span>

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "processing/baseline.h"
#include "processing/phase.h"

namespace tesvar {

namespace {

void clearPrompt(WindowPort& window)
{
    window.setPrompt(" ");
}

void disarm(SpectrumDocument& doc)
{
    doc.referenceArmed = 0;
}

void modeNone(SpectrumDocument& doc)
{
    doc.interactionMode = cmd::ModeNone;
}

}  // namespace

void apodizeCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs)
{
    dialogs.runApodizationDialog();
    clearPrompt(window);
    disarm(doc);
    modeNone(doc);
}

void fourierCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs)
{
    dialogs.runFourierDialog();
    window.invalidatePlot();
    clearPrompt(window);
    disarm(doc);
    modeNone(doc);
}

void phaseCommand(SpectrumDocument& doc, WindowPort& window, ProcessingDialogs& dialogs)
{
    if (dialogs.phaseDialogOpen()) {
        dialogs.raisePhaseDialog();
    } else {
        undoSnapshot(doc, true);
        dialogs.openPhaseDialog();
    }
    clearPrompt(window);
    disarm(doc);
    modeNone(doc);
}

void autoBaselineCommand(SpectrumDocument& doc, WindowPort& window)
{
    autoBaseline(std::span<double>(doc.data), doc.valueCount);
    clearPrompt(window);
    disarm(doc);
    window.invalidatePlot();
}

const char* automaticRefusal(const SpectrumDocument& doc, int minimumPoints)
{
    if (doc.domain == DataDomain::Time)
        return text::kNotTransformed;
    const int n = valuesInUse(doc);
    if (n / 2 < minimumPoints)
        return text::kTooFewPoints;
    for (int i = 2; i < n; ++i)
        if (doc.data[i] != doc.data[i % 2])
            return nullptr;
    return text::kNoLines;
}

std::optional<PhaseAngles> automaticPhaseAngles(const SpectrumDocument& doc,
                                                std::span<const double> data, Ui& ui)
{
    const char* refusal = automaticRefusal(doc, kAutoPhaseMinimumPoints);
    const auto angles =
        refusal ? std::nullopt : findAutoPhase(data, valuesInUse(doc), doc.maxAbsIndex);
    if (!angles)
        ui.message(refusal ? refusal : text::kNoLines, text::kAutoPhaseCaption, Buttons::Ok,
                   Icon::Warning);
    return angles;
}

bool applyAutoPhase(SpectrumDocument& doc, Ui& ui, WindowPort& window)
{
    const auto angles = automaticPhaseAngles(doc, doc.data, ui);
    if (!angles)
        return false;
    undoSnapshot(doc, true);
    doc.phase0 = angles->phase0;
    doc.phase1 = angles->phase1;
    applyPhase(std::span<double>(doc.data), doc.valueCount, doc.maxAbsIndex, doc.phase0,
               doc.phase1, true);
    doc.maxAbsValue = findMaxAbs(doc);
    window.invalidatePlot();
    return true;
}

bool autoPhaseCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                      ProcessingDialogs& dialogs)
{
    bool done = true;
    if (dialogs.phaseDialogOpen()) {
        dialogs.raisePhaseDialog();
        dialogs.autoPhaseInDialog();
    } else {
        done = applyAutoPhase(doc, ui, window);
    }
    clearPrompt(window);
    disarm(doc);
    modeNone(doc);
    return done;
}

}  // namespace tesvar
