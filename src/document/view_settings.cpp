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

namespace {

bool usable(double divisor) { return divisor != 0.0 && std::isfinite(divisor); }

}  // namespace

const char* unitName(DisplayUnits units)
{
    switch (units) {
    case DisplayUnits::Seconds: break;
    case DisplayUnits::Ppm: return "ppm";
    case DisplayUnits::Hertz: return "Hertz";
    case DisplayUnits::Points: return "Points";
    }
    return "Seconds";
}

// ppm and Hertz count down from the left end of the spectrum, points and seconds up.
std::optional<double> readingAtTime(const SpectrumDocument& doc, double time)
{
    const double aq = doc.acq.aq;
    const double sw = doc.acq.sw;
    if (!usable(aq))
        return std::nullopt;
    const double fraction = time / aq;
    switch (doc.displayUnits) {
    case DisplayUnits::Seconds: break;
    case DisplayUnits::Ppm:
        if (!usable(doc.acq.sf))
            return std::nullopt;
        return doc.ppmOffset + (1.0 - fraction) * sw / doc.acq.sf;
    case DisplayUnits::Hertz: return doc.hzOffset + (1.0 - fraction) * sw;
    case DisplayUnits::Points: return fraction * doc.valueCount * 0.5;
    }
    return time;
}

std::optional<double> timeAtReading(const SpectrumDocument& doc, double reading)
{
    const double aq = doc.acq.aq;
    const double sw = doc.acq.sw;
    if (!usable(aq))
        return std::nullopt;
    double fraction = 0.0;
    switch (doc.displayUnits) {
    case DisplayUnits::Seconds:
        return reading;
    case DisplayUnits::Ppm:
        if (!usable(sw) || !usable(doc.acq.sf))
            return std::nullopt;
        fraction = 1.0 - (reading - doc.ppmOffset) * doc.acq.sf / sw;
        break;
    case DisplayUnits::Hertz:
        if (!usable(sw))
            return std::nullopt;
        fraction = 1.0 - (reading - doc.hzOffset) / sw;
        break;
    case DisplayUnits::Points:
        if (doc.valueCount <= 0)
            return std::nullopt;
        fraction = 2.0 * reading / doc.valueCount;
        break;
    }
    return fraction * aq;
}

bool applyLimitTimes(SpectrumDocument& doc, Ui& ui, std::optional<double> from,
                     std::optional<double> to)
{
    // Values that are not finite numbers give no view to draw: they are refused too.
    // Refused values are never stored, so that Cancel leaves the view as it was.
    if (from && to && std::isfinite(*from) && std::isfinite(*to) && *to >= *from &&
        *from <= doc.acq.aq && *to <= doc.acq.aq) {
        doc.viewLeft = *from;
        doc.viewRight = *to;
        return true;
    }
    ui.beep();
    ui.message("Error", "Try it again", Buttons::Ok, Icon::None);
    return false;
}

bool applyLimits(SpectrumDocument& doc, Ui& ui, double from, double to)
{
    return applyLimitTimes(doc, ui, timeAtReading(doc, from), timeAtReading(doc, to));
}

void limitsChanged(SpectrumDocument& doc, WindowPort& window)
{
    updateZoomFactor(doc);
    window.invalidatePlot();
}

}  // namespace tesvar
