#include <gtest/gtest.h>

#include <cmath>

#include "processing/apodization_dialog.h"
#include "support/fake_processing_views.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "processing_fixture.h"

namespace tesvar {
namespace {

namespace ids = apodization_ids;
using test::FakeApodizationView;
using test::FakeUi;
using test::FakeWindow;

class ApodizationDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < n; ++i)
            doc->data[i] = 1.0;
        dialog.open();
    }
    void choose(int radio) { view.setChecked(radio, true); }

    static constexpr int n = 2000;  // SW 1000 Hz, aq 1 s
    std::unique_ptr<SpectrumDocument> doc = test::makeLoadedDocument(n);
    FakeUi ui;
    FakeWindow window;
    FakeApodizationView view;
    ApodizationDialog dialog{*doc, ui, window, view};
};

TEST_F(ApodizationDialogTest, OpeningShowsTheRememberedValuesWithTwoDecimals)
{
    doc->expLB = 0.125;
    doc->lgLB = -2.0;
    doc->sineBellShift = 90.0;
    doc->windowChoice = {0, 1, 0, 0, 1};
    ApodizationDialog again(*doc, ui, window, view);
    again.open();
    EXPECT_EQ(view.text(ids::ExpLB), "0.13");
    EXPECT_EQ(view.text(ids::LgLB), "-2.00");
    EXPECT_EQ(view.text(ids::LgGB), "0.00");
    EXPECT_EQ(view.text(ids::SineBellShift), "90.00");
    EXPECT_FALSE(view.isChecked(ids::Exponential));
    EXPECT_TRUE(view.isChecked(ids::Gaussian));
    EXPECT_TRUE(view.isChecked(ids::SineSquared));
}

TEST_F(ApodizationDialogTest, OpeningTakesTheUndoSnapshotAndBeepsWhenGbCannotBeShown)
{
    doc->data[5] = 7.0;
    view.failingEdit = ids::LgGB;
    ApodizationDialog again(*doc, ui, window, view);
    again.open();
    EXPECT_EQ(doc->undo.data[5], 7.0);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(view.text(ids::SineSquaredShift), "0.00");  // the others still written
}

TEST_F(ApodizationDialogTest, LineBroadeningTravelsAsTextWithTwoDecimals)
{
    view.setText(ids::ExpLB, "0.125");
    ASSERT_TRUE(dialog.accept());
    EXPECT_EQ(doc->expLB, 0.125);

    ApodizationDialog second(*doc, ui, window, view);
    second.open();
    EXPECT_EQ(view.text(ids::ExpLB), "0.13");
    ASSERT_TRUE(second.accept());
    EXPECT_EQ(doc->expLB, 0.13);
}

TEST_F(ApodizationDialogTest, OkAppliesTheChosenWindowAndRepaints)
{
    view.setText(ids::ExpLB, "1");
    ASSERT_TRUE(dialog.accept());
    EXPECT_NEAR(doc->data[2], std::exp(-M_PI / 1000.0), 1e-15);
    EXPECT_EQ(window.repaints, 1);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ApodizationDialogTest, SineSquaredJoinsTheExponentialAndRunsAfterIt)
{
    choose(ids::SineSquared);
    choose(ids::Exponential);
    EXPECT_TRUE(view.isChecked(ids::SineSquared));
    view.setText(ids::ExpLB, "2");
    view.setText(ids::SineSquaredShift, "90");
    ASSERT_TRUE(dialog.accept());
    EXPECT_EQ(doc->windowChoice, (std::array<std::int32_t, 5>{1, 0, 0, 0, 1}));
    for (int j : {0, 1, 700, 1999}) {
        const double expected =
            std::exp(-M_PI * 2.0 * j / 2000.0) * std::pow(std::cos(M_PI * j / (2.0 * n)), 2);
        EXPECT_NEAR(doc->data[j], expected, 1e-15) << j;
    }
}

TEST_F(ApodizationDialogTest, PositiveLorentzGaussLbIsNegatedWithAMessage)
{
    choose(ids::LorentzGauss);
    view.setText(ids::LgLB, "2");
    view.setText(ids::LgGB, "0.5");
    ASSERT_TRUE(dialog.accept());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "LB must be negative for the Lorentzian/Gaussian function\n"
              "Tesvar will use the negative of that value.");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    EXPECT_EQ(doc->lgLB, -2.0);
    EXPECT_GT(doc->data[1000], 1.0);  // the window rises towards t = GB aq

    ApodizationDialog next(*doc, ui, window, view);
    next.open();
    EXPECT_EQ(view.text(ids::LgLB), "-2.00");
}

TEST_F(ApodizationDialogTest, GbOutOfRangeKeepsTheDialogOpenAndTheDataUnchanged)
{
    choose(ids::LorentzGauss);
    choose(ids::SineSquared);
    view.setText(ids::LgLB, "3");
    view.setText(ids::LgGB, "1.5");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "LB must be negative for the Lorentzian/Gaussian function\n"
                              "Tesvar will use the negative of that value.",
                              "GB must be a number between 0 and 1"}));
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(doc->data[i], 1.0) << i;
    EXPECT_EQ(window.repaints, 0);
    // The values read stay stored, the negated LB with them.
    EXPECT_EQ(doc->lgGB, 1.5);
    EXPECT_EQ(doc->lgLB, -3.0);

    view.setText(ids::LgGB, "-0.1");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ(ui.texts().back(), "GB must be a number between 0 and 1");
}

TEST_F(ApodizationDialogTest, GbOfZeroIsRefusedRatherThanDividedBy)
{
    choose(ids::LorentzGauss);
    view.setText(ids::LgLB, "-1");
    view.setText(ids::LgGB, "0");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{
                              "GB must be greater than 0 for the Lorentzian/Gaussian function"}));
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(doc->data[i], 1.0) << i;
}

TEST_F(ApodizationDialogTest, UnusableSweepWidthOrOverflowIsReportedAndNothingApplied)
{
    doc->acq.sw = 0.0;
    view.setText(ids::ExpLB, "1");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ(ui.messages.back().text,
              "The window function cannot be applied:\n"
              "the sweep width or the acquisition time of this spectrum is not valid.");

    doc->acq.sw = 1000.0;
    view.setText(ids::ExpLB, "-100000");
    EXPECT_FALSE(dialog.accept());
    EXPECT_EQ(ui.messages.back().text,
              "The window function cannot be applied:\n"
              "its factors would make the values too large. Choose a smaller line "
              "broadening.");
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(doc->data[i], 1.0) << i;
}

TEST_F(ApodizationDialogTest, CancelKeepsTheOldValuesAndChoice)
{
    doc->expLB = 1.5;
    view.setText(ids::ExpLB, "9");
    choose(ids::SineBell);
    dialog.cancel();
    EXPECT_EQ(doc->expLB, 1.5);
    EXPECT_EQ(doc->windowChoice, (std::array<std::int32_t, 5>{1, 0, 0, 0, 0}));
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(doc->data[i], 1.0) << i;
}

TEST_F(ApodizationDialogTest, TextThatIsNoNumberReadsAsZero)
{
    view.setText(ids::ExpLB, "abc");
    view.setText(ids::GaussLB, "nan");
    ASSERT_TRUE(dialog.accept());
    EXPECT_EQ(doc->expLB, 0.0);
    EXPECT_EQ(doc->gaussLB, 0.0);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(doc->data[i], 1.0) << i;
}

}  // namespace
}  // namespace tesvar
