#include "analysis/peak_dialog.h"

#include <algorithm>
#include <utility>

#include "analysis/analysis_text.h"
#include "analysis/peak_picking.h"
#include "document/spectrum_document.h"

namespace tesvar {

std::vector<ReportLine> peakReportLines(const SpectrumDocument& doc)
{
    std::vector<ReportLine> lines = {{"File:" + doc.fileTitle + " ", 2}};
    const std::string header = formatPadded("Peak", 7) + " " + formatPadded("Frecuency", 12) +
                               " " + formatPadded("ppm", 11) + " " +
                               formatPadded("Intensity", 15);
    for (int r = 0; r < std::min(doc.peaks.regionCount, kMaxPeakRegions); ++r) {
        lines.push_back({peakRegionLine(doc, r), 1});
        lines.push_back({header, 1});
        for (std::string& row : peakRowLines(doc, r))
            lines.push_back({std::move(row), 1});
    }
    return lines;
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
    printReport(printer, ui, text::kPeakReportDocument, peakReportLines(doc));
}

}  // namespace tesvar
