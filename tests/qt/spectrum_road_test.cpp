// The road of one spectrum through the real window, as a user takes it: import the
// aspirin FID, apodize, transform, phase, integrate two regions and pick peaks with the
// mouse, save, reopen the saved file and print it to a PDF printer. Each step is
// checked on the document, against values worked out here independently.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>

#include "analysis/integration.h"
#include "document/spectrum_document.h"
#include "modal.h"
#include "platform/command_ids.h"
#include "document/plot_geometry.h"
#include "render/print_command.h"
#include "shell/client_area.h"
#include "shell/dialogs/analysis_dialog_views.h"
#include "shell/dialogs/apodization_dialog_view.h"
#include "shell/dialogs/file_type_dialog.h"
#include "shell/dialogs/fourier_dialog_view.h"
#include "shell/dialogs/phase_dialog_view.h"
#include "shell/main_window.h"
#include "shell/picture_files.h"
#include "shell/status_bar.h"
#include "support/fake_ui.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

const std::string kAspirinFid = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid";

template <class T>
T* control(QWidget& dialog, int id)
{
    return dialog.findChild<T*>(QStringLiteral("id%1").arg(id));
}

std::vector<double> values(const SpectrumDocument& doc)
{
    return {doc.data.begin(), doc.data.begin() + doc.valueCount};
}

// The raw integral of the points between two fractional point numbers: the real values
// from the lower even bound to the upper one, less a straight baseline through the
// means of five points at each end, summed over all points but the last.
double expectedIntegral(const std::vector<double>& v, double from, double to)
{
    const auto even = [](double q) {
        auto p = static_cast<long>(std::trunc(q));
        return p % 2 != 0 ? p - 1 : p;
    };
    const long a = even(std::min(from, to));
    const long b = even(std::max(from, to));
    double sum = 0.0;
    for (long p = a; p <= b; ++p)
        sum += v[2 * p];
    double left = 0.0, right = 0.0;
    for (int i = 0; i < 5; ++i) {
        left += v[2 * (a + i)];
        right += v[2 * (b - 4 + i)];
    }
    left *= 0.2;
    right *= 0.2;
    const double slope = (right - left) / static_cast<double>(b - a);
    double baseline = 0.0;
    for (long i = a; i < b; ++i)
        baseline += left + slope * static_cast<double>(i - a);
    return sum - baseline;
}

// Prints the recorded picture on a PDF printer instead of the default printer.
class PdfPictureOutput : public QtPictureOutput {
public:
    explicit PdfPictureOutput(QString pdf) : pdfPath(std::move(pdf)) {}
    bool printPicture(const std::string& path) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return printPictureFile(QString::fromStdString(path), printer);
    }

private:
    QString pdfPath;
};

class SpectrumRoad : public ::testing::Test {
protected:
    SpectrumRoad() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.file("")));
        window.resize(1200, 800);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~SpectrumRoad() override { QDir::setCurrent(previousFolder); }

    QWidget* viewport() { return window.clientArea().viewport(); }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(viewport(), (from + to) / 2);
        QTest::mouseMove(viewport(), to);
        QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, to);
    }

    // The fractional point number the tools take for client x.
    double pointAtX(int x) const
    {
        return xToTime(*doc, x) / doc->acq.aq * doc->valueCount / 2.0;
    }

    test::TempDir dir;
    QString previousFolder;
    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(SpectrumRoad, ImportProcessAnalyseSaveReopenAndPrint)
{
    // 1. Import the Bruker FID: the type dialog, then the file.
    ui.chooseNext(kAspirinFid);
    test::whenModal<FileTypeDialogView>([](FileTypeDialogView* view) {
        control<QRadioButton>(*view, 1022)->click();
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::Import)->trigger();
    ASSERT_EQ(doc->hasSpectrum, 1);
    ASSERT_EQ(doc->acq.td, 16384);
    EXPECT_EQ(window.windowTitle(), "Tesvar  fid");
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds);
    const std::vector<double> fid = values(*doc);

    // 2. Apodize: exponential, 0.3 Hz of line broadening.
    test::whenModal<ApodizationDialogView>([](ApodizationDialogView* view) {
        control<QRadioButton>(*view, 1038)->click();
        control<QLineEdit>(*view, 1034)->setText("0.3");
        control<QPushButton>(*view, 1)->click();
    });
    window.commandAction(cmd::Apodize)->trigger();
    for (int j : {0, 1, 1000, 1001, 9999}) {
        const double weight = std::exp(-M_PI * 0.3 * j / (2.0 * doc->acq.sw));
        EXPECT_NEAR(doc->data[j], fid[j] * weight, 1e-9 * std::abs(fid[j]) + 1e-12) << j;
    }

    // 3. Fourier transform with the size the dialog proposes.
    test::whenModal<FourierDialogView>(
        [](FourierDialogView* view) { control<QPushButton>(*view, 1)->click(); });
    window.commandAction(cmd::Fourier)->trigger();
    EXPECT_EQ(doc->valueCount, 16384);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Ppm);
    double largest = 0.0;
    for (int i = 0; i < doc->valueCount; i += 2)
        largest = std::max(largest, std::abs(doc->data[i]));
    EXPECT_EQ(std::abs(doc->maxAbsValue), largest);
    const std::vector<double> transformed = values(*doc);

    // 4. Phase: a zero-order 90 degrees turns every (re, im) into (-im, re).
    window.commandAction(cmd::PhaseCorrection)->trigger();
    const auto phases = window.findChildren<PhaseDialogView*>();
    ASSERT_EQ(phases.size(), 1);
    phases.front()->slider(0)->setValue(90);
    control<QPushButton>(*phases.front(), 1)->click();
    for (int k : {0, 100, 4095, 8191}) {
        EXPECT_NEAR(doc->data[2 * k], -transformed[2 * k + 1], 1e-4 * largest) << k;
        EXPECT_NEAR(doc->data[2 * k + 1], transformed[2 * k], 1e-4 * largest) << k;
    }
    QApplication::processEvents();
    const std::vector<double> phased = values(*doc);

    // 5. Integrate two regions by dragging over the plot.
    window.commandAction(cmd::Integrate)->trigger();
    EXPECT_EQ(window.statusLine().part(0), "Keys Up/Down to increase/decrease integrals size");
    const int y = doc->clientHeight / 3;
    const std::pair<int, int> regions[] = {{300, 420}, {700, 560}};  // the second right to left
    for (const auto& [x1, x2] : regions)
        drag(QPoint(x1, y), QPoint(x2, y + 40));
    ASSERT_EQ(doc->integrals.last, 1);
    EXPECT_EQ(doc->integralsShown, 1);
    for (int k = 0; k < 2; ++k) {
        const auto [x1, x2] = regions[k];
        // Stored from left to right whatever the direction of the drag.
        EXPECT_NEAR(doc->integrals.start[k], pointAtX(std::min(x1, x2)), 1e-9) << k;
        EXPECT_NEAR(doc->integrals.end[k], pointAtX(std::max(x1, x2)), 1e-9) << k;
        EXPECT_NEAR(doc->integrals.value[k], expectedIntegral(phased, pointAtX(x1), pointAtX(x2)),
                    1e-9 * largest * 100)
            << k;
    }

    // 6. Pick the peaks around the tallest line, above a threshold 20 pixels over the
    // zero line; the report opens on release.
    window.commandAction(cmd::PeakPicking)->trigger();
    const int tallestX = static_cast<int>(pointToX(*doc, doc->maxAbsIndex / 2.0));
    bool reported = false;
    test::whenModal<PeakDialogView>([&reported](PeakDialogView* view) {
        reported = true;
        control<QPushButton>(*view, 1)->click();
    });
    drag(QPoint(tallestX - 30, 60), QPoint(tallestX + 30, doc->baselineY - 20));
    EXPECT_TRUE(reported);
    ASSERT_EQ(doc->peaks.regionCount, 1);
    ASSERT_GE(doc->peaks.peakCount, 1);
    EXPECT_GT(doc->peaks.lastThreshold, 0.0);
    bool tallestFound = false;
    for (int i = 0; i < doc->peaks.peakCount; ++i) {
        EXPECT_GT(std::abs(doc->peaks.peaks[i].value), doc->peaks.lastThreshold);
        tallestFound |= doc->peaks.peaks[i].index == doc->maxAbsIndex;
    }
    EXPECT_TRUE(tallestFound);

    // 7. Save.
    const std::string saved = dir.file("aspirin.TVX");
    ui.chooseNext(saved);
    window.commandAction(cmd::Save)->trigger();
    EXPECT_EQ(std::filesystem::file_size(saved), 1024u + 8u * 16384u);

    // 8. Reopen it: the save question is answered No, the file is chosen.
    const AcquisitionParameters acq = doc->acq;
    ui.answerNext(Answer::No);
    ui.chooseNext(saved);
    window.commandAction(cmd::Open)->trigger();
    EXPECT_EQ(window.windowTitle(), "Tesvar  aspirin.TVX");
    EXPECT_EQ(values(*doc), phased);
    EXPECT_EQ(doc->acq.sw, acq.sw);
    EXPECT_EQ(doc->acq.sf, acq.sf);
    EXPECT_EQ(doc->acq.td, 16384);
    EXPECT_EQ(doc->integralsShown, 0) << "analysis results are not part of the file";
    EXPECT_EQ(doc->peaks.regionCount, 0);
    EXPECT_EQ(doc->displayUnits, DisplayUnits::Seconds);

    // 9. Print to a PDF printer, through the recorded picture file.
    const QString pdf = QString::fromStdString(dir.file("aspirin.pdf"));
    PdfPictureOutput output(pdf);
    const auto messagesBefore = ui.messages.size();
    printCommand(*doc, ui, window, output);
    EXPECT_EQ(ui.messages.size(), messagesBefore) << "no error reported";
    EXPECT_FALSE(QFile::exists("Tesvar.wmf")) << "the picture file is removed";
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (!pdftotext.isEmpty()) {
        QProcess text;
        text.start(pdftotext, {pdf, "-"});
        ASSERT_TRUE(text.waitForFinished(10000));
        const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        EXPECT_TRUE(page.contains("Transform Domain(points)= 16384")) << page.toStdString();
    }
}

}  // namespace
}  // namespace tesvar
