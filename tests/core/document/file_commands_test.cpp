#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "document/file_commands.h"
#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "document/view_commands.h"
#include "importers/import_dispatch.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using test::FakeUi;
using test::FakeWindow;

std::vector<double> wave(int n, double scale)
{
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = scale * ((i * 37) % 11 - 5);
    return v;
}

class FileCommands : public ::testing::Test {
protected:
    FileCommands() : doc(std::make_unique<SpectrumDocument>())
    {
        doc->nothingToSave = 1;  // as after the main window is created
    }

    std::string writeSpectrum(const std::string& name, int n, double scale)
    {
        AcquisitionParameters acq;
        acq.acqMode = 1;
        acq.td = n;
        acq.sw = 2000.0;
        acq.sf = 400.0;
        const std::string path = dir.file(name);
        EXPECT_TRUE(writeNativeFile(path, acq, wave(n, scale)));
        return path;
    }

    // Loads a spectrum through the Open command with a scripted dialog.
    void load(const std::string& path)
    {
        ui.chooseNext(path);
        openCommand(*doc, ui, window);
        ASSERT_EQ(doc->hasSpectrum, 1);
    }

    std::unique_ptr<SpectrumDocument> doc;
    FakeUi ui;
    FakeWindow window;
    test::TempDir dir;
};

TEST_F(FileCommands, OpenReadsAFileResetsTheDocumentAndEndsTheCommand)
{
    const std::string path = writeSpectrum("first.TVX", 256, 1.0);
    doc->referenceArmed = 1;
    doc->interactionMode = cmd::Zoom;
    load(path);
    EXPECT_TRUE(ui.messages.empty()) << "no question before the first spectrum";
    EXPECT_EQ(doc->valueCount, 256);
    EXPECT_DOUBLE_EQ(doc->acq.aq, 256 / 4000.0);
    EXPECT_EQ(doc->filePath, path);
    EXPECT_EQ(doc->fileTitle, "first.TVX");
    EXPECT_EQ(window.title, "Tesvar  first.TVX");
    EXPECT_EQ(window.enableCalls, 1);
    EXPECT_GE(window.repaints, 1);
    EXPECT_EQ(doc->nothingToSave, 0);
    EXPECT_EQ(doc->referenceArmed, 0);
    EXPECT_EQ(doc->interactionMode, cmd::ModeNone);
    EXPECT_EQ(window.prompt, " ");
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(doc->data[i], wave(256, 1.0)[i]);

    ASSERT_EQ(ui.fileChoices.size(), 1u);
    const auto& spec = ui.fileChoices[0].spec;
    EXPECT_FALSE(ui.fileChoices[0].save);
    EXPECT_EQ(spec.filterText, "Todos los Fich.(*.*)");
    EXPECT_EQ(spec.filterPattern, "*.*");
    EXPECT_EQ(spec.defaultExtension, "*");
}

TEST_F(FileCommands, UndoRightAfterALoadRestoresTheLoadedDataAndMaximum)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const std::vector<double> loaded(doc->data.begin(), doc->data.end());
    const double loadedMax = doc->maxAbsValue;
    invertCommand(*doc, window);
    EXPECT_EQ(doc->data[0], -loaded[0]);
    doc->maxAbsValue = 123.0;
    undoCommand(*doc, window);
    EXPECT_TRUE(std::ranges::equal(doc->data, loaded));
    EXPECT_EQ(doc->maxAbsValue, loadedMax);
}

TEST_F(FileCommands, SaveQuestionCancelStopsTheOpenAndChangesNothing)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const std::string other = writeSpectrum("b.TVX", 64, 5.0);
    const std::vector<double> before(doc->data.begin(), doc->data.end());
    ui.answerNext(Answer::Cancel);
    ui.chooseNext(other);  // must never be asked for
    openCommand(*doc, ui, window);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want to save the current spectrum?");
    EXPECT_EQ(ui.messages[0].caption, "Warning");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    EXPECT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(doc->valueCount, 128);
    EXPECT_TRUE(std::ranges::equal(doc->data, before));
}

TEST_F(FileCommands, YesThenACancelledSaveDialogStillOpensTheNewFile)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const std::string other = writeSpectrum("b.TVX", 64, 5.0);
    ui.answerNext(Answer::Yes);
    ui.chooseNext(std::nullopt);  // the save dialog is cancelled
    ui.chooseNext(other);
    openCommand(*doc, ui, window);
    ASSERT_EQ(ui.fileChoices.size(), 3u);
    EXPECT_TRUE(ui.fileChoices[1].save);
    EXPECT_EQ(ui.fileChoices[1].spec.defaultExtension, "TVX");
    EXPECT_EQ(ui.fileChoices[1].spec.initialPath, dir.file("a.TVX"));
    EXPECT_EQ(doc->valueCount, 64);
    EXPECT_EQ(window.title, "Tesvar  b.TVX");
}

struct NutsChosen : FileTypeDialog {
    std::optional<FileType> choose(FileType) override { return FileType::Nuts; }
};

TEST_F(FileCommands, AYesWhoseSaveFailsStopsOpenImportAndDropAndKeepsTheSpectrum)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const std::string b = writeSpectrum("b.TVX", 64, 5.0);
    FileTypeFlags flags;
    NutsChosen nuts;
    for (const char* command : {"open", "import", "drop"}) {
        SCOPED_TRACE(command);
        ui = FakeUi();
        ui.answerNext(Answer::Yes);
        ui.chooseNext(dir.file("missing-folder/kept.TVX"));  // the save cannot write there
        ui.chooseNext(b);
        if (command == std::string("open"))
            openCommand(*doc, ui, window);
        else if (command == std::string("import"))
            importCommand(*doc, flags, nuts, ui, window);
        else
            dropFiles(*doc, ui, window, {b});
        EXPECT_EQ(ui.texts(), (std::vector<std::string>{text::kSaveQuestion, "Cannot Save File"}));
        EXPECT_EQ(ui.fileChoices.size(), 1u) << "no file is opened after the save";
        EXPECT_EQ(doc->valueCount, 128);
    }
}

TEST_F(FileCommands, NoGoesOnWithoutSaving)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    ui.answerNext(Answer::No);
    ui.chooseNext(writeSpectrum("b.TVX", 64, 5.0));
    openCommand(*doc, ui, window);
    EXPECT_EQ(ui.fileChoices.size(), 2u);
    EXPECT_EQ(doc->valueCount, 64);
}

TEST_F(FileCommands, TheQuestionComesAgainAfterASave)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    ui.chooseNext(dir.file("saved.TVX"));
    ASSERT_TRUE(saveSpectrum(*doc, ui));
    EXPECT_EQ(doc->nothingToSave, 0);
    ui.answerNext(Answer::Cancel);
    EXPECT_EQ(askToSave(*doc, ui), SaveAnswer::Cancelled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want to save the current spectrum?");
}

TEST_F(FileCommands, YesSavesToTheChosenFileThenGoesOn)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    invertCommand(*doc, window);
    ui.answerNext(Answer::Yes);
    ui.chooseNext(dir.file("kept.TVX"));
    EXPECT_EQ(askToSave(*doc, ui), SaveAnswer::GoOn);
    const auto read = readNativeFile(dir.file("kept.TVX"), kDataCapacity);
    ASSERT_EQ(read.status, NativeStatus::Ok);
    EXPECT_EQ(read.values[1], -wave(128, 2.0)[1]);
    EXPECT_EQ(doc->filePath, dir.file("kept.TVX"));
}

TEST_F(FileCommands, NothingToSaveMeansNoQuestion)
{
    doc->nothingToSave = 1;
    EXPECT_EQ(askToSave(*doc, ui), SaveAnswer::GoOn);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileCommands, AFailedSaveIsReportedAndNeverClaimedAsSuccess)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const auto previous = test::readBytes(dir.file("a.TVX"));
    ui.chooseNext(dir.file("missing-folder/x.TVX"));
    EXPECT_FALSE(saveSpectrum(*doc, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot Save File");
    EXPECT_EQ(ui.messages[0].caption, "File Error");
    EXPECT_EQ(ui.messages[0].icon, Icon::Error);
    EXPECT_EQ(ui.messages[0].owner, Owner::None);
    EXPECT_EQ(test::readBytes(dir.file("a.TVX")), previous);

    ui.chooseNext(std::nullopt);
    EXPECT_FALSE(saveSpectrum(*doc, ui));
    EXPECT_EQ(ui.messages.size(), 1u) << "a cancelled dialog shows nothing";

    // Values that are not numbers are refused before the dialog: Open would refuse them.
    doc->data[5] = -std::numeric_limits<double>::infinity();
    EXPECT_FALSE(saveSpectrum(*doc, ui));
    EXPECT_EQ(ui.texts().back(), text::kCannotSaveNotFinite);
    EXPECT_EQ(ui.fileChoices.size(), 3u);
    EXPECT_EQ(test::readBytes(dir.file("a.TVX")), previous);
}

TEST_F(FileCommands, AFileThatCannotBeOpenedChangesNothing)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const std::vector<double> before(doc->data.begin(), doc->data.end());
    ui.answerNext(Answer::No);
    ui.chooseNext(dir.file("gone.TVX"));
    openCommand(*doc, ui, window);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Cannot open the file");
    EXPECT_EQ(ui.messages[1].caption, "Error ");
    EXPECT_EQ(ui.messages[1].buttons, Buttons::Ok);
    EXPECT_TRUE(std::ranges::equal(doc->data, before));
    EXPECT_EQ(doc->valueCount, 128);
}

TEST_F(FileCommands, ARefusedFileLeavesTheDocumentExactlyAsItWas)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    doc->viewLeft = 0.001;
    doc->integrals.last = 3;
    const std::vector<double> before(doc->data.begin(), doc->data.end());
    const auto acqBefore = doc->acq;
    const int titleRepaints = window.repaints;

    AcquisitionParameters bad;
    bad.td = 64;
    bad.sw = 0.0;  // no sweep width: no time axis can be made
    ASSERT_TRUE(writeNativeFile(dir.file("bad.TVX"), bad, wave(64, 9.0)));
    ui.answerNext(Answer::No);
    ui.chooseNext(dir.file("bad.TVX"));
    openCommand(*doc, ui, window);

    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].caption, "Error ");
    EXPECT_EQ(ui.messages[1].text, unusableFileMessage(SpectrumProblem::SweepWidth));
    EXPECT_TRUE(std::ranges::equal(doc->data, before));
    EXPECT_EQ(doc->acq, acqBefore);
    EXPECT_EQ(doc->viewLeft, 0.001);
    EXPECT_EQ(doc->integrals.last, 3);
    EXPECT_EQ(window.repaints, titleRepaints);
    EXPECT_EQ(window.title, "Tesvar  a.TVX");
}

TEST_F(FileCommands, AFileEndingBeforeItsParametersWarnsThenIsRefused)
{
    test::writeBytes(dir.file("stub.TVX"), {'T', 'V', 'X', '0'});
    ui.chooseNext(dir.file("stub.TVX"));
    openCommand(*doc, ui, window);
    EXPECT_EQ(ui.captions(), (std::vector<std::string>{"PARAM", "Error "}));
    EXPECT_EQ(ui.messages[0].text, "Error allocating");
    EXPECT_EQ(doc->hasSpectrum, 0);
}

TEST_F(FileCommands, ANonNativeFileIsHandedToTheImportPathOnOk)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    test::writeBytes(dir.file("fid"), {'t', 'v', 'x', 1, 2, 3});
    int nothingToSaveDuringImport = -1, documentLoadedDuringImport = -1;
    window.onCommand = [&](int) {
        nothingToSaveDuringImport = doc->nothingToSave;
        documentLoadedDuringImport = doc->documentLoaded;
        return false;  // the import read nothing
    };
    ui.answerNext(Answer::No);
    ui.answerNext(Answer::Ok);
    ui.chooseNext(dir.file("fid"));
    const std::vector<double> before(doc->data.begin(), doc->data.end());
    openCommand(*doc, ui, window);

    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "This is not a Tesvar File\n Please indicate the file type");
    EXPECT_EQ(ui.messages[1].caption, "Warning");
    EXPECT_EQ(ui.messages[1].buttons, Buttons::OkCancel);
    EXPECT_EQ(window.sentCommands, (std::vector<int>{cmd::Import}));
    EXPECT_EQ(nothingToSaveDuringImport, 1) << "the import must not ask to save again";
    EXPECT_EQ(documentLoadedDuringImport, 0) << "the import uses filePath without a dialog";
    // The import read nothing: the spectrum and its save question are kept.
    EXPECT_TRUE(std::ranges::equal(doc->data, before));
    EXPECT_EQ(doc->nothingToSave, 0);
    EXPECT_EQ(doc->documentLoaded, 1);
    EXPECT_EQ(doc->valueCount, 128);
}

TEST_F(FileCommands, CancellingTheImportQuestionChangesNothing)
{
    test::writeBytes(dir.file("short"), {'T', 'V'});
    ui.answerNext(Answer::Cancel);
    ui.chooseNext(dir.file("short"));
    EXPECT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Cancelled);
    EXPECT_TRUE(window.sentCommands.empty());
    EXPECT_EQ(doc->hasSpectrum, 0);
    EXPECT_EQ(doc->nothingToSave, 1);
}

TEST_F(FileCommands, AnImportThatReadsAFileIsReportedAsImported)
{
    test::writeBytes(dir.file("fid"), {0, 0, 0, 0});
    window.onCommand = [&](int) { return true; };
    ui.chooseNext(dir.file("fid"));
    EXPECT_EQ(openSpectrum(*doc, ui, window), OpenOutcome::Imported);
}

TEST_F(FileCommands, ADroppedFileOpensAfterTheQuestionAndOnlyTheFirstCounts)
{
    load(writeSpectrum("a.TVX", 128, 2.0));
    const std::string dropped = writeSpectrum("dropped.TVX", 64, 3.0);
    ui.answerNext(Answer::No);
    dropFiles(*doc, ui, window, {dropped, dir.file("a.TVX")});
    EXPECT_EQ(ui.texts(), std::vector<std::string>{text::kSaveQuestion});
    EXPECT_EQ(ui.fileChoices.size(), 1u) << "no open dialog for a drop";
    EXPECT_EQ(doc->valueCount, 64);
    EXPECT_EQ(window.title, "Tesvar  dropped.TVX");
    EXPECT_EQ(doc->pathPreset, 0);

    // The next Open asks for a file again.
    ui.answerNext(Answer::No);
    ui.chooseNext(std::nullopt);
    openCommand(*doc, ui, window);
    EXPECT_EQ(ui.fileChoices.size(), 2u);
}

TEST_F(FileCommands, OpenOfANativeFileClearsAnImportersPendingConjugation)
{
    doc->conjugateOnTransform = 1;
    doc->digitalFilterDelay = 67.98;
    load(writeSpectrum("a.TVX", 128, 2.0));
    EXPECT_EQ(doc->conjugateOnTransform, 0);
    EXPECT_EQ(doc->digitalFilterDelay, 0.0);
}

TEST(FileNamePart, KeepsOnlyTheNameAfterTheLastFolder)
{
    EXPECT_EQ(fileNamePart("/home/chemist/data/fid"), "fid");
    EXPECT_EQ(fileNamePart("spectrum.TVX"), "spectrum.TVX");
    EXPECT_EQ(fileNamePart("/folder/"), "");
}

TEST(ViewCommands, IncreaseAndDecreaseMultiplyAndDivideByTheStep)
{
    auto doc = std::make_unique<SpectrumDocument>();
    FakeWindow window;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(characterKey(*doc, window, '+'));
    EXPECT_DOUBLE_EQ(doc->verticalScale, 75.0 * 1.33 * 1.33 * 1.33);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(characterKey(*doc, window, '-'));
    EXPECT_NEAR(doc->verticalScale, 75.0, 1e-12);
    EXPECT_FALSE(characterKey(*doc, window, 'x'));
    EXPECT_EQ(window.repaints, 6);
}

TEST(ViewCommands, FullShowsTheWholeSpectrumAndResetsTheScrollPosition)
{
    auto doc = std::make_unique<SpectrumDocument>();
    FakeWindow window;
    doc->acq.aq = 0.8;
    doc->viewLeft = 0.2;
    doc->viewRight = 0.4;
    doc->zoomFactor = 4.0;
    doc->fullView = 0;
    doc->hScrollPos = 300;
    fullCommand(*doc, window);
    EXPECT_EQ(doc->viewLeft, 0.0);
    EXPECT_EQ(doc->viewRight, 0.8);
    EXPECT_EQ(doc->zoomFactor, 1.0);
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_EQ(doc->hScrollPos, 0);
    EXPECT_EQ(window.repaints, 1);
}

}  // namespace
}  // namespace tesvar
