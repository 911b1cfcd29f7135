// The trace drawn per column against one segment per point, on screen and on a page.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "core/render/render_fixture.h"
#include "importers/import_dispatch.h"
#include "platform/qt/qt_canvas.h"
#include "processing/fourier_dialog.h"
#include "render/plot_style.h"
#include "render/print_picture.h"
#include "render/trace_drawing.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

TEST(TraceColumns, PixelsOfOneSegmentPerPointFromAtMostFourSegmentsPerColumn)
{
    auto aspirin = test::loadedSpectrum(0, 1, 1, 1920, 1080);
    test::FakeUi ui;
    test::FakeWindow window;
    ASSERT_TRUE(importFile(*aspirin, FileType::BrukerX32,
                           std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid", ui, window));
    runFourierTransform(*aspirin);
    auto lines = test::loadedSpectrum(65536, 6000, 400, 1920, 1080, [](int i) {
        double v = 0.002 * std::sin(0.45 * i) + 0.001 * std::cos(0.0065 * i);
        for (int line = 1; line < 40; ++line)
            v += (line % 3 == 0 ? -4.0 : 8.0) / line / (1 + 2 * std::pow(i / 2 - 811.7 * line, 2));
        return v;
    });
    // The share of the elements in view; 0 for the back buffer or the scale of a page.
    const struct {
        SpectrumDocument* doc;
        double from, to, page;
        int columnsPerUnit;
    } cases[] = {{aspirin.get(), 0, 1, 0, 1},      {aspirin.get(), 0.25, 0.45, 0, 1},
                 {aspirin.get(), 0.3, 0.33, 0, 1}, {aspirin.get(), 0, 1, 2.3, 1},
                 {lines.get(), 0, 1, 0, 1},        {lines.get(), 0.1, 0.35, 0, 1},
                 {lines.get(), 0.05, 0.5, 1.7, 1}, {lines.get(), 0, 1, 0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to << " page " << c.page);
        SpectrumDocument& doc = *c.doc;
        test::showElements(doc, c.from * doc.valueCount, c.to * doc.valueCount);
        const VisibleRange range = visibleRange(doc);
        const bool page = c.page > 0;
        const int width = page ? kPrintWidth : doc.clientWidth;
        const int height = page ? kPrintHeight : doc.clientHeight;
        const int zeroY = page ? height / 2 : doc.baselineY;
        auto yOf = [&](double v) {
            return std::clamp(valueToY(doc, v) - doc.baselineY + zeroY, 0, height - 1);
        };
        const TraceColumns at(doc, range, width, 1);
        auto draw = [&](Canvas& canvas, bool perColumn) {
            canvas.setPen(tracePen);
            canvas.moveTo(0, zeroY);
            if (perColumn)
                return drawTracePoints(doc, canvas, range, width, yOf, zeroY, c.columnsPerUnit);
            forEachTracePoint(
                doc, range, [&](std::int64_t k) { canvas.lineTo(at.x(k), zeroY); },
                [&](std::int64_t from, std::int64_t to) {
                    for (std::int64_t k = from; k < to; ++k)
                        canvas.lineTo(at.x(k), yOf(doc.data[range.firstIndex + 2 * k]));
                });
        };
        auto picture = [&](bool perColumn) {
            const double s = page ? c.page : 1.0;
            QImage image(std::lround(width * s), std::lround(height * s), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.scale(s, s);
            QtCanvas canvas(painter);
            draw(canvas, perColumn);
            canvas.flush();
            return image;
        };
        // The raster engine decides pixels at turns from the segments before: few differ.
        const QImage reference = picture(false), columns = picture(true);
        int differingColumns = 0, worstColumn = 0, ink = 0;
        for (int x = 0; x < reference.width(); ++x) {
            int inColumn = 0;
            for (int y = 0; y < reference.height(); ++y) {
                inColumn += reference.pixel(x, y) != columns.pixel(x, y);
                ink += reference.pixel(x, y) != qRgb(255, 255, 255);
            }
            differingColumns += inColumn > 0;
            worstColumn = std::max(worstColumn, inColumn);
        }
        EXPECT_GT(ink, reference.width() / 2) << "a trace across the picture";
        EXPECT_LE(worstColumn, 1) << "pixels in one column";
        EXPECT_LE(differingColumns, 4);
        test::RecordingCanvas segments;
        draw(segments, true);
        EXPECT_LE(segments.lines().size(), 4u * width * c.columnsPerUnit + 4);
    }
}

}  // namespace
}  // namespace tesvar
