// The clipboard exchange on the system clipboard and in the real window.
#include <gtest/gtest.h>

#include <memory>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "modal.h"
#include "platform/command_ids.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/qt_ui.h"
#include "shell/client_area.h"
#include "shell/clipboard_commands.h"
#include "shell/main_window.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

const std::string kSample = std::string(TESVAR_SAMPLES) + "/ethyl-acetate.TVX";

// A picture whose every pixel differs from its neighbours.
QImage patternImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
    return image;
}

TEST(QtClipboard, AnImagePutThereIsReadBackAsAnImageOtherProgramsCanTake)
{
    QtUi ui;
    const QImage picture = patternImage(37, 23);
    ASSERT_TRUE(ui.putClipboardImage(toBitmap(picture)));
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(held, nullptr);
    EXPECT_TRUE(held->hasImage());
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_ARGB32), picture);
    const ClipboardImage back = ui.clipboardImage();
    EXPECT_TRUE(back.opened);
    ASSERT_TRUE(back.image);
    EXPECT_EQ(*back.image, toBitmap(picture));

    QGuiApplication::clipboard()->setText(QStringLiteral("only text"));
    const ClipboardImage text = ui.clipboardImage();
    EXPECT_TRUE(text.opened);
    EXPECT_FALSE(text.image);
}

class ClipboardInWindow : public ::testing::Test {
protected:
    ClipboardInWindow() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        window.resize(900, 700);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        ui.chooseNext(kSample);
        EXPECT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Opened);
        QApplication::processEvents();
        window.clientArea().viewport()->repaint();
    }

    // The window as a fresh repaint draws it.
    QImage repainted(const QRect& r)
    {
        return window.clientArea().viewport()->grab(r).toImage().convertToFormat(QImage::Format_ARGB32);
    }

    // What the window shows now: the back buffer as last presented.
    QImage shown(const QRect& r)
    {
        return window.backBuffer().copy(r).convertToFormat(QImage::Format_ARGB32);
    }

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(ClipboardInWindow, CopyTakesTheWindowsPixelsOfTheBoxInEitherDirection)
{
    window.commandAction(cmd::Copy)->trigger();
    EXPECT_EQ(doc->interactionMode, cmd::Copy);
    EXPECT_EQ(doc->dragToolArmed, 1);
    EXPECT_EQ(ui.beeps, 1);

    // A box over the trace and the axis.
    const QRect box(QPoint(100, 200), QPoint(499, 599));
    copyRegionToClipboard(window, DragCorners{500, 600, 100, 200});
    ASSERT_TRUE(ui.clipboard);
    EXPECT_EQ(ui.clipboard->width, 400);
    EXPECT_EQ(ui.clipboard->height, 400);
    EXPECT_EQ(toQImage(*ui.clipboard), repainted(box));
    const Bitmap first = *ui.clipboard;
    copyRegionToClipboard(window, DragCorners{100, 200, 500, 600});
    EXPECT_EQ(*ui.clipboard, first);
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"Task completed OK", "Task completed OK"}));
}

TEST_F(ClipboardInWindow, TheCopyToolsDragCopiesTheBoxWithoutItsRubberBand)
{
    const QRect box(QPoint(150, 120), QPoint(449, 419));
    const QImage before = shown(box);
    window.commandAction(cmd::Copy)->trigger();
    QWidget* viewport = window.clientArea().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(450, 420));
    QTest::mouseMove(viewport, QPoint(300, 300));
    QTest::mouseMove(viewport, QPoint(150, 120));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(150, 120));
    ASSERT_TRUE(ui.clipboard);
    EXPECT_EQ(ui.clipboard->width, 300);
    EXPECT_EQ(ui.clipboard->height, 300);
    EXPECT_EQ(toQImage(*ui.clipboard), before) << "the window's pixels, the band erased";
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Task completed OK"});
    EXPECT_EQ(doc->interactionMode, cmd::Copy) << "the tool stays chosen";
}

TEST_F(ClipboardInWindow, PasteDrawsAtTheOriginUntilTheNextRepaint)
{
    const QSize client = window.clientArea().viewport()->size();
    const QImage plot = shown(QRect(QPoint(0, 0), client));
    QImage red(client, QImage::Format_ARGB32);
    red.fill(qRgb(200, 0, 0));
    ui.clipboard = toBitmap(red);
    doc->referenceArmed = 1;
    window.commandAction(cmd::Paste)->trigger();
    EXPECT_TRUE(ui.messages.empty()) << "the client size is pasted without a question";
    EXPECT_EQ(doc->referenceArmed, 0);
    // Between the tool bar and the status bar the window shows the picture.
    const QImage pasted = shown(QRect(QPoint(0, 0), client));
    EXPECT_EQ(pasted.pixel(client.width() / 2, client.height() / 2), qRgb(200, 0, 0));
    EXPECT_EQ(pasted.pixel(3, 100), qRgb(200, 0, 0));

    window.invalidatePlot();
    window.clientArea().viewport()->repaint();
    EXPECT_EQ(shown(QRect(QPoint(0, 0), client)), plot) << "the repaint redraws the plot";
    EXPECT_EQ(ui.clipboard->width, client.width()) << "the clipboard keeps its picture";
}

TEST_F(ClipboardInWindow, AWiderImageAnsweredYesIsSqueezedToTheClientWidth)
{
    const QSize client = window.clientArea().viewport()->size();
    // Left half green, right half blue, twice the client width, 100 rows.
    QImage wide(client.width() * 2, 100, QImage::Format_ARGB32);
    wide.fill(qRgb(0, 0, 200));
    QPainter(&wide).fillRect(0, 0, client.width(), 100, qRgb(0, 200, 0));
    ui.clipboard = toBitmap(wide);
    ui.answerNext(Answer::Yes);
    window.commandAction(cmd::Paste)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Tesvar");
    const QImage after = shown(QRect(QPoint(0, 0), client));
    const int y = 50;
    EXPECT_EQ(after.pixel(client.width() / 4, y), qRgb(0, 200, 0));
    EXPECT_EQ(after.pixel(client.width() * 3 / 4, y), qRgb(0, 0, 200)) << "squeezed to fit";
    EXPECT_NE(after.pixel(client.width() / 2, 150), qRgb(0, 0, 200)) << "its height is kept";

    ui.answerNext(Answer::No);
    window.commandAction(cmd::Paste)->trigger();
    EXPECT_EQ(shown(QRect(QPoint(0, 0), client)).pixel(client.width() * 3 / 4, y), qRgb(0, 200, 0))
        << "unscaled: the window shows the left half only";
}

TEST(ClipboardWithQtUi, PasteOfTextReportsTheRuntimeErrorInARealBox)
{
    auto doc = std::make_unique<SpectrumDocument>();
    QtUi ui;
    MainWindow window(*doc, ui);
    window.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("text, not a picture"));
    QString caption, text;
    test::whenModal<QMessageBox>([&](QMessageBox* box) {
        caption = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    window.commandAction(cmd::Paste)->trigger();
    EXPECT_EQ(caption, "Runtime Error");
    EXPECT_EQ(text, "An error ocurried while attempting to grap the handle of the bitmap in the "
                    "Clipboard. No data was pasted from the Clipboard.");
}

}  // namespace
}  // namespace tesvar
