#include "processing/smooth_baseline_dialog.h"

#include <algorithm>
#include <cmath>

#include "document/spectrum_document.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "processing/processing_commands.h"
#include "processing/smooth_baseline.h"

namespace tesvar {

SmoothBaselineDialog::SmoothBaselineDialog(SpectrumDocument& d, WindowPort& w,
                                           SmoothBaselineView& v)
    : doc(d), window(w), view(v)
{
}

void SmoothBaselineDialog::open()
{
    strengthChanged(doc.smoothBaselineStrength);
}

void SmoothBaselineDialog::strengthChanged(double strength)
{
    if (std::isnan(strength))
        strength = kDefaultBaselineStrength;
    current = std::clamp(strength, kMinimumBaselineStrength, kMaximumBaselineStrength);
    view.showStrength(current);
    fitted = fitSmoothBaseline(doc.data, valuesInUse(doc), current);
    view.showBaseline(fitted);
}

void SmoothBaselineDialog::accept()
{
    undoSnapshot(doc, true);
    const int points = std::min(valuesInUse(doc) / 2, static_cast<int>(fitted.size()));
    for (int k = 0; k < points; ++k)
        doc.data[2 * k] -= fitted[k];
    doc.maxAbsValue = findMaxAbs(doc);
    doc.smoothBaselineStrength = current;
    window.invalidatePlot();
}

void SmoothBaselineDialog::cancel()
{
    window.invalidatePlot();
}

bool smoothBaselineCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                           const std::function<void()>& runDialog)
{
    const char* refusal = automaticRefusal(doc, kSmoothBaselineMinimumPoints);
    if (refusal)
        ui.message(refusal, text::kSmoothBaselineCaption, Buttons::Ok, Icon::Warning);
    else
        runDialog();
    window.setPrompt(" ");
    doc.referenceArmed = 0;
    return refusal == nullptr;
}

}  // namespace tesvar
