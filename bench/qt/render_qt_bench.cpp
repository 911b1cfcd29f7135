// A full repaint of the largest spectrum into a full-HD back buffer, a step of the phase
// preview with the repaint it asks for, and the printed picture recorded into a vector
// picture, through the Qt drawing surface.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include "platform/qt/qt_canvas.h"
#include "processing/phase_dialog.h"
#include "render/print_picture.h"
#include "render/screen_plot.h"
#include "render_bench_spectrum.h"

namespace {

void repaint(tesvar::SpectrumDocument& doc, QImage& backBuffer)
{
    QPainter painter(&backBuffer);
    tesvar::QtCanvas canvas(painter);
    tesvar::renderPlot(doc, canvas);
    canvas.flush();
    painter.end();
    benchmark::DoNotOptimize(backBuffer.constBits());
}

void BM_RenderPlotFullHd(benchmark::State& state)
{
    auto doc = tesvar::bench::largestSpectrum(static_cast<int>(state.range(0)));
    QImage backBuffer(1920, 1080, QImage::Format_RGB32);
    backBuffer.fill(Qt::white);
    for (auto _ : state)
        repaint(*doc, backBuffer);
}
BENCHMARK(BM_RenderPlotFullHd)->ArgName("values")->Arg(65536)->Arg(131072)->Arg(1048576)
    ->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A slider step of the phase dialog: the real parts rotated afresh from the snapshot,
// then the whole picture redrawn.
void BM_PhasePreviewAndRepaintFullHd(benchmark::State& state)
{
    auto doc = tesvar::bench::largestSpectrum(static_cast<int>(state.range(0)));
    tesvar::undoSnapshot(*doc, true);
    QImage backBuffer(1920, 1080, QImage::Format_RGB32);
    backBuffer.fill(Qt::white);
    int step = 0;
    for (auto _ : state) {
        doc->phase0 = step % 361 - 180;
        doc->phase1 = (step * 7) % 361 - 180;
        ++step;
        tesvar::previewPhase(*doc);
        repaint(*doc, backBuffer);
    }
}
BENCHMARK(BM_PhasePreviewAndRepaintFullHd)->ArgName("values")->Arg(65536)->Arg(131072)
    ->Arg(524288)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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
