// The window on a screen at 200%: run by the qt-2x test, which sets QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <memory>

#include "document/spectrum_document.h"
#include "platform/qt/qt_canvas.h"
#include "render/screen_plot.h"
#include "shell/client_area.h"
#include "shell/clipboard_commands.h"
#include "shell/main_window.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

// The first and last row of the trace's blue in device columns [from, from + count).
std::pair<int, int> blueRows(const QImage& image, int from, int count)
{
    std::pair<int, int> rows{-1, -1};
    for (int x = from; x < from + count; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == qRgb(0, 0, 255))
                rows = {rows.first < 0 ? y : std::min(rows.first, y), std::max(rows.second, y)};
    return rows;
}

TEST(HighDensity, TheBackBufferHasTheDevicePixelsAndTheTraceItsClientPlace)
{
    auto doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    MainWindow window(*doc, ui);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int ratio = static_cast<int>(window.devicePixelRatioF());
    if (ratio != 2)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    doc->acq.sw = 1000.0;
    doc->acq.sf = 100.0;
    doc->acq.td = 2000;
    for (int k = 0; k < 1000; ++k)
        doc->data[2 * k] = 100.0 * std::sin(k / 40.0) * std::exp(-k / 300.0);
    doc->verticalScale = 20.0;  // clear of the axis
    resetDocument(*doc, window);
    QApplication::processEvents();

    const QImage& buffer = window.backBuffer();
    EXPECT_EQ(buffer.devicePixelRatio(), 2.0);
    EXPECT_EQ(buffer.size(), window.screen()->availableSize() * 2);
    // Painting copies device pixel for device pixel.
    QWidget* viewport = window.clientArea().viewport();
    const QRect middle(10, 35, doc->clientWidth - 20, doc->clientHeight - 70);
    const QImage shown = viewport->grab(middle).toImage().convertToFormat(QImage::Format_RGB32);
    const QImage copy = buffer.copy(QRect(middle.topLeft() * 2, middle.size() * 2));
    EXPECT_EQ(shown, copy);

    QImage reference(doc->clientWidth, doc->clientHeight, QImage::Format_RGB32);
    {
        QPainter painter(&reference);
        QtCanvas canvas(painter);
        renderPlot(*doc, canvas);
    }
    int columns[2] = {0, 0};  // with some of the trace, at 100% and at 200%
    for (int x = 0; x < doc->clientWidth; ++x) {
        const auto [top, bottom] = blueRows(reference, x, 1);
        const auto [deviceTop, deviceBottom] = blueRows(buffer, 2 * x, 2);
        columns[0] += top >= 0;
        columns[1] += deviceTop >= 0;
        if (top >= 0 && deviceTop >= 0) {
            EXPECT_TRUE(std::abs(deviceTop / 2 - top) <= 1 &&
                        std::abs(deviceBottom / 2 - bottom) <= 1)
                << "column " << x << ": " << top << ".." << bottom << " at 100%, " << deviceTop
                << ".." << deviceBottom << " in device rows";
        }
    }
    EXPECT_GT(columns[0], doc->clientWidth / 2);
    EXPECT_NEAR(columns[0], columns[1], 1);

    // A copied region is as sharp as the window and pastes back at its size.
    copyRegionToClipboard(window, {40, 60, 140, 110});
    ASSERT_TRUE(ui.clipboard && ui.clipboard->width == 200 && ui.clipboard->height == 100);
    const QImage copied = buffer.copy(80, 120, 200, 100);
    pasteClipboardImage(window);
    EXPECT_EQ(buffer.copy(0, 0, 200, 100), copied);
}

}  // namespace
}  // namespace tesvar
