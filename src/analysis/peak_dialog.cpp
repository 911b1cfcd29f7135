#include "analysis/peak_dialog.h"

#include <algorithm>
#include <utility>

#include "analysis/analysis_text.h"
#include "analysis/peak_picking.h"
#include "document/spectrum_document.h"

namespace tesvar {

Report peakReport(const SpectrumDocument& doc)
{
    Report report{{{"File:" + doc.fileTitle + " ", 2}}, {}};
    const std::string header = formatPadded("Peak", 7) + " " + formatPadded("Frecuency", 12) +
                               " " + formatPadded("ppm", 11) + " " +
                               formatPadded("Intensity", 15);
    for (int r = 0; r < std::min(doc.peaks.regionCount, kMaxPeakRegions); ++r) {
        report.body.push_back({peakRegionLine(doc, r), 1, true});
        report.body.push_back({header, 1, true});
        for (std::string& row : peakRowLines(doc, r))
            report.body.push_back({std::move(row), 1});
    }
    return report;
}

PeakDialog::PeakDialog(SpectrumDocument& doc, Ui& ui, EditsView& edits, ListView& list)
    : doc(doc), ui(ui), edits(edits), list(list)
{
}

void PeakDialog::open()
{
    edits.setText(peak_ids::ThresholdEdit, thresholdText(doc.peaks.lastThreshold));
    for (const std::string& line : peakListLines(doc))
        list.appendLine(line);
}

void PeakDialog::clearAll()
{
    PeakTable& t = doc.peaks;
    t.lastThreshold = readEditNumber(edits.text(peak_ids::ThresholdEdit));
    t.peakCount = 0;
    t.regionCount = 0;
}

void PeakDialog::print(ReportPrinter& printer)
{
    printReport(printer, ui, text::kPeakReportDocument, peakReport(doc));
}

}  // namespace tesvar
