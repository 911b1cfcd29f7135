#include "analysis/tool_commands.h"

#include "analysis/analysis_host.h"
#include "analysis/integral_dialogs.h"
#include "analysis/integration.h"
#include "analysis/referencing.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "platform/window_port.h"

namespace tesvar {

namespace {

// The common start of the tool commands: the prompt cleared, a pending reference click
// disarmed.
void clearPromptAndDisarm(SpectrumDocument& doc, WindowPort& window)
{
    window.setPrompt(" ");
    doc.referenceArmed = 0;
}

void armDrag(SpectrumDocument& doc, int mode, DragStyle style)
{
    doc.interactionMode = mode;
    doc.dragToolArmed = 1;
    doc.dragStyle = style;
}

}  // namespace

void zoomToolCommand(SpectrumDocument& doc, WindowPort& window)
{
    clearPromptAndDisarm(doc, window);
    armDrag(doc, cmd::Zoom, DragStyle::Rectangle);
}

void integrateToolCommand(SpectrumDocument& doc, WindowPort& window, AnalysisHost& host)
{
    clearPromptAndDisarm(doc, window);
    window.setPrompt(text::kIntegrateHint);
    host.setVerticalScroll(doc.clientHeight, doc.integralBaseY);
    armDrag(doc, cmd::Integrate, DragStyle::Rectangle);
}

void peakToolCommand(SpectrumDocument& doc, WindowPort& window)
{
    clearPromptAndDisarm(doc, window);
    armDrag(doc, cmd::PeakPicking, DragStyle::Rectangle);
}

void editPeaksCommand(WindowPort& window, AnalysisHost& host)
{
    host.runPeakDialog();
    window.invalidatePlot();
}

void moveSpectrumCommand(SpectrumDocument& doc, WindowPort& window)
{
    clearPromptAndDisarm(doc, window);
    doc.moveArmed = 1;
    armDrag(doc, cmd::MoveSpectrum, DragStyle::Rectangle);
}

void referenceToolCommand(SpectrumDocument& doc, WindowPort& window)
{
    doc.referenceArmed = 1;
    window.setPrompt(text::kReferencePrompt);
    doc.interactionMode = cmd::ModeNone;
}

void measureJCommand(SpectrumDocument& doc, WindowPort& window, AnalysisHost& host)
{
    window.setPrompt(" ");
    doc.measureJActive = 1;
    doc.referenceArmed = 0;
    armDrag(doc, cmd::MeasureJ, DragStyle::VerticalLine);
    host.openMeasureJDialog();
}

void integralFactorCommand(SpectrumDocument& doc, AnalysisHost& host)
{
    do
        host.runIntegralFactorDialog();
    while (!integralStepUsable(doc.integralStep));
}

void dataPointsCommand(AnalysisHost& host) { host.runDataPointsDialog(); }

}  // namespace tesvar
