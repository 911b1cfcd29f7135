// Dialog 130 and the Import command in the main window: controls found by id, texts,
// placement, and the import and the Open command's hand-over going through them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <functional>
#include <memory>

#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "shell/dialogs/file_type_dialog.h"
#include "shell/main_window.h"
#include "support/fake_ui.h"

namespace tesvar {
namespace {

const std::string kAspirinFid = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid";

template <class T>
T* control(QWidget& parent, int id)
{
    return parent.findChild<T*>(QStringLiteral("id%1").arg(id));
}

// Answers the next modal dialog 130 with `act` once it is up (a zero timer fires inside
// its event loop); records whether it appeared.
void whenFileTypeDialog(std::function<void(FileTypeDialogView&)> act, bool& appeared)
{
    appeared = false;
    QTimer::singleShot(0, [act, &appeared] {
        auto* view = qobject_cast<FileTypeDialogView*>(QApplication::activeModalWidget());
        if (!view)
            return;
        appeared = true;
        act(*view);
    });
}

TEST(FileTypeDialogView, ControlsAndTexts)
{
    QWidget owner;
    FileTypeDialogView view(&owner);
    EXPECT_EQ(view.objectName(), "id130");
    EXPECT_EQ(view.windowTitle(), "File type");
    ASSERT_NE(view.findChild<QGroupBox*>(), nullptr);
    EXPECT_EQ(view.findChild<QGroupBox*>()->title(), "Types");
    const std::pair<int, QString> radios[] = {{1022, "&Bruker X32"},
                                              {1002, "Bruker &Aspect"},
                                              {1003, "&Nuts"},
                                              {1004, "&Varian VXR/Unity "},
                                              {1005, "&JCAMP-DX"}};
    for (const auto& [id, label] : radios) {
        auto* radio = control<QRadioButton>(view, id);
        ASSERT_NE(radio, nullptr) << id;
        EXPECT_EQ(radio->text(), label);
    }
    ASSERT_NE(control<QPushButton>(view, 1), nullptr);
    ASSERT_NE(control<QPushButton>(view, 2), nullptr);

    view.check(FileType::Varian);
    EXPECT_TRUE(control<QRadioButton>(view, 1004)->isChecked());
    control<QRadioButton>(view, 1002)->setChecked(true);
    EXPECT_FALSE(control<QRadioButton>(view, 1004)->isChecked()) << "one choice at a time";
    EXPECT_EQ(view.checked(), FileType::BrukerAspect);
}

TEST(FileTypeDialogView, RunsModallyCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    QtFileTypeDialog dialog(&owner);

    bool appeared = false;
    QRect placed, ownerFrame;
    QSize screenSize;
    bool nutsChecked = false;
    whenFileTypeDialog(
        [&](FileTypeDialogView& view) {
            nutsChecked = control<QRadioButton>(view, 1003)->isChecked();
            placed = view.frameGeometry();
            ownerFrame = owner.frameGeometry();
            screenSize = view.screen()->geometry().size();
            control<QRadioButton>(view, 1004)->click();
            control<QPushButton>(view, 1)->click();
        },
        appeared);
    EXPECT_EQ(dialog.choose(FileType::Nuts), FileType::Varian);
    ASSERT_TRUE(appeared);
    EXPECT_TRUE(nutsChecked) << "the dialog opens on the current choice";
    const ScreenPoint expected = centreOnOwner(
        {placed.left(), placed.top(), placed.left() + placed.width(), placed.top() + placed.height()},
        {ownerFrame.left(), ownerFrame.top(), ownerFrame.left() + ownerFrame.width(),
         ownerFrame.top() + ownerFrame.height()},
        screenSize.width(), screenSize.height());
    EXPECT_EQ(placed.topLeft(), QPoint(expected.x, expected.y));

    whenFileTypeDialog([](FileTypeDialogView& view) { control<QPushButton>(view, 2)->click(); },
                       appeared);
    EXPECT_EQ(dialog.choose(FileType::Nuts), std::nullopt);
    EXPECT_TRUE(appeared);
}

class ImportInWindow : public ::testing::Test {
protected:
    ImportInWindow() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui) {}

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
};

TEST_F(ImportInWindow, TheImportCommandIsOnTheMenuWithCtrlI)
{
    QAction* import = window.commandAction(cmd::Import);
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->objectName(), "id40019");
    EXPECT_EQ(import->data().toInt(), cmd::Import);
    EXPECT_EQ(import->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_TRUE(import->isEnabled()) << "importing needs no spectrum";
}

TEST_F(ImportInWindow, ImportReadsTheChosenFileAsTheCheckedType)
{
    ui.chooseNext(kAspirinFid);
    bool appeared = false;
    bool x32Offered = false;
    whenFileTypeDialog(
        [&](FileTypeDialogView& view) {
            x32Offered = control<QRadioButton>(view, 1022)->isChecked();
            control<QPushButton>(view, 1)->click();
        },
        appeared);
    window.commandAction(cmd::Import)->trigger();
    ASSERT_TRUE(appeared);
    EXPECT_TRUE(x32Offered) << "the first import offers Bruker X32";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc->acq.td, 16384);
    EXPECT_EQ(doc->data[60], -173.0);
    EXPECT_EQ(window.windowTitle(), "Tesvar  fid");
    EXPECT_TRUE(window.commandAction(cmd::Invert)->isEnabled()) << "the reset ran";

    // The choice is remembered: Cancel in the dialog then changes nothing.
    whenFileTypeDialog(
        [&](FileTypeDialogView& view) {
            x32Offered = control<QRadioButton>(view, 1022)->isChecked();
            control<QPushButton>(view, 2)->click();
        },
        appeared);
    window.commandAction(cmd::Import)->trigger();
    EXPECT_TRUE(appeared);
    EXPECT_TRUE(x32Offered);
    EXPECT_EQ(doc->acq.td, 16384);
}

TEST_F(ImportInWindow, OpenHandsANonNativeFileToTheTypeDialog)
{
    ui.chooseNext(kAspirinFid);
    bool appeared = false;
    whenFileTypeDialog([](FileTypeDialogView& view) { control<QPushButton>(view, 1)->click(); },
                       appeared);
    window.commandAction(cmd::Open)->trigger();
    ASSERT_TRUE(appeared);
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"This is not a Tesvar File\n Please indicate the file type"});
    EXPECT_EQ(ui.fileChoices.size(), 1u) << "the same file, no second file dialog";
    EXPECT_EQ(doc->acq.td, 16384);
    EXPECT_EQ(doc->documentLoaded, 1);
    EXPECT_EQ(doc->nothingToSave, 0);
}

}  // namespace
}  // namespace tesvar
