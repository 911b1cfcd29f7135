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
    // Values that are not finite numbers give no view to draw: they are refused too.
    // Refused values are never stored, so that Cancel leaves the view as it was.
    if (std::isfinite(from) && std::isfinite(to) && to >= from && from <= doc.acq.aq &&
        to <= doc.acq.aq) {
        doc.viewLeft = from;
        doc.viewRight = to;
        return true;
    }
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
