#include <gtest/gtest.h>

#include <limits>
#include <tuple>

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

class RefusedInput : public AnalysisTest {
protected:
    // A threshold, a reference value or a marker position read from `typed`; "off" puts
    // the region, the reference click or the marker beyond the data (aq is 1 s).
    bool give(int input, const std::string& typed)
    {
        const bool off = typed == "off";
        const double number = off ? 1.5 : readLeadingNumber(typed);
        if (input == 0)
            return pickPeaksBetweenTimes(*doc, ui, window, off ? 1.2 : 0.1, off ? 1.6 : 0.9,
                                         off ? 1 : number);
        if (input == 1)
            return placeMarker(*doc, ui, host, number);
        doc->viewLeft = off ? 1.2 : 0.0;  // a view scrolled past the end of the data
        bool accepted = false;
        FakeEditsView view;
        ReferenceDialog dialog(*doc, ui, window, view);
        host.onReference = [&] {
            dialog.open();
            view.setText(reference_ids::NewEdit, typed);
            accepted = dialog.accept();
        };
        referenceToolCommand(*doc, window);
        MouseTools(*doc, ui, window, host).onLeftDown(270, 300, false);
        return accepted;
    }
};

TEST_F(RefusedInput, NonFiniteNumbersAndPositionsOffTheDataAreRefusedWithAMessage)
{
    for (int input = 0; input < 3; ++input) {
        for (const char* typed : {"nan", "-nan", "inf", "-inf", "1e400", "off", "0.5"}) {
            load(1000, [](int k) { return k == 400 ? 100.0 : 0.0; });
            ui.messages.clear();
            const auto state = std::make_tuple(doc->peaks.regionCount, doc->jMarkerCount,
                                               doc->ppmOffset, doc->referencePoint);
            const bool taken = give(input, typed);
            // Only the finite number on the data is taken.
            EXPECT_EQ(taken, std::string(typed) == "0.5") << input << " " << typed;
            EXPECT_EQ(ui.messages.size(), taken ? 0u : 1u) << input << " " << typed;
            if (!taken)
                EXPECT_EQ(std::make_tuple(doc->peaks.regionCount, doc->jMarkerCount,
                                          doc->ppmOffset, doc->referencePoint), state);
        }
    }
}

TEST_F(RefusedInput, NoTextOfAnEmptyDocumentShowsNanOrInf)
{
    doc->clientWidth = 1000;
    doc->clientHeight = 800;
    // Peak picking and a marker before any spectrum are refused.
    completeRegion(*doc, ui, window, host, cmd::PeakPicking, {100, 300, 600, 400});
    completeRegion(*doc, ui, window, host, cmd::MeasureJ, {100, 300, 600, 400});
    EXPECT_EQ(ui.messages.size(), 2u);
    std::vector<std::string> texts = peakListLines(*doc);
    texts.push_back(thresholdText(doc->peaks.lastThreshold));
    for (const std::string& line : dataPointLines(*doc))
        texts.push_back(line);
    for (int units = 1; units <= 4; ++units) {
        doc->displayUnits = static_cast<DisplayUnits>(units);
        texts.push_back(readoutText(*doc, 500));
    }
    texts.push_back(formatFixed(-std::numeric_limits<double>::quiet_NaN(), 2));
    for (const std::string& text : texts)
        EXPECT_TRUE(text.find("nan") == std::string::npos && text.find("inf") == std::string::npos)
            << text;
}

}  // namespace
}  // namespace tesvar::test
