// The smooth baseline is an asymmetrically reweighted penalised least-squares smoother
// (arPLS: Baek, Park, Ahn and Choo, "Baseline correction using asymmetrically
// reweighted penalized least squares smoothing", Analyst 140 (2015) 250-257). The
// baseline z minimises sum w (y - z)^2 + lambda sum (second difference of z)^2; after
// each solution the points above it by more than the noise of the points below it lose
// their weight (a logistic step), so the lines drop out and the baseline settles on the
// signal-free points. The noise is taken from the points below the baseline, which only
// noise reaches.
//
// A baseline has no detail finer than a few hundredths of the spectrum, so it is fitted
// to the means of blocks of points, at most kFitPoints of them, and laid back over every
// point by linear interpolation; that keeps the penalty's system small and well
// conditioned whatever the size of the spectrum. The system is pentadiagonal and is
// solved by a banded LDL' factorisation in linear time.
#include "processing/smooth_baseline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "processing/values_within.h"

namespace tesvar {

namespace {

constexpr int kFitPoints = 4096;
// The penalty on third differences leaves a parabola free at the ends of the spectrum,
// where a baseline often bends most.
constexpr int kDifferenceOrder = 3;
constexpr int kMaximumIterations = 50;
// A run of signal points wider than this share of the spectrum is no line group.
constexpr int kWidestLine = 16;
constexpr double kSettled = 1e-4;  // relative change of the weights that ends the search

// Solves (diag(w) + lambda D'D) z = w y, D the matrix of differences of order
// kDifferenceOrder, by a banded LDL' factorisation.
void solvePenalised(const std::vector<double>& w, const std::vector<double>& y, double lambda,
                    std::vector<double>& z)
{
    constexpr int p = kDifferenceOrder;
    constexpr std::array<double, p + 1> c = {-1.0, 3.0, -3.0, 1.0};  // one row of D
    const int m = static_cast<int>(y.size());
    // (D'D)[i][i + o]: the rows of D (each starting at r, 0 <= r <= m - 1 - p) that reach
    // both columns.
    auto penalty = [&](int i, int o) {
        double sum = 0.0;
        for (int r = std::max(0, i + o - p); r <= std::min(i, m - 1 - p); ++r)
            sum += c[i - r] * c[i + o - r];
        return sum;
    };
    std::vector<double> d(m);
    std::vector<std::array<double, p>> l(m);  // l[i][o - 1] = L[i + o][i]
    for (int i = 0; i < m; ++i) {
        double di = w[i] + lambda * penalty(i, 0);
        for (int j = std::max(0, i - p); j < i; ++j)
            di -= l[j][i - j - 1] * l[j][i - j - 1] * d[j];
        d[i] = di;
        for (int o = 1; o <= p; ++o) {
            if (i + o >= m) {
                l[i][o - 1] = 0.0;
                continue;
            }
            double a = lambda * penalty(i, o);
            for (int j = std::max(0, i + o - p); j < i; ++j)
                a -= l[j][i + o - j - 1] * l[j][i - j - 1] * d[j];
            l[i][o - 1] = a / di;
        }
    }
    z.assign(m, 0.0);
    for (int i = 0; i < m; ++i) {
        double u = w[i] * y[i];
        for (int j = std::max(0, i - p); j < i; ++j)
            u -= l[j][i - j - 1] * z[j];
        z[i] = u;
    }
    for (int i = 0; i < m; ++i)
        z[i] /= d[i];
    for (int i = m - 1; i >= 0; --i)
        for (int o = 1; o <= p && i + o < m; ++o)
            z[i] -= l[i][o - 1] * z[i + o];
}

// New weights from the residuals; false when the points below the baseline tell
// nothing about the noise (none, or all alike), which leaves the weights as they are.
bool reweight(const std::vector<double>& y, const std::vector<double>& z, std::vector<double>& w)
{
    double sum = 0.0, squares = 0.0;
    int count = 0;
    for (std::size_t i = 0; i < y.size(); ++i)
        if (const double r = y[i] - z[i]; r < 0.0) {
            sum += r;
            squares += r * r;
            ++count;
        }
    if (count < 2)
        return false;
    const double mean = sum / count;
    const double spread = std::sqrt(std::max(0.0, squares / count - mean * mean));
    if (!(spread > 0.0))
        return false;
    for (std::size_t i = 0; i < y.size(); ++i)
        w[i] = 1.0 / (1.0 + std::exp(2.0 * (y[i] - z[i] - (2.0 * spread - mean)) / spread));
    return true;
}

}  // namespace

std::vector<double> fitSmoothBaseline(std::span<const double> data, int values, double strength)
{
    const int points = valuesWithin(data, values) / 2;
    if (points < kSmoothBaselineMinimumPoints)
        return {};
    double largest = 0.0;
    for (int k = 0; k < points; ++k)
        largest = std::max(largest, std::fabs(data[2 * k]));
    std::vector<double> baseline(points, 0.0);
    if (!(largest > 0.0) || !std::isfinite(largest))
        return baseline;

    // Block means, each placed at the centre of its block.
    const int block = std::max(1, (points + kFitPoints - 1) / kFitPoints);
    const int m = (points + block - 1) / block;
    std::vector<double> y(m, 0.0), centre(m);
    for (int j = 0; j < m; ++j) {
        const int from = j * block, to = std::min(points, from + block);
        for (int k = from; k < to; ++k)
            y[j] += data[2 * k] / largest;
        y[j] /= to - from;
        centre[j] = 0.5 * (from + to - 1);
    }

    const double s = std::clamp(strength, kMinimumBaselineStrength, kMaximumBaselineStrength);
    const double period = m * std::pow(10.0, (s - 8.0) / 4.0);
    const double lambda = std::pow(period / (2.0 * std::numbers::pi), 2 * kDifferenceOrder);
    std::vector<double> w(m, 1.0), z, next(m);
    for (int iteration = 0; iteration < kMaximumIterations; ++iteration) {
        solvePenalised(w, y, lambda, z);
        next = w;
        if (!reweight(y, z, next))
            break;
        double change = 0.0, size = 0.0;
        for (int j = 0; j < m; ++j) {
            change += (next[j] - w[j]) * (next[j] - w[j]);
            size += w[j] * w[j];
        }
        w.swap(next);
        if (change <= kSettled * kSettled * size)
            break;
    }
    // A line's tails stay above the noise well beyond the points that lost their weight,
    // and a baseline laid over them would take part of every integral: each run of
    // signal points is widened by its own width on either side for a last solution. A
    // run wider than a line group is left as it is: it is a stretch where the baseline
    // bends more than the strength lets it follow.
    std::vector<double> last = w, widened;
    for (int j = 0; j < m;) {
        if (w[j] >= 0.5) {
            ++j;
            continue;
        }
        const int from = j;
        while (j < m && w[j] < 0.5)
            ++j;
        const int width = j - from;
        if (width <= m / kWidestLine)
            std::fill(last.begin() + std::max(0, from - width), last.begin() + std::min(m, j + width), 0.0);
    }
    solvePenalised(last, y, lambda, widened);
    if (std::all_of(widened.begin(), widened.end(), [](double v) { return std::isfinite(v); }))
        z.swap(widened);

    // Back over every point, straight between block centres and along the end segments.
    for (int k = 0, j = 0; k < points; ++k) {
        while (j + 2 < m && centre[j + 1] < k)
            ++j;
        const double t = m > 1 ? (k - centre[j]) / (centre[j + 1] - centre[j]) : 0.0;
        const double value = m > 1 ? z[j] + t * (z[j + 1] - z[j]) : z[0];
        baseline[k] = value * largest;
    }
    // A breakdown of the solver (it needs three weighted points at least) removes
    // nothing rather than spreading a NaN.
    if (!std::all_of(baseline.begin(), baseline.end(), [](double b) { return std::isfinite(b); }))
        std::fill(baseline.begin(), baseline.end(), 0.0);
    return baseline;
}

}  // namespace tesvar
