#pragma once

#include "analysis/edits_view.h"

namespace tesvar {

class WindowPort;
struct SpectrumDocument;

// Controls of dialog 107, "Number of Hydrogens", and dialog 223, "Integral Factor Scale".
namespace integral_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int HydrogensEdit = 1007;
inline constexpr int FactorEdit = 1090;
}  // namespace integral_ids

namespace text {
inline constexpr const char* kHydrogensTitle = "Number of Hydrogens";
inline constexpr const char* kIntegralFactorTitle = "Integral Factor Scale";
}  // namespace text

// The rules of dialog 107, opened by a right click that made the clicked integral the
// reference. The edit shows the number that integral displayed until then; OK makes the
// typed number its label (and rescales every other label with it), Cancel gives back
// the former reference and so keeps every label as it was. The view closes itself
// after either.
class HydrogensDialog {
public:
    HydrogensDialog(SpectrumDocument& doc, WindowPort& window, EditsView& view);

    void open();
    void accept();
    void cancel();

private:
    SpectrumDocument& doc;
    WindowPort& window;
    EditsView& view;
};

// The rules of dialog 223: the edit shows integralStep; OK stores the typed number.
// The command reopens the dialog until the step lies within 1..10.
class IntegralFactorDialog {
public:
    IntegralFactorDialog(SpectrumDocument& doc, EditsView& view);

    void open();
    void accept();

private:
    SpectrumDocument& doc;
    EditsView& view;
};

// Integral steps the command accepts.
bool integralStepUsable(double step);

}  // namespace tesvar
