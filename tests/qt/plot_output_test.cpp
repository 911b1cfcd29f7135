// The plot in the window, transient drawing over it, printing through the picture file,
// exports, and the "BaselineDB" dialog in the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <cmath>
#include <memory>
#include <tuple>

#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "modal.h"
#include "platform/command_ids.h"
#include "platform/qt/qt_canvas.h"
#include "document/plot_geometry.h"
#include "render/print_command.h"
#include "render/print_picture.h"
#include "shell/client_area.h"
#include "shell/dialogs/baseline_dialog_view.h"
#include "shell/dialogs/export_dialog.h"
#include "shell/main_window.h"
#include "shell/picture_export.h"
#include "shell/picture_files.h"
#include "shell/plot_output.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

const std::string kSample = std::string(TESVAR_SAMPLES) + "/ethyl-acetate.TVX";

bool isBlue(QRgb p) { return qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60; }
bool isRed(QRgb p) { return qRed(p) > 200 && qBlue(p) < 60 && qGreen(p) < 60; }

// Pixels passing `test` in the rows first..last (all rows by default).
int countPixels(const QImage& image, bool (*test)(QRgb), int first = 0, int last = -1)
{
    int n = 0;
    if (last < 0)
        last = image.height() - 1;
    for (int y = first; y <= last; ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

class PlotWindow : public ::testing::Test {
protected:
    PlotWindow() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        window.resize(900, 700);
        window.show();
    }

    void load()
    {
        ui.chooseNext(kSample);
        ASSERT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Opened);
    }

    QImage viewportPicture()
    {
        QWidget* viewport = window.clientArea().viewport();
        viewport->repaint();
        return viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(PlotWindow, NothingIsPaintedUntilASpectrumIsLoaded)
{
    // The plot between the tool bar and the status bar.
    const int top = 40;
    const int bottom = doc->clientHeight - 30;
    const QImage before = viewportPicture();
    EXPECT_EQ(countPixels(before, isBlue, top, bottom), 0);
    EXPECT_EQ(countPixels(before, isRed, top, bottom), 0);
    load();
    const QImage after = viewportPicture();
    EXPECT_GT(countPixels(after, isBlue, top, bottom), 500) << "the trace";
    EXPECT_GT(countPixels(after, isRed, top, bottom), doc->clientWidth) << "the axis and ticks";
}

TEST_F(PlotWindow, WindowDrawingStaysUntilTheNextRepaintRedrawsThePlot)
{
    load();
    const QImage plot = viewportPicture();
    // An inverting line across the window, as the baseline preview draws.
    drawOnWindow(window, [](Canvas& canvas) {
        canvas.setInvert(true);
        canvas.moveTo(10, 100);
        canvas.lineTo(400, 100);
        canvas.setInvert(false);
    });
    // The window shows the back buffer as drawing left it, without a redraw of the plot.
    EXPECT_EQ(window.backBuffer().pixel(200, 100), qRgb(0, 0, 0)) << "white inverted to black";
    EXPECT_EQ(viewportPicture(), plot) << "a repaint redraws the plot without the line";
    EXPECT_EQ(window.backBuffer().pixel(200, 100), qRgb(255, 255, 255));
}

TEST_F(PlotWindow, FileMenuHasExportRightAfterPrint)
{
    QAction* print = window.commandAction(cmd::Print);
    QAction* exportAction = window.commandAction(cmd::Export);
    ASSERT_NE(print, nullptr);
    ASSERT_NE(exportAction, nullptr);
    EXPECT_EQ(exportAction->text(), "Export...");
    EXPECT_EQ(exportAction->objectName(), "id40300");
    const QList<QAction*> file = window.menuBar()->actions().front()->menu()->actions();
    const auto at = file.indexOf(print);
    ASSERT_GE(at, 0);
    ASSERT_LT(at + 2, file.size());
    EXPECT_EQ(file[at + 1], exportAction);
    EXPECT_EQ(file[at + 2], window.commandAction(cmd::Exit));
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(exportAction->isEnabled());
}

TEST_F(PlotWindow, ExportAsksWhichPictureAndFileTypeThenTheFile)
{
    load();
    test::TempDir dir;
    const std::string path = dir.file("printed.pdf");
    ui.chooseNext(path);
    test::whenModal<ExportDialog>([](ExportDialog* dialog) {
        dialog->findChild<QRadioButton*>(QStringLiteral("exportPage"))->setChecked(true);
        dialog->findChild<QRadioButton*>(QStringLiteral("exportPdf"))->setChecked(true);
        dialog->accept();
    });
    window.commandAction(cmd::Export)->trigger();
    ASSERT_EQ(ui.fileChoices.size(), 2u);  // the open, then the export's file
    EXPECT_TRUE(ui.fileChoices[1].save);
    EXPECT_EQ(ui.fileChoices[1].spec.defaultExtension, "pdf");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_TRUE(ui.messages.empty());

    // The spectrum itself, as a JCAMP-DX file.
    const std::string jdx = dir.file("spectrum.jdx");
    ui.chooseNext(jdx);
    test::whenModal<ExportDialog>([](ExportDialog* dialog) {
        dialog->findChild<QRadioButton*>(QStringLiteral("exportJcamp"))->setChecked(true);
        EXPECT_FALSE(dialog->findChild<QRadioButton*>(QStringLiteral("exportPage"))->isEnabled());
        dialog->accept();
    });
    window.commandAction(cmd::Export)->trigger();
    ASSERT_EQ(ui.fileChoices.size(), 3u);
    EXPECT_EQ(ui.fileChoices[2].spec.filterText + " (" + ui.fileChoices[2].spec.filterPattern + ")",
              "JCAMP-DX (*.jdx *.dx)");
    EXPECT_EQ(ui.fileChoices[2].spec.defaultExtension, "jdx");
    QFile spectrum(QString::fromStdString(jdx));
    ASSERT_TRUE(spectrum.open(QIODevice::ReadOnly));
    EXPECT_TRUE(spectrum.readAll().startsWith("##TITLE= spectrum.jdx\n##JCAMP-DX= 5.01\n"));
    EXPECT_TRUE(ui.messages.empty());

    // A file that cannot be written is reported.
    ui.chooseNext(dir.file("no/such/folder/x.png"));
    test::whenModal<ExportDialog>([](ExportDialog* dialog) { dialog->accept(); });
    window.commandAction(cmd::Export)->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Export");
    EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
}

TEST_F(PlotWindow, PrintWithoutADefaultPrinterReportsAndLeavesTheCurrentFolderAlone)
{
    load();
    test::TempDir dir;
    test::writeBytes(dir.file("Tesvar.wmf"), {'m', 'e'});  // a file of the user's
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    window.commandAction(cmd::Print)->trigger();
    const QStringList entries = QDir(".").entryList(QDir::Files | QDir::Hidden);
    QDir::setCurrent(previous);
    // This machine has no printer.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error printing");
    EXPECT_EQ(ui.messages[0].caption, "Tesvar");
    EXPECT_EQ(entries, QStringList{"Tesvar.wmf"}) << "nothing written in the current folder";
    EXPECT_EQ(test::readBytes(dir.file("Tesvar.wmf")), (std::vector<std::uint8_t>{'m', 'e'}));
    EXPECT_EQ(doc->interactionMode, cmd::ModeNone);
}

TEST(PictureFiles, PrintedPictureIsPlayedCentredOnThePageAsThePrinterGetsIt)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->clientWidth = 1000;
    doc->clientHeight = 700;
    doc->hasSpectrum = 1;
    QPicture picture;
    recordPicture(picture, [&](Canvas& c) { buildPrintMetafile(*doc, c); });

    // A page of 2480 x 3508 pixels at 300 per inch.
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(11811);
    page.setDotsPerMeterY(11811);
    {
        QPainter painter(&page);
        ASSERT_TRUE(playPictureOnPage(painter, picture, page.width(), page.height()));
    }
    const IntRect frame = metafileFrame({0, 0, kPrintWidth, kPrintHeight}, picture.logicalDpiX(),
                                        picture.logicalDpiY());
    const auto target = pageTarget(frame, 2480, 3508);
    ASSERT_TRUE(target);
    // The border runs along the target's edges: dark there, white just outside.
    const int midY = (target->top + target->bottom) / 2;
    const int midX = (target->left + target->right) / 2;
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    auto darkNear = [&](int x, int y) {
        for (int d = -2; d <= 2; ++d)
            if (dark(x + d, y) || dark(x, y + d))
                return true;
        return false;
    };
    EXPECT_TRUE(darkNear(target->left, midY));
    EXPECT_TRUE(darkNear(target->right - 1, midY));
    EXPECT_TRUE(darkNear(midX, target->top));
    EXPECT_TRUE(darkNear(midX, target->bottom - 1));
    EXPECT_FALSE(dark(target->left - 4, midY));
    EXPECT_FALSE(dark(target->right + 3, midY));
    EXPECT_FALSE(dark(midX, target->top - 4));
    EXPECT_FALSE(dark(midX, target->bottom + 3));
}

TEST(PictureFiles, PrintsThePictureFileOnAPdfPrinter)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->clientWidth = 1000;
    doc->clientHeight = 700;
    test::TempDir dir;
    const QString picturePath = QString::fromStdString(dir.file("Tesvar.wmf"));
    ASSERT_TRUE(recordPictureFile(picturePath, [&](Canvas& c) { buildPrintMetafile(*doc, c); }));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QString::fromStdString(dir.file("page.pdf"));
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(printPictureFile(picturePath, printer));
    EXPECT_EQ(printer.docName(), "TesvarImprimiendo");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_FALSE(printPictureFile(QString::fromStdString(dir.file("missing.wmf")), printer));
}

TEST(PictureExport, ScreenPictureOfAnySizeLeavesTheWindowGeometryAlone)
{
    auto doc = std::make_unique<SpectrumDocument>();
    doc->acq.td = 2048;
    doc->acq.sw = 5000;
    doc->acq.sf = 400;
    doc->clientWidth = 1000;
    doc->clientHeight = 700;
    for (int i = 0; i < 2048; i += 2)
        doc->data[i] = std::exp(-i / 300.0) * std::cos(0.3 * i);
    test::FakeWindow window;
    resetDocument(*doc, window);
    doc->baselineY = 123;  // a vertical shift
    test::TempDir dir;

    ExportRequest request;
    request.path = dir.file("screen.png");
    request.width = 640;
    request.height = 480;
    ASSERT_FALSE(exportPicture(*doc, request).has_value());
    QImage image(QString::fromStdString(request.path));
    ASSERT_EQ(image.size(), QSize(640, 480));
    EXPECT_GT(countPixels(image, isBlue), 100);
    // Drawn as in a window of that size: where the decay has died away the trace lies on
    // the zero line, at half its height.
    int nearZeroLine = 0;
    for (int x = 560; x < 639; ++x)
        for (int y = 238; y <= 241; ++y)
            nearZeroLine += isBlue(image.pixel(x, y)) ? 1 : 0;
    EXPECT_GT(nearZeroLine, 70);
    EXPECT_EQ(doc->clientWidth, 1000);
    EXPECT_EQ(doc->clientHeight, 700);
    EXPECT_EQ(doc->baselineY, 123);

    for (const auto& [format, name, magic] :
         {std::tuple{ExportFormat::Svg, "screen.svg", "<?xml"},
          std::tuple{ExportFormat::Pdf, "screen.pdf", "%PDF"}}) {
        request.format = format;
        request.path = dir.file(name);
        ASSERT_FALSE(exportPicture(*doc, request).has_value()) << name;
        QFile file(QString::fromStdString(request.path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().startsWith(magic)) << name;
    }

    request.picture = ExportPicture::Page;
    request.format = ExportFormat::Png;
    request.path = dir.file("page.png");
    request.width = request.height = 0;
    ASSERT_FALSE(exportPicture(*doc, request).has_value());
    EXPECT_EQ(QImage(QString::fromStdString(request.path)).size(), QSize(2480, 3508));

    request.path = dir.file("no-such-folder/page.png");
    EXPECT_TRUE(exportPicture(*doc, request).has_value());
    request.width = 5;  // a width without a height
    EXPECT_TRUE(exportPicture(*doc, request).has_value());
}

TEST_F(PlotWindow, BaselineDialogControlsAndOkAddsTheCorrection)
{
    load();
    const double maxAbs = doc->maxAbsValue;
    const std::vector<double> before(doc->data.begin(), doc->data.begin() + doc->valueCount);
    const double h = std::fabs(maxAbs * 0.5);
    const double stepsPerUnit = h < 100 ? 100 / h : 1.0;
    test::whenModal<BaselineDialogView>([&](BaselineDialogView* view) {
        EXPECT_EQ(view->objectName(), "BaselineDB");
        EXPECT_EQ(view->pos(), window.clientArea().viewport()->mapToGlobal(QPoint(0, 0)))
            << "at the top left of the client area";
        EXPECT_TRUE(view->windowFlags() & Qt::FramelessWindowHint);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NE(view->findChild<QLineEdit*>(QStringLiteral("id%1").arg(1081 + k)), nullptr);
            EXPECT_NE(view->findChild<QWidget*>(QStringLiteral("id%1").arg(56777 + k)), nullptr);
            auto* slider = view->findChild<QSlider*>(QStringLiteral("trackbar%1").arg(k));
            ASSERT_NE(slider, nullptr);
            EXPECT_EQ(slider->geometry(), QRect(15, 10 + 20 * k, 380, 17));
            EXPECT_EQ(slider->maximum(), -slider->minimum());
        }
        auto* slider0 = view->findChild<QSlider*>(QStringLiteral("trackbar0"));
        slider0->setValue(20);  // a click beside the thumb: moves and ends at once
        EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("id1081"))->text(), "20");
        view->findChild<QPushButton*>(QStringLiteral("id1"))->click();
    });
    window.commandAction(cmd::ManualBaseline)->trigger();
    for (int i : {0, 1, 777, doc->valueCount - 1})
        EXPECT_NEAR(doc->data[i], before[i] + 20 / stepsPerUnit, 1e-9 * std::fabs(maxAbs)) << i;
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(PlotWindow, BaselineDialogCancelLeavesTheData)
{
    load();
    const std::vector<double> before(doc->data.begin(), doc->data.begin() + doc->valueCount);
    test::whenModal<BaselineDialogView>([&](BaselineDialogView* view) {
        view->findChild<QSlider*>(QStringLiteral("trackbar2"))->setValue(50);
        view->findChild<QPushButton*>(QStringLiteral("id2"))->click();
    });
    window.commandAction(cmd::ManualBaseline)->trigger();
    EXPECT_TRUE(std::equal(before.begin(), before.end(), doc->data.begin()));
}

}  // namespace
}  // namespace tesvar
