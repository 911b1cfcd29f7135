// Starting Tesvar from a file manager: the desktop entry, its icon and file type, and
// the file named on the command line.
#include <gtest/gtest.h>

#include <memory>

#include <QFile>
#include <QSvgRenderer>
#include <QUrl>

#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "platform/command_ids.h"
#include "shell/desktop_launch.h"
#include "shell/dialogs/file_type_dialog.h"
#include "shell/main_window.h"
#include "modal.h"
#include "support/fake_ui.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

const QString kSource = QStringLiteral(TESVAR_SAMPLES "/..");

QString readText(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(file.readAll());
}

TEST(DesktopEntry, NamesTheProgramItsIconAndTheSpectrumFileType)
{
    const QString entry = readText(kSource + "/desktop/tesvar.desktop");
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nExec=tesvar %f\n")) << "one file per start";
    EXPECT_TRUE(entry.contains("\nIcon=tesvar\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-tesvar-spectrum;\n"));

    const QString mime = readText(kSource + "/desktop/tesvar-mime.xml");
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-tesvar-spectrum\">"));
    EXPECT_TRUE(mime.contains("<match type=\"string\" offset=\"0\" value=\"TVX\"/>"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.TVX\""));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.tvx\"/>"));

    // The installed icon is the very drawing the program shows.
    QSvgRenderer icon(kSource + "/src/shell/resources/tesvar.svg");
    EXPECT_TRUE(icon.isValid());
    EXPECT_EQ(icon.defaultSize(), QSize(48, 48));
}

class LaunchFile : public ::testing::Test {
protected:
    LaunchFile() : doc(std::make_unique<SpectrumDocument>()), window(*doc, ui)
    {
        AcquisitionParameters acq;
        acq.sw = 1000.0;
        acq.sf = 100.0;
        acq.td = 16;
        path = dir.file("launched.TVX");
        EXPECT_TRUE(writeNativeFile(path, acq, std::vector<double>(16, 1.0)));
    }

    std::unique_ptr<SpectrumDocument> doc;
    test::FakeUi ui;
    MainWindow window;
    test::TempDir dir;
    std::string path;
};

TEST_F(LaunchFile, TheFileNamedOnTheCommandLineOpensLikeADrop)
{
    EXPECT_TRUE(openLaunchFile(window, {"tesvar", "--someoption", QString::fromStdString(path)}));
    EXPECT_EQ(window.windowTitle(), "Tesvar  launched.TVX");
    EXPECT_EQ(doc->valueCount, 16);
    EXPECT_TRUE(ui.messages.empty()) << "no save question and no file dialog";
    EXPECT_TRUE(ui.fileChoices.empty());
}

TEST_F(LaunchFile, AFileUrlOpensAndNoArgumentOpensNothing)
{
    EXPECT_FALSE(openLaunchFile(window, {"tesvar"}));
    EXPECT_EQ(doc->hasSpectrum, 0);
    const QString url = QUrl::fromLocalFile(QString::fromStdString(path)).toString();
    EXPECT_TRUE(openLaunchFile(window, {"tesvar", url}));
    EXPECT_EQ(doc->hasSpectrum, 1);
    EXPECT_EQ(doc->valueCount, 16);
}

// An experiment folder opens its fid as a file that is not native: after the question,
// the type dialog opens on the type the folder shows, and OK alone imports it.
TEST_F(LaunchFile, AnExperimentFolderOpensItsFidWithItsTypeChosen)
{
    const QString folder = QStringLiteral(TESVAR_TEST_DATA "/bruker/aspirin-1h");
    // An Import whose file dialog is cancelled leaves Nuts as the last choice.
    test::whenModal<FileTypeDialogView>([](FileTypeDialogView* view) {
        view->check(FileType::Nuts);
        view->accept();
    });
    window.sendCommand(cmd::Import);
    bool x32Chosen = false;
    test::whenModal<FileTypeDialogView>([&](FileTypeDialogView* view) {
        x32Chosen = view->checked() == FileType::BrukerX32;
        view->accept();
    });
    EXPECT_TRUE(openLaunchFile(window, {"tesvar", folder}));
    EXPECT_TRUE(x32Chosen);
    EXPECT_EQ(ui.texts().back(), "This is not a Tesvar File\n Please indicate the file type");
    EXPECT_EQ(doc->valueCount, 16384);
    EXPECT_EQ(window.windowTitle(), "Tesvar  fid");
}

TEST_F(LaunchFile, AMissingFileIsReportedAndChangesNothing)
{
    EXPECT_TRUE(openLaunchFile(window, {"tesvar", QString::fromStdString(dir.file("gone.TVX"))}));
    EXPECT_EQ(doc->hasSpectrum, 0);
    EXPECT_EQ(ui.captions(), std::vector<std::string>{"Error "});
}

}  // namespace
}  // namespace tesvar
