// apodize, fourier, phase and baseline: the Process commands with their dialogs answered
// by the step's values, through the same controllers as the window's dialogs.
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/spectrum_document.h"
#include "document/text_format.h"
#include "platform/command_ids.h"
#include "processing/apodization_dialog.h"
#include "processing/baseline_dialog.h"
#include "processing/fourier_dialog.h"
#include "processing/phase_dialog.h"
#include "processing/processing_commands.h"
#include "processing/smooth_baseline.h"
#include "processing/smooth_baseline_dialog.h"

namespace tesvar::batch {

namespace {

std::optional<double> number(const std::optional<std::string>& word)
{
    return word ? stepNumber(*word) : std::nullopt;
}

std::optional<int> wholeNumber(const std::optional<std::string>& word)
{
    const auto v = number(word);
    if (!v || *v != std::floor(*v) || std::fabs(*v) > 2147483647.0)
        return std::nullopt;
    return static_cast<int>(*v);
}

// The dialogs' windows as a step fills them in: what the controller shows is kept, the
// step's values are put in, and nothing is drawn.
class StepFourierView : public FourierView {
public:
    void setChecked(int id, bool checked) override { checks[id] = checked; }
    bool isChecked(int id) const override { return checks.count(id) && checks.at(id); }
    void fillSizeList(const std::vector<std::string>&) override {}
    void showSize(int) override {}
    bool setMainScrollRange(int, int) override { return true; }

    std::map<int, bool> checks;
};

class StepApodizationView : public ApodizationView {
public:
    bool setText(int id, const std::string& t) override
    {
        texts[id] = t;
        return true;
    }
    std::string text(int id) const override { return texts.count(id) ? texts.at(id) : ""; }
    void setChecked(int id, bool checked) override { radios[id] = checked; }
    bool isChecked(int id) const override { return radios.count(id) && radios.at(id); }

    // A step names one window: its radio button is chosen and every other one cleared,
    // whatever the dialog remembered from the step before.
    void chooseOnly(int id)
    {
        for (int r : apodization_ids::kRadios)
            radios[r] = r == id;
    }

    std::map<int, std::string> texts;
    std::map<int, bool> radios;
};

class StepPhaseView : public PhaseView {
public:
    void setEditValue(int id, int value) override { edits[id] = value; }
    int editValue(int id) const override { return edits.count(id) ? edits.at(id) : 0; }
    void setSliderPosition(int, int) override {}

    std::map<int, int> edits;
};

// The Process commands' dialogs, each answered at once by what the step asks for.
class StepDialogs : public ProcessingDialogs {
public:
    std::function<void()> apodization, fourier, phase;

    void runApodizationDialog() override { apodization(); }
    void runFourierDialog() override { fourier(); }
    bool phaseDialogOpen() const override { return false; }
    void openPhaseDialog() override { phase(); }
    void raisePhaseDialog() override {}
    void autoPhaseInDialog() override {}
};

// --- apodize ------------------------------------------------------------------------

struct WindowStep {
    int radio;
    std::vector<int> edits;  // the edits the step's values are typed into, in order
};

const std::map<std::string, WindowStep, std::less<>>& windowSteps()
{
    namespace ids = apodization_ids;
    static const std::map<std::string, WindowStep, std::less<>> steps = {
        {"exp", {ids::Exponential, {ids::ExpLB}}},
        {"gauss", {ids::Gaussian, {ids::GaussLB}}},
        {"lg", {ids::LorentzGauss, {ids::LgLB, ids::LgGB}}},
        {"sine", {ids::SineBell, {ids::SineBellShift}}},
        {"sine2", {ids::SineSquared, {ids::SineSquaredShift}}},
    };
    return steps;
}

StepDefinition apodizeStep()
{
    StepDefinition step;
    step.name = "apodize";
    step.arguments = "exp LB | gauss LB | lg LB GB | sine DEG | sine2 DEG";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        const auto name = args.next();
        const auto window = name ? windowSteps().find(*name) : windowSteps().end();
        if (window == windowSteps().end())
            return parseError("apodize needs a window: exp, gauss, lg, sine or sine2");
        std::vector<std::string> values;
        for (std::size_t i = 0; i < window->second.edits.size(); ++i) {
            const auto word = args.next();
            if (!number(word))
                return parseError("apodize " + *name + " needs " +
                                  (window->second.edits.size() == 2 ? "two numbers" : "a number"));
            values.push_back(*word);
        }
        return parsed([w = window->second, values](BatchSession& s) {
            bool applied = false;
            StepDialogs dialogs;
            dialogs.apodization = [&] {
                StepApodizationView view;
                ApodizationDialog dialog(s.doc, s.ui, s.window, view);
                dialog.open();
                view.chooseOnly(w.radio);
                for (std::size_t i = 0; i < values.size(); ++i)
                    view.texts[w.edits[i]] = values[i];
                // A message that keeps the dialog open ends the step: the user would
                // have to change the values or cancel.
                applied = dialog.accept();
                if (!applied)
                    dialog.cancel();
            };
            apodizeCommand(s.doc, s.window, dialogs);
            return applied;
        });
    };
    return step;
}

// --- fourier --------------------------------------------------------------------------

struct FourierOptions {
    std::optional<int> sizeIndex;
    std::map<int, bool> checks;  // only the options the step names
};

StepDefinition fourierStep()
{
    StepDefinition step;
    step.name = "fourier";
    step.arguments = "[size=N] [real=0|1] [drift=0|1] [quadrature=0|1] [inverse=0|1]";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        static const std::map<std::string, int, std::less<>> flags = {
            {"real", fourier_ids::Real},
            {"drift", fourier_ids::DriftCorrection},
            {"quadrature", fourier_ids::Quadrature},
            {"inverse", fourier_ids::Inverse},
        };
        FourierOptions options;
        while (const auto word = args.nextUnlessStep()) {
            const auto equals = word->find('=');
            const std::string key = word->substr(0, equals);
            const std::string value = equals == std::string::npos ? "" : word->substr(equals + 1);
            if (key == "size") {
                const auto size = wholeNumber(value);
                int index = 0;
                while (index < kTransformSizeCount &&
                       (kSmallestTransform << index) != size.value_or(0))
                    ++index;
                if (index == kTransformSizeCount)
                    return parseError("fourier size must be one of 128, 256, ..., " +
                                      std::to_string(kLargestTransform));
                options.sizeIndex = index;
            } else if (const auto flag = flags.find(key);
                       flag != flags.end() && (value == "0" || value == "1")) {
                options.checks[flag->second] = value == "1";
            } else {
                return parseError("fourier does not know \"" + *word + "\"");
            }
        }
        return parsed([options](BatchSession& s) {
            StepDialogs dialogs;
            dialogs.fourier = [&] {
                StepFourierView view;
                FourierDialog dialog(s.doc, s.ui, view);
                dialog.open();
                if (options.sizeIndex)
                    dialog.sizeChosen(*options.sizeIndex);
                for (const auto& [id, checked] : options.checks)
                    view.checks[id] = checked;
                dialog.accept();
            };
            fourierCommand(s.doc, s.window, dialogs);
            return true;
        });
    };
    return step;
}

// --- phase ----------------------------------------------------------------------------

StepDefinition phaseStep()
{
    StepDefinition step;
    step.name = "phase";
    step.arguments = "P0 P1 | phase auto";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        const auto first = args.next();
        if (first == "auto")
            return parsed([](BatchSession& s) {
                StepDialogs dialogs;
                return autoPhaseCommand(s.doc, s.ui, s.window, dialogs);
            });
        const auto p0 = wholeNumber(first);
        const auto p1 = wholeNumber(args.next());
        auto inRange = [](std::optional<int> p) {
            return p && *p >= phase_ids::kMinimum && *p <= phase_ids::kMaximum;
        };
        if (!inRange(p0) || !inRange(p1))
            return parseError("phase needs two whole numbers of degrees from -180 to 180");
        return parsed([p0 = *p0, p1 = *p1](BatchSession& s) {
            StepDialogs dialogs;
            dialogs.phase = [&] {
                StepPhaseView view;
                PhaseDialog dialog(s.doc, s.window, view);
                dialog.open();
                dialog.sliderMoved(0, p0, 0);
                dialog.sliderMoved(1, p1, 0);
                dialog.accept();
            };
            phaseCommand(s.doc, s.window, dialogs);
            return true;
        });
    };
    return step;
}

// --- baseline -------------------------------------------------------------------------

class StepBaselineView : public BaselineView {
public:
    void setRange(int, int) override {}
    void setEditValue(int, int) override {}
    int editValue(int) const override { return 0; }
    void setSliderPosition(int, int) override {}
    void drawOnWindow(const std::function<void(Canvas&)>&) override {}
};

// The manual dialog opened, its four sliders dragged to the positions and OK pressed,
// inside the window's command. A position beyond the sliders' range ends the step: the
// user could not have set it.
bool manualBaseline(BatchSession& s, const std::array<int, 4>& positions)
{
    bool applied = false;
    manualBaselineCommand(s.doc, s.ui, s.window, [&] {
        StepBaselineView view;
        BaselineDialog dialog(s.doc, s.window, view);
        dialog.open();
        for (int p : positions)
            if (p < dialog.lower() || p > dialog.upper()) {
                dialog.cancel();
                s.fail("baseline manual: the slider positions of this spectrum run from " +
                       std::to_string(dialog.lower()) + " to " +
                       std::to_string(dialog.upper()));
                return;
            }
        for (int order = 0; order < baseline_ids::kOrders; ++order)
            dialog.sliderMoved(order, positions[order], 0);
        dialog.accept();
        applied = true;
    });
    return applied;
}

class StepSmoothBaselineView : public SmoothBaselineView {
public:
    void showStrength(double) override {}
    void showBaseline(const std::vector<double>&) override {}
};

StepParse smoothBaselineStep(StepArgs& args)
{
    double strength = kDefaultBaselineStrength;
    if (const auto word = args.nextUnlessStep()) {
        const auto v = number(word);
        if (!v || *v < kMinimumBaselineStrength || *v > kMaximumBaselineStrength)
            return parseError("baseline smooth: the strength is a number from " +
                              formatFixed(kMinimumBaselineStrength, 0) + " to " +
                              formatFixed(kMaximumBaselineStrength, 0));
        strength = *v;
    }
    return parsed([strength](BatchSession& s) {
        return smoothBaselineCommand(s.doc, s.ui, s.window, [&] {
            StepSmoothBaselineView view;
            SmoothBaselineDialog dialog(s.doc, s.window, view);
            dialog.open();
            dialog.strengthChanged(strength);
            dialog.accept();
        });
    });
}

StepDefinition baselineStep()
{
    StepDefinition step;
    step.name = "baseline";
    step.arguments = "auto | baseline manual C0 C1 C2 C3 | baseline smooth [STRENGTH]";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) -> StepParse {
        const auto kind = args.next();
        if (kind == "auto")
            return parsed([](BatchSession& s) {
                autoBaselineCommand(s.doc, s.window);
                return true;
            });
        if (kind == "smooth")
            return smoothBaselineStep(args);
        if (kind != "manual")
            return parseError("baseline needs auto, manual or smooth");
        std::array<int, 4> positions{};
        for (int& p : positions) {
            const auto v = wholeNumber(args.next());
            if (!v)
                return parseError("baseline manual needs four whole slider positions");
            p = *v;
        }
        return parsed([positions](BatchSession& s) { return manualBaseline(s, positions); });
    };
    return step;
}

}  // namespace

void addProcessingSteps(StepTable& table)
{
    table.add(apodizeStep());
    table.add(fourierStep());
    table.add(phaseStep());
    table.add(baselineStep());
}

}  // namespace tesvar::batch
