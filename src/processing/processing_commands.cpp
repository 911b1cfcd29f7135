#include "processing/processing_commands.h"

#include <span>

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/window_port.h"
#include "processing/baseline.h"

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

}  // namespace tesvar
