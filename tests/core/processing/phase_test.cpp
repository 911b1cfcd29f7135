#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "processing/phase.h"
#include "processing/phase_dialog.h"
#include "support/fake_processing_views.h"
#include "support/fake_window.h"
#include "processing_fixture.h"

namespace tesvar {
namespace {

using test::FakePhaseView;
using test::FakeWindow;

std::vector<double> randomSpectrum(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-100.0, 100.0);
    std::vector<double> v(n);
    for (double& x : v)
        x = dist(gen);
    return v;
}

// Point k rotated by the angle the phase rule gives it, evaluated directly.
std::pair<double, double> rotatedDirectly(const std::vector<double>& d, int k, int pivot,
                                          double p0, double p1)
{
    const int half = static_cast<int>(d.size()) / 2;
    const double theta =
        p0 * kPhaseDegree + p1 * kPhaseDegree * static_cast<double>(2 * k - pivot) / half;
    const double re = d[2 * k], im = d[2 * k + 1];
    return {re * std::cos(theta) - im * std::sin(theta), re * std::sin(theta) + im * std::cos(theta)};
}

TEST(ApplyPhase, NinetyDegreesOfZeroOrderTurnsEachPointIntoMinusImRe)
{
    const int n = 512;
    const auto original = randomSpectrum(n, 1);
    auto d = original;
    applyPhase(d, n, 0, 90.0, 0.0, true);
    // 90 x 3.14159/180 falls short of pi/2 by 2.65e-6 / 2 rad.
    const double shortfall = M_PI / 2 - 90.0 * 0.01745327777777778;
    EXPECT_GT(shortfall, 1e-6);
    for (int k = 0; k < n / 2; ++k) {
        const double re = original[2 * k], im = original[2 * k + 1];
        ASSERT_NEAR(d[2 * k], -im, 100.0 * 2 * shortfall) << k;
        ASSERT_NEAR(d[2 * k + 1], re, 100.0 * 2 * shortfall) << k;
        ASSERT_NEAR(d[2 * k], -im * std::cos(shortfall) + re * std::sin(shortfall), 1e-12);
    }
}

TEST(ApplyPhase, FirstOrderTurnsAboutThePivot)
{
    // Half the points away from the pivot the first-order term has turned by phase1.
    const int n = 1024, points = n / 2;
    const auto original = randomSpectrum(n, 2);
    auto zeroOrder90 = original, zeroOrderMinus90 = original;
    applyPhase(zeroOrder90, n, 0, 90.0, 0.0, true);
    applyPhase(zeroOrderMinus90, n, 0, -90.0, 0.0, true);
    for (auto [pivotPoint, other, expected] :
         {std::tuple{100, 100 + points / 2, &zeroOrder90},
          std::tuple{400, 400 - points / 2, &zeroOrderMinus90}}) {
        auto d = original;
        applyPhase(d, n, 2 * pivotPoint, 0.0, 90.0, true);
        EXPECT_EQ(d[2 * pivotPoint], original[2 * pivotPoint]);
        EXPECT_EQ(d[2 * pivotPoint + 1], original[2 * pivotPoint + 1]);
        EXPECT_NEAR(d[2 * other], (*expected)[2 * other], 1e-10) << pivotPoint;
        EXPECT_NEAR(d[2 * other + 1], (*expected)[2 * other + 1], 1e-10) << pivotPoint;
    }
}

TEST(ApplyPhase, EveryPointFollowsTheAngleRule)
{
    const int n = 65536;
    const auto original = randomSpectrum(n, 3);
    for (auto [p0, p1, pivot] : {std::tuple{37.0, -151.0, 20000}, std::tuple{-180.0, 180.0, 0},
                                 std::tuple{5.0, 12.0, n - 2}}) {
        auto d = original;
        applyPhase(d, n, pivot, p0, p1, true);
        for (int k = 0; k < n / 2; ++k) {
            const auto [re, im] = rotatedDirectly(original, k, pivot, p0, p1);
            ASSERT_NEAR(d[2 * k], re, 1e-11) << k;
            ASSERT_NEAR(d[2 * k + 1], im, 1e-11) << k;
        }
    }
}

TEST(ApplyPhase, PreviewRotatesOnlyTheRealParts)
{
    const int n = 256;
    const auto original = randomSpectrum(n, 4);
    auto d = original;
    applyPhase(d, n, 10, 30.0, 20.0, false);
    for (int k = 0; k < n / 2; ++k) {
        EXPECT_NEAR(d[2 * k], rotatedDirectly(original, k, 10, 30.0, 20.0).first, 1e-12);
        EXPECT_EQ(d[2 * k + 1], original[2 * k + 1]);
    }
}

class PhaseDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto values = randomSpectrum(n, 5);
        std::copy(values.begin(), values.end(), doc->data.begin());
        doc->maxAbsIndex = 2 * 300;
        undoSnapshot(*doc, true);
        dialog.open();
    }
    std::vector<double> snapshot() const
    {
        return {doc->undo.data.begin(), doc->undo.data.begin() + n};
    }
    std::vector<double> current() const
    {
        return {doc->data.begin(), doc->data.begin() + n};
    }

    static constexpr int n = 2048;
    std::unique_ptr<SpectrumDocument> doc = test::makeLoadedDocument(n);
    FakeWindow window;
    FakePhaseView view;
    PhaseDialog dialog{*doc, window, view};
};

TEST_F(PhaseDialogTest, OpensAtZero)
{
    EXPECT_EQ(view.edits[phase_ids::Order0Edit], "0");
    EXPECT_EQ(view.edits[phase_ids::Order1Edit], "0");
    EXPECT_EQ(view.sliders[0], 0);
    EXPECT_EQ(view.sliders[1], 0);
    EXPECT_EQ(doc->phase0, 0);
}

TEST_F(PhaseDialogTest, SliderPreviewRotatesRealPartsFromTheSnapshot)
{
    dialog.sliderMoved(0, 45, 5);
    EXPECT_EQ(doc->phase0, 45);
    EXPECT_EQ(view.edits[phase_ids::Order0Edit], "45");
    EXPECT_EQ(window.repaints, 1);
    const auto snap = snapshot();
    for (int k = 0; k < n / 2; ++k) {
        EXPECT_NEAR(doc->data[2 * k], rotatedDirectly(snap, k, 600, 45, 0).first, 1e-12);
        EXPECT_EQ(doc->data[2 * k + 1], snap[2 * k + 1]);
    }
    // Previews never accumulate: back at 0 the data are the snapshot exactly.
    dialog.sliderMoved(0, 20, 0);
    dialog.sliderMoved(1, -70, 4);
    dialog.sliderMoved(1, 0, 4);
    dialog.sliderMoved(0, 0, 1);
    EXPECT_EQ(current(), snapshot());
}

TEST_F(PhaseDialogTest, EndOfDragChangesNothing)
{
    dialog.sliderMoved(0, 30, 5);
    const auto before = current();
    const int repaints = window.repaints;
    dialog.sliderMoved(0, 90, kSliderEndTrack);
    EXPECT_EQ(doc->phase0, 30);
    EXPECT_EQ(current(), before);
    EXPECT_EQ(window.repaints, repaints);
}

TEST_F(PhaseDialogTest, ArrowClickReadsBothEditsAndMovesTheSliders)
{
    view.edits[phase_ids::Order0Edit] = "12";
    view.edits[phase_ids::Order1Edit] = "not a number";
    dialog.arrowClicked();
    EXPECT_EQ(doc->phase0, 12);
    EXPECT_EQ(doc->phase1, 0);
    EXPECT_EQ(view.sliders[0], 12);
    EXPECT_EQ(view.sliders[1], 0);
    EXPECT_NEAR(doc->data[0], rotatedDirectly(snapshot(), 0, 600, 12, 0).first, 1e-12);

    view.edits[phase_ids::Order1Edit] = "500";  // typed beyond what the controls allow
    dialog.arrowClicked();
    EXPECT_EQ(doc->phase1, 180);
    EXPECT_EQ(view.sliders[1], 180);
}

TEST_F(PhaseDialogTest, OkRotatesInFullAndRenewsThePivot)
{
    dialog.sliderMoved(0, 90, 5);
    dialog.sliderMoved(1, 10, 5);
    const int repaints = window.repaints;
    dialog.accept();
    const auto snap = snapshot();
    for (int k = 0; k < n / 2; ++k) {
        const auto [re, im] = rotatedDirectly(snap, k, 600, 90, 10);
        ASSERT_NEAR(doc->data[2 * k], re, 1e-11);
        ASSERT_NEAR(doc->data[2 * k + 1], im, 1e-11);
    }
    EXPECT_EQ(window.repaints, repaints);  // the plot already shows the real parts
    double largest = 0.0;
    int index = 0;
    for (int i = 0; i < n; i += 2)
        if (std::fabs(doc->data[i]) >= std::fabs(largest))
            largest = doc->data[i], index = i;
    EXPECT_EQ(doc->maxAbsValue, largest);
    EXPECT_EQ(doc->maxAbsIndex, index);
}

TEST_F(PhaseDialogTest, CancelRestoresTheSnapshotExactlyAndRepaints)
{
    dialog.sliderMoved(0, 77, 5);
    dialog.sliderMoved(1, -33, 5);
    const int repaints = window.repaints;
    dialog.cancel();
    EXPECT_EQ(current(), snapshot());
    EXPECT_EQ(window.repaints, repaints + 1);
}

}  // namespace
}  // namespace tesvar
