// The drawing code's own share of a repaint and of the printed picture: the same
// passes onto a surface that only counts what it is asked to draw.
#include <benchmark/benchmark.h>

#include "render_bench_spectrum.h"
#include "platform/canvas.h"
#include "render/print_picture.h"
#include "render/screen_plot.h"

namespace {

class CountingCanvas : public tesvar::Canvas {
public:
    void setPen(const tesvar::Pen&) override {}
    void setFont(const tesvar::Font&) override {}
    void moveTo(int x, int y) override { sum += x + y; }
    void lineTo(int x, int y) override { sum += x ^ y; ++segments; }
    void textOut(int x, int, const std::string& t) override { sum += x + static_cast<long>(t.size()); }
    tesvar::TextSize textExtent(const std::string& t) override
    {
        return {7 * static_cast<int>(t.size()), 16};
    }
    void fillRect(const tesvar::IntRect&, tesvar::Rgb) override {}
    void setInvert(bool) override {}
    long sum = 0;
    long segments = 0;
};

void BM_RenderPlotCoreOnly(benchmark::State& state)
{
    auto doc = tesvar::bench::largestSpectrum();
    CountingCanvas canvas;
    for (auto _ : state) {
        tesvar::renderPlot(*doc, canvas);
        benchmark::DoNotOptimize(canvas.sum);
    }
    state.counters["segments/pass"] =
        benchmark::Counter(static_cast<double>(canvas.segments) / state.iterations());
}
BENCHMARK(BM_RenderPlotCoreOnly)->Unit(benchmark::kMillisecond);

void BM_BuildPrintPictureCoreOnly(benchmark::State& state)
{
    auto doc = tesvar::bench::largestSpectrum();
    CountingCanvas canvas;
    for (auto _ : state) {
        tesvar::buildPrintMetafile(*doc, canvas);
        benchmark::DoNotOptimize(canvas.sum);
    }
}
BENCHMARK(BM_BuildPrintPictureCoreOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
