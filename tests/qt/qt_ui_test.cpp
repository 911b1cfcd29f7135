#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/qt/qt_ui.h"
#include "qt/modal.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using test::whenModal;

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
    QWidget* parent = nullptr;
};

// Answers the next message box with the given button (or Escape when none) and
// records what it showed.
void answerBox(SeenBox& seen, QMessageBox::StandardButton press)
{
    whenModal<QMessageBox>([&seen, press](QMessageBox* box) {
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                box->textFormat(), box->parentWidget()};
        if (press == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(press)->click();
    });
}

TEST(QtUi, MessageShowsTheExactTextCaptionButtonsAndIcon)
{
    QtUi ui;
    SeenBox seen;
    answerBox(seen, QMessageBox::No);
    EXPECT_EQ(ui.message("Do you want to save the current spectrum?", "Warning",
                         Buttons::YesNoCancel, Icon::Question),
              Answer::No);
    EXPECT_EQ(seen.title, "Warning");
    EXPECT_EQ(seen.text, "Do you want to save the current spectrum?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(seen.format, Qt::PlainText);

    answerBox(seen, QMessageBox::Ok);
    EXPECT_EQ(ui.message("This is not a Tesvar File\n Please indicate the file type", "Warning",
                         Buttons::OkCancel, Icon::None),
              Answer::Ok);
    EXPECT_EQ(seen.text, "This is not a Tesvar File\n Please indicate the file type");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);

    answerBox(seen, QMessageBox::Yes);
    EXPECT_EQ(ui.message("q", "c", Buttons::YesNo, Icon::Warning), Answer::Yes);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST(QtUi, ABoxClosedWithEscapeChangesNothing)
{
    QtUi ui;
    SeenBox seen;
    answerBox(seen, QMessageBox::NoButton);
    EXPECT_EQ(ui.message("q", "c", Buttons::YesNoCancel, Icon::Question), Answer::Cancel);
    answerBox(seen, QMessageBox::NoButton);
    EXPECT_EQ(ui.message("q", "c", Buttons::OkCancel, Icon::None), Answer::Cancel);
    answerBox(seen, QMessageBox::NoButton);
    EXPECT_EQ(ui.message("Cannot open the file", "Error ", Buttons::Ok, Icon::None), Answer::Ok);
    EXPECT_EQ(seen.title, "Error ");  // the trailing blank is kept
}

TEST(QtUi, MessagesBelongToTheActiveWindowUnlessAskedForNone)
{
    QWidget window;
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QtUi ui;
    SeenBox seen;
    answerBox(seen, QMessageBox::Ok);
    ui.message("Cannot open the file", "Error ", Buttons::Ok, Icon::None);
    EXPECT_EQ(seen.parent, &window);
    answerBox(seen, QMessageBox::Ok);
    ui.message("Cannot Save File", "File Error", Buttons::Ok, Icon::Error, Owner::None);
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

// The current folder is a process-wide setting: each test puts it back.
class QtUiFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::writeBytes(dir.file("spectrum.TVX"), {'T', 'V', 'X'});
        test::writeBytes(dir.file("fid"), {1, 2, 3});
    }
    void TearDown() override { QDir::setCurrent(previous); }

    test::TempDir dir;
    QString folder = QString::fromStdString(dir.path().string());
    QString previous = QDir::currentPath();
};

QStringList listedNames(QFileDialog* dialog)
{
    QStringList names;
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    if (!view)
        return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    return names;
}

// Waits until the dialog lists the folder and has applied its preselection, so that a
// choice made by the test is not overtaken by the dialog's own.
void waitUntilSettled(QFileDialog* dialog, int entries)
{
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return listedNames(dialog).size() >= entries && !dialog->selectedFiles().isEmpty(); },
        3000));
    QTest::qWait(20);
}

// Types a file name, as the user would, and accepts once the dialog shows it as the
// file it will return.
void choose(QFileDialog* dialog, const QString& name, const QString& returned)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return dialog->selectedFiles() == QStringList{returned}; }, 3000))
        << dialog->selectedFiles().join(",").toStdString();
    static_cast<QDialog*>(dialog)->accept();
}

TEST_F(QtUiFiles, OpenDialogListsEveryFileAndTheChoiceBecomesTheCurrentFolder)
{
    QtUi ui;
    FileDialogSpec spec;
    spec.defaultExtension = "*";
    spec.initialPath = dir.file("spectrum.TVX");
    QStringList filters, listed;
    QString suffix = "unset";
    bool opening = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        opening = dialog->acceptMode() == QFileDialog::AcceptOpen;
        waitUntilSettled(dialog, 2);
        listed = listedNames(dialog);
        choose(dialog, "fid", folder + "/fid");
    });
    const auto chosen = ui.chooseOpenFile(spec);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.file("fid"));
    EXPECT_EQ(filters, QStringList{"Todos los Fich.(*.*)"});
    EXPECT_EQ(suffix, "");
    EXPECT_TRUE(opening);
    // A file without a dot, like a spectrometer's "fid", is offered as well.
    EXPECT_TRUE(listed.contains("fid")) << listed.join(",").toStdString();
    EXPECT_TRUE(listed.contains("spectrum.TVX"));
    EXPECT_EQ(QDir::currentPath(), folder);
}

TEST_F(QtUiFiles, SaveDialogAddsTheDefaultExtensionToABareName)
{
    QtUi ui;
    FileDialogSpec spec;
    spec.defaultExtension = "TVX";
    spec.initialPath = dir.file("spectrum.TVX");
    QString preselected, suffix;
    bool saving = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        suffix = dialog->defaultSuffix();
        saving = dialog->acceptMode() == QFileDialog::AcceptSave;
        waitUntilSettled(dialog, 2);
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            preselected = name->text();
        choose(dialog, "result", folder + "/result.TVX");
    });
    const auto chosen = ui.chooseSaveFile(spec);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.file("result.TVX"));
    EXPECT_EQ(suffix, "TVX");
    EXPECT_TRUE(saving);
    EXPECT_EQ(preselected, "spectrum.TVX");
    EXPECT_EQ(QDir::currentPath(), folder);
}

TEST_F(QtUiFiles, ACancelledDialogChoosesNothingAndKeepsTheFolder)
{
    QtUi ui;
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(ui.chooseOpenFile(FileDialogSpec{}).has_value());
    EXPECT_EQ(QDir::currentPath(), previous);
}

}  // namespace
}  // namespace tesvar
