// The window on a screen at 200%: the qt-2x test runs it with QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <memory>
#include <vector>

#include "document/spectrum_document.h"
#include "render/plot_geometry.h"
#include "shell/client_area.h"
#include "shell/clipboard_commands.h"
#include "shell/main_window.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlue = 0xff0000ff;

TEST(HighDensity, TheBackBufferHasTheDevicePixelsAndThePictureItsClientGeometry)
{
    auto doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    MainWindow window(*doc, ui);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (window.devicePixelRatioF() != 2.0)
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    doc->acq = {.sw = 1000.0, .sf = 100.0, .td = 2000};
    doc->verticalScale = 20.0;  // the trace clear of the axis
    for (int k = 0; k < 500; ++k)
        doc->data[2 * k] = std::sin(k / 40.0);
    resetDocument(*doc, window);
    QApplication::processEvents();

    const QImage& buffer = window.backBuffer();
    EXPECT_EQ(buffer.size(), window.screen()->availableSize() * 2);
    const QRect middle(10, 35, doc->clientWidth - 20, doc->clientHeight - 70);
    // Painting (the grab paints first) copies device pixel for device pixel.
    const QImage shown = window.clientArea().viewport()->grab(middle).toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              buffer.copy(QRect(middle.topLeft() * 2, middle.size() * 2)));

    // The trace's flat end lies on the zero line's two device rows, and only there.
    const int x = 2 * doc->clientWidth - 20, y = 2 * doc->baselineY;
    EXPECT_EQ((std::vector{buffer.pixel(x, y - 1), buffer.pixel(x, y), buffer.pixel(x, y + 1),
                           buffer.pixel(x, y + 2)}),
              (std::vector<QRgb>{kWhite, kBlue, kBlue, kWhite}));

    // A copied region is as sharp as the window and pastes back at its size.
    copyRegionToClipboard(window, {40, 60, 140, 110});
    ASSERT_TRUE(ui.clipboard && ui.clipboard->width == 200 && ui.clipboard->height == 100);
    const QImage copied = buffer.copy(80, 120, 200, 100);
    pasteClipboardImage(window);
    EXPECT_EQ(buffer.copy(0, 0, 200, 100), copied);

    // The wheel's pointer is in client pixels: Ctrl+wheel keeps the time under it.
    const double under = xToTime(*doc, 100);
    QWheelEvent turn({100, 100}, {100, 100}, {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.clientArea().viewport(), &turn);
    EXPECT_NEAR(doc->zoomFactor, 1.25, 1e-12);
    EXPECT_NEAR(xToTime(*doc, 100), under, 1e-12);
}

}  // namespace
}  // namespace tesvar
