// Speed of the automatic phase and the smooth baseline on plain buffers of 32,768 and
// 262,144 complex points: a spectrum of Lorentzian lines with noise, out of phase for
// the first, on a rolling baseline for the second. The automatic phase is also timed on
// doublets, none of whose lines stands apart, which takes its slower search.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "processing/auto_phase.h"
#include "processing/phase.h"
#include "processing/smooth_baseline.h"

namespace {

using namespace tesvar;

std::vector<double> lines(int points, bool rolling, bool doublets = false)
{
    std::mt19937 gen(5);
    std::normal_distribution<double> noise(0.0, 1e-3);
    const double at[] = {0.15, 0.3, 0.32, 0.5, 0.68, 0.7, 0.72, 0.88};
    const double width = points / 3000.0;
    std::vector<double> v(2 * points);
    for (int k = 0; k < points; ++k) {
        for (double c : at)
            for (int partner = 0; partner <= (doublets ? 1 : 0); ++partner) {
                const double x = k - c * points - 2.0 * width * partner;
                v[2 * k] += width * width / (width * width + x * x);
                v[2 * k + 1] += width * x / (width * width + x * x);
            }
        if (rolling)
            v[2 * k] += 0.08 * std::sin(3.0 * M_PI * k / points);
        v[2 * k] += noise(gen);
        v[2 * k + 1] += noise(gen);
    }
    return v;
}

void BM_AutoPhase(benchmark::State& state)
{
    const int points = static_cast<int>(state.range(0));
    auto data = lines(points, false, state.range(1) != 0);
    const int pivot = 2 * static_cast<int>(0.15 * points);
    applyPhase(data, 2 * points, pivot, -70.0, 120.0, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(findAutoPhase(data, 2 * points, pivot));
}
BENCHMARK(BM_AutoPhase)
    ->ArgsProduct({{32768, 262144}, {0, 1}})
    ->ArgNames({"points", "doublets"})
    ->Unit(benchmark::kMillisecond);

void BM_SmoothBaseline(benchmark::State& state)
{
    const int points = static_cast<int>(state.range(0));
    const auto data = lines(points, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(fitSmoothBaseline(data, 2 * points, kDefaultBaselineStrength));
}
BENCHMARK(BM_SmoothBaseline)->Arg(32768)->Arg(262144)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
