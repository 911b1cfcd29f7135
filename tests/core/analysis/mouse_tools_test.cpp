#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "analysis/data_points.h"
#include "analysis/mouse_tools.h"
#include "analysis/mouse_wheel.h"
#include "analysis/region_selection.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"
#include "document/view_commands.h"
#include "document/view_settings.h"
#include "platform/command_ids.h"
#include "document/plot_geometry.h"

namespace tesvar::test {
namespace {

// 1000 points in a 1000-pixel client area: in the full view client x is the point
// number, and t(x) = x / 1000 of the acquisition time (1 s).
class MouseAndRegions : public AnalysisTest {
protected:
    void SetUp() override { load(1000, [](int k) { return k % 7 == 0 ? 5.0 : 1.0; }); }

    void dragFrom(int x0, int y0, std::initializer_list<std::pair<int, int>> path)
    {
        tools.onLeftDown(x0, y0, false);
        for (auto [x, y] : path)
            tools.onMouseMove(x, y);
        tools.onLeftUp();
    }

    MouseTools tools{*doc, ui, window, host};
};

TEST_F(MouseAndRegions, ZoomingTwiceNarrowsTheViewTwice)
{
    zoomToolCommand(*doc, window);
    dragFrom(200, 300, {{300, 320}, {600, 350}});
    EXPECT_DOUBLE_EQ(doc->viewLeft, 0.2);
    EXPECT_DOUBLE_EQ(doc->viewRight, 0.6);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 2.5);
    EXPECT_EQ(doc->fullView, 0);
    // The second drag is in the zoomed view: pixels 500..750 of 0.2..0.6.
    dragFrom(750, 300, {{500, 350}});
    EXPECT_DOUBLE_EQ(doc->viewLeft, 0.4);
    EXPECT_DOUBLE_EQ(doc->viewRight, 0.5);
    // The scroll bar: one position per element, as far as the window can go.
    EXPECT_EQ(doc->hScrollPos, 800);
    EXPECT_EQ(doc->hScrollMax, 2000 - 1000 + 800);
    EXPECT_EQ(host.hRange, 1800);
    EXPECT_EQ(host.hPositions.back(), 800);

    // Full, then a zoom starts from the whole spectrum again.
    fullCommand(*doc, window);
    dragFrom(100, 300, {{300, 350}});
    EXPECT_DOUBLE_EQ(doc->viewLeft, 0.1);
    EXPECT_DOUBLE_EQ(doc->viewRight, 0.3);
}

TEST_F(MouseAndRegions, AClickWithoutMovementZoomsNothingAVerticalDragNeither)
{
    zoomToolCommand(*doc, window);
    dragFrom(200, 300, {});
    dragFrom(200, 300, {{200, 400}});
    EXPECT_EQ(doc->viewLeft, 0.0);
    EXPECT_EQ(doc->viewRight, 1.0);
    EXPECT_EQ(doc->zoomFactor, 1.0);
    EXPECT_EQ(doc->fullView, 1);
}

TEST_F(MouseAndRegions, DraggingRightToLeftIsDraggingLeftToRight)
{
    integrateToolCommand(*doc, window, host);
    dragFrom(600, 300, {{450, 300}, {200, 310}});
    dragFrom(200, 300, {{600, 310}});
    ASSERT_EQ(doc->integrals.count, 2);
    EXPECT_EQ(doc->integrals.start[0], doc->integrals.start[1]);
    EXPECT_EQ(doc->integrals.end[0], doc->integrals.end[1]);
    EXPECT_EQ(doc->integrals.value[0], doc->integrals.value[1]);
    EXPECT_DOUBLE_EQ(doc->integrals.start[0], 200.0);
    EXPECT_DOUBLE_EQ(doc->integrals.end[0], 600.0);
}

TEST_F(MouseAndRegions, IntegratingKeepsTheFullViewEveryOtherToolLeavesIt)
{
    integrateToolCommand(*doc, window, host);
    dragFrom(200, 300, {{600, 310}});
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_EQ(doc->integrals.startNew, 0);
    peakToolCommand(*doc, window);
    dragFrom(200, 300, {{600, 310}});
    EXPECT_EQ(doc->fullView, 0);
    EXPECT_EQ(doc->peaks.regionCount, 1);
    EXPECT_EQ(window.sentCommands, std::vector<int>{cmd::EditPeaks});

    doc->fullView = 1;
    measureJCommand(*doc, window, host);
    dragFrom(200, 300, {});
    EXPECT_EQ(doc->fullView, 0);
}

TEST_F(MouseAndRegions, ToolsWorkOnTheRegionUnderThePointerAfterLimitsOrAResize)
{
    // Limits 0.25..0.75 typed in the Set limits dialog.
    doc->viewLeft = 0.25;
    doc->viewRight = 0.75;
    updateZoomFactor(*doc);
    doc->fullView = 0;
    integrateToolCommand(*doc, window, host);
    dragFrom(100, 300, {{300, 310}});
    EXPECT_DOUBLE_EQ(doc->integrals.start[0], 300.0);
    EXPECT_DOUBLE_EQ(doc->integrals.end[0], 400.0);
    // A narrower window: the same pixels cover more of the spectrum.
    doc->clientWidth = 500;
    dragFrom(100, 300, {{300, 310}});
    EXPECT_DOUBLE_EQ(doc->integrals.start[1], 350.0);
    EXPECT_DOUBLE_EQ(doc->integrals.end[1], 550.0);
}

TEST_F(MouseAndRegions, TheRubberBandIsDrawnInvertedAndErasedByDrawingItAgain)
{
    zoomToolCommand(*doc, window);
    tools.onLeftDown(100, 200, false);
    EXPECT_EQ(host.feedbackDraws, 0);
    tools.onMouseMove(150, 250);
    tools.onMouseMove(180, 260);
    const auto lines = host.screen.lines();
    ASSERT_EQ(lines.size(), 12u);  // the first rectangle, then it again and the second
    for (const auto& l : lines)
        EXPECT_TRUE(l.inverting);
    EXPECT_FALSE(host.screen.invertingNow());
    auto corners = [&](std::size_t from) {
        std::vector<std::pair<int, int>> c;
        for (std::size_t i = from; i < from + 4; ++i)
            c.push_back({lines[i].x1, lines[i].y1});
        return c;
    };
    const std::vector<std::pair<int, int>> first = {{100, 250}, {150, 250}, {150, 200}, {100, 200}};
    EXPECT_EQ(corners(0), first);
    EXPECT_EQ(corners(4), first);  // erased
    EXPECT_EQ(corners(8), (std::vector<std::pair<int, int>>{{100, 260}, {180, 260}, {180, 200}, {100, 200}}));
    // The release erases the last one before the zoom.
    tools.onLeftUp();
    EXPECT_EQ(host.screen.lines().size(), 16u);
    EXPECT_DOUBLE_EQ(doc->viewLeft, 0.1);
}

TEST_F(MouseAndRegions, FeedbackIsClampedToTheClientArea)
{
    peakToolCommand(*doc, window);
    tools.onLeftDown(900, 100, false);
    tools.onMouseMove(1500, -40);
    const auto lines = host.screen.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].x1, 999);
    EXPECT_EQ(lines[1].y1, 0);
    tools.onLeftUp();
    // The region ends at the last pixel, the threshold comes from the top row.
    EXPECT_EQ(doc->peaks.regionEnd[0], 1998);
    EXPECT_DOUBLE_EQ(doc->peaks.lastThreshold, 400.0 * 5.0 / 75.0);
}

TEST_F(MouseAndRegions, MeasureJDrawsAVerticalLineAndHandsOverEvenWithoutMovement)
{
    measureJCommand(*doc, window, host);
    tools.onLeftDown(300, 200, false);
    tools.onLeftUp();
    EXPECT_EQ(doc->jMarkerCount, 1);
    tools.onLeftDown(300, 200, false);
    tools.onMouseMove(340, 500);
    const auto lines = host.screen.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x0, 340);
    EXPECT_EQ(lines[0].y0, 29);
    EXPECT_EQ(lines[0].y1, 800 - 23);
    tools.onLeftUp();
    EXPECT_EQ(doc->jMarkerCount, 2);
    EXPECT_EQ(host.jLines, std::vector<std::string>{"J 0-1=40.000000"});
}

TEST_F(MouseAndRegions, MoveSpectrumPutsTheZeroLineWhereTheDragEnds)
{
    moveSpectrumCommand(*doc, window);
    EXPECT_EQ(doc->moveArmed, 1);
    EXPECT_EQ(doc->interactionMode, 40015);
    dragFrom(500, 300, {{520, 150}, {530, 100}});
    EXPECT_EQ(doc->baselineY, 100);
    EXPECT_EQ(doc->interactionMode, cmd::ModeVerticalShift);
    EXPECT_EQ(doc->dragStyle, DragStyle::HorizontalLine);
    EXPECT_EQ(doc->moveArmed, 0);
    const auto lines = host.screen.lines();
    ASSERT_EQ(lines.size(), 3u);  // at 150, again at 150, at 100
    EXPECT_EQ(lines[2].x0, 0);
    EXPECT_EQ(lines[2].x1, 1000);
    EXPECT_EQ(lines[2].y0, 100);
    // Still the vertical shift: the next drag moves it again.
    dragFrom(10, 10, {{10, 620}});
    EXPECT_EQ(doc->baselineY, 620);
}

TEST_F(MouseAndRegions, ShiftClicksDoNotStartADrag)
{
    measureJCommand(*doc, window, host);
    tools.onLeftDown(300, 200, true);
    EXPECT_FALSE(tools.dragging());
    tools.onLeftUp();
    EXPECT_EQ(doc->jMarkerCount, 0);
}

TEST_F(MouseAndRegions, CursorsFollowTheToolAndTheArmedReferenceWins)
{
    const std::pair<void (*)(SpectrumDocument&, WindowPort&), ToolCursor> tools_[] = {
        {zoomToolCommand, ToolCursor::Zoom},
        {peakToolCommand, ToolCursor::PeakPicking},
        {moveSpectrumCommand, ToolCursor::MoveSpectrum}};
    for (auto [command, cursor] : tools_) {
        command(*doc, window);
        host.cursors.clear();
        tools.onMouseMove(10, 10);
        EXPECT_EQ(host.cursors, std::vector<ToolCursor>{cursor});
    }
    integrateToolCommand(*doc, window, host);
    host.cursors.clear();
    tools.onMouseMove(10, 10);
    EXPECT_EQ(host.cursors, std::vector<ToolCursor>{ToolCursor::Integrate});
    referenceToolCommand(*doc, window);  // mode None: only the reference cursor
    host.cursors.clear();
    tools.onMouseMove(10, 10);
    EXPECT_EQ(host.cursors, std::vector<ToolCursor>{ToolCursor::Reference});
}

TEST_F(MouseAndRegions, TheReadoutShowsThePositionInTheCurrentUnit)
{
    tools.onMouseMove(250, 10);
    doc->displayUnits = DisplayUnits::Hertz;
    tools.onMouseMove(250, 10);
    doc->displayUnits = DisplayUnits::Points;
    tools.onMouseMove(250, 10);
    doc->displayUnits = DisplayUnits::Seconds;
    tools.onMouseMove(250, 10);
    EXPECT_EQ(host.readouts, (std::vector<std::string>{"ppm 7.500     ", "Hertz 750.000     ",
                                                       "Point 250     ", "Second 0.250     "}));
    doc->acq.aq = 0.0;
    tools.onMouseMove(250, 10);
    EXPECT_EQ(host.readouts.size(), 4u);
}

TEST_F(MouseAndRegions, HorizontalScrollingStepsAndStopsAtTheEnds)
{
    tools.onHorizontalScroll(ScrollCode::LineForward, 0);
    EXPECT_EQ(doc->viewLeft, 0.0);  // nothing while the full spectrum is shown
    zoomToolCommand(*doc, window);
    dragFrom(0, 300, {{500, 300}});  // left half: 0..1000 elements, max 1000
    ASSERT_EQ(doc->hScrollMax, 1000);
    tools.onHorizontalScroll(ScrollCode::PageForward, 0);
    EXPECT_EQ(doc->hScrollPos, 50);
    EXPECT_DOUBLE_EQ(doc->viewLeft, 50.0 / 2000);
    EXPECT_DOUBLE_EQ(doc->viewRight, 0.5 + 50.0 / 2000);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 2.0);
    tools.onHorizontalScroll(ScrollCode::LineBack, 0);
    EXPECT_EQ(doc->hScrollPos, 40);
    tools.onHorizontalScroll(ScrollCode::ThumbTrack, 995);
    EXPECT_EQ(doc->hScrollPos, 995);
    tools.onHorizontalScroll(ScrollCode::LineForward, 0);  // only 5 left
    EXPECT_EQ(doc->hScrollPos, 1000);
    EXPECT_NEAR(doc->viewRight, 1.0, 1e-15);
    tools.onHorizontalScroll(ScrollCode::ThumbTrack, 5);
    tools.onHorizontalScroll(ScrollCode::LineBack, 0);  // -5, not -10
    EXPECT_EQ(doc->hScrollPos, 0);
    EXPECT_NEAR(doc->viewLeft, 0.0, 1e-15);  // the shifts add up with rounding
    EXPECT_EQ(host.hPositions.back(), 0);
    const auto positions = host.hPositions.size();
    tools.onHorizontalScroll(ScrollCode::LineBack, 0);
    tools.onHorizontalScroll(ScrollCode::Other, 0);
    EXPECT_EQ(host.hPositions.size(), positions);
}

TEST_F(MouseAndRegions, ScrollingAViewFarBeforeTheSpectrumMovesNothing)
{
    // Limits typed far before the spectrum, then a zoom: the scroll position and range
    // lie at the lowest a 32-bit number holds.
    doc->viewLeft = -5e6;
    doc->viewRight = 0.5;
    updateZoomFactor(*doc);
    doc->fullView = 0;
    zoomToolCommand(*doc, window);
    dragFrom(0, 300, {{500, 300}});
    ASSERT_EQ(doc->hScrollPos, std::numeric_limits<std::int32_t>::min());
    ASSERT_EQ(doc->hScrollMax, std::numeric_limits<std::int32_t>::min());
    const double left = doc->viewLeft;
    const double right = doc->viewRight;
    const auto positions = host.hPositions.size();
    for (ScrollCode code : {ScrollCode::ThumbTrack, ScrollCode::LineBack, ScrollCode::PageBack,
                            ScrollCode::LineForward, ScrollCode::PageForward}) {
        tools.onHorizontalScroll(code, 0);
        EXPECT_EQ(doc->hScrollPos, std::numeric_limits<std::int32_t>::min());
        EXPECT_EQ(doc->viewLeft, left);
        EXPECT_EQ(doc->viewRight, right);
    }
    EXPECT_EQ(host.hPositions.size(), positions);
}

TEST_F(MouseAndRegions, TheVerticalBarMovesTheIntegralsOnlyOnceOneExists)
{
    tools.onVerticalScroll(ScrollCode::PageForward, 0);
    EXPECT_EQ(doc->integralBaseY, 400);
    EXPECT_TRUE(host.vPositions.empty());
    integrateToolCommand(*doc, window, host);
    dragFrom(100, 300, {{200, 300}});
    host.vPositions.clear();
    tools.onVerticalScroll(ScrollCode::PageForward, 0);
    tools.onVerticalScroll(ScrollCode::LineBack, 0);
    tools.onVerticalScroll(ScrollCode::ThumbTrack, 795);
    tools.onVerticalScroll(ScrollCode::PageForward, 0);
    tools.onVerticalScroll(ScrollCode::ThumbTrack, 5);
    tools.onVerticalScroll(ScrollCode::PageBack, 0);
    EXPECT_EQ(host.vPositions, (std::vector<int>{412, 410, 795, 800, 5, 0}));
    EXPECT_EQ(host.vRange, 800);
}

TEST_F(MouseAndRegions, TheDataPointListInTheFullViewHasOneLinePerPoint)
{
    FakeEditsView list;
    showDataPoints(*doc, list);
    ASSERT_EQ(list.lines.size(), 1000u);
    EXPECT_EQ(list.lines[0], "    0  5.000");
    EXPECT_EQ(list.lines[999], "  999  1.000");
    dataPointsCommand(host);
    EXPECT_EQ(host.dialogs, std::vector<std::string>{"data points"});
}

TEST_F(MouseAndRegions, ReadingsTurnBackIntoTheTimeUnderThePointer)
{
    doc->ppmOffset = -0.04;
    doc->hzOffset = 3.0;
    for (DisplayUnits u : {DisplayUnits::Seconds, DisplayUnits::Ppm, DisplayUnits::Hertz,
                           DisplayUnits::Points}) {
        doc->displayUnits = u;
        for (int x : {0, 123, 640}) {
            const std::string text = readoutText(*doc, x);
            const double reading = std::stod(text.substr(text.find(' ') + 1));
            const auto t = timeAtReading(*doc, reading);
            ASSERT_TRUE(t.has_value());
            EXPECT_NEAR(*t, x / 1000.0, 1e-3) << text;
        }
    }
    doc->acq.sf = 0.0;
    doc->displayUnits = DisplayUnits::Ppm;
    EXPECT_FALSE(timeAtReading(*doc, 1.0).has_value());
}

TEST_F(MouseAndRegions, TheCopyToolHandsOverItsRectangleOnly)
{
    doc->interactionMode = cmd::Copy;
    doc->dragToolArmed = 1;
    doc->dragStyle = DragStyle::Rectangle;
    const int repaints = window.repaints;
    dragFrom(100, 120, {{300, 330}});
    EXPECT_EQ(host.copies, (std::vector<std::vector<int>>{{100, 120, 300, 330}}));
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_EQ(window.repaints, repaints);
}

WheelTurn turn(int angleY, bool control = false, bool shift = false, int x = 250)
{
    return {x, 0, angleY, 0, 0, control, shift};
}

// The scroll bar counts 2000 elements.
TEST_F(MouseAndRegions, TheWheelScalesZoomsAroundThePointerAndScrollsAsTheBarDoes)
{
    enum Before { Idle, Dragging, Empty };
    struct Case {
        const char* what;
        double left, right;  // the view before; left < 0: the whole spectrum
        std::vector<WheelTurn> turns;
        double scale, wantLeft, wantRight;  // scale: the trace height after, relative
        Before before = Idle;
    };
    const Case cases[] = {
        {"a notch away is Increase", -1, 0, {turn(120)}, 1.33, 0, 1},
        {"towards the user, Decrease", -1, 0, {turn(-120)}, 1 / 1.33, 0, 1},
        {"fine turns add up to a notch", -1, 0, {turn(40), turn(40), turn(39)}, 1, 0, 1},
        {"...and make one", -1, 0, {turn(40), turn(40), turn(-39), turn(79)}, 1.33, 0, 1},
        {"Ctrl zooms in around the pointer", -1, 0, {turn(120, true)}, 1, 0.05, 0.85},
        {"Ctrl out stops at the whole spectrum", -1, 0, {turn(-120, true)}, 1, 0, 1},
        {"Ctrl out keeps within the data", 0.5, 1, {turn(-120, true, false, 0)}, 1, 0.375, 1},
        {"Shift scrolls a tenth of the view", .25, .75, {turn(-120, false, true)}, 1, .3, .8},
        {"a horizontal wheel to the left", .25, .75, {{0, 120, 0, 0, 0}}, 1, .2, .7},
        {"a swipe follows the fingers", .25, .75, {{0, -6, -1, -30, -2}}, 1, .265, .765},
        {"no scrolling in the whole view", -1, 0, {turn(-120, false, true)}, 1, 0, 1},
        {"nothing during a drag", .25, .75, {turn(120, true), turn(120)}, 1, .25, .75, Dragging},
        {"nothing without a spectrum", -1, 0, {turn(120, true), turn(120)}, 1, 0, 1, Empty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        doc->hScrollPos = 0;
        doc->hasSpectrum = c.before == Empty ? 0 : 1;
        MouseTools tools{*doc, ui, window, host};  // not dragging
        MouseWheel wheel{*doc, window, host, tools};
        const double scale = doc->verticalScale;
        if (c.left >= 0) {
            doc->fullView = 0;
            zoomToTimes(*doc, host, c.left, c.right);
        }
        if (c.before == Dragging) {
            zoomToolCommand(*doc, window);
            tools.onLeftDown(100, 100, false);
        }
        const std::string under = readoutText(*doc, 250);
        for (const WheelTurn& t : c.turns)
            wheel.onWheel(t);
        EXPECT_NEAR(doc->verticalScale, scale * c.scale, 1e-9);
        EXPECT_NEAR(doc->viewLeft, c.wantLeft, 1e-12);
        EXPECT_NEAR(doc->viewRight, c.wantRight, 1e-12);
        EXPECT_EQ(doc->fullView, c.wantRight - c.wantLeft == 1 ? 1 : 0);
        EXPECT_NEAR(doc->hScrollPos, c.wantLeft * 2000, 1.0) << "the bar follows the view";
        if (c.turns[0].control && c.left < 0 && doc->fullView == 0) {
            EXPECT_EQ(readoutText(*doc, 250), under) << "the ppm under the pointer stays";
        }
    }
}

}  // namespace
}  // namespace tesvar::test
