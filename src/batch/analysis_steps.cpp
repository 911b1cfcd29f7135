// integrate, peaks, reference and jmark: the analysis tools on positions given in the
// current unit of the axis, through the same arithmetic as the mouse tools in the
// window and the same controller as the Reference dialog.
#include <array>
#include <map>
#include <optional>
#include <utility>

#include "analysis/analysis_host.h"
#include "analysis/referencing.h"
#include "analysis/region_selection.h"
#include "analysis/tool_commands.h"
#include "batch/batch_ui.h"
#include "batch/batch_window.h"
#include "batch/step_table.h"
#include "document/spectrum_document.h"
#include "document/view_settings.h"

namespace tesvar::batch {

namespace {

// The main window's side of the analysis, without a window: no dialog to show, no bar
// to move, nothing to draw.
class QuietAnalysisHost : public AnalysisHost {
public:
    void runHydrogensDialog() override {}
    void runIntegralFactorDialog() override {}
    void runPeakDialog() override {}
    void runReferenceDialog() override {}
    void runDataPointsDialog() override {}
    void openMeasureJDialog() override {}
    void addMeasureJLine(const std::string&) override {}
    void setHorizontalScrollRange(int) override {}
    void setHorizontalScrollPosition(int) override {}
    void setVerticalScroll(int, int) override {}
    void drawFeedback(const std::function<void(Canvas&)>&) override {}
    void setToolCursor(ToolCursor) override {}
    void showReadout(const std::string&) override {}
    void copyRegion(int, int, int, int) override {}
};

// The Reference dialog as the step fills it in.
class StepEdits : public EditsView {
public:
    void setText(int id, const std::string& t) override { texts[id] = t; }
    std::string text(int id) const override { return texts.count(id) ? texts.at(id) : ""; }

    std::map<int, std::string> texts;
};

// The time coordinate of a position read in the current unit; a unit without a usable
// scale fails the step.
std::optional<double> timeOf(BatchSession& s, double reading)
{
    const auto t = timeAtReading(s.doc, reading);
    if (!t)
        s.fail("the positions cannot be converted: the spectrum has no usable scale in this unit");
    return t;
}

// The time coordinates of a region's two ends.
std::optional<std::pair<double, double>> timesOf(BatchSession& s, double from, double to)
{
    const auto a = timeOf(s, from);
    const auto b = a ? timeOf(s, to) : std::nullopt;
    if (!b)
        return std::nullopt;
    return std::pair{*a, *b};
}

template <std::size_t N>
std::optional<std::array<double, N>> numbers(StepArgs& args)
{
    std::array<double, N> values{};
    for (double& v : values) {
        const auto word = args.next();
        const auto n = word ? stepNumber(*word) : std::nullopt;
        if (!n)
            return std::nullopt;
        v = *n;
    }
    return values;
}

StepDefinition integrateStep()
{
    StepDefinition step;
    step.name = "integrate";
    step.arguments = "FROM TO";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) {
        const auto v = numbers<2>(args);
        if (!v)
            return parseError("integrate needs FROM and TO, positions in the current unit");
        return parsed([v = *v](BatchSession& s) {
            const auto region = timesOf(s, v[0], v[1]);
            if (!region)
                return false;
            const bool added = integrateTimes(s.doc, s.ui, region->first, region->second);
            s.window.invalidatePlot();
            return added;
        });
    };
    return step;
}

StepDefinition peaksStep()
{
    StepDefinition step;
    step.name = "peaks";
    step.arguments = "FROM TO THRESHOLD";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) {
        const auto v = numbers<3>(args);
        if (!v || (*v)[2] < 0.0)
            return parseError("peaks needs FROM and TO, positions in the current unit, and a "
                              "THRESHOLD of at least 0");
        return parsed([v = *v](BatchSession& s) {
            const auto region = timesOf(s, v[0], v[1]);
            if (!region)
                return false;
            if (s.doc.fullView == 1)
                s.doc.fullView = 0;  // as every tool but Integrate does
            const bool picked = pickPeaksBetweenTimes(s.doc, s.ui, s.window, region->first,
                                                      region->second, v[2]);
            s.window.invalidatePlot();
            return picked;
        });
    };
    return step;
}

StepDefinition referenceStep()
{
    StepDefinition step;
    step.name = "reference";
    step.arguments = "AT VALUE";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) {
        const auto at = args.next();
        const auto value = args.next();
        if (!at || !value || !stepNumber(*at) || !stepNumber(*value))
            return parseError("reference needs AT, a position in the current unit (ppm or "
                              "hertz), and the VALUE it should read");
        return parsed([at = *stepNumber(*at), typed = *value](BatchSession& s) {
            referenceToolCommand(s.doc, s.window);
            if (!referenceUnitsUsable(s.doc, s.ui))
                return false;
            const auto t = timeOf(s, at);
            if (!t || !referenceClickUsable(s.doc, s.ui, *t))
                return false;
            setReferenceClick(s.doc, *t);
            StepEdits edits;
            ReferenceDialog dialog(s.doc, s.ui, s.window, edits);
            dialog.open();
            edits.setText(reference_ids::NewEdit, typed);
            return dialog.accept();
        });
    };
    return step;
}

StepDefinition jmarkStep()
{
    StepDefinition step;
    step.name = "jmark";
    step.arguments = "AT";
    step.needsSpectrum = true;
    step.parse = [](StepArgs& args) {
        const auto v = numbers<1>(args);
        if (!v)
            return parseError("jmark needs AT, a position in the current unit");
        return parsed([at = (*v)[0]](BatchSession& s) {
            QuietAnalysisHost host;
            if (s.doc.measureJActive == 0)
                measureJCommand(s.doc, s.window, host);
            const auto t = timeOf(s, at);
            if (!t)
                return false;
            if (s.doc.fullView == 1)
                s.doc.fullView = 0;
            const bool placed = placeMarker(s.doc, s.ui, host, *t);
            s.window.invalidatePlot();
            return placed;
        });
    };
    return step;
}

}  // namespace

void addAnalysisSteps(StepTable& table)
{
    table.add(integrateStep());
    table.add(peaksStep());
    table.add(referenceStep());
    table.add(jmarkStep());
}

}  // namespace tesvar::batch
