#pragma once

#include <functional>
#include <vector>

namespace tesvar {

struct SpectrumDocument;
class Ui;
class WindowPort;

// Controls of the "Smooth Baseline" dialog.
namespace smooth_baseline_ids {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Strength = 1090;
}  // namespace smooth_baseline_ids

// What the smooth baseline dialog's controller needs of its window: the strength field
// and the preview of the baseline over the plot.
class SmoothBaselineView {
public:
    virtual ~SmoothBaselineView() = default;
    virtual void showStrength(double strength) = 0;
    // Draws the baseline (one value per complex point) over the plot, in place of the
    // one shown before.
    virtual void showBaseline(const std::vector<double>& baseline) = 0;
};

// The rules of the "Smooth Baseline" dialog: one strength, the baseline it gives drawn
// over the plot before OK, and on OK that baseline subtracted from the real parts.
class SmoothBaselineDialog {
public:
    SmoothBaselineDialog(SpectrumDocument& doc, WindowPort& window, SmoothBaselineView& view);

    // Shows the strength of the last OK (the default at first) and its baseline.
    void open();
    // A new strength, held within its range: its baseline is shown.
    void strengthChanged(double strength);
    // Takes the undo snapshot, subtracts the baseline from every real part, finds the
    // new largest value, remembers the strength and repaints.
    void accept();
    // Repaints, which removes the preview; the data are unchanged.
    void cancel();

    double strength() const { return current; }
    const std::vector<double>& baseline() const { return fitted; }

private:
    SpectrumDocument& doc;
    WindowPort& window;
    SmoothBaselineView& view;
    double current = 0.0;
    std::vector<double> fitted;
};

// "&Smooth Baseline": refused with a message on a FID or a spectrum of a few points;
// otherwise runs the dialog (modal). Clears the prompt and disarms a pending reference
// click. Returns whether the dialog ran.
bool smoothBaselineCommand(SpectrumDocument& doc, Ui& ui, WindowPort& window,
                           const std::function<void()>& runDialog);

}  // namespace tesvar
