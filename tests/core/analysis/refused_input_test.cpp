#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "analysis/coupling.h"
#include "analysis/data_points.h"
#include "analysis/mouse_tools.h"
#include "analysis/peak_dialog.h"
#include "analysis/peak_picking.h"
#include "analysis/referencing.h"
#include "analysis/region_selection.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"
#include "document/text_format.h"
#include "platform/command_ids.h"
#include "render/plot_geometry.h"

namespace tesvar::test {
namespace {

enum class Input { Threshold, ReferenceValue, MarkerPosition };

// 1000 points over an acquisition time aq; "outside" lies half a spectrum beyond it.
class RefusedInput : public AnalysisTest {
protected:
    void SetUp() override { load(1000, [](int k) { return k == 400 ? 100.0 : 0.0; }); }

    // Returns whether the tool took the input.
    bool give(Input input, const std::string& typed)
    {
        const bool outside = typed == "outside";
        const double aq = doc->acq.aq;
        const double number = outside ? 1.5 * aq : readLeadingNumber(typed);
        switch (input) {
        case Input::Threshold:
            return outside ? pickPeaksBetweenTimes(*doc, ui, window, 1.2 * aq, 1.6 * aq, 10.0)
                           : pickPeaksBetweenTimes(*doc, ui, window, 0.1 * aq, 0.9 * aq, number);
        case Input::MarkerPosition:
            return placeMarker(*doc, ui, host, number);
        case Input::ReferenceValue: {
            // The click: on the data, or on a view scrolled past its end.
            if (outside) {
                doc->viewLeft = 1.2 * aq;
                doc->viewRight = 2.2 * aq;
                updateZoomFactor(*doc);
            }
            bool accepted = false;
            FakeEditsView view;
            ReferenceDialog dialog(*doc, ui, window, view);
            host.onReference = [&] {
                dialog.open();
                view.setText(reference_ids::NewEdit, typed);
                accepted = dialog.accept();
            };
            MouseTools tools(*doc, ui, window, host);
            referenceToolCommand(*doc, window);
            tools.onLeftDown(270, 300, false);
            return accepted;
        }
        }
        return false;
    }
};

TEST_F(RefusedInput, NonFiniteNumbersAndPositionsOffTheDataAreRefusedWithAMessage)
{
    for (Input input : {Input::Threshold, Input::ReferenceValue, Input::MarkerPosition}) {
        for (const char* typed : {"nan", "inf", "-inf", "1e400", "-nan", "outside"}) {
            SetUp();
            ui.messages.clear();
            window.sentCommands.clear();
            const auto offsets = std::make_tuple(doc->ppmOffset, doc->hzOffset, doc->referencePoint);
            const int scenario = static_cast<int>(input);
            EXPECT_FALSE(give(input, typed)) << scenario << " " << typed;
            ASSERT_EQ(ui.messages.size(), 1u) << scenario << " " << typed;
            EXPECT_EQ(ui.messages[0].caption, "Warning");
            EXPECT_EQ(doc->peaks.regionCount, 0);
            EXPECT_TRUE(window.sentCommands.empty()) << "no report opens";
            EXPECT_EQ(doc->jMarkerCount, 0);
            EXPECT_EQ(std::make_tuple(doc->ppmOffset, doc->hzOffset, doc->referencePoint), offsets);
        }
    }
    // The same inputs, finite and on the data, are taken.
    for (Input input : {Input::Threshold, Input::ReferenceValue, Input::MarkerPosition})
        EXPECT_TRUE(give(input, "0.5")) << static_cast<int>(input);
}

TEST_F(RefusedInput, NoTextOfAnEmptyDocumentShowsNanOrInf)
{
    doc = std::make_unique<SpectrumDocument>();
    doc->clientWidth = 1000;
    doc->clientHeight = 800;
    doc->displayUnits = DisplayUnits::Ppm;
    // The tools before any spectrum: each is refused.
    doc->interactionMode = cmd::PeakPicking;
    completeRegion(*doc, ui, window, host, cmd::PeakPicking, {100, 300, 600, 400});
    completeRegion(*doc, ui, window, host, cmd::MeasureJ, {100, 300, 600, 400});
    EXPECT_EQ(ui.messages.size(), 2u);

    std::vector<std::string> texts = peakListLines(*doc);
    for (const ReportLine& line : peakReport(*doc).body)
        texts.push_back(line.text);
    texts.push_back(thresholdText(doc->peaks.lastThreshold));
    for (const std::string& line : couplingLines(*doc))
        texts.push_back(line);
    for (const std::string& line : dataPointLines(*doc))
        texts.push_back(line);
    for (DisplayUnits units : {DisplayUnits::Seconds, DisplayUnits::Ppm, DisplayUnits::Hertz,
                               DisplayUnits::Points}) {
        doc->displayUnits = units;
        texts.push_back(readoutText(*doc, 500));
    }
    for (const std::string& text : texts)
        for (const char* word : {"nan", "inf"})
            EXPECT_EQ(text.find(word), std::string::npos) << text;
    // What the formatting would show for a value that is not a number.
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "n/a");
}

}  // namespace
}  // namespace tesvar::test
