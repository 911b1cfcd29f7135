#include <gtest/gtest.h>

#include "analysis/mouse_tools.h"
#include "analysis/peak_picking.h"
#include "analysis/referencing.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"
#include "document/plot_geometry.h"

namespace tesvar::test {
namespace {

// 1000 points, SW 1000 Hz at 100 MHz: element i reads (2000 - i) / 2 Hz, a hundredth of
// that in ppm; client x (1000 pixels wide) is the point number in the full view.
class Referencing : public AnalysisTest {
protected:
    void SetUp() override { load(1000, [](int) { return 1.0; }); }

    // The reference click at client x, then the dialog with `typed` in the new edit.
    void reference(int x, const std::string& typed)
    {
        MouseTools tools(*doc, ui, window, host);
        referenceToolCommand(*doc, window);
        host.onReference = [&] {
            dialog.open();
            shownCurrent = view.text(reference_ids::CurrentEdit);
            shownNew = view.text(reference_ids::NewEdit);
            if (!typed.empty())
                view.setText(reference_ids::NewEdit, typed);
            dialog.accept();
        };
        tools.onLeftDown(x, 300, false);
    }
    double ppmReading(int x) const { return std::stod(readoutText(*doc, x).substr(4)); }
    double hertzReading(int x) const { return std::stod(readoutText(*doc, x).substr(6)); }

    FakeEditsView view;
    ReferenceDialog dialog{*doc, ui, window, view};
    std::string shownCurrent, shownNew;
};

TEST_F(Referencing, ThePromptArmsEveryLaterLeftClick)
{
    doc->interactionMode = 40007;
    referenceToolCommand(*doc, window);
    EXPECT_EQ(window.prompt, "Press  left mouse button to reference");
    EXPECT_EQ(doc->referenceArmed, 1);
    EXPECT_EQ(doc->interactionMode, 8989);
    reference(100, "");
    reference(200, "");
    EXPECT_EQ(host.dialogs, (std::vector<std::string>{"reference", "reference"}));
}

TEST_F(Referencing, SevenThirtyToSevenTwentySixShiftsPpmAndHertzReadingsAlike)
{
    // Point 270 reads (1 - 0.27) x 1000 / 100 = 7.30 ppm.
    reference(270, "7.26");
    EXPECT_EQ(shownCurrent, "7.300000");
    EXPECT_EQ(shownNew, "7.300000");
    EXPECT_NEAR(doc->ppmOffset, -0.04, 1e-12);
    EXPECT_NEAR(doc->hzOffset, -4.0, 1e-9);
    for (int x : {0, 270, 512, 999}) {
        EXPECT_NEAR(ppmReading(x), (1.0 - x / 1000.0) * 10.0 - 0.04, 5e-4) << x;
        EXPECT_NEAR(peakPpm(*doc, 2 * x), (1.0 - x / 1000.0) * 10.0 - 0.04, 1e-12) << x;
        EXPECT_NEAR(peakHertz(*doc, 2 * x), ((1.0 - x / 1000.0) * 10.0 - 0.04) * 100, 1e-9) << x;
        EXPECT_NEAR(axisValue(*doc, 2 * x), (1.0 - x / 1000.0) * 10.0 - 0.04, 1e-12) << x;
    }
    EXPECT_EQ(doc->referenceIndex, 540);
    EXPECT_EQ(doc->referencePoint, 2000);  // the axis origin moves by the offset
    doc->displayUnits = DisplayUnits::Hertz;
    EXPECT_NEAR(axisValue(*doc, 540), 726.0, 1e-9);
    EXPECT_NEAR(hertzReading(270), 726.0, 1e-9);
}

TEST_F(Referencing, ReferencingAgainStartsFromTheUnreferencedReading)
{
    reference(270, "7.26");
    reference(270, "7.00");
    EXPECT_NEAR(doc->ppmOffset, -0.30, 1e-12);
    reference(500, "");  // OK without editing
    EXPECT_EQ(shownCurrent, "4.700000");
    EXPECT_NEAR(doc->ppmOffset, -0.30, 1e-6);
    EXPECT_NEAR(axisValue(*doc, 1000), 4.7, 1e-6);
}

TEST_F(Referencing, HertzReferencingMovesThePpmScaleByTheSameShift)
{
    reference(270, "7.26");
    doc->displayUnits = DisplayUnits::Hertz;
    reference(100, "850");
    EXPECT_EQ(shownCurrent, "896.000000");
    EXPECT_NEAR(doc->hzOffset, -50.0, 1e-9);
    EXPECT_NEAR(doc->ppmOffset, -0.5, 1e-12);
    EXPECT_NEAR(hertzReading(100), 850.0, 1e-9);
    EXPECT_NEAR(axisValue(*doc, 200), 850.0, 1e-9);
}

TEST_F(Referencing, AnOddClickIndexIsKeptEvenButTheScaleUsesTheExactClick)
{
    // Client x 3.6 is not a pixel; the click's time gives element 7.2 -> 7 -> 8.
    setReferenceClick(*doc, xToTime(*doc, 3.6));
    EXPECT_EQ(doc->referenceIndex, 8);
    doc->referenceBase = unreferencedReading(*doc);
    EXPECT_NEAR(doc->referenceBase, (1.0 - 0.0036) * 10.0, 1e-12);
    applyReference(*doc, 9.0);
    EXPECT_NEAR(doc->ppmOffset, 9.0 - 9.964, 1e-12);
    EXPECT_NEAR(frequencyOrigin(*doc), 7.2 + 1800.0, 1e-9);  // 9 ppm at element 7.2
    setReferenceClick(*doc, xToTime(*doc, 4.0));
    EXPECT_EQ(doc->referenceIndex, 8);
}

TEST_F(Referencing, CancelChangesNothingButRepaints)
{
    MouseTools tools(*doc, ui, window, host);
    referenceToolCommand(*doc, window);
    host.onReference = [&] {
        dialog.open();
        view.setText(reference_ids::NewEdit, "1.5");
        dialog.cancel();
    };
    const int repaints = window.repaints;
    tools.onLeftDown(270, 300, false);
    EXPECT_EQ(doc->ppmOffset, 0.0);
    EXPECT_EQ(doc->referencePoint, 2000);
    EXPECT_EQ(window.repaints, repaints + 1);
}

TEST_F(Referencing, InSecondsOrPointsTheClickOnlyWarns)
{
    for (DisplayUnits units : {DisplayUnits::Seconds, DisplayUnits::Points}) {
        doc->displayUnits = units;
        ui.messages.clear();
        reference(270, "7.26");
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "To reference the units must be in Hertz or  ppm");
        EXPECT_EQ(ui.messages[0].caption, "Warning");
        EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
    }
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_EQ(doc->referenceArmed, 1);
    EXPECT_EQ(doc->ppmOffset, 0.0);
}

TEST_F(Referencing, NonNumericInputReferencesTheClickToZero)
{
    reference(270, "seven");
    EXPECT_NEAR(doc->ppmOffset, -7.3, 1e-12);
    EXPECT_NEAR(ppmReading(270), 0.0, 5e-4);
}

}  // namespace
}  // namespace tesvar::test
