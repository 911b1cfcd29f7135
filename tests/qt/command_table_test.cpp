// Every command of the window's command table, run from its menu item in the real window
// with a spectrum loaded: the state it leaves behind (the status-bar prompt, the pending
// reference click, the mouse tool), and the items greyed until the first load.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "shell/dialogs/file_type_dialog.h"
#include "shell/dialogs/phase_dialog_view.h"
#include "shell/main_window.h"
#include "shell/status_bar.h"
#include "support/fake_ui.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

const std::string kSample = std::string(TESVAR_SAMPLES) + "/ethyl-acetate.TVX";
constexpr const char* kUntouched = "earlier prompt";

// What a command leaves: the prompt (nothing: untouched), whether the reference click
// stays armed, and the mouse tool (nothing: untouched).
struct Ending {
    int id;
    std::optional<std::string> prompt;
    bool referenceArmed;
    std::optional<int> mode;
};

const std::string kBlank = " ";
const Ending kEndings[] = {
    {cmd::Open, kBlank, false, cmd::ModeNone},
    {cmd::Save, {}, true, {}},
    {cmd::Undo, {}, true, {}},
    {cmd::Copy, kBlank, false, cmd::Copy},
    {cmd::CopyAlt, kBlank, false, cmd::Copy},
    {cmd::Paste, kBlank, false, {}},
    {cmd::SetLimits, kBlank, false, {}},
    {cmd::Full, {}, true, {}},
    {cmd::ScaleUnits, {}, true, {}},
    {cmd::ScaleFactor, {}, true, {}},
    {cmd::Increase, {}, true, {}},
    {cmd::Decrease, {}, true, {}},
    {cmd::Parameters, {}, true, {}},
    {cmd::DataPoints, {}, true, {}},
    {cmd::Apodize, kBlank, false, cmd::ModeNone},
    {cmd::Fourier, kBlank, false, cmd::ModeNone},
    {cmd::PhaseCorrection, kBlank, false, cmd::ModeNone},
    {cmd::ManualBaseline, kBlank, false, {}},
    {cmd::Invert, {}, true, {}},
    {cmd::Help, {}, true, {}},
    {cmd::About, {}, true, {}},
    {cmd::Zoom, kBlank, false, cmd::Zoom},
    {cmd::Integrate, std::string("Keys Up/Down to increase/decrease integrals size"), false,
     cmd::Integrate},
    {cmd::PeakPicking, kBlank, false, cmd::PeakPicking},
    {cmd::EditPeaks, {}, true, {}},
    {cmd::Print, kBlank, false, cmd::ModeNone},
    {cmd::MoveSpectrum, kBlank, false, cmd::MoveSpectrum},
    {cmd::Import, kBlank, false, cmd::ModeNone},
    {cmd::AutoBaseline, kBlank, false, {}},
    {cmd::Reference, std::string("Press  left mouse button to reference"), true, cmd::ModeNone},
    {cmd::MeasureJ, kBlank, false, cmd::MeasureJ},
    {cmd::DeleteIntegrals, {}, true, {}},
    {cmd::IntegralIncrease, {}, true, {}},
    {cmd::IntegralDecrease, {}, true, {}},
    {cmd::IntegralFactorScale, {}, true, {}},
};

class CommandTable : public ::testing::Test {
protected:
    CommandTable() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        previousFolder = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.file("")));
        window.resize(900, 700);
        window.show();
        // Every modal dialog is closed as it comes: the file type is accepted (the file
        // dialog that follows is cancelled), every other one cancelled.
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!modal)
                return;
            closed << modal->metaObject()->className();
            if (qobject_cast<FileTypeDialogView*>(modal))
                modal->accept();
            else
                modal->reject();
        });
        closer.start();
    }
    ~CommandTable() override { QDir::setCurrent(previousFolder); }

    test::TempDir dir;
    QString previousFolder;
    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
    QTimer closer;
    QStringList closed;
};

TEST_F(CommandTable, SpectrumCommandsAreGreyedUntilTheFirstLoadThenEveryItemWorks)
{
    for (int id : cmd::kSpectrumCommands)
        EXPECT_FALSE(window.commandAction(id)->isEnabled()) << id;
    ui.chooseNext(kSample);
    ASSERT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Opened);
    // Every item of the menu is connected and enabled once a spectrum is loaded.
    int items = 0;
    std::function<void(const QMenu&)> check = [&](const QMenu& menu) {
        for (QAction* item : menu.actions()) {
            if (item->menu())
                check(*item->menu());
            if (item->isSeparator() || item->menu())
                continue;
            ++items;
            EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
        }
    };
    for (QAction* top : window.menuBar()->actions())
        check(*top->menu());
    EXPECT_GE(items, 36);
    for (const Ending& e : kEndings) {
        EXPECT_TRUE(window.isCommandConnected(e.id)) << e.id;
        // Command 12 has no menu item: it is sent to the window only.
        if (e.id != cmd::CopyAlt) {
            EXPECT_TRUE(window.commandAction(e.id) && window.commandAction(e.id)->isEnabled()) << e.id;
        }
    }
    EXPECT_TRUE(window.isCommandConnected(cmd::Exit));
}

TEST_F(CommandTable, EachCommandEndsAsTheTableSays)
{
    ui.chooseNext(kSample);
    ASSERT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Opened);
    for (const Ending& e : kEndings) {
        SCOPED_TRACE(e.id);
        // Answered No: the save question before Open and Import replaces nothing.
        ui.answerNext(Answer::No);
        window.setPrompt(kUntouched);
        doc->referenceArmed = 1;
        doc->interactionMode = cmd::ModeVerticalShift;
        if (QAction* item = window.commandAction(e.id))
            item->trigger();
        else
            window.sendCommand(e.id);

        EXPECT_EQ(window.statusLine().part(0).toStdString(), e.prompt.value_or(kUntouched));
        EXPECT_EQ(doc->referenceArmed, e.referenceArmed ? 1 : 0);
        EXPECT_EQ(doc->interactionMode, e.mode.value_or(cmd::ModeVerticalShift));

        // The modeless dialogs are closed before the next command.
        for (auto* phase : window.findChildren<PhaseDialogView*>())
            phase->reject();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &window && w->isVisible() && w->objectName() != "helpViewer")
                w->close();
        QApplication::processEvents();
        ASSERT_EQ(window.windowTitle(), "Tesvar  ethyl-acetate.TVX") << "still the same spectrum";
    }
    for (const char* dialog : {"FileTypeDialogView", "SetLimitsDialogView", "UnitsDialogView",
                               "ScaleFactorDialogView", "ApodizationDialogView", "AboutBox"})
        EXPECT_TRUE(closed.contains(QStringLiteral("tesvar::%1").arg(dialog))) << dialog;
}

}  // namespace
}  // namespace tesvar
