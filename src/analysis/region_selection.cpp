#include "analysis/region_selection.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis_host.h"
#include "analysis/analysis_text.h"
#include "analysis/coupling.h"
#include "analysis/integration.h"
#include "analysis/peak_picking.h"
#include "document/spectrum_document.h"
#include "document/truncation.h"
#include "platform/command_ids.h"
#include "platform/ui.h"
#include "platform/window_port.h"
#include "document/plot_geometry.h"

namespace tesvar {

namespace {

bool usable(double divisor) { return divisor != 0.0 && std::isfinite(divisor); }

}  // namespace

double pointAtTime(const SpectrumDocument& doc, double time)
{
    if (!usable(doc.acq.aq))
        return 0.0;
    return (doc.valueCount / 2) * time / doc.acq.aq;
}

std::int64_t elementAtTime(const SpectrumDocument& doc, double time)
{
    if (!usable(doc.acq.aq))
        return 0;
    return truncatedPosition(doc.valueCount * time / doc.acq.aq);
}

bool zoomToTimes(SpectrumDocument& doc, AnalysisHost& host, double from, double to)
{
    if (to < from)
        std::swap(from, to);
    if (!(to > from) || !usable(doc.acq.aq))
        return false;
    doc.viewLeft = from;
    doc.viewRight = to;
    updateZoomFactor(doc);
    const double lo = doc.valueCount * doc.viewLeft / doc.acq.aq;
    const double hi = doc.valueCount * doc.viewRight / doc.acq.aq;
    doc.hScrollMax = truncatedInt32(doc.valueCount - hi + lo);
    host.setHorizontalScrollRange(doc.hScrollMax);
    doc.hScrollPos = truncatedInt32(lo);
    host.setHorizontalScrollPosition(doc.hScrollPos);
    return true;
}

bool integrateTimes(SpectrumDocument& doc, Ui& ui, double from, double to)
{
    const bool added = integrateRegion(doc, ui, pointAtTime(doc, std::min(from, to)),
                                       pointAtTime(doc, std::max(from, to)),
                                       doc.integrals.startNew != 0);
    // A refused region leaves the table, and whether it starts afresh, as they were.
    if (added)
        doc.integrals.startNew = 0;
    return added;
}

bool pickPeaksBetweenTimes(SpectrumDocument& doc, Ui& ui, WindowPort& window, double from,
                           double to, double threshold)
{
    const char* refused = nullptr;
    if (!std::isfinite(threshold) || threshold < 0.0)
        refused = text::kThresholdNotFinite;
    // A region reaching into the data is cut at its ends; one wholly off it is refused.
    else if (!timeOnData(doc, 0.0) || !(std::max(from, to) >= 0.0 && std::min(from, to) <= doc.acq.aq))
        refused = text::kPeakRegionOutside;
    if (refused) {
        ui.message(refused, text::kRefusedInputCaption, Buttons::Ok, Icon::Warning);
        return false;
    }
    return pickPeaksAndReport(doc, ui, window, elementAtTime(doc, std::min(from, to)),
                              elementAtTime(doc, std::max(from, to)), threshold);
}

bool placeMarker(SpectrumDocument& doc, Ui& ui, AnalysisHost& host, double time)
{
    const MarkerResult result = measureJ(doc, ui, time);
    if (result.line)
        host.addMeasureJLine(*result.line);
    return result.placed;
}

void completeRegion(SpectrumDocument& doc, Ui& ui, WindowPort& window, AnalysisHost& host,
                    int mode, const DragPoints& drag)
{
    if (mode == cmd::Copy) {
        host.copyRegion(drag.anchorX, drag.anchorY, drag.currentX, drag.currentY);
        return;
    }
    const int x1 = std::min(drag.anchorX, drag.currentX);
    const int x2 = std::max(drag.anchorX, drag.currentX);
    const double t1 = xToTime(doc, x1);
    const double t2 = xToTime(doc, x2);
    // A zoom needs a window of some width: a purely vertical drag leaves the view.
    if (mode == cmd::Zoom && !(t2 > t1)) {
        window.invalidatePlot();
        return;
    }
    if (doc.fullView == 1 && mode != cmd::Integrate)
        doc.fullView = 0;

    switch (mode) {
    case cmd::Zoom:
        zoomToTimes(doc, host, t1, t2);
        break;
    case cmd::Integrate:
        integrateTimes(doc, ui, t1, t2);
        break;
    case cmd::MeasureJ:
        placeMarker(doc, ui, host, xToTime(doc, drag.currentX));
        break;
    case cmd::PeakPicking: {
        const double threshold =
            std::fabs((doc.baselineY - drag.currentY) * doc.maxAbsValue) / doc.verticalScale;
        pickPeaksBetweenTimes(doc, ui, window, t1, t2, threshold);
        break;
    }
    default:
        break;
    }
    window.invalidatePlot();
}

}  // namespace tesvar
