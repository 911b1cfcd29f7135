#include "document/view_settings.h"

#include <cmath>

#include "document/spectrum_document.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

void applyUnits(SpectrumDocument& doc, WindowPort& window,
                const std::array<std::int32_t, 4>& checks)
{
    doc.unitChecks = checks;
    constexpr DisplayUnits kUnits[4] = {DisplayUnits::Seconds, DisplayUnits::Ppm,
                                        DisplayUnits::Hertz, DisplayUnits::Points};
    for (int k = 0; k < 4; ++k)
        if (checks[k] != 0)
            doc.displayUnits = kUnits[k];
    window.invalidatePlot();
}

bool applyLimits(SpectrumDocument& doc, Ui& ui, double from, double to)
{
    doc.viewLeft = from;
    doc.viewRight = to;
    // Values that are not finite numbers give no view to draw: they are refused too.
    if (std::isfinite(from) && std::isfinite(to) && doc.viewRight >= doc.viewLeft &&
        doc.viewLeft <= doc.acq.aq && doc.viewRight <= doc.acq.aq)
        return true;
    ui.beep();
    ui.message("Error", "Try it again", Buttons::Ok, Icon::None);
    return false;
}

void limitsChanged(SpectrumDocument& doc, WindowPort& window)
{
    updateZoomFactor(doc);
    window.invalidatePlot();
}

}  // namespace tesvar
