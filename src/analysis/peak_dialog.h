#pragma once

#include <string>
#include <vector>

#include "analysis/edits_view.h"
#include "analysis/report_printer.h"

namespace tesvar {

class Ui;
struct SpectrumDocument;

// Controls of dialog 109, "PEAK PICKING".
namespace peak_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int List = 1009;
inline constexpr int ClearAll = 1010;
inline constexpr int Header = 1011;
inline constexpr int Print = 1013;
inline constexpr int ThresholdEdit = 1031;  // disabled
}  // namespace peak_ids

// The printed peak report: the file's name on every page, then each region's FROM/TO
// line and column header (again on a page that carries the region on) and its rows.
Report peakReport(const SpectrumDocument& doc);

// The rules of the modal dialog 109: every region picked so far in the list, the last
// threshold in the disabled edit. OK and Cancel close it and change nothing.
class PeakDialog {
public:
    PeakDialog(SpectrumDocument& doc, Ui& ui, EditsView& edits, ListView& list);

    void open();
    // "&Clear All": the table is emptied (the edit's number becomes the last threshold);
    // the view then closes the dialog.
    void clearAll();
    // "&Print": the report through the print dialog; the dialog stays open.
    void print(ReportPrinter& printer);

private:
    SpectrumDocument& doc;
    Ui& ui;
    EditsView& edits;
    ListView& list;
};

}  // namespace tesvar
