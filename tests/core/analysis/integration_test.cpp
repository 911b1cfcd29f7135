#include <gtest/gtest.h>

#include <cmath>

#include "analysis/integral_dialogs.h"
#include "analysis/integration.h"
#include "analysis/mouse_tools.h"
#include "analysis/region_selection.h"
#include "analysis/tool_commands.h"
#include "core/analysis/analysis_fixture.h"
#include "document/integral_label.h"
#include "render/screen_plot.h"

namespace tesvar::test {
namespace {

class Integration : public AnalysisTest {
protected:
    // Integrates points from..to as a fresh table would, or appended to it.
    bool integrate(double from, double to)
    {
        const bool added = integrateRegion(*doc, ui, from, to, doc->integrals.startNew != 0);
        doc->integrals.startNew = 0;
        return added;
    }
    // The labels as the repaint draws them; it also renews the boxes a click finds.
    std::string label(int i)
    {
        RecordingCanvas canvas;
        renderPlot(*doc, canvas);
        return integralLabelText(doc->integrals, i);
    }
    int labelX(int i) const
    {
        return (doc->integrals.labelLeft[i] + doc->integrals.labelRight[i]) / 2;
    }
    void paint()
    {
        RecordingCanvas canvas;
        renderPlot(*doc, canvas);
    }
    // Lines of areas 10, 20 and 40, each integrated, labelled 1.00, 2.00 and 4.00.
    void threeIntegrals()
    {
        load(1000, [](int k) {
            return gaussian(k, 100, 3, 10) + gaussian(k, 300, 3, 20) + gaussian(k, 500, 3, 40);
        });
        ASSERT_TRUE(integrate(80, 120));
        ASSERT_TRUE(integrate(280, 320));
        ASSERT_TRUE(integrate(480, 520));
        paint();
    }
};

TEST_F(Integration, EvenPointTruncatesTowardZeroAndMovesDownToEven)
{
    EXPECT_EQ(evenPoint(10.9), 10);
    EXPECT_EQ(evenPoint(11.9), 10);
    EXPECT_EQ(evenPoint(12.0), 12);
    EXPECT_EQ(evenPoint(-0.5), 0);
    EXPECT_EQ(evenPoint(-3.2), -4);
    EXPECT_EQ(evenPoint(std::nan("")), 0);
    EXPECT_EQ(evenPoint(1e300), 4503599627370496);
}

TEST_F(Integration, AFlatRegionOfConstantValueIntegratesToThatValue)
{
    load(1000, [](int) { return 3.25; });
    // Regions in the middle, of several widths, and touching either end of the data,
    // where the baseline windows run out of values in use.
    const std::pair<double, double> regions[] = {
        {100.0, 140.0}, {200.5, 207.9}, {500.0, 900.0}, {0.0, 30.0}, {0.0, 3.0},
        {980.0, 999.9}, {996.0, 999.0}, {990.0, 1500.0}, {-40.0, 20.0}};
    for (auto [from, to] : regions) {
        ASSERT_TRUE(integrate(from, to));
        const int k = doc->integrals.last;
        EXPECT_NEAR(doc->integrals.value[k], 3.25, 1e-12) << from << ".." << to;
    }
}

TEST_F(Integration, OnePointGivesThatPointsValueWithNoBaseline)
{
    load(1000, [](int k) { return 10.0 + k; });
    ASSERT_TRUE(integrate(400.2, 401.7));  // both ends give point 400
    EXPECT_EQ(doc->integrals.value[0], re(400));
    EXPECT_EQ(integralBaseline(*doc, 0), 0.0);
    EXPECT_EQ(doc->integrals.start[0], 400.2);  // positions are kept unrounded
    EXPECT_EQ(doc->integrals.end[0], 401.7);
}

TEST_F(Integration, APeakOnAFlatBaselineGivesItsAreaPlusTheBaselineLevel)
{
    // A sampled Gaussian of area 250 (sigma 4 points) sums to its area to well below
    // 1e-9; the baseline sum has one term fewer than the data sum, leaving one level.
    load(1000, [](int k) { return 0.75 + gaussian(k, 500.3, 4.0, 250.0); });
    ASSERT_TRUE(integrate(440.0, 560.0));
    EXPECT_NEAR(doc->integrals.value[0], 250.0 + 0.75, 1e-9);
    // Reversed ends give the same integral.
    ASSERT_TRUE(integrate(560.0, 440.0));
    EXPECT_EQ(doc->integrals.value[1], doc->integrals.value[0]);
}

TEST_F(Integration, ALinearRampIntegratesToItsValueTwoPointsBeforeTheEnd)
{
    // For y = alpha + beta p over points a..b (n = b - a), the end windows' means lie
    // at a+2 and b-2; the data sum minus the baseline sum is then alpha + beta (b - 2).
    const double alpha = -4.0, beta = 0.125;
    load(1000, [&](int k) { return alpha + beta * k; });
    for (auto [a, b] : {std::pair{100, 180}, std::pair{300, 310}, std::pair{600, 900}}) {
        ASSERT_TRUE(integrate(a, b));
        EXPECT_NEAR(doc->integrals.value[doc->integrals.last], alpha + beta * (b - 2), 1e-9)
            << a << ".." << b;
    }
}

TEST_F(Integration, ValuesBeyondThoseInUseAreNeverRead)
{
    load(1000, [](int) { return 2.0; });
    // Stale values after the spectrum (the buffer is not cleared between spectra).
    for (int i = doc->valueCount; i < doc->valueCount + 40; ++i)
        doc->data[i] = 1e12;
    ASSERT_TRUE(integrate(994.0, 1010.0));
    EXPECT_NEAR(doc->integrals.value[0], 2.0, 1e-12);
    // A region wholly beyond the data, or before it, is refused with a message.
    EXPECT_FALSE(integrate(1100.0, 1200.0));
    EXPECT_FALSE(integrateTimes(*doc, ui, -0.2 * doc->acq.aq, -0.01 * doc->acq.aq));
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(doc->integrals.count, 1);
    load(1000, [](int) { return 2.0; });  // the next integral starts a new table
    EXPECT_FALSE(integrateTimes(*doc, ui, 1.2 * doc->acq.aq, 1.3 * doc->acq.aq));
    EXPECT_EQ(doc->integrals.startNew, 1);
}

TEST_F(Integration, LabelsShowEachValueRelativeToTheFirst)
{
    load(1000, [](int k) { return gaussian(k, 200, 3, 100) + gaussian(k, 600, 3, 250); });
    ASSERT_TRUE(integrate(170, 230));
    ASSERT_TRUE(integrate(570, 630));
    EXPECT_EQ(label(0), "1.00");
    EXPECT_EQ(label(1), "2.50");
    EXPECT_EQ(doc->integralsShown, 1);
    EXPECT_EQ(doc->integrals.present, 1);
}

TEST_F(Integration, AReferenceOfZeroGivesNoNumberInTheLabels)
{
    load(1000, [](int k) { return k < 500 ? 0.0 : 1.0; });
    ASSERT_TRUE(integrate(100, 200));  // all zero
    ASSERT_TRUE(integrate(600, 700));
    EXPECT_EQ(doc->integrals.value[0], 0.0);
    EXPECT_EQ(label(0), "n/a");
    EXPECT_EQ(label(1), "n/a");
}

TEST_F(Integration, AHundredIntegralsAreAcceptedAndTheNextIsRefused)
{
    load(1000, [](int) { return 1.0; });
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(integrate(5 * i, 5 * i + 4)) << i;
    EXPECT_TRUE(ui.messages.empty());
    const auto before = doc->integrals;
    EXPECT_FALSE(integrate(10, 20));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error");
    EXPECT_EQ(ui.messages[0].caption, "Too many integrals");
    EXPECT_EQ(ui.messages[0].owner, Owner::None);
    EXPECT_EQ(doc->integrals.count, 100);
    EXPECT_EQ(doc->integrals.last, 99);
    EXPECT_EQ(doc->integrals.value, before.value);
    EXPECT_EQ(doc->integrals.start, before.start);
}

TEST_F(Integration, TheFirstIntegrationAfterALoadStartsANewTable)
{
    load(1000, [](int) { return 1.0; });
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(integrate(10 * i, 10 * i + 8));
    load(1000, [](int) { return 1.0; });
    EXPECT_EQ(doc->integrals.count, 3);  // left as it was, but startNew is set
    ASSERT_TRUE(integrate(50, 60));
    EXPECT_EQ(doc->integrals.count, 1);
    EXPECT_EQ(doc->integrals.last, 0);
}

TEST_F(Integration, RightClickAndThreeRescalesEveryLabelCancelKeepsThem)
{
    load(1000, [](int k) { return gaussian(k, 200, 3, 100) + gaussian(k, 600, 3, 200); });
    ASSERT_TRUE(integrate(170, 230));
    ASSERT_TRUE(integrate(570, 630));
    paint();
    MouseTools tools(*doc, ui, window, host);

    FakeEditsView view;
    HydrogensDialog dialog(*doc, window, view);
    host.onHydrogens = [&] {
        dialog.open();
        EXPECT_EQ(view.text(integral_ids::HydrogensEdit), "2.000000");
        view.setText(integral_ids::HydrogensEdit, "3");
        dialog.accept();
    };
    tools.onRightDown(labelX(1), 400);
    ASSERT_EQ(host.dialogs, std::vector<std::string>{"hydrogens"});
    EXPECT_EQ(doc->integrals.reference, 1);
    EXPECT_EQ(label(1), "3.00");
    EXPECT_EQ(label(0), "1.50");

    // Cancel keeps the former reference and its number: nothing changes on the plot.
    host.onHydrogens = [&] {
        dialog.open();
        EXPECT_EQ(view.text(integral_ids::HydrogensEdit), "1.500000");
        view.setText(integral_ids::HydrogensEdit, "7");
        dialog.cancel();
    };
    tools.onRightDown(labelX(0), 400);
    EXPECT_EQ(doc->integrals.reference, 1);
    EXPECT_EQ(doc->integrals.referenceHydrogens, 3.0);
    EXPECT_EQ(label(0), "1.50");
    EXPECT_EQ(label(1), "3.00");
}

TEST_F(Integration, CancelKeepsLabelsOfIntegralsTooSmallForTheEditsDecimals)
{
    // The clicked integral, a ten-millionth of the reference or nothing, shows 0.000000.
    for (double clicked : {1e-5, 0.0}) {
        load(1000, [&](int k) { return gaussian(k, 200, 3, 100) + gaussian(k, 600, 3, clicked); });
        ASSERT_TRUE(integrate(170, 230));
        ASSERT_TRUE(integrate(570, 630));
        const std::vector<std::string> before = {label(0), label(1)};
        FakeEditsView view;
        HydrogensDialog dialog(*doc, window, view);
        host.onHydrogens = [&] { dialog.open(), dialog.cancel(); };
        MouseTools(*doc, ui, window, host).onRightDown(labelX(1), 400);
        EXPECT_EQ(view.text(integral_ids::HydrogensEdit), "0.000000");
        EXPECT_EQ((std::vector<std::string>{label(0), label(1)}), before) << clicked;
    }
}

TEST_F(Integration, ClicksBesideTheLabelsOrWithoutIntegralsFindNothing)
{
    load(1000, [](int) { return 1.0; });
    MouseTools tools(*doc, ui, window, host);
    tools.onRightDown(500, 400);
    EXPECT_TRUE(host.dialogs.empty());

    ASSERT_TRUE(integrate(100, 140));
    ASSERT_TRUE(integrate(500, 540));
    paint();
    tools.onRightDown(300, 400);
    tools.onLeftDown(300, 400, true);
    EXPECT_TRUE(host.dialogs.empty());
    EXPECT_EQ(doc->integrals.count, 2);
    EXPECT_EQ(doc->integrals.reference, 0);
}

TEST_F(Integration, ShiftClickDeletesTheReferenceAndTheNextTakesItsSlot)
{
    threeIntegrals();
    MouseTools tools(*doc, ui, window, host);
    const int repaints = window.repaints;
    tools.onLeftDown(labelX(0), 300, true);  // the reference, not the last
    EXPECT_EQ(window.repaints, repaints + 1);
    EXPECT_EQ(doc->integrals.count, 2);
    EXPECT_EQ(doc->integrals.last, 1);
    EXPECT_EQ(doc->integrals.reference, 0);  // now the former second integral
    EXPECT_EQ(label(0), "1.00");
    EXPECT_EQ(label(1), "2.00");
    EXPECT_DOUBLE_EQ(doc->integrals.start[0], 280.0);
}

TEST_F(Integration, DeletingAnIntegralBeforeTheReferenceKeepsTheReference)
{
    threeIntegrals();
    MouseTools tools(*doc, ui, window, host);
    host.onHydrogens = [&] {
        FakeEditsView view;
        HydrogensDialog dialog(*doc, window, view);
        dialog.open();
        dialog.accept();  // the third becomes the reference, labelled 4.00
    };
    tools.onRightDown(labelX(2), 300);
    ASSERT_EQ(label(2), "4.00");
    tools.onLeftDown(labelX(0), 300, true);
    // The reference moved down with its integral; the labels are unchanged.
    EXPECT_EQ(doc->integrals.reference, 1);
    EXPECT_EQ(label(0), "2.00");
    EXPECT_EQ(label(1), "4.00");
    // A further integral is labelled relative to the same reference.
    ASSERT_TRUE(integrate(80, 120));
    EXPECT_EQ(label(2), "1.00");
    EXPECT_EQ(label(1), "4.00");
}

TEST_F(Integration, DeletingTheOnlyIntegralOrAllOfThemResetsTheTable)
{
    load(1000, [](int) { return 1.0; });
    ASSERT_TRUE(integrate(100, 140));
    doc->integrals.referenceHydrogens = 3.0;
    paint();
    MouseTools tools(*doc, ui, window, host);
    tools.onLeftDown(labelX(0), 300, true);
    EXPECT_EQ(doc->integrals.count, 0);
    EXPECT_EQ(doc->integralsShown, 0);
    EXPECT_EQ(doc->integrals.present, 0);
    EXPECT_EQ(doc->integrals.referenceHydrogens, 1.0);
    EXPECT_EQ(doc->integrals.startNew, 1);

    ASSERT_TRUE(integrate(100, 140));
    ASSERT_TRUE(integrate(200, 240));
    doc->integrals.referenceHydrogens = 3.0;
    const int repaints = window.repaints;
    deleteAllIntegrals(*doc, window);
    EXPECT_EQ(window.repaints, repaints + 1);
    EXPECT_EQ(doc->integrals.count, 0);
    EXPECT_EQ(doc->integralsShown, 0);
    EXPECT_EQ(doc->integrals.referenceHydrogens, 1.0);
    // The vertical bar does nothing once the integrals are gone.
    const int base = doc->integralBaseY;
    tools.onVerticalScroll(ScrollCode::LineForward, 0);
    EXPECT_EQ(doc->integralBaseY, base);
}

TEST_F(Integration, UpThenDownReturnsTheCurvesToTheirSize)
{
    load(100, [](int) { return 1.0; });
    doc->integralScale = 1.7;
    increaseIntegrals(*doc, window);
    EXPECT_DOUBLE_EQ(doc->integralScale, 1.7 * 1.33);
    decreaseIntegrals(*doc, window);
    EXPECT_NEAR(doc->integralScale, 1.7, 1e-15);
    EXPECT_EQ(window.repaints, 2);
}

TEST_F(Integration, TheFactorDialogIsReopenedUntilTheStepLiesWithinOneToTen)
{
    load(100, [](int) { return 1.0; });
    FakeEditsView view;
    std::vector<std::string> typed = {"0.5", "abc", "12", "10"};
    std::vector<std::string> shown;
    host.onFactor = [&] {
        IntegralFactorDialog dialog(*doc, view);
        dialog.open();
        shown.push_back(view.text(integral_ids::FactorEdit));
        view.setText(integral_ids::FactorEdit, typed[shown.size() - 1]);
        dialog.accept();
    };
    integralFactorCommand(*doc, host);
    EXPECT_EQ(shown, (std::vector<std::string>{"1.330000", "0.500000", "0.000000", "12.000000"}));
    EXPECT_EQ(doc->integralStep, 10.0);

    typed = {"1"};
    shown.clear();
    integralFactorCommand(*doc, host);
    EXPECT_EQ(doc->integralStep, 1.0);
}

TEST_F(Integration, TheIntegrateToolShowsItsHintAndTheIntegralBase)
{
    load(100, [](int) { return 1.0; });
    doc->referenceArmed = 1;
    integrateToolCommand(*doc, window, host);
    EXPECT_EQ(window.prompt, "Keys Up/Down to increase/decrease integrals size");
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(doc->interactionMode, 40008);
    EXPECT_EQ(doc->dragToolArmed, 1);
    EXPECT_EQ(doc->dragStyle, DragStyle::Rectangle);
    EXPECT_EQ(host.vPositions, std::vector<int>{400});
}

}  // namespace
}  // namespace tesvar::test
