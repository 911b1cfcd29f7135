#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "processing/fft.h"
#include "processing/window_functions.h"

namespace tesvar {
namespace {

std::vector<double> ones(int n)
{
    return std::vector<double>(n, 1.0);
}

TEST(WindowFunctions, ZeroLineBroadeningLeavesTheDataUnchanged)
{
    std::vector<double> d = {3, -1, 4, 1, -5, 9};
    const auto copy = d;
    EXPECT_EQ(exponentialWindow(d, 6, 0.0, 1000.0), WindowResult::Applied);
    EXPECT_EQ(d, copy);
    EXPECT_EQ(gaussianWindow(d, 6, 0.0, 2.0), WindowResult::Applied);
    EXPECT_EQ(d, copy);
}

TEST(WindowFunctions, ExponentialUsesHalfADwellPerValue)
{
    auto d = ones(8);
    exponentialWindow(d, 8, 1.0, 1000.0);
    EXPECT_EQ(d[0], 1.0);
    EXPECT_NEAR(d[2], std::exp(-M_PI / 1000.0), 1e-15);
    EXPECT_NEAR(d[3], std::exp(-3.0 * M_PI / 2000.0), 1e-15);
    for (int j = 0; j < 8; ++j)
        EXPECT_NEAR(d[j], std::exp(-M_PI * j / 2000.0), 1e-15) << j;
}

TEST(WindowFunctions, GaussianLineHasTheChosenWidthAtHalfHeight)
{
    // A Gaussian window of LB applied to a constant FID gives a line whose full width at
    // half height is LB. Here: 8192 points at SW 1000 Hz, LB 5 Hz.
    const int points = 8192, n = 2 * points;
    const double sw = 1000.0, lb = 5.0, aq = n / (2.0 * sw);
    std::vector<double> d(n);
    for (int k = 0; k < points; ++k)
        d[2 * k] = 1.0;
    ASSERT_EQ(gaussianWindow(d, n, lb, aq), WindowResult::Applied);
    // The window is applied per value, so the imaginary part of point k (t = (2k+1)/n aq)
    // is weighted too; the real parts alone carry the line.
    for (int k = 0; k < points; ++k)
        d[2 * k + 1] = 0.0;
    d[0] *= 0.5;  // so that the one-sided sum is half the two-sided transform
    ASSERT_TRUE(complexFft(d, points, 1));
    auto height = [&](int m) { return d[2 * m]; };
    // The time of value j is j aq / n, i.e. half a dwell per value: the real parts of the
    // points sample the window at intervals of 2 aq / n = 1 / SW, so the line is at point
    // 0 and spreads symmetrically into the top end.
    const double peak = height(0);
    double halfWidthPoints = 0.0;
    for (int m = 1; m < points / 2; ++m) {
        if (height(m) < peak / 2) {
            const double a = height(m - 1), b = height(m);
            halfWidthPoints = (m - 1) + (a - peak / 2) / (a - b);
            break;
        }
    }
    const double hzPerPoint = sw / points;
    EXPECT_NEAR(2.0 * halfWidthPoints * hzPerPoint, lb, 0.01);
}

TEST(WindowFunctions, GaussianFactorIsOneAtTheStartAndIgnoresTheSignOfLB)
{
    auto a = ones(64), b = ones(64);
    gaussianWindow(a, 64, 3.0, 0.5);
    gaussianWindow(b, 64, -3.0, 0.5);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a[0], 1.0);
    const double t = 40.0 / 64 * 0.5;
    EXPECT_NEAR(a[40], std::exp(-std::pow(M_PI * 3.0 * t, 2) / (4 * std::log(2.0))), 1e-15);
}

TEST(WindowFunctions, LorentzGaussPeaksAtGbTimesTheAcquisitionTime)
{
    const int n = 4000;
    const double aq = 2.0, gb = 0.3, lb = -2.0;
    auto d = ones(n);
    ASSERT_EQ(lorentzGaussWindow(d, n, lb, gb, aq), WindowResult::Applied);
    int best = 0;
    for (int j = 1; j < n; ++j)
        if (d[j] > d[best])
            best = j;
    EXPECT_NEAR(best, gb * n, 1.0);
    EXPECT_EQ(d[0], 1.0);
    // exp(-(a t + b t^2)) at the vertex t = GB aq: exp(pi |LB| GB aq / 2).
    EXPECT_NEAR(d[best], std::exp(M_PI * 2.0 * gb * aq / 2.0), 1e-6);
}

TEST(WindowFunctions, SineBellShifts)
{
    const int n = 100;
    auto bell = ones(n), cosine = ones(n), squared = ones(n);
    sineBellWindow(bell, n, 0.0, false);
    EXPECT_NEAR(bell[0], 0.0, 1e-300);
    EXPECT_NEAR(bell[50], 1.0, 1e-15);
    sineBellWindow(cosine, n, 90.0, false);
    EXPECT_EQ(cosine[0], 1.0);
    sineBellWindow(squared, n, 90.0, true);
    for (int j = 0; j < n; ++j)
        EXPECT_NEAR(squared[j], std::pow(std::cos(M_PI * j / (2.0 * n)), 2), 1e-15) << j;
}

TEST(WindowFunctions, UnusableTimingOrGbChangesNothing)
{
    auto d = ones(16);
    EXPECT_EQ(exponentialWindow(d, 16, 1.0, 0.0), WindowResult::BadTiming);
    EXPECT_EQ(exponentialWindow(d, 16, 0.0, 0.0), WindowResult::BadTiming);
    EXPECT_EQ(exponentialWindow(d, 16, 1.0, std::nan("")), WindowResult::BadTiming);
    EXPECT_EQ(gaussianWindow(d, 16, 1.0, INFINITY), WindowResult::BadTiming);
    EXPECT_EQ(lorentzGaussWindow(d, 16, -1.0, 0.0, 1.0), WindowResult::BadTiming);
    EXPECT_EQ(lorentzGaussWindow(d, 16, -1.0, 0.5, 0.0), WindowResult::BadTiming);
    EXPECT_EQ(lorentzGaussWindow(d, 16, 0.0, 0.0, 0.0), WindowResult::BadTiming);
    EXPECT_EQ(d, ones(16));
}

TEST(WindowFunctions, FactorsThatWouldOverflowChangeNothing)
{
    // A strongly negative LB makes the exponential grow along the FID beyond any double.
    auto d = ones(16384);
    EXPECT_EQ(exponentialWindow(d, 16384, -1000.0, 1000.0), WindowResult::Overflow);
    EXPECT_EQ(lorentzGaussWindow(d, 16384, -1e6, 0.5, 1.0), WindowResult::Overflow);
    EXPECT_EQ(d, ones(16384));
    // A moderate negative LB is applied and stays finite.
    EXPECT_EQ(exponentialWindow(d, 16384, -1.0, 1000.0), WindowResult::Applied);
    for (double v : d)
        ASSERT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace tesvar
