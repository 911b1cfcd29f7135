// A full repaint of the largest spectrum into a full-HD back buffer, and the printed
// picture recorded into a vector picture, through the Qt drawing surface.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include "platform/qt/qt_canvas.h"
#include "render/print_picture.h"
#include "render/screen_plot.h"
#include "render_bench_spectrum.h"

namespace {

void BM_RenderPlotFullHd(benchmark::State& state)
{
    auto doc = tesvar::bench::largestSpectrum();
    QImage backBuffer(1920, 1080, QImage::Format_RGB32);
    backBuffer.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&backBuffer);
        tesvar::QtCanvas canvas(painter);
        tesvar::renderPlot(*doc, canvas);
        canvas.flush();
        painter.end();
        benchmark::DoNotOptimize(backBuffer.constBits());
    }
}
BENCHMARK(BM_RenderPlotFullHd)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_BuildPrintPicture(benchmark::State& state)
{
    auto doc = tesvar::bench::largestSpectrum();
    for (auto _ : state) {
        QPicture picture;
        QPainter painter(&picture);
        {
            tesvar::QtCanvas canvas(painter);
            tesvar::buildPrintMetafile(*doc, canvas);
        }
        painter.end();
        benchmark::DoNotOptimize(picture.size());
    }
}
BENCHMARK(BM_BuildPrintPicture)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // Raster drawing and fonts need the GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
