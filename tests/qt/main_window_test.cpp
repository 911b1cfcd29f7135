#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "document/file_commands.h"
#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "platform/canvas.h"
#include "platform/command_ids.h"
#include "platform/qt/qt_ui.h"
#include "qt/modal.h"
#include "document/plot_geometry.h"
#include "shell/client_area.h"
#include "shell/clipboard_commands.h"
#include "shell/main_window.h"
#include "shell/status_bar.h"
#include "support/fake_ui.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

// Writes a native spectrum of n complex points: real part k+1 for point k, imaginary 0.5.
std::string writeSpectrum(const test::TempDir& dir, const std::string& name, int points)
{
    AcquisitionParameters acq;
    acq.acqMode = 1;
    acq.sw = 1000.0;
    acq.sf = 100.0;
    acq.td = 2 * points;
    std::vector<double> values(2 * points);
    for (int k = 0; k < points; ++k) {
        values[2 * k] = k + 1.0;
        values[2 * k + 1] = 0.5;
    }
    const std::string path = dir.file(name);
    EXPECT_TRUE(writeNativeFile(path, acq, values));
    return path;
}

void sendDrop(QWidget& target, const QStringList& paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc->data.fill(5.0);  // creation clears it
        window = std::make_unique<MainWindow>(*doc, ui);
    }

    // Opens a spectrum of 64 points the way a drop does: no dialog, no question.
    void load(const std::string& name = "spectrum.TVX")
    {
        sendDrop(*window, {QString::fromStdString(writeSpectrum(dir, name, 64))});
        ASSERT_EQ(doc->hasSpectrum, 1);
    }

    void showActive()
    {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QAction* action(int id) { return window->findChild<QAction*>(QStringLiteral("id%1").arg(id)); }

    std::unique_ptr<SpectrumDocument> doc = std::make_unique<SpectrumDocument>();
    test::FakeUi ui;
    test::TempDir dir;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, CreationClearsTheDataAndSizesTheViewToTheScreen)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    EXPECT_EQ(window->windowTitle(), "Tesvar Version 1.0");
    EXPECT_EQ(doc->nothingToSave, 1);
    EXPECT_TRUE(std::all_of(doc->data.begin(), doc->data.end(), [](double v) { return v == 0.0; }));
    EXPECT_EQ(doc->clientWidth, screen.width());
    EXPECT_EQ(doc->clientHeight, screen.height());
    EXPECT_EQ(doc->baselineY, screen.height() / 2);
    EXPECT_EQ(doc->plotRect, (PlotRect{0, 29, screen.width(), screen.height() - 23}));
    EXPECT_EQ(window->backBuffer().size(), screen);
    EXPECT_EQ(window->backBuffer().pixel(screen.width() / 2, screen.height() / 2), 0xffffffffu);
    const QScrollBar* h = window->clientArea().horizontalScrollBar();
    EXPECT_EQ(h->minimum(), 0);
    EXPECT_EQ(h->maximum(), kDataCapacity);
    EXPECT_EQ(h->value(), 0);
    EXPECT_EQ(doc->hScrollMax, kDataCapacity);
    const QScrollBar* v = window->clientArea().verticalScrollBar();
    EXPECT_EQ(v->maximum(), screen.height());
    EXPECT_TRUE(window->acceptDrops());
}

// "Title/item text=id" for every entry, separators as "-".
void listMenu(const QMenu& menu, const QString& path, QStringList& out)
{
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            out << path + "/-";
        else if (a->menu())
            listMenu(*a->menu(), path + "/" + a->text(), out);
        else
            out << QStringLiteral("%1/%2=%3").arg(path, a->text(), a->data().toString());
    }
}

std::vector<std::string> toStd(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

TEST_F(MainWindowTest, TheMenuHasEveryItemWithItsTextAndCommandId)
{
    QStringList items;
    for (QAction* top : window->menuBar()->actions())
        listMenu(*top->menu(), top->text(), items);
    const QStringList expected = {
        "&File/&Open\tCtrl+O=2", "&File/&Import\tCtrl+I=40019", "&File/&Save\tCtrl+S=3", "&File/-",
        "&File/&Print\tCtrl+P=40014", "&File/E&xit=6",
        "&Edit/-", "&Edit/Undo\tCtrl+Z=10", "&Edit/&Copy=11", "&Edit/&Paste=13",
        "&View/&Full\tCtrl+F=21", "&View/Scale &Y zoom/Scale &Factor=24",
        "&View/Scale &Y zoom/&Increase  (+)=25", "&View/Scale &Y zoom/&Decrease  (-)=26",
        "&View/Scale &Units...=23",
        "&Analyse/&Parameters=30", "&Analyse/&Data points=31", "&Analyse/&Edit peaks=40012",
        "&Process/&Apodize...=40", "&Process/&Fourier transform...=41",
        "&Process/&Phase Correction=42", "&Process/&Automatic Phase=40310",
        "&Process/Manual &Baseline correction=43", "&Process/Baseline correction=40020",
        "&Process/&Smooth Baseline=40311", "&Process/&Invert=44",
        "&Tools/&Zoom=40007", "&Tools/&Integrate=40008",
        "&Tools/&Scale Integral/Factor Scale...=40167",
        "&Tools/&Scale Integral/&Increase\t(Key Up)=40165",
        "&Tools/&Scale Integral/&Decrease \t(Key Down)=40166",
        "&Tools/&Delete Integrals=40160", "&Tools/&Peak Picking=40009",
        "&Tools/&Move Spectrum=40015", "&Tools/&Reference=40022", "&Tools/Measure &J=40149",
        "&Help/&Help\tF1=60", "&Help/&About...=70"};
    // Every item of the resource, in its order; the application's own additions may sit
    // between them.
    qsizetype next = 0;
    for (const QString& item : items)
        if (next < expected.size() && item == expected[next])
            ++next;
    EXPECT_EQ(next, expected.size()) << "missing or out of order: "
                                     << (next < expected.size() ? expected[next].toStdString() : "")
                                     << "\nmenu: " << ::testing::PrintToString(toStd(items));
    for (int id : {2, 40019, 10, 44, 40166, 70}) {
        ASSERT_NE(action(id), nullptr) << id;
        EXPECT_EQ(action(id)->data().toInt(), id);
    }
}

TEST_F(MainWindowTest, AcceleratorsBelongToTheirMenuItems)
{
    const std::pair<int, QKeySequence> keys[] = {
        {21, QKeySequence("Ctrl+F")}, {40019, QKeySequence("Ctrl+I")}, {2, QKeySequence("Ctrl+O")},
        {40014, QKeySequence("Ctrl+P")}, {3, QKeySequence("Ctrl+S")}, {10, QKeySequence("Ctrl+Z")},
        {40165, QKeySequence(Qt::Key_Up)}, {40166, QKeySequence(Qt::Key_Down)},
        {60, QKeySequence(Qt::Key_F1)}};
    for (const auto& [id, seq] : keys)
        EXPECT_EQ(action(id)->shortcut(), seq) << id;
    // Items without an accelerator have no shortcut of their own.
    EXPECT_TRUE(action(6)->shortcut().isEmpty());
    EXPECT_TRUE(action(44)->shortcut().isEmpty());
}

TEST_F(MainWindowTest, AcceleratorKeysRunTheirCommands)
{
    load();
    showActive();
    doc->viewLeft = 0.01;
    doc->fullView = 0;
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(doc->viewLeft, 0.0);
    EXPECT_EQ(doc->fullView, 1);

    doc->data[0] = -99.0;
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->data[0], 1.0);  // Undo brought back the data as loaded

    ui.chooseNext(dir.file("copy.TVX"));
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_TRUE(ui.fileChoices[0].save);
}

bool needsSpectrum(int id)
{
    return std::ranges::find(cmd::kSpectrumCommands, id) != std::end(cmd::kSpectrumCommands);
}

// Every menu item: enabled exactly when its command is connected and, for the commands
// that need a spectrum, once one was loaded.
void expectMenuStates(MainWindow& window, bool loaded)
{
    for (QAction* a : window.findChildren<QAction*>()) {
        const bool button = a->parent() == &window.toolbar() && a->data().toInt() != 0;
        if (!a->objectName().startsWith("id") && !button)
            continue;
        const int id = a->data().toInt();
        const bool expected = window.isCommandConnected(id) && (loaded || !needsSpectrum(id));
        EXPECT_EQ(a->isEnabled(), expected) << a->text().toStdString() << " loaded " << loaded;
    }
}

TEST_F(MainWindowTest, SpectrumCommandsAreGreyedUntilALoadAndUnconnectedOnesStayGreyed)
{
    for (int id : cmd::kSpectrumCommands)
        EXPECT_FALSE(action(id)->isEnabled()) << id;
    for (int id : {2, 6, 10, 21})
        EXPECT_TRUE(action(id)->isEnabled()) << id;
    expectMenuStates(*window, false);

    load();
    for (int id : {3, 25, 26, 44})
        EXPECT_TRUE(action(id)->isEnabled()) << id;
    expectMenuStates(*window, true);
}

TEST_F(MainWindowTest, ConnectingACommandLaterEnablesItsItemAndDispatchesToIt)
{
    // Any handler replaces the one connected before; these stand in for later ones.
    int fourierRuns = 0;
    window->connectCommand(cmd::Fourier, [&] { ++fourierRuns; });
    EXPECT_FALSE(action(cmd::Fourier)->isEnabled());  // still needs a spectrum
    int zoomRuns = 0;
    window->connectCommand(cmd::Zoom, [&] {
        ++zoomRuns;
        return false;
    });
    EXPECT_TRUE(window->isCommandConnected(cmd::Zoom));
    EXPECT_TRUE(action(cmd::Zoom)->isEnabled());
    EXPECT_FALSE(window->sendCommand(cmd::Zoom));  // the handler's own answer
    window->toolbar().findChild<QToolButton*>(QStringLiteral("id40007"))->click();
    EXPECT_EQ(zoomRuns, 2);

    load();
    EXPECT_TRUE(action(cmd::Fourier)->isEnabled());
    action(cmd::Fourier)->trigger();
    EXPECT_TRUE(window->sendCommand(cmd::Fourier));
    EXPECT_EQ(fourierRuns, 2);

    EXPECT_FALSE(window->isCommandConnected(12345));
    EXPECT_FALSE(window->sendCommand(12345));
    window->connectCommand(12345, [] { return true; });
    EXPECT_TRUE(window->sendCommand(12345));
}

TEST_F(MainWindowTest, ToolbarHasSeventeenEntriesWithTheirTooltipsAndIds)
{
    QToolBar& bar = window->toolbar();
    EXPECT_EQ(bar.objectName(), "id40016");
    EXPECT_EQ(bar.parentWidget(), window->clientArea().viewport());
    EXPECT_EQ(bar.geometry().top(), 0);
    EXPECT_EQ(bar.height(), 28);
    const QList<QAction*> entries = bar.actions();
    ASSERT_EQ(entries.size(), 17);
    const std::pair<int, const char*> buttons[] = {
        {2, "Open"}, {3, "Save"}, {0, nullptr}, {40007, "Zoom"}, {40015, "Vertical shift"},
        {25, "Increase"}, {26, "Decrease"}, {21, "Full"}, {0, nullptr}, {40, "Apodization"},
        {41, "Fourier transform"}, {42, "Phase correction"}, {40310, "Automatic phase"},
        {43, "Baseline correction"},
        {40022, "Reference Spectrum"}, {40009, "Peak Picking"}, {40008, "Integrate"}};
    for (int i = 0; i < 17; ++i) {
        QAction* entry = entries[i];
        const auto [id, tip] = buttons[i];
        if (!tip) {
            EXPECT_TRUE(entry->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(entry->data().toInt(), id) << i;
        EXPECT_EQ(entry->toolTip(), tip) << i;
        auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(entry));
        ASSERT_NE(button, nullptr) << i;
        EXPECT_EQ(button->objectName(), QStringLiteral("id%1").arg(id));
        EXPECT_FALSE(entry->icon().pixmap(QSize(25, 22)).isNull()) << i;
    }
    // Once a spectrum is loaded (greyed before), a button runs its command through the table.
    load();
    window->toolbar().findChild<QToolButton*>(QStringLiteral("id25"))->click();
    EXPECT_DOUBLE_EQ(doc->verticalScale, 75.0 * 1.33);
}

TEST_F(MainWindowTest, StatusBarPartsKeepTheirCreationEdgesAcrossResizes)
{
    const int width = doc->clientWidth;
    StatusBar& status = window->statusLine();
    EXPECT_EQ(status.parentWidget(), window->clientArea().viewport());
    QLabel* part0 = window->findChild<QLabel*>(QStringLiteral("statusPart0"));
    QLabel* part1 = window->findChild<QLabel*>(QStringLiteral("statusPart1"));
    ASSERT_TRUE(part0 && part1);
    EXPECT_EQ(part0->geometry().left(), 0);
    EXPECT_EQ(part0->geometry().right() + 1, width / 2);
    EXPECT_EQ(part1->geometry().left(), width / 2);
    EXPECT_EQ(part1->geometry().right() + 1, width);

    showActive();
    window->showNormal();
    window->resize(500, 400);
    QTest::qWait(20);
    const QSize client = window->clientArea().viewport()->size();
    EXPECT_EQ(status.geometry(), QRect(0, client.height() - 23, client.width(), 23));
    EXPECT_EQ(part0->geometry().right() + 1, width / 2);
    EXPECT_EQ(part1->geometry().right() + 1, width);

    window->setPrompt("Keys Up/Down to increase/decrease integrals size");
    EXPECT_EQ(part0->text(), "Keys Up/Down to increase/decrease integrals size");
    EXPECT_EQ(part1->text(), "");
    window->showNote("Only the first 131072 of the file's 200000 values were read.");
    window->setPrompt(" ");  // as a command does when it ends: the note stays
    QGuiApplication::processEvents();
    EXPECT_EQ(part0->text(), "Only the first 131072 of the file's 200000 values were read.");
}

TEST_F(MainWindowTest, ResizeSetsTheClientSizePlotRectAndBaselines)
{
    showActive();
    window->showNormal();
    window->resize(640, 480);
    QTest::qWait(20);
    const QSize client = window->clientArea().viewport()->size();
    ASSERT_LT(client.width(), 640);
    EXPECT_EQ(doc->clientWidth, client.width());
    EXPECT_EQ(doc->clientHeight, client.height());
    EXPECT_EQ(doc->plotRect, (PlotRect{0, 28, client.width(), client.height() - 23}));
    EXPECT_EQ(doc->baselineY, client.height() / 2);
    EXPECT_EQ(doc->integralBaseY, client.height() / 2);
    EXPECT_EQ(window->toolbar().width(), client.width());
    // The back buffer keeps the full-screen size.
    EXPECT_EQ(window->backBuffer().size(), QGuiApplication::primaryScreen()->availableSize());

    window->resize(600, 421);
    QTest::qWait(20);
    const int h = window->clientArea().viewport()->height();
    EXPECT_EQ(doc->baselineY, h / 2);
    EXPECT_EQ(doc->plotRect.bottom, h - 23);
}

TEST_F(MainWindowTest, ADropOpensTheFirstFileAndTitlesTheWindow)
{
    const std::string first = writeSpectrum(dir, "first.TVX", 32);
    const std::string second = writeSpectrum(dir, "second.TVX", 16);
    sendDrop(*window, {QString::fromStdString(first), QString::fromStdString(second)});
    EXPECT_EQ(window->windowTitle(), "Tesvar  first.TVX");
    EXPECT_EQ(doc->valueCount, 64);
    EXPECT_EQ(doc->nothingToSave, 0);
    // A second drop asks the save question before it replaces the spectrum.
    ui.answerNext(Answer::No);
    sendDrop(*window, {QString::fromStdString(second)});
    EXPECT_EQ(window->windowTitle(), "Tesvar  second.TVX");
    EXPECT_EQ(doc->valueCount, 32);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{text::kSaveQuestion});

    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.TVX")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(MainWindowTest, OpenAndSaveFromTheMenu)
{
    const std::string path = writeSpectrum(dir, "menu.TVX", 8);
    ui.chooseNext(path);
    window->setPrompt("old prompt");
    doc->interactionMode = cmd::Zoom;
    action(cmd::Open)->trigger();
    EXPECT_EQ(window->windowTitle(), "Tesvar  menu.TVX");
    EXPECT_EQ(doc->valueCount, 16);
    EXPECT_EQ(window->statusLine().part(0), " ");
    EXPECT_EQ(doc->interactionMode, cmd::ModeNone);

    action(cmd::Invert)->trigger();
    ui.chooseNext(dir.file("saved.TVX"));
    action(cmd::Save)->trigger();
    const NativeReadResult saved = readNativeFile(dir.file("saved.TVX"), kDataCapacity);
    ASSERT_EQ(saved.status, NativeStatus::Ok);
    ASSERT_EQ(saved.values.size(), 16u);
    EXPECT_EQ(saved.values[0], -1.0);
    EXPECT_EQ(saved.values[14], -8.0);
}

TEST_F(MainWindowTest, InvertThenUndoRestoresTheLoadedData)
{
    load();
    const double loadedMax = doc->maxAbsValue;
    action(cmd::Invert)->trigger();
    EXPECT_EQ(doc->data[0], -1.0);
    EXPECT_EQ(doc->data[127], -0.5);
    action(cmd::Undo)->trigger();
    EXPECT_EQ(doc->data[0], 1.0);
    EXPECT_EQ(doc->data[126], 64.0);
    EXPECT_EQ(doc->maxAbsValue, loadedMax);
}

TEST_F(MainWindowTest, FullShowsTheWholeSpectrumAndMovesTheScrollBarHome)
{
    load();
    doc->viewLeft = 0.01;
    doc->viewRight = 0.02;
    doc->fullView = 0;
    doc->zoomFactor = 6.4;
    doc->hScrollPos = 40;
    window->clientArea().horizontalScrollBar()->setValue(40);
    action(cmd::Full)->trigger();
    EXPECT_EQ(doc->viewLeft, 0.0);
    EXPECT_DOUBLE_EQ(doc->viewRight, 128 / 2000.0);
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_DOUBLE_EQ(doc->zoomFactor, 1.0);
    EXPECT_EQ(doc->hScrollPos, 0);
    EXPECT_EQ(window->clientArea().horizontalScrollBar()->value(), 0);
}

TEST_F(MainWindowTest, PlusAndMinusKeysScaleTheTrace)
{
    load();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window.get(), '+');
    EXPECT_DOUBLE_EQ(doc->verticalScale, 75.0 * 1.33 * 1.33 * 1.33);
    // The same keys reach the window from the client area that has the focus.
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(window->clientArea().viewport(), '-');
    EXPECT_NEAR(doc->verticalScale, 75.0, 1e-12);
    QTest::keyClick(window.get(), 'x');
    EXPECT_NEAR(doc->verticalScale, 75.0, 1e-12);
}

TEST_F(MainWindowTest, ClosingWithALoadedSpectrumAsksAndCancelKeepsTheWindow)
{
    showActive();
    load();
    ui.answerNext(Answer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want to save the current spectrum?");
    EXPECT_EQ(ui.messages[0].caption, "Warning");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);

    ui.answerNext(Answer::Cancel);
    EXPECT_FALSE(window->sendCommand(cmd::Exit));  // Exit asks the same question
    EXPECT_TRUE(window->isVisible());

    ui.answerNext(Answer::Yes);  // and the save fails: the window stays
    ui.chooseNext(dir.file("no/such/folder/kept.TVX"));
    EXPECT_FALSE(window->close());
    EXPECT_EQ(ui.texts().back(), "Cannot Save File");

    ui.answerNext(Answer::No);
    EXPECT_TRUE(window->sendCommand(cmd::Exit));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ui.messages.size(), 5u);
}

TEST_F(MainWindowTest, ClosingWithNothingLoadedAsksNothing)
{
    showActive();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MainWindowQtUi, TheSaveQuestionIsARealBoxAndCancelKeepsTheWindowOpen)
{
    auto doc = std::make_unique<SpectrumDocument>();
    test::TempDir dir;
    QtUi ui;
    MainWindow window(*doc, ui);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    sendDrop(window, {QString::fromStdString(writeSpectrum(dir, "real.TVX", 4))});
    ASSERT_EQ(doc->nothingToSave, 0);
    QString text, title;
    test::whenModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(text, "Do you want to save the current spectrum?");
    EXPECT_EQ(title, "Warning");
}

TEST_F(MainWindowTest, ThePlotIsDrawnIntoTheBackBufferOnlyOnceASpectrumIsLoaded)
{
    int draws = 0;
    window->setPlotRenderer([&](Canvas& canvas) {
        ++draws;
        const PlotRect& r = doc->plotRect;
        canvas.fillRect({r.left, r.top, r.right, r.bottom}, {255, 0, 0});
    });
    showActive();
    QImage before = window->clientArea().viewport()->grab().toImage();
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(before.pixel(10, 100), qRgb(255, 255, 255));

    load();
    window->invalidatePlot();
    const QImage after = window->clientArea().viewport()->grab().toImage();
    EXPECT_GE(draws, 1);
    EXPECT_EQ(after.pixel(10, 100), qRgb(255, 0, 0));
    EXPECT_EQ(window->backBuffer().pixel(10, 100), qRgb(255, 0, 0));
}

// The window on a screen at 200%: the qt-2x test runs it with QT_SCALE_FACTOR=2.
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
              (std::vector<QRgb>{0xffffffff, 0xff0000ff, 0xff0000ff, 0xffffffff}));

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
