// Speed of the processing routines at the sizes the application uses, with FFTW as the
// reference for the complex transform. Each measured step starts from the same input:
// the transforms and windows work in place and would otherwise shrink the values
// towards subnormal numbers, which are slow on every processor.

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <span>
#include <vector>

#include "document/spectrum_document.h"
#include "processing/fft.h"
#include "processing/fourier_dialog.h"
#include "processing/phase_dialog.h"
#include "processing/window_functions.h"

namespace {

using namespace tesvar;

std::vector<double> decayingFid(int values)
{
    std::mt19937 gen(7);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::vector<double> v(values);
    for (int k = 0; k < values / 2; ++k) {
        const double decay = 1e6 * std::exp(-k / 3000.0);
        v[2 * k] = decay * std::cos(0.37 * k) + noise(gen);
        v[2 * k + 1] = decay * std::sin(0.37 * k) + noise(gen);
    }
    return v;
}

constexpr int kComplexPoints = 32768;

void BM_ComplexFft(benchmark::State& state)
{
    const auto input = decayingFid(2 * kComplexPoints);
    std::vector<double> data(input.size());
    for (auto _ : state) {
        state.PauseTiming();
        data = input;
        state.ResumeTiming();
        complexFft(data, kComplexPoints, 1);
        benchmark::DoNotOptimize(data.data());
    }
}
BENCHMARK(BM_ComplexFft)->Unit(benchmark::kMicrosecond);

// FFTW on the same points with a plan of the given rigour, made once. Wisdom is
// forgotten before and after, so that each plan comes from its own flag alone and later
// plans of complexFft cannot borrow a measured one.
void runFftw(benchmark::State& state, unsigned flags)
{
    static auto* buffer =
        static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * kComplexPoints));
    static std::map<unsigned, fftw_plan> plans;
    if (!plans.contains(flags)) {
        fftw_forget_wisdom();
        // The exponent sign of complexFft's forward run is +1: FFTW_BACKWARD.
        plans[flags] =
            fftw_plan_dft_1d(kComplexPoints, buffer, buffer, FFTW_BACKWARD, flags);
        fftw_forget_wisdom();
    }
    const fftw_plan plan = plans[flags];
    const auto input = decayingFid(2 * kComplexPoints);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.begin(), input.end(), reinterpret_cast<double*>(buffer));
        state.ResumeTiming();
        fftw_execute(plan);
        benchmark::DoNotOptimize(buffer);
    }
}

void BM_FftwMeasure(benchmark::State& state)
{
    runFftw(state, FFTW_MEASURE);
}
void BM_FftwEstimate(benchmark::State& state)
{
    runFftw(state, FFTW_ESTIMATE);
}
BENCHMARK(BM_FftwMeasure)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FftwEstimate)->Unit(benchmark::kMicrosecond);

// The whole of the Fourier dialog's OK at 65,536 values: first-point averaging, sign
// alternation, transform, removal of a digital filter's delay, the largest value.
void BM_DialogForwardTransform(benchmark::State& state)
{
    constexpr int values = 65536;
    const auto input = decayingFid(values);
    auto doc = std::make_unique<SpectrumDocument>();
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(input.begin(), input.end(), doc->data.begin());
        doc->valueCount = values;
        doc->realAcquisition = 0;
        doc->quadrature = 1;
        doc->inverseTransform = 0;
        doc->digitalFilterDelay = state.range(0) ? 61.020833 : 0.0;
        state.ResumeTiming();
        runFourierTransform(*doc);
        benchmark::DoNotOptimize(doc->maxAbsValue);
    }
}
BENCHMARK(BM_DialogForwardTransform)->Arg(0)->Arg(1)->ArgName("filterDelay")
    ->Unit(benchmark::kMicrosecond);

constexpr int kWindowValues = 131072;

template <typename Window>
void runWindow(benchmark::State& state, Window window)
{
    const auto input = decayingFid(kWindowValues);
    std::vector<double> data(input.size());
    for (auto _ : state) {
        state.PauseTiming();
        data = input;
        state.ResumeTiming();
        window(std::span<double>(data));
        benchmark::DoNotOptimize(data.data());
    }
}

constexpr double kSw = 5000.0;
constexpr double kAq = kWindowValues / (2.0 * kSw);

void BM_ExponentialWindow(benchmark::State& state)
{
    runWindow(state, [](std::span<double> d) { exponentialWindow(d, kWindowValues, 1.0, kSw); });
}
void BM_GaussianWindow(benchmark::State& state)
{
    runWindow(state, [](std::span<double> d) { gaussianWindow(d, kWindowValues, 1.0, kAq); });
}
void BM_LorentzGaussWindow(benchmark::State& state)
{
    runWindow(state,
              [](std::span<double> d) { lorentzGaussWindow(d, kWindowValues, -1.0, 0.3, kAq); });
}
void BM_SineBellWindow(benchmark::State& state)
{
    runWindow(state, [](std::span<double> d) { sineBellWindow(d, kWindowValues, 30.0, false); });
}
void BM_SineSquaredWindow(benchmark::State& state)
{
    runWindow(state, [](std::span<double> d) { sineBellWindow(d, kWindowValues, 30.0, true); });
}
BENCHMARK(BM_ExponentialWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GaussianWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LorentzGaussWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SineBellWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SineSquaredWindow)->Unit(benchmark::kMicrosecond);

// One step of the phase dialog's live preview at 65,536 values: the restore from the
// undo snapshot and the rotation of the real parts.
void BM_PhasePreviewStep(benchmark::State& state)
{
    constexpr int values = 65536;
    const auto input = decayingFid(values);
    auto doc = std::make_unique<SpectrumDocument>();
    std::copy(input.begin(), input.end(), doc->data.begin());
    doc->valueCount = values;
    doc->maxAbsIndex = 20000;
    undoSnapshot(*doc, true);
    int step = 0;
    for (auto _ : state) {
        doc->phase0 = step % 361 - 180;
        doc->phase1 = (step * 7) % 361 - 180;
        ++step;
        previewPhase(*doc);
        benchmark::DoNotOptimize(doc->data.data());
    }
}
BENCHMARK(BM_PhasePreviewStep)->Unit(benchmark::kMicrosecond);

}  // namespace

// With TESVAR_MEASURED_PLANS=1 in the environment, the transforms first run as in the
// window: each size measured once on the background thread (the wisdom file left
// alone), so that complexFft and the dialog's transform are timed on measured plans.
int main(int argc, char** argv)
{
    if (const char* measured = std::getenv("TESVAR_MEASURED_PLANS"); measured && *measured == '1') {
        measureTransformPlansInBackground(true);
        // Plans are kept apart for arrays FFTW finds aligned and others: measure both.
        for (const int points : {kComplexPoints, 2 * kComplexPoints}) {
            const std::size_t values = 2 * static_cast<std::size_t>(points);
            double* buffer = fftw_alloc_real(values + 1);
            std::fill(buffer, buffer + values + 1, 1.0);
            complexFft(std::span(buffer, values), points, 1);
            complexFft(std::span(buffer + 1, values), points, 1);
            fftw_free(buffer);
        }
        waitForMeasuredPlans();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
