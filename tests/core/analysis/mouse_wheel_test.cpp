#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/mouse_tools.h"
#include "analysis/mouse_wheel.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"
#include "render/plot_geometry.h"

namespace tesvar {
namespace {

class Wheel : public test::AnalysisTest {};

WheelTurn turn(int angleY, bool control = false, bool shift = false, int x = 250)
{
    return {x, 0, angleY, 0, 0, control, shift};
}

// 1000 points, 1000 pixels wide, 1 s of acquisition: the scroll bar counts 2000 elements.
TEST_F(Wheel, ScalesZoomsAroundThePointerAndScrollsAsTheBarDoes)
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
        load(1000, [](int k) { return k % 7 == 0 ? 5.0 : 1.0; });
        doc->hScrollPos = 0;
        doc->hasSpectrum = c.before == Empty ? 0 : 1;
        MouseTools tools{*doc, ui, window, host};
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
}  // namespace tesvar
