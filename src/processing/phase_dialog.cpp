#include "processing/phase_dialog.h"

#include <algorithm>
#include <span>

#include "document/spectrum_document.h"
#include "platform/window_port.h"
#include "processing/phase.h"

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
    doc.phase0 = 0;
    doc.phase1 = 0;
    view.setEditValue(phase_ids::Order0Edit, 0);
    view.setEditValue(phase_ids::Order1Edit, 0);
    view.setSliderPosition(0, 0);
    view.setSliderPosition(1, 0);
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
    doc.phase0 = boundedAngle(view.editValue(phase_ids::Order0Edit));
    doc.phase1 = boundedAngle(view.editValue(phase_ids::Order1Edit));
    view.setSliderPosition(0, doc.phase0);
    view.setSliderPosition(1, doc.phase1);
    preview();
}

void PhaseDialog::accept()
{
    rotate(doc, true);
    doc.maxAbsValue = findMaxAbs(doc);
}

void PhaseDialog::cancel()
{
    undoSnapshot(doc, false);
    window.invalidatePlot();
}

}  // namespace tesvar
