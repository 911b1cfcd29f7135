#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/edits_view.h"

namespace tesvar {

class Ui;
class WindowPort;
struct SpectrumDocument;

// Controls of the modeless dialog 203, "Meassure J".
namespace measure_j_ids {
inline constexpr int List = 1073;
inline constexpr int Ok = 1;
inline constexpr int ClearAll = 2;
inline constexpr int Print = 3;
inline constexpr int Reset = 4;
}  // namespace measure_j_ids

namespace text {
inline constexpr const char* kMeasureJTitle = "Meassure J";
inline constexpr const char* kMeasureJReportTitle = "Meassure J result:";
inline constexpr const char* kTooManyMarkersCaption = "Error";
inline constexpr const char* kTooManyMarkers =
    "No more than 200 markers can be placed.\n"
    "Choose Clear All to start again.";
}  // namespace text

// J between markers i and k in Hz, whatever the display unit: their distance in the
// time coordinate as a share of the acquisition time, times the sweep width.
double couplingBetween(const SpectrumDocument& doc, int i, int k);

// "J %d-%d=%lf" for markers i and k.
std::string couplingLine(const SpectrumDocument& doc, int i, int k);

// Places the next marker at time coordinate t. From the second marker on, unless the
// chain was broken by Reset, the result is the line for the pair it closes, to be added
// to the dialog's list. A marker off the data (or not at a finite position) and the
// 201st marker are refused with a message; nothing changes.
struct MarkerResult {
    bool placed = false;
    std::optional<std::string> line;
};
MarkerResult measureJ(SpectrumDocument& doc, Ui& ui, double time);

// The line for every pair of consecutive markers, Reset or not: the printed report.
std::vector<std::string> couplingLines(const SpectrumDocument& doc);

// A marker's position as the dialog lists the markers placed before it opened ("%lf").
std::string markerLine(const SpectrumDocument& doc, int marker);

// What the Measure J dialog's controller needs of its window: list 1073, and closing.
class MeasureJView : public ListView {
public:
    virtual void closeDialog() = 0;
};

class ReportPrinter;

// The rules of the modeless dialog 203. The window keeps the open dialog so that each
// new marker's line reaches its list.
class MeasureJDialog {
public:
    MeasureJDialog(SpectrumDocument& doc, WindowPort& window, MeasureJView& view);

    // The markers are shown while the dialog is open; those already placed are listed.
    void open();
    // OK: the markers are dropped and no further drag starts until a tool is chosen.
    void accept();
    void clearAll();
    // Reset: the next marker starts a new pair.
    void reset();
    // The printed report, through the print dialog; the dialog stays open.
    void print(ReportPrinter& printer, Ui& ui);

private:
    SpectrumDocument& doc;
    WindowPort& window;
    MeasureJView& view;
};

}  // namespace tesvar
