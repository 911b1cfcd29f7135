#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "processing/baseline.h"
#include "processing_fixture.h"

namespace tesvar {
namespace {

TEST(EvaluateBaseline, IsTheCubicOverTheRelativeIndex)
{
    const int n = 1000;
    std::vector<double> out(n + 10, -1.0);
    evaluateBaseline(out, n, 1.5, -2.0, 3.0, 0.5);
    for (int i = 0; i < n; ++i) {
        const double x = static_cast<double>(i) / n;
        ASSERT_NEAR(out[i], 1.5 - 2.0 * x + 3.0 * x * x + 0.5 * x * x * x, 1e-13) << i;
    }
    EXPECT_EQ(out[n], -1.0);  // nothing written beyond the values in use
}

TEST(EvaluateBaseline, OrderOneGivesPTimesIOverN)
{
    const int n = 64;
    std::vector<double> out(n);
    evaluateBaseline(out, n, 0, 7, 0, 0);
    EXPECT_EQ(out[0], 0.0);
    EXPECT_DOUBLE_EQ(out[n - 1], 7.0 * (n - 1) / n);
}

TEST(BaselineSliders, SpanHalfTheLargestValueEitherWay)
{
    const BaselineSliders small = baselineSliders(40.0);
    EXPECT_EQ(small.scale, 5.0);
    EXPECT_EQ(small.upper, 100);
    EXPECT_EQ(small.lower, -100);
    const BaselineSliders large = baselineSliders(-5000.0);
    EXPECT_EQ(large.scale, 1.0);
    EXPECT_EQ(large.upper, 2500);
    EXPECT_EQ(large.lower, -2500);
    // 100 / 3 * 3 falls just below 100 and truncates to 99.
    const BaselineSliders third = baselineSliders(6.0);
    EXPECT_EQ(third.upper, static_cast<int>(100.0 / 3.0 * 3.0));
    EXPECT_EQ(third.lower, -third.upper);
}

TEST(BaselineSliders, AnEmptySpectrumStillGetsAFiniteScale)
{
    for (double m : {0.0, -0.0, std::nan(""), double(INFINITY)}) {
        const BaselineSliders s = baselineSliders(m);
        EXPECT_EQ(s.scale, 1.0) << m;
        EXPECT_EQ(s.lower, -100) << m;
        EXPECT_EQ(s.upper, 100) << m;
    }
}

TEST(BaselineSliders, ASubnormalLargestValueGetsTheScaleOfAnEmptySpectrum)
{
    // 100 / h overflows for a largest value this small: the sliders would then move in
    // data units over the whole integer range while the preview, divided by an infinite
    // scale, showed nothing.
    for (double m : {1e-310, -4e-320}) {
        const BaselineSliders s = baselineSliders(m);
        EXPECT_EQ(s.scale, 1.0) << m;
        EXPECT_EQ(s.lower, -100) << m;
        EXPECT_EQ(s.upper, 100) << m;
    }
}

TEST(AddBaselineCorrection, AddsThePolynomialOfThePositionsOverTheScale)
{
    auto doc = test::makeLoadedDocument(64);
    for (int i = 0; i < 64; ++i)
        doc->data[i] = 1.0;
    doc->baselineScale = 5.0;
    doc->baselineCoeff = {50, 0, 0, 0};
    addBaselineCorrection(*doc);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(doc->data[i], 11.0) << i;
    EXPECT_EQ(doc->data[64], 0.0);

    doc->baselineScale = 1.0;
    doc->baselineCoeff = {0, 7, 0, 0};
    addBaselineCorrection(*doc);
    EXPECT_EQ(doc->data[0], 11.0);
    EXPECT_DOUBLE_EQ(doc->data[63], 11.0 + 7.0 * 63 / 64);

    doc->baselineCoeff = {};
    addBaselineCorrection(*doc);
    EXPECT_DOUBLE_EQ(doc->data[63], 11.0 + 7.0 * 63 / 64);  // positions 0 add nothing

    doc->baselineScale = 0.0;  // never set: no division by zero
    doc->baselineCoeff = {1, 0, 0, 0};
    addBaselineCorrection(*doc);
    EXPECT_EQ(doc->data[0], 12.0);
}

TEST(AutoBaseline, ConstantDataLoseTheirRealPartsAndGainTheNegativeImaginary)
{
    std::vector<double> d(256);
    for (int k = 0; k < 128; ++k)
        d[2 * k] = 4.25;
    ASSERT_TRUE(autoBaseline(d, 256));
    for (int k = 0; k < 128; ++k) {
        ASSERT_EQ(d[2 * k], 0.0) << k;
        ASSERT_EQ(d[2 * k + 1], -4.25) << k;
    }
}

TEST(AutoBaseline, RemovesTheLineThroughTheHeadAndTailMeans)
{
    // Real parts on a ramp r_k = 10 + 0.5 k with a spike in the middle: the head mean is
    // r at k = 3.5 and the tail mean r at k = N - 4.5; the spike takes no part.
    const int points = 100;
    std::vector<double> d(2 * points);
    for (int k = 0; k < points; ++k)
        d[2 * k] = 10.0 + 0.5 * k;
    d[2 * 50] += 100.0;
    const double head = 10.0 + 0.5 * 3.5;
    const double tail = 10.0 + 0.5 * (points - 4.5);
    const auto original = d;
    ASSERT_TRUE(autoBaseline(d, 2 * points));
    for (int k = 0; k < points; ++k) {
        const double line = head + k * (tail - head) / points;
        ASSERT_NEAR(d[2 * k], original[2 * k] - line, 1e-12) << k;
        ASSERT_NEAR(d[2 * k + 1], -line, 1e-12) << k;
    }
}

TEST(AutoBaseline, FewerThanSixteenValuesUseEveryPointAndNothingBeyond)
{
    std::vector<double> d = {1, 0, 2, 0, 6, 0, 99, 99};  // 3 points in use
    ASSERT_TRUE(autoBaseline(d, 6));
    EXPECT_EQ(d, (std::vector<double>{-2, -3, -1, -3, 3, -3, 99, 99}));

    std::vector<double> single = {5.0, 1.0};
    ASSERT_TRUE(autoBaseline(single, 2));
    EXPECT_EQ(single, (std::vector<double>{0.0, -4.0}));

    std::vector<double> none = {5.0};
    EXPECT_FALSE(autoBaseline(none, 1));
    EXPECT_EQ(none, (std::vector<double>{5.0}));
}

}  // namespace
}  // namespace tesvar
