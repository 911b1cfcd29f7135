#include "processing/phase_dialog.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "document/spectrum_document.h"
#include "platform/window_port.h"
#include "processing/phase.h"
#include "processing/processing_commands.h"

namespace tesvar {

namespace {

int boundedAngle(int degrees)
{
    return std::clamp(degrees, phase_ids::kMinimum, phase_ids::kMaximum);
}

void rotate(SpectrumDocument& doc, bool complete)
{
    undoSnapshot(doc, false);
    applyPhase(std::span<double>(doc.data), doc.valueCount, doc.maxAbsIndex, doc.phase0,
               doc.phase1, complete);
}

}  // namespace

void previewPhase(SpectrumDocument& doc)
{
    rotate(doc, false);
}

PhaseDialog::PhaseDialog(SpectrumDocument& doc, WindowPort& window, PhaseView& view)
    : doc(doc), window(window), view(view)
{
}

void PhaseDialog::open()
{
    openedPhase0 = doc.phase0;
    openedPhase1 = doc.phase1;
    doc.phase0 = 0;
    doc.phase1 = 0;
    view.setEditValue(phase_ids::Order0Edit, 0);
    view.setEditValue(phase_ids::Order1Edit, 0);
    view.setSliderPosition(0, 0);
    view.setSliderPosition(1, 0);
}

void PhaseDialog::autoPhase(Ui& ui)
{
    // The data as the dialog opened them: the snapshot.
    const auto angles = automaticPhaseAngles(doc, doc.undo.data, ui);
    if (!angles)
        return;
    doc.phase0 = angles->phase0;
    doc.phase1 = angles->phase1;
    const int whole0 = static_cast<int>(std::lround(doc.phase0));
    const int whole1 = static_cast<int>(std::lround(doc.phase1));
    view.setEditValue(phase_ids::Order0Edit, whole0);
    view.setEditValue(phase_ids::Order1Edit, whole1);
    view.setSliderPosition(0, whole0);
    view.setSliderPosition(1, whole1);
    preview();
}

void PhaseDialog::preview()
{
    previewPhase(doc);
    window.invalidatePlot();
}

void PhaseDialog::sliderMoved(int slider, int position, int code)
{
    if (code < 0 || code >= kSliderEndTrack || (slider != 0 && slider != 1))
        return;
    position = boundedAngle(position);
    if (slider == 0) {
        doc.phase0 = position;
        view.setEditValue(phase_ids::Order0Edit, position);
    } else {
        doc.phase1 = position;
        view.setEditValue(phase_ids::Order1Edit, position);
    }
    preview();
}

void PhaseDialog::arrowClicked()
{
    const int p0 = boundedAngle(view.editValue(phase_ids::Order0Edit));
    const int p1 = boundedAngle(view.editValue(phase_ids::Order1Edit));
    doc.phase0 = p0;
    doc.phase1 = p1;
    view.setSliderPosition(0, p0);
    view.setSliderPosition(1, p1);
    preview();
}

void PhaseDialog::accept()
{
    rotate(doc, true);
    doc.maxAbsValue = findMaxAbs(doc);
}

void PhaseDialog::cancel()
{
    doc.phase0 = openedPhase0;
    doc.phase1 = openedPhase1;
    undoSnapshot(doc, false);
    window.invalidatePlot();
}

}  // namespace tesvar
