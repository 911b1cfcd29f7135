#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "document/spectrum_document.h"
#include "processing/baseline_dialog.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/recording_canvas.h"

namespace tesvar {
namespace {

using test::RecordingCanvas;

class FakeBaselineView : public BaselineView {
public:
    void setRange(int l, int u) override
    {
        lower = l;
        upper = u;
    }
    void setEditValue(int order, int value) override { edits[order] = value; }
    int editValue(int order) const override { return edits[order]; }
    void setSliderPosition(int order, int position) override { sliders[order] = position; }
    void drawOnWindow(const std::function<void(Canvas&)>& draw) override
    {
        ++draws;
        draw(screen);
    }

    int lower = 0, upper = 0, draws = 0;
    std::array<int, 4> edits{-1, -1, -1, -1};
    std::array<int, 4> sliders{-1, -1, -1, -1};
    RecordingCanvas screen;
};

struct Fixture {
    explicit Fixture(double maxAbsValue, int valueCount = 1000, int width = 500)
    {
        doc->valueCount = valueCount;
        doc->clientWidth = width;
        doc->clientHeight = 600;
        doc->baselineY = 300;
        doc->maxAbsValue = maxAbsValue;
        for (int i = 0; i < valueCount; ++i)
            doc->data[i] = 0.5 * i - 3.0;
    }
    std::unique_ptr<SpectrumDocument> doc = std::make_unique<SpectrumDocument>();
    test::FakeWindow window;
    FakeBaselineView view;
    BaselineDialog dialog{*doc, window, view};
};

TEST(BaselineDialogRange, HalfTheLargestValueEitherWayInStepsOfAHundredthBelow100)
{
    Fixture small(40.0);  // h 20: 5 steps per unit, -100 .. 100
    small.dialog.open();
    EXPECT_EQ(small.view.lower, -100);
    EXPECT_EQ(small.view.upper, 100);
    EXPECT_EQ(small.doc->baselineScale, 5.0);
    EXPECT_EQ(small.view.edits, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(small.view.sliders, (std::array<int, 4>{0, 0, 0, 0}));

    Fixture large(-5000.0);  // h 2500: one step per unit
    large.dialog.open();
    EXPECT_EQ(large.view.lower, -2500);
    EXPECT_EQ(large.view.upper, 2500);
    EXPECT_EQ(large.doc->baselineScale, 1.0);
}

TEST(BaselineDialogRange, AnAllZeroSpectrumGetsAFiniteUsableRange)
{
    Fixture zero(0.0);
    zero.dialog.open();
    EXPECT_EQ(zero.view.lower, -100);
    EXPECT_EQ(zero.view.upper, 100);
    zero.dialog.sliderMoved(0, 30, 5);
    zero.dialog.sliderMoved(0, 30, 8);
    for (const auto& op : zero.view.screen.lines())
        EXPECT_EQ(op.y1, 300 + static_cast<int>(30 / 200.0 * 75));
    zero.dialog.accept();
    EXPECT_EQ(zero.doc->data[10], 0.5 * 10 - 3.0 + 30);
}

TEST(BaselineDialogOk, ConstantSliderAddsItsValueOverTheStepsToEveryValue)
{
    Fixture f(40.0);
    const std::vector<double> before(f.doc->data.begin(), f.doc->data.end());
    f.dialog.open();
    f.dialog.sliderMoved(0, 50, 5);  // a thumb drag: coefficient and edit follow
    EXPECT_EQ(f.view.edits[0], 50);
    EXPECT_EQ(f.view.draws, 0) << "nothing is drawn before the drag ends";
    f.dialog.accept();
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(f.doc->data[i], before[i] + 10.0) << i;
    EXPECT_EQ(f.doc->data[1000], before[1000]) << "values beyond those in use are left";
    EXPECT_EQ(f.window.repaints, 1);
    EXPECT_EQ(f.doc->maxAbsValue, 40.0) << "the largest value is not recomputed";
}

TEST(BaselineDialogOk, FirstOrderSliderAddsARampOverTheValueIndex)
{
    Fixture f(-5000.0);
    const std::vector<double> before(f.doc->data.begin(), f.doc->data.end());
    f.dialog.open();
    f.dialog.sliderMoved(1, 700, 4);
    f.dialog.accept();
    for (int i = 0; i < 1000; ++i)
        ASSERT_NEAR(f.doc->data[i], before[i] + 700.0 * i / 1000, 1e-9) << i;
    EXPECT_NEAR(f.doc->data[999] - before[999], 700.0 * 999 / 1000, 1e-9);
}

TEST(BaselineDialogOk, AllFourOrdersAgainstTheDirectPolynomial)
{
    Fixture f(40.0);
    const std::vector<double> before(f.doc->data.begin(), f.doc->data.end());
    f.dialog.open();
    const int pos[4] = {10, -20, 35, -100};
    for (int k = 0; k < 4; ++k)
        f.dialog.sliderMoved(k, pos[k], 3);
    f.dialog.accept();
    for (int i = 0; i < 1000; i += 37) {
        const double x = i / 1000.0;
        const double p = (pos[0] + pos[1] * x + pos[2] * x * x + pos[3] * x * x * x) / 5.0;
        EXPECT_NEAR(f.doc->data[i] - before[i], p, 1e-12) << i;
    }
}

TEST(BaselineDialogOk, OkAtOnceAddsNothingAndCancelAfterPreviewsChangesNothing)
{
    Fixture atOnce(40.0);
    const std::vector<double> before(atOnce.doc->data.begin(), atOnce.doc->data.end());
    atOnce.doc->baselineCorrection.fill(99.0);  // a correction left from an earlier run
    atOnce.dialog.open();
    atOnce.dialog.accept();
    EXPECT_TRUE(std::ranges::equal(atOnce.doc->data, before));

    Fixture cancelled(40.0);
    cancelled.dialog.open();
    cancelled.dialog.sliderMoved(2, 80, 5);
    cancelled.dialog.sliderMoved(2, 80, 8);
    cancelled.dialog.cancel();
    EXPECT_TRUE(std::ranges::equal(cancelled.doc->data, before));
    EXPECT_EQ(cancelled.window.repaints, 1) << "the repaint removes the curve";
}

TEST(BaselineDialogOpen, TakesTheUndoSnapshotSoUndoRemovesTheCorrection)
{
    Fixture f(40.0);
    const std::vector<double> before(f.doc->data.begin(), f.doc->data.end());
    f.dialog.open();
    f.dialog.sliderMoved(0, 100, 5);
    f.dialog.accept();
    undoSnapshot(*f.doc, false);
    EXPECT_TRUE(std::ranges::equal(f.doc->data, before));
}

TEST(BaselineDialogArrows, EditValueDrivesCoefficientAndSliderWithinTheRange)
{
    Fixture f(40.0);
    f.dialog.open();
    f.view.edits[3] = 60;
    f.dialog.arrowClicked(3);
    EXPECT_EQ(f.doc->baselineCoeff[3], 60);
    EXPECT_EQ(f.view.sliders[3], 60);
    EXPECT_EQ(f.view.draws, 1);
    f.view.edits[3] = 100000;  // typed beyond the range
    f.dialog.arrowClicked(3);
    EXPECT_EQ(f.doc->baselineCoeff[3], 100);
    EXPECT_EQ(f.view.sliders[3], 100);
}

TEST(BaselinePreview, DrawnInvertingAndErasedByDrawingTheSameCurveAgain)
{
    Fixture f(-40.0, 1000, 500);  // two values per pixel column
    f.dialog.open();
    f.dialog.sliderMoved(0, 50, 5);
    f.dialog.sliderMoved(0, 50, 8);
    const auto first = f.view.screen.lines();
    ASSERT_EQ(first.size(), 499u);  // vertices at x 0 .. 499
    for (const auto& op : first) {
        EXPECT_TRUE(op.inverting);
        // A correction of +10 on a negative maximum: drawn 10 / 40 x 75 below the zero line.
        EXPECT_EQ(op.y1, 300 + 18);
    }
    EXPECT_EQ(first.back().x1, 499);
    EXPECT_FALSE(f.view.screen.invertingNow()) << "the copy mode is restored";

    f.view.screen.ops.clear();
    f.dialog.sliderMoved(0, -20, 2);
    f.dialog.sliderMoved(0, -20, 8);
    const auto second = f.view.screen.lines();
    ASSERT_EQ(second.size(), 2 * 499u);
    EXPECT_EQ(second.front().y1, 300 + 18) << "the old curve is drawn again first";
    EXPECT_EQ(second.back().y1, static_cast<int>(300 - 4.0 / 40 * 75));  // as the trace
}

TEST(BaselinePreview, FewerValuesThanPixelsStillSpanTheWidth)
{
    Fixture f(40.0, 100, 500);
    f.dialog.open();
    f.dialog.sliderMoved(1, 100, 5);
    f.dialog.sliderMoved(1, 100, 8);
    const auto lines = f.view.screen.lines();
    ASSERT_EQ(lines.size(), 99u);
    EXPECT_EQ(lines[0].x0, 0);
    EXPECT_EQ(lines.back().x1, 99 * 500 / 100);
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_GT(lines[i].x1, lines[i - 1].x1);
}

TEST(ManualBaselineCommand, RunsTheDialogThenBeepsClearsThePromptAndDisarms)
{
    Fixture f(40.0);
    test::FakeUi ui;
    f.doc->referenceArmed = 1;
    f.window.prompt = "something";
    bool ran = false;
    manualBaselineCommand(*f.doc, ui, f.window, [&] {
        ran = true;
        EXPECT_EQ(ui.beeps, 0) << "the beep follows the dialog";
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(f.window.prompt, " ");
    EXPECT_EQ(f.doc->referenceArmed, 0);
}

}  // namespace
}  // namespace tesvar
