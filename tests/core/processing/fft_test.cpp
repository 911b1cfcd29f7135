#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

#include "processing/fft.h"
#include "processing/fourier.h"
#include "support/reference_fft.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using Complex = std::complex<long double>;
constexpr long double kTwoPi = 6.283185307179586476925286766559L;

std::vector<double> randomValues(int count, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    std::vector<double> v(count);
    for (double& x : v)
        x = dist(gen);
    return v;
}

// exp(+sign 2 pi i r / count) for r = 0 .. count-1, each from its own angle.
std::vector<Complex> roots(int count, int sign)
{
    std::vector<Complex> w(count);
    for (int r = 0; r < count; ++r) {
        const long double angle = sign * kTwoPi * r / count;
        w[r] = Complex(std::cos(angle), std::sin(angle));
    }
    return w;
}

// X_m = sum_k x_k exp(+sign 2 pi i m k / N) / (2N), evaluated directly in long double.
std::vector<Complex> directDft(const std::vector<double>& interleaved, int points, int sign)
{
    const auto w = roots(points, sign);
    std::vector<Complex> out(points);
    for (int m = 0; m < points; ++m) {
        Complex sum = 0;
        for (int k = 0; k < points; ++k)
            sum += Complex(interleaved[2 * k], interleaved[2 * k + 1]) * w[(1LL * m * k) % points];
        out[m] = sum / static_cast<long double>(2 * points);
    }
    return out;
}

class ComplexFftAgainstDft : public ::testing::TestWithParam<int> {};

TEST_P(ComplexFftAgainstDft, MatchesTheDirectSumInBothDirections)
{
    const int points = GetParam();
    for (int sign : {1, -1}) {
        std::vector<double> data = randomValues(2 * points, 17u + points);
        const auto expected = directDft(data, points, sign);
        ASSERT_TRUE(complexFft(data, points, sign));
        for (int m = 0; m < points; ++m) {
            EXPECT_NEAR(data[2 * m], static_cast<double>(expected[m].real()), 1e-13)
                << "point " << m << " sign " << sign;
            EXPECT_NEAR(data[2 * m + 1], static_cast<double>(expected[m].imag()), 1e-13)
                << "point " << m << " sign " << sign;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ComplexFftAgainstDft,
                         ::testing::Values(1, 2, 4, 8, 32, 256, 1024));

// F_j = sum_k x_k exp(+2 pi i j k / n) / n for the real samples x_k, packed as the real
// transform stores them.
std::vector<double> directRealDft(const std::vector<double>& x)
{
    const int n = static_cast<int>(x.size());
    const auto w = roots(n, 1);
    auto term = [&](int j) {
        Complex sum = 0;
        for (int k = 0; k < n; ++k)
            sum += static_cast<long double>(x[k]) * w[(1LL * j * k) % n];
        return sum / static_cast<long double>(n);
    };
    std::vector<double> packed(n);
    packed[0] = static_cast<double>(term(0).real());
    packed[1] = static_cast<double>(term(n / 2).real());
    for (int j = 1; j < n / 2; ++j) {
        const Complex f = term(j);
        packed[2 * j] = static_cast<double>(f.real());
        packed[2 * j + 1] = static_cast<double>(f.imag());
    }
    return packed;
}

class RealFftAgainstDft : public ::testing::TestWithParam<int> {};

TEST_P(RealFftAgainstDft, ForwardGivesThePackedHalfSpectrum)
{
    const int n = GetParam();
    std::vector<double> data = randomValues(n, 5u + n);
    const auto expected = directRealDft(data);
    ASSERT_TRUE(realFft(data, n, 1));
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(data[i], expected[i], 1e-13) << "value " << i;
}

TEST_P(RealFftAgainstDft, InverseOfForwardReturnsTheSamplesOverTwiceTheCount)
{
    const int n = GetParam();
    const std::vector<double> original = randomValues(n, 9u + n);
    std::vector<double> data = original;
    ASSERT_TRUE(realFft(data, n, 1));
    ASSERT_TRUE(realFft(data, n, -1));
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(data[i], original[i] / (2.0 * n), 1e-15) << "value " << i;
}

INSTANTIATE_TEST_SUITE_P(Sizes, RealFftAgainstDft, ::testing::Values(8, 16, 64, 512, 4096));

TEST(ComplexFft, SingleLineLandsAtTheLastPointWithHalfItsHeight)
{
    const int points = 256;
    std::vector<double> data(2 * points);
    for (int k = 0; k < points; ++k) {
        data[2 * k] = std::cos(2.0 * M_PI * k / points);
        data[2 * k + 1] = std::sin(2.0 * M_PI * k / points);
    }
    ASSERT_TRUE(complexFft(data, points, 1));
    for (int m = 0; m < points; ++m) {
        EXPECT_NEAR(data[2 * m], m == points - 1 ? 0.5 : 0.0, 1e-13) << m;
        EXPECT_NEAR(data[2 * m + 1], 0.0, 1e-13) << m;
    }
}

TEST(ComplexFft, ForwardThenInverseScalesByOneOverTwiceTheValueCount)
{
    const int points = 512, n = 2 * points;
    const std::vector<double> original = randomValues(n, 3);
    std::vector<double> data = original;
    ASSERT_TRUE(complexFft(data, points, 1));
    ASSERT_TRUE(complexFft(data, points, -1));
    for (int i = 0; i < n; ++i)
        EXPECT_NEAR(data[i], original[i] / (2.0 * n), 1e-16) << i;
}

enum class By { Fftw, OldRadix2, ExactLongDouble };

// The transform of `values` doubles: `real` samples, or values/2 complex points.
std::vector<double> transform(std::vector<double> d, bool real, int sign, By by)
{
    const int n = static_cast<int>(d.size());
    if (by == By::Fftw) {
        EXPECT_TRUE(real ? realFft(d, n, sign) : complexFft(d, n / 2, sign));
    } else if (by == By::OldRadix2) {
        real ? test::radix2RealFft(d.data(), n, sign, false)
             : test::radix2ComplexFft(d.data(), n / 2, sign, false);
    } else {
        std::vector<long double> x(d.begin(), d.end());
        real ? test::radix2RealFft(x.data(), n, sign, true)
             : test::radix2ComplexFft(x.data(), n / 2, sign, true);
        std::copy(x.begin(), x.end(), d.begin());
    }
    return d;
}

// The largest difference between two transforms, relative to the largest expected value.
double relativeError(const std::vector<double>& got, const std::vector<double>& expected)
{
    double diff = 0.0, largest = 0.0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        diff = std::max(diff, std::abs(got[i] - expected[i]));
        largest = std::max(largest, std::abs(expected[i]));
    }
    return diff / largest;
}

// Every size, complex and real, forward and inverse, with and without the quadrature
// alternation. The old recurrence loses accuracy as the size grows, so beyond 65,536
// values only the long double reference holds.
TEST(FftSizes, AgreeWithTheRadixTwoAlgorithmAndALongDoubleReference)
{
    for (int values = 128; values <= 524288; values *= 2)
        for (int c = 0; c < 8; ++c) {
            const bool real = c & 1, quadrature = c & 2;
            const int sign = c & 4 ? -1 : 1;
            std::vector<double> d = randomValues(values, values + c);
            if (quadrature)
                alternateSigns(d, values);
            const auto got = transform(d, real, sign, By::Fftw);
            const auto at = testing::Message() << values << " values, case " << c;
            if (values <= 65536) {
                EXPECT_LE(relativeError(got, transform(d, real, sign, By::OldRadix2)), 1e-12) << at;
            }
            if (!quadrature) {
                EXPECT_LE(relativeError(got, transform(d, real, sign, By::ExactLongDouble)), 1e-13)
                    << at;
            }
        }
}

// Threads that make and run plans at once, on aligned and on unaligned arrays, get what
// one thread alone gets.
TEST(FftSizes, RunFromSeveralThreadsAtOnceAsFromOne)
{
    auto runAll = [](int offset, std::vector<std::vector<double>>& out) {
        for (int values = 8; values <= 8192; values *= 2)
            for (int sign : {1, -1}) {
                std::vector<double> d = randomValues(values + offset, 1u), e = d;
                realFft(std::span(d).subspan(offset, values), values, sign);
                complexFft(std::span(e).subspan(offset, values), values / 2, sign);
                out.insert(out.end(), {d, e});
            }
    };
    std::vector<std::vector<double>> results[4], alone[2];
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(runAll, t % 2, std::ref(results[t]));
    for (auto& t : threads)
        t.join();
    runAll(0, alone[0]);
    runAll(1, alone[1]);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(results[t], alone[t % 2]) << "thread " << t;
}

// The window's way: the first run of a size uses an estimated plan while a measured one is
// made in the background and written to the wisdom file, which a later process (here:
// after the plans are forgotten) reads and plans from at once. Every plan gives the sum.
TEST(FftSizes, MeasuredPlansAreKeptInTheWisdomFileAndGiveTheSameSpectrum)
{
    constexpr int points = 512;
    const test::TempDir dir;
    const std::string wisdomFile = dir.file("cache/tesvar/fftw-wisdom");
    forgetTransformPlans();
    useTransformWisdom(wisdomFile);
    measureTransformPlansInBackground(true);
    const std::vector<double> input = randomValues(2 * points, 5u);
    const auto expected = directDft(input, points, 1);
    for (const char* run : {"estimated", "measured", "from the file"}) {
        std::vector<double> data = input;
        ASSERT_TRUE(complexFft(data, points, 1));
        for (int m = 0; m < points; ++m)
            ASSERT_NEAR(data[2 * m], static_cast<double>(expected[m].real()), 1e-13) << run;
        waitForMeasuredPlans();
        if (std::string(run) == "measured") {
            EXPECT_GT(std::filesystem::file_size(wisdomFile), 0u);
            measureTransformPlansInBackground(false);
            forgetTransformPlans();
        }
    }
    useTransformWisdom({});
}

TEST(ComplexFft, RefusesSizesThatAreNoPowerOfTwoOrDoNotFit)
{
    std::vector<double> data(24, 1.0);
    EXPECT_FALSE(complexFft(data, 12, 1));
    EXPECT_FALSE(complexFft(data, 16, 1));
    EXPECT_FALSE(complexFft(data, 0, 1));
    EXPECT_FALSE(realFft(data, 4, 1));
    EXPECT_FALSE(realFft(data, 32, 1));
    EXPECT_FALSE(complexFft(data, 8, 0));
    EXPECT_FALSE(realFft(data, 16, 2));
    EXPECT_EQ(data, std::vector<double>(24, 1.0));
}

}  // namespace
}  // namespace tesvar
