// The analysis in the real main window: drags with QTest mouse events on the client
// area in the Zoom, Integrate and Peak Picking tools, the special clicks, the scroll
// bars and the readout; and the Qt views of the analysis dialogs, found by control id.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <memory>
#include <numeric>

#include "analysis/peak_dialog.h"
#include "analysis/report_printer.h"
#include "document/integral_label.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "qt/modal.h"
#include "shell/analysis_commands.h"
#include "shell/client_area.h"
#include "shell/main_window.h"
#include "shell/report_printer_qt.h"
#include "shell/status_bar.h"
#include "support/fake_analysis.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

template <class T>
T* control(QWidget& parent, int id)
{
    return parent.findChild<T*>(QStringLiteral("id%1").arg(id));
}

QStringList listLines(QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// Lines on a flat baseline, falling to zero 12 points from their tops.
double line(int k, double centre, double height)
{
    const double d = (k - centre) / 2.0;
    return std::fabs(k - centre) <= 12 ? height / (1.0 + d * d) : 0.0;
}

// The main window, shown, with a spectrum of 1000 points made here: lines at points
// 300 (100 high) and 700 (50 high), SW 1000 Hz at 100 MHz, shown in ppm. The client
// area is 1000 pixels wide, so in the full view client x is the point number.
class AnalysisInWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QScrollBar* v = window.clientArea().verticalScrollBar();
        window.resize(window.width() - viewport()->width() + 1000, 700);
        QApplication::processEvents();
        ASSERT_EQ(doc->clientWidth, 1000) << "scroll bar " << v->width();
        doc->acq = {};
        doc->acq.sw = 1000.0;
        doc->acq.sf = 100.0;
        doc->acq.td = 2000;
        doc->acq.acqMode = 1;
        for (int k = 0; k < 1000; ++k) {
            doc->data[2 * k] = line(k, 300, 100.0) + line(k, 700, 50.0);
            doc->data[2 * k + 1] = 0.0;
        }
        resetDocument(*doc, window);
        doc->displayUnits = DisplayUnits::Ppm;
        window.invalidatePlot();
        QApplication::processEvents();
    }

    QWidget* viewport() { return window.clientArea().viewport(); }
    void command(int id) { window.commandAction(id)->trigger(); }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport(), (from + to) / 2);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, {}, to);
    }
    int zeroLine() const { return doc->baselineY; }

    std::unique_ptr<SpectrumDocument> doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    MainWindow window{*doc, ui};
};

TEST_F(AnalysisInWindow, TheAnalysisCommandsAreConnected)
{
    for (int id : {cmd::Zoom, cmd::Integrate, cmd::PeakPicking, cmd::EditPeaks, cmd::MoveSpectrum,
                   cmd::Reference, cmd::MeasureJ, cmd::DeleteIntegrals, cmd::IntegralIncrease,
                   cmd::IntegralDecrease, cmd::IntegralFactorScale, cmd::DataPoints})
        EXPECT_TRUE(window.commandAction(id)->isEnabled()) << id;
}

TEST_F(AnalysisInWindow, AZoomDragShowsItsRubberBandAndNarrowsTheView)
{
    command(cmd::Zoom);
    const QImage& buffer = window.backBuffer();
    ASSERT_EQ(buffer.pixel(200, 150), qRgb(255, 255, 255));
    QTest::mousePress(viewport(), Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseMove(viewport(), QPoint(400, 200));
    // The rectangle's left edge inverts the white plot.
    EXPECT_EQ(buffer.pixel(200, 150), qRgb(0, 0, 0));
    EXPECT_EQ(buffer.pixel(300, 200), qRgb(0, 0, 0));
    QTest::mouseMove(viewport(), QPoint(600, 250));
    EXPECT_EQ(buffer.pixel(300, 200), qRgb(255, 255, 255)) << "the old band is erased";
    EXPECT_EQ(buffer.pixel(300, 250), qRgb(0, 0, 0));
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, QPoint(600, 250));
    EXPECT_DOUBLE_EQ(doc->viewLeft, 0.2);
    EXPECT_DOUBLE_EQ(doc->viewRight, 0.6);
    EXPECT_EQ(doc->fullView, 0);
    QApplication::processEvents();
    EXPECT_EQ(buffer.pixel(300, 250), qRgb(255, 255, 255)) << "the repaint restores the plot";

    // The horizontal bar follows the zoom and scrolls the view.
    QScrollBar* bar = window.clientArea().horizontalScrollBar();
    EXPECT_EQ(bar->maximum(), 2000 - 1200 + 400);
    EXPECT_EQ(bar->value(), 400);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(doc->hScrollPos, 450);
    EXPECT_EQ(bar->value(), 450);
    EXPECT_DOUBLE_EQ(doc->viewLeft, 0.225);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(bar->value(), 450) << "steps the tools do not know move nothing";

    // A second drag narrows the zoomed view.
    drag({250, 100}, {750, 250});
    EXPECT_NEAR(doc->viewLeft, 0.225 + 0.1, 1e-12);
    EXPECT_NEAR(doc->viewRight, 0.225 + 0.3, 1e-12);
}

TEST_F(AnalysisInWindow, AnIntegrateDragAddsAnIntegralAndItsLabelAnswersClicks)
{
    command(cmd::Integrate);
    EXPECT_EQ(window.statusLine().part(0), "Keys Up/Down to increase/decrease integrals size");
    drag({280, 200}, {320, 220});
    drag({720, 200}, {680, 220});
    ASSERT_EQ(doc->integrals.count, 2);
    EXPECT_DOUBLE_EQ(doc->integrals.start[0], 280.0);
    EXPECT_DOUBLE_EQ(doc->integrals.end[1], 720.0);
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_EQ(integralLabelText(doc->integrals, 1), "0.50");
    QApplication::processEvents();  // the repaint places the labels

    // Right click on the second label, 1 hydrogen there.
    const int x = (doc->integrals.labelLeft[1] + doc->integrals.labelRight[1]) / 2;
    test::whenModal<HydrogensDialogView>([](HydrogensDialogView* view) {
        EXPECT_EQ(view->windowTitle(), "Number of Hydrogens");
        EXPECT_EQ(control<QLineEdit>(*view, 1007)->text(), "0.500000");
        control<QLineEdit>(*view, 1007)->setText("1");
        control<QPushButton>(*view, 1)->click();
    });
    QTest::mouseClick(viewport(), Qt::RightButton, {}, QPoint(x, 600));
    EXPECT_EQ(integralLabelText(doc->integrals, 0), "2.00");

    // The vertical bar now moves the curves.
    QScrollBar* bar = window.clientArea().verticalScrollBar();
    const int base = doc->integralBaseY;
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(doc->integralBaseY, base + 2);
    EXPECT_EQ(bar->value(), base + 2);

    // Shift+click deletes the reference, the keys Up and Down scale the curves.
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(x, 600));
    EXPECT_EQ(doc->integrals.count, 1);
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    viewport()->setFocus();
    QTest::keyClick(viewport(), Qt::Key_Up);
    EXPECT_DOUBLE_EQ(doc->integralScale, 1.33);
    EXPECT_EQ(bar->value(), base + 2) << "the key is the command's, not the scroll bar's";
    QTest::keyClick(viewport(), Qt::Key_Down);
    EXPECT_DOUBLE_EQ(doc->integralScale, 1.0);
    command(cmd::DeleteIntegrals);
    EXPECT_EQ(doc->integralsShown, 0);
}

TEST_F(AnalysisInWindow, APeakPickingDragOpensTheReportWithTheRegion)
{
    command(cmd::PeakPicking);
    QStringList shown;
    QString threshold, header;
    test::whenModal<PeakDialogView>([&](PeakDialogView* view) {
        shown = listLines(control<QListWidget>(*view, 1009));
        threshold = control<QLineEdit>(*view, 1031)->text();
        EXPECT_FALSE(control<QLineEdit>(*view, 1031)->isEnabled());
        header = control<QLabel>(*view, 1011)->text();
        EXPECT_EQ(control<QPushButton>(*view, 1010)->text(), "&Clear All");
        EXPECT_EQ(control<QPushButton>(*view, 1013)->text(), "&Print");
        control<QPushButton>(*view, 1)->click();
    });
    // From point 250 to 800, released 15 pixels from the zero line: a threshold of 20.
    drag({250, 150}, {800, zeroLine() - 15});
    EXPECT_EQ(header, "Peak    Frecuency       ppm      Intens. ");
    EXPECT_EQ(threshold, "   20.00");
    EXPECT_EQ(shown, (QStringList{" ", "FROM:   7.50 ppm   TO:   2.00 ppm", " ",
                                  "     1        700.00         7.00        100.000",
                                  "     2        300.00         3.00         50.000"}));
    EXPECT_EQ(doc->fullView, 0);

    // Edit peaks shows the same; Clear All empties the table.
    test::whenModal<PeakDialogView>([](PeakDialogView* view) {
        EXPECT_EQ(control<QListWidget>(*view, 1009)->count(), 5);
        control<QPushButton>(*view, 1010)->click();
    });
    command(cmd::EditPeaks);
    EXPECT_EQ(doc->peaks.regionCount, 0);
    EXPECT_EQ(doc->peaks.lastThreshold, 20.0);
}

TEST_F(AnalysisInWindow, ThePeakReportPrintsThroughThePrinterItIsGiven)
{
    auto printer = std::make_shared<test::FakeReportPrinter>();
    printer->copies = 1;
    setReportPrinterFactory(window, [printer](QWidget*) {
        struct Borrowed : ReportPrinter {
            std::shared_ptr<test::FakeReportPrinter> p;
            int choosePrinter() override { return p->choosePrinter(); }
            Canvas* beginDocument(const std::string& n) override { return p->beginDocument(n); }
            int pageHeight() override { return p->pageHeight(); }
            void startPage() override { p->startPage(); }
            void endPage() override { p->endPage(); }
            bool endDocument() override { return p->endDocument(); }
        };
        auto b = std::make_unique<Borrowed>();
        b->p = printer;
        return b;
    });
    command(cmd::PeakPicking);
    test::whenModal<PeakDialogView>([](PeakDialogView* view) {
        control<QPushButton>(*view, 1013)->click();
        EXPECT_TRUE(view->isVisible()) << "the dialog stays open after printing";
        control<QPushButton>(*view, 2)->click();
    });
    drag({250, 150}, {400, zeroLine() - 15});
    EXPECT_EQ(printer->documentNames, std::vector<std::string>{"Peak Picking Ouput"});
    const auto page = printer->page(0);
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(page[1].text, "FROM:   7.50 ppm   TO:   6.00 ppm");
}

TEST_F(AnalysisInWindow, TheReferenceClickOpensTheDialogAtTheClickedReading)
{
    command(cmd::Reference);
    EXPECT_EQ(window.statusLine().part(0), "Press  left mouse button to reference");
    test::whenModal<ReferenceDialogView>([](ReferenceDialogView* view) {
        EXPECT_EQ(view->windowTitle(), "Reference");
        EXPECT_FALSE(control<QLineEdit>(*view, 1035)->isEnabled());
        EXPECT_EQ(control<QLineEdit>(*view, 1035)->text(), "7.000000");
        EXPECT_EQ(control<QLabel>(*view, 1032)->text(), "New Reference");
        control<QLineEdit>(*view, 1034)->setText("7.26");
        control<QPushButton>(*view, 1)->click();
    });
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_NEAR(doc->ppmOffset, 0.26, 1e-12);

    // The readout shows the referenced reading.
    QTest::mouseMove(viewport(), QPoint(300, 320));
    EXPECT_EQ(window.statusLine().part(1), "ppm 7.260     ");

    doc->displayUnits = DisplayUnits::Seconds;
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(ui.texts().back(), "To reference the units must be in Hertz or  ppm");
}

TEST_F(AnalysisInWindow, MeasureJListsTheCouplingsInItsModelessDialog)
{
    command(cmd::MeasureJ);
    auto dialogs = window.findChildren<MeasureJDialogView*>();
    ASSERT_EQ(dialogs.size(), 1);
    MeasureJDialogView* dialog = dialogs.front();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), "Meassure J");
    for (auto [id, text] : {std::pair{1, "OK"}, {2, "Clear All"}, {3, "Print"}, {4, "Reset"}})
        EXPECT_EQ(control<QPushButton>(*dialog, id)->text(), text);

    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(310, 300));
    EXPECT_EQ(listLines(control<QListWidget>(*dialog, 1073)), QStringList{"J 0-1=10.000000"});
    control<QPushButton>(*dialog, 2)->click();
    EXPECT_EQ(control<QListWidget>(*dialog, 1073)->count(), 0);
    EXPECT_EQ(doc->jMarkerCount, 0);

    QPointer<MeasureJDialogView> watched(dialog);
    control<QPushButton>(*dialog, 1)->click();
    QApplication::processEvents();
    EXPECT_EQ(doc->measureJActive, 0);
    EXPECT_TRUE(watched.isNull() || !watched->isVisible());
}

TEST_F(AnalysisInWindow, MoveSpectrumShiftsTheZeroLineToTheRelease)
{
    command(cmd::MoveSpectrum);
    drag({500, 300}, {520, 180});
    EXPECT_EQ(doc->baselineY, 180);
    drag({500, 100}, {500, 250});
    EXPECT_EQ(doc->baselineY, 250);
}

TEST_F(AnalysisInWindow, ToolsShowTheirCursors)
{
    command(cmd::Zoom);
    QTest::mouseMove(viewport(), QPoint(500, 300));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_FALSE(viewport()->cursor().pixmap().isNull());
}

TEST_F(AnalysisInWindow, DataPointsListsThePointsShown)
{
    int lines = 0;
    QString first;
    test::whenModal<DataPointsDialogView>([&](DataPointsDialogView* view) {
        EXPECT_EQ(view->objectName(), "DisplayDataPointsDB");
        EXPECT_EQ(view->windowTitle(), "Display Data Points (Reals)");
        EXPECT_EQ(control<QLabel>(*view, 1028)->text(), "Index");
        lines = control<QListWidget>(*view, 80)->count();
        first = control<QListWidget>(*view, 80)->item(300)->text();
        control<QPushButton>(*view, 1)->click();
    });
    command(cmd::DataPoints);
    EXPECT_EQ(lines, 1000);
    EXPECT_EQ(first, "  300  100.000");
}

TEST_F(AnalysisInWindow, TheFactorScaleDialogIsReopenedUntilTheStepIsValid)
{
    int openings = 0;
    std::function<void(IntegralFactorDialogView*)> answer = [&](IntegralFactorDialogView* view) {
        ++openings;
        EXPECT_EQ(view->windowTitle(), "Integral Factor Scale");
        QLineEdit* edit = control<QLineEdit>(*view, 1090);
        if (openings == 1) {
            EXPECT_EQ(edit->text(), "1.330000");
            edit->setText("20");
            test::whenModal<IntegralFactorDialogView>(answer);
        } else {
            edit->setText("2");
        }
        control<QPushButton>(*view, 1)->click();
    };
    test::whenModal<IntegralFactorDialogView>(answer);
    command(cmd::IntegralFactorScale);
    EXPECT_EQ(openings, 2);
    EXPECT_EQ(doc->integralStep, 2.0);
}

TEST_F(AnalysisInWindow, EveryLineOfALongReportIsPrintedIntoThePdfChosenInThePrintDialog)
{
    // One region of 173 peaks: far more rows than one page holds.
    doc->fileTitle = "long.TVX";
    doc->peaks.regionCount = 1;
    doc->peaks.peakCount = doc->peaks.regionPeaks[0] = 173;
    for (int j = 0; j < 173; ++j)
        doc->peaks.peaks[j] = {j + 0.5, 10 * j};
    test::TempDir dir;
    const QString path = QString::fromStdString(dir.file("report.pdf"));
    QtReportPrinter printer(nullptr);
    printer.printer().setOutputFormat(QPrinter::PdfFormat);
    printer.printer().setOutputFileName(path);
    test::whenModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->accept(); });
    test::FakeEditsView view;
    PeakDialog(*doc, ui, view, view).print(printer);
    EXPECT_TRUE(ui.messages.empty());

    QProcess reader;
    reader.start("pdftotext", {"-layout", path, "-"});
    ASSERT_TRUE(reader.waitForFinished(10000)) << "pdftotext reads the printed report back";
    const QStringList pages =
        QString::fromUtf8(reader.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
    const QRegularExpression row(R"(^ *(\d+) +[\d.]+ +[\d.]+ +[\d.]+ *$)",
                                 QRegularExpression::MultilineOption);
    QList<int> numbers;
    for (const QString& page : pages) {
        EXPECT_TRUE(page.startsWith("File:long.TVX")) << page.left(100).toStdString();
        for (const QRegularExpressionMatch& match : row.globalMatch(page))
            numbers << match.captured(1).toInt();
    }
    EXPECT_GT(pages.size(), 1);
    QList<int> all(173);
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(numbers, all) << "every row, once, in order";
}

}  // namespace
}  // namespace tesvar
