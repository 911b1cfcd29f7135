#include "analysis/integral_dialogs.h"

#include <cmath>

#include "analysis/analysis_text.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "platform/window_port.h"

namespace tesvar {

HydrogensDialog::HydrogensDialog(SpectrumDocument& doc, WindowPort& window, EditsView& view)
    : doc(doc), window(window), view(view)
{
}

void HydrogensDialog::open()
{
    const IntegralTable& t = doc.integrals;
    const double number =
        t.value[t.reference] / t.value[t.previousReference] * t.referenceHydrogens;
    // The label of the clicked integral showed no number when the former reference
    // was 0; the edit then starts empty.
    view.setText(integral_ids::HydrogensEdit,
                 std::isfinite(number) ? formatFixed(number, kDefaultDecimals) : std::string());
}

void HydrogensDialog::accept()
{
    doc.integrals.referenceHydrogens = readEditNumber(view.text(integral_ids::HydrogensEdit));
    window.invalidatePlot();
}

void HydrogensDialog::cancel()
{
    // The click made the integral the reference; going back to the former reference,
    // with its number untouched, leaves every label exactly as it was (the number shown
    // in the edit is rounded, and may be 0 for a tiny or empty integral).
    IntegralTable& t = doc.integrals;
    t.reference = t.previousReference;
}

IntegralFactorDialog::IntegralFactorDialog(SpectrumDocument& doc, EditsView& view)
    : doc(doc), view(view)
{
}

void IntegralFactorDialog::open()
{
    view.setText(integral_ids::FactorEdit, formatFixed(doc.integralStep, kDefaultDecimals));
}

void IntegralFactorDialog::accept()
{
    doc.integralStep = readEditNumber(view.text(integral_ids::FactorEdit));
}

bool integralStepUsable(double step) { return step >= 1.0 && step <= 10.0; }

}  // namespace tesvar
