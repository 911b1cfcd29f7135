// The automatic phase and the smooth baseline on synthetic spectra whose truth is known,
// and on input they must refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "processing/auto_phase.h"
#include "processing/phase.h"
#include "processing/processing_commands.h"
#include "processing/smooth_baseline.h"
#include "processing/smooth_baseline_dialog.h"
#include "support/fake_processing_views.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "processing_fixture.h"

namespace tesvar {
namespace {

constexpr int kPoints = 16384;

struct Line {
    double at;  // share of the width
    double height;
    double width;  // half width at half height, in points
};
const std::vector<Line> kLines = {{0.15, 1.0, 5}, {0.3, 0.5, 4}, {0.32, 0.5, 4},
                                  {0.5, 0.7, 8},  {0.68, 0.3, 4}, {0.7, 0.6, 4},
                                  {0.72, 0.3, 4}, {0.88, 0.4, 6}};
// Doublets two widths apart: no line stands apart from its partner.
const std::vector<Line> kDoublets = {{0.15, 1.0, 4}, {0.15 + 8.0 / kPoints, 0.8, 4},
                                     {0.5, 0.7, 6},  {0.5 + 12.0 / kPoints, 0.7, 6},
                                     {0.7, 0.5, 4},  {0.7 + 8.0 / kPoints, 0.6, 4}};

// Absorption in the real parts, dispersion in the imaginary ones, noise of `noise` times
// the tallest line in both; `baseline` is added to the real parts.
std::vector<double> spectrum(double noise, const std::function<double(double)>& baseline,
                             const std::vector<Line>& lines = kLines)
{
    std::mt19937 random(11);
    std::normal_distribution<double> gauss(0.0, noise);
    std::vector<double> v(2 * kPoints);
    for (int k = 0; k < kPoints; ++k) {
        for (const Line& l : lines) {
            const double x = k - l.at * kPoints, w = l.width;
            v[2 * k] += l.height * w * w / (w * w + x * x);
            v[2 * k + 1] += l.height * w * x / (w * w + x * x);
        }
        v[2 * k] += baseline(double(k) / kPoints) + gauss(random);
        v[2 * k + 1] += gauss(random);
    }
    return v;
}

// With noise, and without it on doublets, where the fit of the line areas gives way to
// the search for the least negative energy.
TEST(AutomaticPhase, FindsKnownAnglesOverTheirWholeRange)
{
    const std::vector<double> spectra[] = {spectrum(1e-3, [](double) { return 0.0; }),
                                           spectrum(0.0, [](double) { return 0.0; }, kDoublets)};
    const int pivot = 2 * static_cast<int>(0.15 * kPoints);
    for (const auto& absorptive : spectra)
        for (double p0 : {-180.0, -131.5, -60.0, 0.0, 47.3, 100.0, 179.0})
            for (double p1 : {-180.0, -97.0, 0.0, 61.2, 180.0}) {
                auto data = absorptive;
                applyPhase(data, 2 * kPoints, pivot, -p0, -p1, true);
                const auto found = findAutoPhase(data, 2 * kPoints, pivot);
                ASSERT_TRUE(found);
                EXPECT_NEAR(std::remainder(found->phase0 - p0, 360.0), 0.0, 1.0) << p0 << " " << p1;
                EXPECT_NEAR(found->phase1, p1, 2.0) << p0 << " " << p1;
            }
}

class SilentBaselineView : public SmoothBaselineView {
public:
    void showStrength(double) override {}
    void showBaseline(const std::vector<double>&) override { ++previews; }
    int previews = 0;
};

TEST(SmoothBaseline, LeavesTheLinesAndTakesTheBaseline)
{
    const std::function<double(double)> baselines[] = {
        [](double x) {
            const double t = 2 * x - 1;
            return 0.05 * (1 + t - 3 * t * t + 2 * t * t * t + 4 * t * t * t * t - 3 * std::pow(t, 5));
        },
        [](double x) { return 0.08 * std::sin(2 * M_PI * 1.5 * x + 0.3); },
        [](double x) { return 0.1 * std::exp(-std::pow((x - 0.45) / 0.12, 2)); },
    };
    const auto lines = spectrum(0.0, [](double) { return 0.0; });
    for (std::size_t b = 0; b < std::size(baselines); ++b) {
        auto doc = test::makeLoadedDocument(2 * kPoints);
        const auto given = spectrum(5e-4, baselines[b]);
        std::copy(given.begin(), given.end(), doc->data.begin());
        test::FakeWindow window;
        SilentBaselineView view;
        SmoothBaselineDialog dialog(*doc, window, view);
        dialog.open();
        EXPECT_EQ(dialog.strength(), kDefaultBaselineStrength);
        dialog.accept();
        EXPECT_EQ(view.previews, 1);
        EXPECT_EQ(doc->undo.data[0], given[0]) << "the undo snapshot holds the data before";
        double left = 0.0;
        for (int k = 0; k < kPoints; ++k) {
            ASSERT_EQ(doc->data[2 * k + 1], given[2 * k + 1]) << "imaginary parts stay";
            const double noiseFree = lines[2 * k] + baselines[b](double(k) / kPoints);
            left = std::max(left, std::fabs(given[2 * k] - noiseFree - (doc->data[2 * k] - lines[2 * k])));
        }
        EXPECT_LT(left, 0.005) << "the baseline left, as a share of the tallest line; " << b;
        for (const Line& l : kLines) {
            double truth = 0.0, corrected = 0.0;
            const int c = static_cast<int>(l.at * kPoints), reach = static_cast<int>(20 * l.width);
            for (int k = c - reach; k <= c + reach; ++k) {
                truth += lines[2 * k];
                corrected += doc->data[2 * k];
            }
            EXPECT_NEAR(corrected / truth, 1.0, 0.01) << "line at " << l.at << "; " << b;
        }
    }
}

// FID, all zero, constant, too few points: both commands refuse, changing nothing.
TEST(AutomaticCorrections, RefuseWhatTheyCannotCorrect)
{
    struct Case {
        int values;
        DataDomain domain;
        double re, im;
        const char* message;
    } cases[] = {
        {2048, DataDomain::Time, 0.0, 0.0, text::kNotTransformed},
        {2048, DataDomain::Frequency, 0.0, 0.0, text::kNoLines},
        {2048, DataDomain::Unknown, 3.5, -1.0, text::kNoLines},
        {30, DataDomain::Frequency, 0.0, 0.0, text::kTooFewPoints},
    };
    for (const Case& c : cases) {
        auto doc = test::makeLoadedDocument(c.values);
        doc->domain = c.domain;
        for (int k = 0; k < c.values / 2; ++k) {
            doc->data[2 * k] = c.domain == DataDomain::Time ? std::cos(0.3 * k) : c.re;
            doc->data[2 * k + 1] = c.im;
        }
        const std::vector<double> before(doc->data.begin(), doc->data.end());
        test::FakeUi ui;
        test::FakeWindow window;
        test::FakeProcessingDialogs dialogs;
        EXPECT_FALSE(autoPhaseCommand(*doc, ui, window, dialogs));
        EXPECT_FALSE(smoothBaselineCommand(*doc, ui, window, [] { FAIL() << "no dialog"; }));
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].caption, text::kAutoPhaseCaption);
        EXPECT_EQ(ui.messages[1].caption, text::kSmoothBaselineCaption);
        EXPECT_TRUE(std::ranges::equal(doc->data, before));
    }
}

}  // namespace
}  // namespace tesvar
