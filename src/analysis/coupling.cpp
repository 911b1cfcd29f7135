#include "analysis/coupling.h"

#include <algorithm>
#include <cmath>

#include "analysis/analysis_text.h"
#include "analysis/peak_picking.h"
#include "analysis/report_printer.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "platform/ui.h"
#include "platform/window_port.h"

namespace tesvar {

namespace {

int markerCount(const SpectrumDocument& doc) { return std::clamp(doc.jMarkerCount, 0, kMaxJMarkers); }

}  // namespace

double couplingBetween(const SpectrumDocument& doc, int i, int k)
{
    const double sw = doc.acq.sw;
    return std::fabs((1.0 - doc.jMarkers[i]) * sw - (1.0 - doc.jMarkers[k]) * sw) / doc.acq.aq;
}

std::string couplingLine(const SpectrumDocument& doc, int i, int k)
{
    return "J " + std::to_string(i) + "-" + std::to_string(k) + "=" +
           formatFixed(couplingBetween(doc, i, k), kDefaultDecimals);
}

MarkerResult measureJ(SpectrumDocument& doc, Ui& ui, double time)
{
    const int k = markerCount(doc);
    if (k >= kMaxJMarkers) {
        ui.message(text::kTooManyMarkers, text::kTooManyMarkersCaption, Buttons::Ok, Icon::Error);
        return {};
    }
    if (!timeOnData(doc, time)) {
        ui.message(text::kMarkerOutside, text::kRefusedInputCaption, Buttons::Ok, Icon::Warning);
        return {};
    }
    MarkerResult result;
    result.placed = true;
    doc.jMarkers[k] = time;
    if (k > 0 && doc.jChainBreak == 0)
        result.line = couplingLine(doc, k - 1, k);
    doc.jMarkerCount = k + 1;
    doc.jChainBreak = 0;
    return result;
}

std::vector<std::string> couplingLines(const SpectrumDocument& doc)
{
    std::vector<std::string> lines;
    for (int i = 1; i < markerCount(doc); ++i)
        lines.push_back(couplingLine(doc, i - 1, i));
    return lines;
}

std::string markerLine(const SpectrumDocument& doc, int marker)
{
    return formatFixed(doc.jMarkers[marker], kDefaultDecimals);
}

MeasureJDialog::MeasureJDialog(SpectrumDocument& doc, WindowPort& window, MeasureJView& view)
    : doc(doc), window(window), view(view)
{
}

void MeasureJDialog::open()
{
    doc.measureJActive = 1;
    for (int i = 0; i < markerCount(doc); ++i)
        view.appendLine(markerLine(doc, i));
}

void MeasureJDialog::accept()
{
    doc.measureJActive = 0;
    doc.dragToolArmed = 0;
    doc.jMarkerCount = 0;
    window.invalidatePlot();
    view.closeDialog();
}

void MeasureJDialog::clearAll()
{
    view.clearLines();
    doc.jMarkerCount = 0;
    window.invalidatePlot();
}

void MeasureJDialog::reset() { doc.jChainBreak = 1; }

void MeasureJDialog::print(ReportPrinter& printer, Ui& ui)
{
    Report report{{{text::kMeasureJReportTitle, 2}}, {}};
    for (const std::string& line : couplingLines(doc))
        report.body.push_back({line, 1});
    printReport(printer, ui, text::kPeakReportDocument, report);
}

}  // namespace tesvar
