#include <gtest/gtest.h>

#include "analysis/coupling.h"
#include "analysis/mouse_tools.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"

namespace tesvar::test {
namespace {

// 1000 points, SW 1000 Hz: in the full view (1000 pixels) one pixel is one point, 1 Hz.
class Coupling : public AnalysisTest {
protected:
    void SetUp() override
    {
        load(1000, [](int) { return 1.0; });
        measureJCommand(*doc, window, host);
    }
    // A click without movement in Measure J mode: the marker is placed on release.
    void click(int x)
    {
        tools.onLeftDown(x, 300, false);
        tools.onLeftUp();
    }

    MouseTools tools{*doc, ui, window, host};
};

TEST_F(Coupling, TheCommandArmsAVerticalLineDragAndOpensTheDialog)
{
    EXPECT_EQ(doc->interactionMode, 40149);
    EXPECT_EQ(doc->dragStyle, DragStyle::VerticalLine);
    EXPECT_EQ(doc->dragToolArmed, 1);
    EXPECT_EQ(doc->measureJActive, 1);
    EXPECT_EQ(window.prompt, " ");
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"measure j"});
}

TEST_F(Coupling, ThreeClicksGiveTheLinesOfTheTwoPairsWhateverTheirOrder)
{
    click(100);
    EXPECT_TRUE(host.jLines.empty());
    click(140);
    click(90);
    EXPECT_EQ(host.jLines, (std::vector<std::string>{"J 0-1=40.000000", "J 1-2=50.000000"}));
    EXPECT_EQ(doc->jMarkerCount, 3);
    // The same clicks in the opposite order give the same distances.
    doc->jMarkerCount = 0;
    host.jLines.clear();
    click(90);
    click(140);
    click(100);
    EXPECT_EQ(host.jLines, (std::vector<std::string>{"J 0-1=50.000000", "J 1-2=40.000000"}));
    EXPECT_EQ(window.repaints, 6);
}

TEST_F(Coupling, TheDistanceIsInHertzWhateverTheUnitOrZoom)
{
    doc->displayUnits = DisplayUnits::Seconds;
    doc->jMarkers[0] = 0.1 * doc->acq.aq;
    doc->jMarkers[1] = 0.6 * doc->acq.aq;
    EXPECT_NEAR(couplingBetween(*doc, 0, 1), doc->acq.sw / 2, 1e-9);
    EXPECT_NEAR(couplingBetween(*doc, 1, 0), doc->acq.sw / 2, 1e-9);

    // Zoomed to a fifth of the spectrum, 100 pixels are 20 points, 20 Hz.
    doc->viewLeft = 0.2 * doc->acq.aq;
    doc->viewRight = 0.4 * doc->acq.aq;
    updateZoomFactor(*doc);
    doc->jMarkerCount = 0;
    host.jLines.clear();
    click(300);
    click(400);
    EXPECT_EQ(host.jLines, std::vector<std::string>{"J 0-1=20.000000"});
}

TEST_F(Coupling, ResetBreaksTheChainInTheListButNotInThePrintout)
{
    FakeMeasureJView view;
    MeasureJDialog dialog(*doc, window, view);
    dialog.open();
    click(100);
    dialog.reset();
    click(110);
    click(130);
    EXPECT_EQ(host.jLines, std::vector<std::string>{"J 1-2=20.000000"});

    FakeReportPrinter printer;
    printer.canvas.setFont({"Courier", 16});
    dialog.print(printer, ui);
    EXPECT_EQ(printer.documentNames, std::vector<std::string>{"Peak Picking Ouput"});
    const auto page = printer.page(0);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(page[0].text, "Meassure J result:");
    EXPECT_EQ(page[1].text, "J 0-1=10.000000");
    EXPECT_EQ(page[1].y0, 32);
    EXPECT_EQ(page[2].text, "J 1-2=20.000000");
    EXPECT_EQ(page[2].y0, 48);
}

TEST_F(Coupling, ClearAllStartsAgainAtMarkerZero)
{
    FakeMeasureJView view;
    MeasureJDialog dialog(*doc, window, view);
    click(100);
    click(120);
    view.lines = host.jLines;
    dialog.clearAll();
    EXPECT_TRUE(view.lines.empty());
    EXPECT_EQ(doc->jMarkerCount, 0);
    EXPECT_FALSE(view.closed);
    host.jLines.clear();
    click(300);
    EXPECT_TRUE(host.jLines.empty());
    EXPECT_EQ(doc->jMarkerCount, 1);
    EXPECT_DOUBLE_EQ(doc->jMarkers[0], 0.3 * doc->acq.aq);
}

TEST_F(Coupling, OkHidesTheMarkersAndStopsTheDrags)
{
    FakeMeasureJView view;
    MeasureJDialog dialog(*doc, window, view);
    click(100);
    dialog.accept();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(doc->measureJActive, 0);
    EXPECT_EQ(doc->dragToolArmed, 0);
    EXPECT_EQ(doc->jMarkerCount, 0);
    EXPECT_EQ(doc->interactionMode, 40149);
    click(200);
    EXPECT_EQ(doc->jMarkerCount, 0);
}

TEST_F(Coupling, AFurtherDialogListsTheMarkersAlreadyPlaced)
{
    click(100);
    click(250);
    FakeMeasureJView view;
    MeasureJDialog dialog(*doc, window, view);
    dialog.open();
    EXPECT_EQ(view.lines, (std::vector<std::string>{"0.100000", "0.250000"}));
}

TEST_F(Coupling, TheTwoHundredAndFirstMarkerIsRefused)
{
    for (int i = 0; i < 200; ++i)
        click(i);
    EXPECT_EQ(doc->jMarkerCount, 200);
    EXPECT_EQ(host.jLines.size(), 199u);
    EXPECT_TRUE(ui.messages.empty());
    click(500);
    EXPECT_EQ(doc->jMarkerCount, 200);
    EXPECT_EQ(host.jLines.size(), 199u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[0].text, text::kTooManyMarkers);
    EXPECT_DOUBLE_EQ(doc->jMarkers[199], 199 * doc->acq.aq / 1000);
}

}  // namespace
}  // namespace tesvar::test
