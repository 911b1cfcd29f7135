// Automatic phase correction from the phases of the peak areas (PAMPAS: Dzakula,
// "Phase angle measurement from peak areas", J. Magn. Reson. 146 (2000) 20-32). Summed
// over a window symmetric about a line, the dispersion cancels and the absorption does
// not, so the complex sum of a line's window points along the angle by which that
// place of the spectrum is out of phase, sign included. The magnitude spectrum does
// not depend on the phase, so the lines and their windows are found on it: tops that
// stand clearly above the noise and fall to a quarter on both sides before anything
// rises again. The zero- and first-order angles are then the straight line through the
// lines' angles, each weighted by its area: for every first-order angle the best zero
// order follows in closed form, and the first order is searched over its whole range
// (a grid of one degree, then a golden-section refinement), so no starting point is
// needed and the same spectrum always gives the same angles.
//
// A spectrum of multiplets may leave fewer than three separated lines, or lines whose
// angles do not agree; their fit then only starts a simplex search for the angles that
// leave the least energy below zero, which settles well on a clean spectrum.
//
// An entropy criterion on the derivative of the real part was tried first and dropped:
// with noise at a few parts per thousand of the tallest line its minimum strays by
// several degrees, because the noise's derivative outweighs the lines' flanks; the
// least negative energy strays likewise, which is why it only refines.
#include "processing/auto_phase.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <vector>

#include "processing/phase.h"
#include "processing/values_within.h"

namespace tesvar {

namespace {

// A region's points stand this many times above the median magnitude, which noise-only
// points set; noise alone reaches it about once in 10^7 points.
constexpr double kAboveNoise = 5.0;
// At least this many line areas, turned onto one direction to within this share of
// their sum, fix the angles by themselves.
constexpr std::size_t kAgreeingRegions = 3;
constexpr double kAgreement = 0.995;
// A line's window reaches out to where its magnitude falls to this share of its top.
constexpr double kWindowShare = 0.25;
// The search for the least negative energy runs on at most this many block sums, its
// starting grid (without separated lines) on at most kGridPoints.
constexpr int kSearchPoints = 32768;
constexpr int kGridPoints = 4096;

struct Region {
    std::complex<double> area;  // the complex sum of the region's points
    double x = 0.0;             // its centre, as applyPhase places points
};

std::complex<double> point(std::span<const double> data, int k)
{
    return {data[2 * k], data[2 * k + 1]};
}

// The integral of the data, straight between points, from position a to b (0 <= a <= b
// <= points - 1).
std::complex<double> integral(std::span<const double> data, double a, double b)
{
    std::complex<double> sum;
    for (int k = static_cast<int>(a); k < b; ++k) {
        const double from = std::max(a, double(k)), to = std::min(b, k + 1.0);
        if (to <= from)
            continue;
        const std::complex<double> p = point(data, k), q = point(data, k + 1);
        // The mean of the straight segment's values at from and to, times the length.
        const double mid = 0.5 * (from + to) - k;
        sum += (p + (q - p) * mid) * (to - from);
    }
    return sum;
}

std::vector<Region> lineRegions(std::span<const double> data, int points, int pivotIndex,
                                bool& anyLine)
{
    anyLine = false;
    std::vector<double> magnitude(points);
    for (int k = 0; k < points; ++k)
        magnitude[k] = std::abs(point(data, k));
    std::vector<double> sorted = magnitude;
    std::nth_element(sorted.begin(), sorted.begin() + points / 2, sorted.end());
    const double threshold = kAboveNoise * sorted[points / 2];
    // Noise makes the flanks of a broad line step up now and then; a neighbour rises more
    // above the lowest point between.
    const double rise = 1.5 * threshold;

    std::vector<Region> regions;
    for (int k = 1; k + 1 < points; ++k) {
        const double top = magnitude[k];
        if (!(top > threshold) || top < magnitude[k - 1] || top <= magnitude[k + 1])
            continue;
        anyLine = true;
        // Out to a share of the line's height on both sides: a top whose magnitude rises
        // again first is a ripple on a neighbour's flank or part of an unresolved group,
        // about which no window is symmetric for every line. The window reaches as far
        // on both sides of the line's centre, so that its own dispersion cancels over
        // it, and no further, since the neighbours' dispersion falls off only as the
        // distance.
        double reach = INFINITY;
        bool resolved = true;
        for (int direction : {-1, 1}) {
            int at = k + direction;
            double lowest = top;
            while (at > 0 && at + 1 < points && magnitude[at] > kWindowShare * top &&
                   magnitude[at] <= std::min(top, lowest + rise)) {
                lowest = std::min(lowest, magnitude[at]);
                at += direction;
            }
            resolved = resolved && magnitude[at] <= kWindowShare * top;
            if (!resolved)
                break;
            reach = std::min(reach, std::fabs(at - k));
        }
        if (!resolved || reach < 2 ||
            *std::max_element(&magnitude[k - int(reach)], &magnitude[k + int(reach)] + 1) > top)
            continue;
        // The centre between points, from the parabola fitted to the top (a quarter of
        // the window either side), which noise on a broad line's top does not move much.
        const int m = std::max(1, static_cast<int>(reach) / 4);
        double sj2 = 0.0, sj4 = 0.0, sy = 0.0, sjy = 0.0, sj2y = 0.0;
        for (int j = -m; j <= m; ++j) {
            sj2 += j * j;
            sj4 += double(j) * j * j * j;
            sy += magnitude[k + j];
            sjy += j * magnitude[k + j];
            sj2y += j * j * magnitude[k + j];
        }
        const double count = 2 * m + 1;
        const double slope = sjy / sj2;
        const double bend = (sj2y - sj2 * sy / count) / (sj4 - sj2 * sj2 / count);
        const double centre = k + (bend < 0 ? std::clamp(-slope / (2 * bend), -1.0, 1.0) : 0.0);
        const double half = std::min({reach, centre, points - 1 - centre});
        Region r;
        r.area = integral(data, centre - half, centre + half);
        r.x = (2 * centre - pivotIndex) / points;
        regions.push_back(r);
    }
    return regions;
}

// The regions' areas turned by the first-order angle p1 (radians per unit of x) and
// summed: its magnitude is largest where the first order lines the regions up.
std::complex<double> alignedSum(const std::vector<Region>& regions, double p1)
{
    std::complex<double> sum;
    for (const Region& r : regions)
        sum += r.area * std::polar(1.0, p1 * r.x);
    return sum;
}

// The straight line through the areas' angles: the first order whose turn lines the
// areas up best, the zero order from their sum.
std::array<double, 2> fitAreas(const std::vector<Region>& regions)
{
    auto strength = [&](double degrees) {
        return std::abs(alignedSum(regions, degrees * kPhaseDegree));
    };
    // Whole degrees from 0 outwards, so that among equal candidates (a single region
    // fixes no first order) the smallest first order wins.
    double best = 0.0, bestValue = strength(0.0);
    for (int step = 1; step <= 180; ++step)
        for (int degrees : {step, -step})
            if (const double v = strength(degrees); v > bestValue * (1.0 + 1e-12)) {
                best = degrees;
                bestValue = v;
            }
    double lo = std::max(-180.0, best - 1.0), hi = std::min(180.0, best + 1.0);
    const double golden = 0.5 * (std::sqrt(5.0) - 1.0);
    while (hi - lo > 1e-4) {
        const double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
        if (strength(a) >= strength(b))
            hi = b;
        else
            lo = a;
    }
    const double p1 = strength(0.5 * (lo + hi)) >= bestValue ? 0.5 * (lo + hi) : best;
    return {-std::arg(alignedSum(regions, p1 * kPhaseDegree)) / kPhaseDegree, p1};
}

// The share of the real parts' energy that lies below zero once the spectrum is turned
// by phase0 and phase1 (degrees) about the pivot.
// The values are taken times `scale` (one over the largest), so that their squares stay
// finite.
double negativeShare(std::span<const double> data, int points, double pivotIndex, double scale,
                     double phase0, double phase1)
{
    const double p1 = std::clamp(phase1, -180.0, 180.0) * kPhaseDegree;
    std::complex<double> turn =
        std::polar(1.0, phase0 * kPhaseDegree - p1 * pivotIndex / points);
    const std::complex<double> step = std::polar(1.0, 2.0 * p1 / points);
    double negative = 0.0, total = 0.0;
    for (int k = 0; k < points; ++k) {
        const double r = (turn.real() * data[2 * k] - turn.imag() * data[2 * k + 1]) * scale;
        total += r * r;
        if (r < 0.0)
            negative += r * r;
        turn *= step;
    }
    return total > 0.0 ? negative / total : 0.0;
}

// A Nelder-Mead simplex over the two angles from `start`, with sides of `size` degrees,
// until it is smaller than `tolerance`.
template <typename F>
std::array<double, 2> refine(F f, std::array<double, 2> start, double size, double tolerance)
{
    using Angles = std::array<double, 2>;
    std::array<Angles, 3> v = {start, Angles{start[0] + size, start[1]},
                               Angles{start[0], start[1] + size}};
    std::array<double, 3> fv = {f(v[0]), f(v[1]), f(v[2])};
    auto along = [](const Angles& a, const Angles& b, double t) {
        return Angles{a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])};
    };
    for (int iteration = 0; iteration < 200; ++iteration) {
        std::array<int, 3> o = {0, 1, 2};
        std::sort(o.begin(), o.end(), [&](int a, int b) { return fv[a] < fv[b]; });
        if (std::max(std::hypot(v[o[1]][0] - v[o[0]][0], v[o[1]][1] - v[o[0]][1]),
                     std::hypot(v[o[2]][0] - v[o[0]][0], v[o[2]][1] - v[o[0]][1])) < tolerance)
            break;
        const Angles centre = along(v[o[0]], v[o[1]], 0.5);
        const Angles reflected = along(v[o[2]], centre, 2.0);
        const double fr = f(reflected);
        if (fr < fv[o[1]]) {
            const Angles expanded = along(v[o[2]], centre, 3.0);
            const double fe = fr < fv[o[0]] ? f(expanded) : INFINITY;
            v[o[2]] = fe < fr ? expanded : reflected;
            fv[o[2]] = std::min(fe, fr);
            continue;
        }
        const Angles contracted = along(v[o[2]], centre, fr < fv[o[2]] ? 1.5 : 0.5);
        const double fc = f(contracted);
        if (fc < std::min(fr, fv[o[2]])) {
            v[o[2]] = contracted;
            fv[o[2]] = fc;
            continue;
        }
        for (int i : {o[1], o[2]}) {
            v[i] = along(v[o[0]], v[i], 0.5);
            fv[i] = f(v[i]);
        }
    }
    return v[std::min_element(fv.begin(), fv.end()) - fv.begin()];
}

// The spectrum summed in blocks of points, at most `most` of them, with what the angles
// of the whole spectrum need to apply to it: a block sum of absorption is absorptive
// too, so the angles that phase the spectrum phase its block sums.
struct Blocks {
    std::vector<double> sums;
    int count = 0;
    double pivot = 0.0;  // the pivot in block units
    double scale = 0.0;  // one over the largest block sum could be
};

Blocks sumBlocks(std::span<const double> data, int points, int pivotIndex, double scale, int most)
{
    const int block = std::max(1, (points + most - 1) / most);
    Blocks b;
    b.count = points / block;
    b.sums.assign(2 * b.count, 0.0);
    for (int k = 0; k < b.count * block; ++k) {
        b.sums[2 * (k / block)] += data[2 * k];
        b.sums[2 * (k / block) + 1] += data[2 * k + 1];
    }
    // Block j is centred on point j block + (block - 1) / 2.
    b.pivot = (pivotIndex - (block - 1.0)) / block;
    b.scale = scale / block;
    return b;
}

double negativeShare(const Blocks& b, double phase0, double phase1)
{
    return negativeShare(b.sums, b.count, b.pivot, b.scale, phase0, phase1);
}

// Where no line stands apart, the search starts from the least negative energy on a grid
// over the whole range of both angles (10 degrees of zero order, 30 of first order).
std::array<double, 2> negativeGrid(const Blocks& b)
{
    std::array<double, 2> best = {0.0, 0.0};
    double lowest = INFINITY;
    for (int p1 = -180; p1 <= 180; p1 += 30)
        for (int p0 = -180; p0 < 180; p0 += 10)
            if (const double v = negativeShare(b, p0, p1); v < lowest) {
                lowest = v;
                best = {double(p0), double(p1)};
            }
    return best;
}

}  // namespace

std::optional<PhaseAngles> findAutoPhase(std::span<const double> data, int values,
                                         int pivotIndex)
{
    const int points = valuesWithin(data, values) / 2;
    if (points < kAutoPhaseMinimumPoints)
        return std::nullopt;
    // No angle gives shape to a spectrum without any (all zero or constant).
    bool flat = true;
    double largest = 0.0;
    for (int i = 0; i < 2 * points; ++i) {
        flat = flat && data[i] == data[i % 2];
        largest = std::max(largest, std::fabs(data[i]));
    }
    // A largest value below the normal numbers is as good as none.
    if (flat || !std::isfinite(largest) || largest < std::numeric_limits<double>::min())
        return std::nullopt;
    bool anyLine = false;
    const std::vector<Region> regions = lineRegions(data, points, pivotIndex, anyLine);
    if (!anyLine)
        return std::nullopt;
    // The least negative energy is sought on block sums of at most kSearchPoints points.
    const Blocks search = sumBlocks(data, points, pivotIndex, 1.0 / largest, kSearchPoints);
    auto least = [&](std::array<double, 2> start) {
        return refine([&](const std::array<double, 2>& a) { return negativeShare(search, a[0], a[1]); },
                      start, 2.0, 0.02);
    };
    std::array<double, 2> found;
    if (regions.empty()) {
        found = least(negativeGrid(sumBlocks(data, points, pivotIndex, 1.0 / largest, kGridPoints)));
    } else {
        found = fitAreas(regions);
        // Areas that agree on one straight line fix the angles. Too few of them, or
        // areas that disagree (a broad hump, a group of lines taken for one), only
        // start the search for the least negative energy.
        double total = 0.0;
        for (const Region& r : regions)
            total += std::abs(r.area);
        const double aligned =
            std::abs(alignedSum(regions, found[1] * kPhaseDegree));
        if (regions.size() < kAgreeingRegions || aligned < kAgreement * total)
            found = least(found);
    }
    PhaseAngles angles;
    angles.phase0 = std::remainder(found[0], 360.0);
    angles.phase1 = std::clamp(found[1], -180.0, 180.0);
    return angles;
}

}  // namespace tesvar
