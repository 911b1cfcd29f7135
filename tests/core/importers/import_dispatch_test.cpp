#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <numeric>
#include <tuple>

#include "document/file_commands.h"
#include "document/native_file.h"
#include "document/spectrum_document.h"
#include "importers/import_dispatch.h"
#include "format_builders.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/test_files.h"

namespace tesvar {
namespace {

using test::Bytes;
using test::FakeUi;
using test::FakeWindow;
namespace fs = std::filesystem;

// Dialog 130 answered from a script: a type is OK with that type checked, nothing is
// Cancel; with no script it answers OK on the type it opened with.
class ScriptedFileTypeDialog : public FileTypeDialog {
public:
    std::optional<FileType> choose(FileType current) override
    {
        opened.push_back(current);
        if (answers.empty())
            return current;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<FileType>> answers;
    std::vector<FileType> opened;
};

const std::string kUsable = "This file does not hold a usable spectrum:\n";

// Everything a failed or cancelled import must leave as it was.
struct DocumentState {
    AcquisitionParameters acq;
    std::int32_t valueCount, realAcquisition, conjugateOnTransform, hasSpectrum, nothingToSave,
        documentLoaded, integralsLast, peakCount, interactionMode;
    double digitalFilterDelay, maxAbsValue, viewLeft, viewRight, zoomFactor, ppmOffset, undoMax;
    DisplayUnits units;
    std::vector<double> data, undo;
    std::string filePath, fileTitle;
    int enableCalls, repaints;
    std::string title;
    bool operator==(const DocumentState&) const = default;
};

DocumentState stateOf(const SpectrumDocument& d, const FakeWindow& w)
{
    return {d.acq, d.valueCount, d.realAcquisition, d.conjugateOnTransform, d.hasSpectrum,
            d.nothingToSave, d.documentLoaded, d.integrals.last, d.peaks.peakCount,
            d.interactionMode, d.digitalFilterDelay, d.maxAbsValue, d.viewLeft, d.viewRight,
            d.zoomFactor, d.ppmOffset, d.undo.maxAbsValue, d.displayUnits,
            std::vector<double>(d.data.begin(), d.data.end()),
            std::vector<double>(d.undo.data.begin(), d.undo.data.end()), d.filePath, d.fileTitle,
            w.enableCalls, w.repaints, w.title};
}

class ImportDispatch : public ::testing::Test {
protected:
    ImportDispatch() : doc(std::make_unique<SpectrumDocument>()) { doc->nothingToSave = 1; }

    std::string write(const std::string& relative, const Bytes& bytes)
    {
        const fs::path path = dir.path() / relative;
        fs::create_directories(path.parent_path());
        test::writeBytes(path.string(), bytes);
        return path.string();
    }
    std::string write(const std::string& relative, const std::string& text)
    {
        return write(relative, Bytes(text.begin(), text.end()));
    }

    // An X32 acquisition: the data file and, when acqusAt is not empty, its parameters.
    std::string writeX32(const std::string& dataName, const std::string& acqusAt = "acqus")
    {
        const std::string fid = write("x32/" + dataName, test::x32Ints({10, -20, 30, -40}));
        if (!acqusAt.empty())
            write("x32/" + acqusAt, test::acqusText(4, 1000.0, 500.13, 3) +
                                        "##$GRPDLY= 67.98\n");
        return fid;
    }

    // A previous spectrum with some view and analysis state, and an unanswered save.
    void loadPrevious()
    {
        test::NutsHeader h;
        h.count = 6;
        h.mode = 0;
        const std::string path = write("old/old.nuts", test::nutsFile(h, {9, 1, -8, 2, 7, 3}));
        ASSERT_TRUE(importFile(*doc, FileType::Nuts, path, ui, window));
        doc->viewLeft = 0.0001;
        doc->integrals.last = 3;
        doc->peaks.peakCount = 2;
        doc->ppmOffset = 0.5;
        doc->displayUnits = DisplayUnits::Ppm;
        doc->interactionMode = cmd::Zoom;
        doc->nothingToSave = 0;
        ui.messages.clear();
    }

    enum class Reader { X32, Aspect, Nuts, Varian, Native, Jcamp };

    // A file of the reader's format counting `count` values and holding the first `held`
    // of 1, 2, 3...; a text format leaves out a missing sf, a binary one holds 0.
    std::string writeSample(Reader r, std::optional<double> sf, std::int64_t count, int held)
    {
        std::vector<std::int32_t> v(static_cast<std::size_t>(held));
        std::iota(v.begin(), v.end(), 1);
        const std::string at = std::to_string(++samples) + "r", n = std::to_string(count);
        const double f = sf.value_or(0.0);
        if (r == Reader::X32 || r == Reader::Varian) {
            const bool x32 = r == Reader::X32;
            const std::string freq = !sf ? ""
                                     : x32 ? " ##$BF1= " + std::to_string(f)
                                           : test::procparEntry("sfrq", 1, std::to_string(f));
            write(at + (x32 ? "/acqus" : "/procpar"),
                  x32 ? "##$TD= " + n + " ##$SW_h= 1000 ##$AQ_mod= 1" + freq
                      : test::procparEntry("sw", 1, "1000") + test::procparEntry("np", 1, n) + freq);
            return write(at + "/fid",
                         x32 ? test::x32Ints(v) : test::varianFile(5, test::be32Values(v)));
        }
        if (r == Reader::Aspect)
            return write(at, test::aspectFile({std::uint32_t(count), 1000.0, 1, f}, v));
        if (r == Reader::Nuts)
            return write(at, test::nutsFile({std::int32_t(count), 1000.0f, float(f)},
                                            {v.begin(), v.end()}));
        const AcquisitionParameters acq{.sw = 1000.0, .sf = f};
        Bytes b = encodeNativeFile(acq, std::vector<double>(v.begin(), v.end()));
        b.resize(1024 + 8 * v.size());
        putLe32(&b[256 + 32], static_cast<std::uint32_t>(count));  // td, the count
        return write(at, b);
    }
    bool load(Reader r, const std::string& path)
    {
        const FileType types[] = {FileType::BrukerX32, FileType::BrukerAspect, FileType::Nuts,
                                  FileType::Varian};
        if (r == Reader::Jcamp)
            return importFile(*doc, FileType::Jcamp, path, ui, window);
        if (r != Reader::Native)
            return importFile(*doc, types[static_cast<int>(r)], path, ui, window);
        doc->filePath = path;
        doc->pathPreset = 1;
        return openSpectrum(*doc, ui, window) == OpenOutcome::Opened;
    }
    // A refusal shows `message` and changes nothing; the Open command keeps the file's name.
    void expectRefused(Reader r, const std::string& path, const std::string& message)
    {
        const DocumentState before = stateOf(*doc, window);
        ui.messages.clear();
        EXPECT_FALSE(load(r, path));
        EXPECT_EQ(ui.texts(), std::vector<std::string>{kUsable + message}) << static_cast<int>(r);
        DocumentState after = stateOf(*doc, window);
        if (r == Reader::Native)
            std::tie(after.filePath, after.fileTitle) = std::tie(before.filePath, before.fileTitle);
        EXPECT_EQ(after, before) << static_cast<int>(r);
    }
    int samples = 0;

    std::unique_ptr<SpectrumDocument> doc;
    FakeUi ui;
    FakeWindow window;
    ScriptedFileTypeDialog dialog;
    FileTypeFlags flags;
    test::TempDir dir;
};

TEST_F(ImportDispatch, FirstImportOffersX32AndReadsFidWithAcqusBesideIt)
{
    const std::string fid = writeX32("fid");
    ui.chooseNext(fid);
    EXPECT_TRUE(importCommand(*doc, flags, dialog, ui, window));
    ASSERT_EQ(dialog.opened, std::vector<FileType>{FileType::BrukerX32});
    EXPECT_TRUE(ui.messages.empty()) << "a file named fid needs no question";
    ASSERT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(ui.fileChoices[0].spec.defaultExtension, "*");

    EXPECT_EQ(doc->acq.td, 4);
    EXPECT_EQ(doc->valueCount, 4);
    EXPECT_DOUBLE_EQ(doc->acq.sw, 1000.0);
    EXPECT_DOUBLE_EQ(doc->acq.sf, 500.13);
    EXPECT_EQ(doc->acq.acqMode, 3);
    EXPECT_EQ(doc->realAcquisition, 0);
    EXPECT_DOUBLE_EQ(doc->acq.aq, 4 / (2 * 1000.0));
    EXPECT_EQ((std::vector<double>(doc->data.begin(), doc->data.begin() + 4)),
              (std::vector<double>{10, -20, 30, -40}));
    EXPECT_DOUBLE_EQ(doc->digitalFilterDelay, 67.98);
    EXPECT_EQ(doc->conjugateOnTransform, 0);
    EXPECT_EQ(doc->filePath, (dir.path() / "x32/acqus").string()) << "the parameter file's path";
    EXPECT_EQ(window.title, "Tesvar  fid");
    EXPECT_EQ(window.enableCalls, 1);
    EXPECT_GE(window.repaints, 1);
    EXPECT_EQ(doc->nothingToSave, 0);
    EXPECT_EQ(window.prompt, " ");
    EXPECT_EQ(doc->interactionMode, cmd::ModeNone);
}

TEST_F(ImportDispatch, TheTypeChoiceIsRememberedAndCancelKeepsIt)
{
    FileTypeFlags f;
    EXPECT_EQ(f, (FileTypeFlags{1, 0, 0, 0}));
    dialog.answers = {FileType::Varian, std::nullopt};
    EXPECT_TRUE(chooseFileType(f, dialog));
    EXPECT_EQ(f, (FileTypeFlags{0, 0, 0, 1}));
    EXPECT_FALSE(chooseFileType(f, dialog));
    EXPECT_EQ(f, (FileTypeFlags{0, 0, 0, 1}));
    EXPECT_EQ(dialog.opened, (std::vector<FileType>{FileType::BrukerX32, FileType::Varian}));
    for (FileType t : {FileType::BrukerAspect, FileType::Nuts, FileType::BrukerX32, FileType::Varian}) {
        setFileType(f, t);
        EXPECT_EQ(selectedFileType(f), t);
        EXPECT_EQ(f.typeBrukerX32 + f.typeBrukerAspect + f.typeNuts + f.typeVarian, 1);
    }
}

TEST_F(ImportDispatch, X32NameQuestion)
{
    loadPrevious();
    const DocumentState before = stateOf(*doc, window);
    const std::string dataFid = writeX32("data.fid");

    ui.answerNext(Answer::No);
    ui.chooseNext(dataFid);
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Are you sure that data.fid is a Bruker X32 FID?");
    EXPECT_EQ(ui.messages[0].caption, "Warning");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(ui.messages[0].icon, Icon::Question);
    EXPECT_EQ(stateOf(*doc, window), before);

    ui.answerNext(Answer::Yes);
    ui.chooseNext(dataFid);
    EXPECT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(doc->acq.td, 4);

    // Any letter case of "fid" is accepted without the question.
    ui.messages.clear();
    ui.chooseNext(writeX32("FiD"));
    EXPECT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ImportDispatch, ParametersAreFoundInPdata1AndInAnyLetterCase)
{
    ui.chooseNext(writeX32("fid", "pdata/1/acqus"));
    EXPECT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc->filePath, (dir.path() / "x32/pdata/1/acqus").string());

    const std::string other = write("upper/fid", test::x32Ints({1, 2}));
    write("upper/PDATA/1/ACQUS", test::acqusText(2, 200.0, 100.0, 0));
    ui.chooseNext(other);
    EXPECT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(doc->acq.td, 2);
    EXPECT_EQ(doc->realAcquisition, 1);

    // Beside the data file wins over pdata/1.
    const std::string both = write("both/fid", test::x32Ints({1, 2}));
    write("both/Acqus", test::acqusText(2, 300.0, 100.0, 0));
    write("both/pdata/1/acqus", test::acqusText(2, 999.0, 100.0, 0));
    ui.chooseNext(both);
    EXPECT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_DOUBLE_EQ(doc->acq.sw, 300.0);
}

TEST_F(ImportDispatch, TheUsersOwnParameterFile)
{
    loadPrevious();
    const std::string fid = writeX32("fid", "");
    const std::string elsewhere = write("params/mine", test::acqusText(4, 700.0, 60.0, 1));

    ui.chooseNext(fid);
    ui.chooseNext(elsewhere);
    EXPECT_TRUE(importSpectrum(*doc, flags, ui, window));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "I cannot find Acqus file.\n Do you want to try it by yourself?");
    EXPECT_EQ(ui.messages[0].caption, "Error");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(ui.fileChoices.size(), 2u);
    EXPECT_DOUBLE_EQ(doc->acq.sw, 700.0);
    EXPECT_EQ(doc->filePath, elsewhere);
    EXPECT_EQ(doc->fileTitle, "mine");
}

TEST_F(ImportDispatch, CancelAtEveryStepLeavesEverythingAsItWas)
{
    loadPrevious();
    const DocumentState before = stateOf(*doc, window);
    const std::string fidWithout = writeX32("fid", "");

    // The save question.
    ui.answerNext(Answer::Cancel);
    EXPECT_FALSE(importCommand(*doc, flags, dialog, ui, window));
    EXPECT_TRUE(dialog.opened.empty());
    EXPECT_EQ(stateOf(*doc, window), before);

    // The type dialog: nothing else is asked.
    ui.answerNext(Answer::No);
    dialog.answers = {std::nullopt};
    EXPECT_FALSE(importCommand(*doc, flags, dialog, ui, window));
    EXPECT_TRUE(ui.fileChoices.empty());
    EXPECT_EQ(stateOf(*doc, window), before);

    // The open dialog.
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(stateOf(*doc, window), before);

    // The question about the parameter file.
    ui.messages.clear();
    ui.chooseNext(fidWithout);
    ui.answerNext(Answer::Cancel);
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(stateOf(*doc, window), before);

    // The parameter file's own dialog.
    ui.chooseNext(fidWithout);
    ui.chooseNext(std::nullopt);
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(stateOf(*doc, window), before);
}

TEST_F(ImportDispatch, X32FailuresShowTheirMessagesAndChangeNothing)
{
    loadPrevious();
    const DocumentState before = stateOf(*doc, window);

    ui.chooseNext((dir.path() / "nowhere/fid").string());
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot Open");
    EXPECT_EQ(ui.messages[0].caption, "fid");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
    EXPECT_EQ(stateOf(*doc, window), before);

    // An empty data file.
    ui.messages.clear();
    const std::string empty = write("empty/fid", Bytes{});
    write("empty/acqus", test::acqusText(4, 100.0, 100.0, 1));
    ui.chooseNext(empty);
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kUsable + "it holds no data values."});
    EXPECT_EQ(stateOf(*doc, window), before);

    // The chosen parameter file cannot be opened, or holds nothing usable.
    const std::string fid = writeX32("fid", "");
    for (const auto& [chosen, message, caption] :
         {std::tuple{(dir.path() / "missing").string(), std::string("Cannot Open Acqus"), "Error"},
          std::tuple{write("junk", std::string("random words 1 2 3")),
                     kUsable + "its number of points is missing or not valid.", "Error "}}) {
        ui.messages.clear();
        ui.chooseNext(fid);
        ui.chooseNext(chosen);
        EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].text, message);
        EXPECT_EQ(ui.messages[1].caption, caption);
        EXPECT_EQ(ui.messages[1].buttons, Buttons::Ok);
        EXPECT_EQ(stateOf(*doc, window), before);
    }

    // A parameter file beside the data without TD: nothing usable either.
    ui.messages.clear();
    const std::string noTd = write("notd/fid", test::x32Ints({1, 2}));
    write("notd/acqus", std::string("##$SW_h= 100\n##$BF1= 400\n"));
    ui.chooseNext(noTd);
    EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{kUsable + "its number of points is missing or not valid."});
    EXPECT_EQ(stateOf(*doc, window), before);
}

TEST_F(ImportDispatch, SingleFileFormatsFailWithTheirMessage)
{
    loadPrevious();
    const DocumentState before = stateOf(*doc, window);
    const std::string randomFile = write("random.bin", Bytes(5000, 0x5A));
    for (FileType type : {FileType::BrukerAspect, FileType::Nuts, FileType::Varian}) {
        setFileType(flags, type);
        for (const std::string& path : {randomFile, (dir.path() / "none.bin").string()}) {
            ui.messages.clear();
            ui.chooseNext(path);
            EXPECT_FALSE(importSpectrum(*doc, flags, ui, window));
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "Cannot Open or\n Don't know what to do with it!!");
            EXPECT_EQ(ui.messages[0].caption, fs::path(path).filename().string());
            EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
            EXPECT_EQ(stateOf(*doc, window), before) << path;
        }
    }
}

TEST_F(ImportDispatch, EachFormatImportsAndResets)
{
    test::AspectHeader a;
    a.count = 2;
    a.mode = 2;
    setFileType(flags, FileType::BrukerAspect);
    ui.chooseNext(write("a/spec.asp", test::aspectFile(a, {100, -100})));
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(doc->realAcquisition, 1);
    EXPECT_EQ(doc->maxAbsValue, 100.0);
    EXPECT_DOUBLE_EQ(doc->acq.extra, 3.5);
    EXPECT_EQ(window.title, "Tesvar  spec.asp");

    test::NutsHeader n;
    n.count = 4;
    setFileType(flags, FileType::Nuts);
    ui.chooseNext(write("n/spec.nuts", test::nutsFile(n, {1, 2, -30, 4})));
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(doc->conjugateOnTransform, 1);
    EXPECT_EQ(doc->realAcquisition, 0);
    EXPECT_EQ(doc->maxAbsValue, -30.0);
    EXPECT_EQ(doc->undo.data[2], -30.0) << "the undo snapshot holds the data as loaded";

    setFileType(flags, FileType::Varian);
    const std::string procpar = test::procparText(299.9, 8000.0, 2, "\"y\"");
    write("v/procpar", procpar);
    ui.chooseNext(write("v/fid", test::varianFile(0, test::be32Values({256, -1}))));
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(doc->valueCount, 2);
    EXPECT_EQ(doc->data[0], 256.0);
    EXPECT_EQ(doc->data[1], -1.0);
    EXPECT_DOUBLE_EQ(doc->acq.sf, 299.9);
    EXPECT_EQ(doc->realAcquisition, 0);
    EXPECT_EQ(doc->conjugateOnTransform, 1);
    EXPECT_EQ(doc->filePath, (dir.path() / "v/fid").string());
}

TEST_F(ImportDispatch, ANewImportNeverKeepsTheOldFilterDelayOrOldValues)
{
    ui.chooseNext(writeX32("fid"));
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    ASSERT_GT(doc->digitalFilterDelay, 0.0);

    // A shorter second X32 file whose parameters ask for more values than it holds.
    const std::string shortFid = write("s/fid", test::x32Ints({5}));
    write("s/acqus", test::acqusText(4, 100.0, 100.0, 1));
    ui.chooseNext(shortFid);
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ((std::vector<double>(doc->data.begin(), doc->data.begin() + 4)),
              (std::vector<double>{5, 0, 0, 0}));
    EXPECT_EQ(doc->digitalFilterDelay, 0.0);

    ui.chooseNext(writeX32("fid"));
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    test::NutsHeader n;
    n.count = 2;
    setFileType(flags, FileType::Nuts);
    ui.chooseNext(write("n.nuts", test::nutsFile(n, {1, 2})));
    ASSERT_TRUE(importSpectrum(*doc, flags, ui, window));
    EXPECT_EQ(doc->digitalFilterDelay, 0.0);
}

TEST_F(ImportDispatch, OpenHandsANonNativeFileToTheTypeDialogOnly)
{
    loadPrevious();
    const std::string fid = writeX32("fid");
    // The dialog opens on the type the file shows (a fid with acqus beside it), not on
    // the last choice; a file that shows none gets the last choice.
    setFileType(flags, FileType::Nuts);
    window.onCommand = [&](int id) {
        EXPECT_EQ(id, cmd::Import);
        return importCommand(*doc, flags, dialog, ui, window);
    };
    ui.answerNext(Answer::No);  // the save question of the Open command
    ui.chooseNext(fid);
    openCommand(*doc, ui, window);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Do you want to save the current spectrum?",
                                                    "This is not a Tesvar File\n Please indicate the file type"}));
    EXPECT_EQ(ui.fileChoices.size(), 1u) << "the same file, no second file dialog";
    EXPECT_EQ(dialog.opened, std::vector<FileType>{FileType::BrukerX32});
    EXPECT_EQ(doc->acq.td, 4);
    EXPECT_EQ(doc->data[0], 10.0);
    EXPECT_EQ(doc->documentLoaded, 1);
    EXPECT_EQ(doc->nothingToSave, 0);

    setFileType(flags, FileType::Varian);
    ui.answerNext(Answer::No);
    ui.chooseNext(write("unknown.bin", Bytes(64, 7)));
    dialog.answers = {std::nullopt};
    openCommand(*doc, ui, window);
    EXPECT_EQ(dialog.opened.back(), FileType::Varian);
}

TEST_F(ImportDispatch, ACancelledHandOverChangesNothing)
{
    loadPrevious();
    const DocumentState before = stateOf(*doc, window);
    window.onCommand = [&](int) { return importCommand(*doc, flags, dialog, ui, window); };

    // Cancel in the type dialog.
    const std::string fid = writeX32("fid");
    ui.answerNext(Answer::No);
    ui.chooseNext(fid);
    dialog.answers = {std::nullopt};
    openCommand(*doc, ui, window);
    DocumentState after = stateOf(*doc, window);
    EXPECT_EQ(after.filePath, fid) << "the Open command's choice";
    after.filePath = before.filePath;
    after.fileTitle = before.fileTitle;
    after.interactionMode = before.interactionMode;
    EXPECT_EQ(after, before);

    // A failing import after the hand-over.
    setFileType(flags, FileType::Nuts);
    ui.answerNext(Answer::No);
    ui.chooseNext(write("bad.nuts", Bytes(100, 1)));
    openCommand(*doc, ui, window);
    EXPECT_EQ(ui.texts().back(), "Cannot Open or\n Don't know what to do with it!!");
    after = stateOf(*doc, window);
    after.filePath = before.filePath;
    after.fileTitle = before.fileTitle;
    after.interactionMode = before.interactionMode;
    EXPECT_EQ(after, before);
}

TEST_F(ImportDispatch, EveryReaderRefusesWhatMakesNoSpectrumAndTellsWhatItCouldNotRead)
{
    const int cap = kDataCapacity;
    const std::size_t headerCut[] = {0, 500, 1000, 40, 290};
    for (Reader r : {Reader::X32, Reader::Aspect, Reader::Nuts, Reader::Varian, Reader::Native}) {
        // Nothing of the spectrum before stands in for a frequency the file lacks.
        for (const auto sf : {std::optional<double>(), std::optional(0.0), std::optional(-400.0)}) {
            ASSERT_TRUE(load(r, writeSample(r, 400.0, 4, 4))) << static_cast<int>(r);
            expectRefused(r, writeSample(r, sf, 4, 4),
                          "its spectrometer frequency is missing or not valid.");
        }
        if (r != Reader::X32) {  // X32 data have no header
            const std::string cutShort = writeSample(r, 400.0, 4, 4);
            fs::resize_file(cutShort, headerCut[static_cast<int>(r)]);
            expectRefused(r, cutShort, "it ends inside its header.");
        }
        expectRefused(r, writeSample(r, 400.0, 4, 0), "it holds no data values.");

        window.notes.clear();
        ASSERT_TRUE(load(r, writeSample(r, 400.0, 8, 3)));
        EXPECT_EQ(std::vector<double>(doc->data.begin(), doc->data.begin() + 8),
                  (std::vector<double>{1, 2, 3, 0, 0, 0, 0, 0}));
        ASSERT_TRUE(load(r, writeSample(r, 400.0, cap + 2, cap + 2)));
        EXPECT_EQ(doc->data[cap - 1], cap);
        const std::int64_t huge = r == Reader::Aspect ? 0xFFFFFF : INT32_MAX;
        ASSERT_TRUE(load(r, writeSample(r, 400.0, huge, 3)));
        EXPECT_EQ(doc->valueCount, cap);
        EXPECT_EQ(window.notes,
                  (std::vector<std::string>{
                      "The file holds only 3 of its 8 values; the others read as 0.",
                      "Only the first 1048576 of the file's 1048578 values were read; the rest was left out.",
                      "The file holds only 3 of its " + std::to_string(huge) +
                          " values; the others up to 1048576 read as 0."}))
            << static_cast<int>(r);
    }
}

// Broken and hostile JCAMP-DX files are refused with the line named, and nothing changes.
TEST_F(ImportDispatch, BrokenJcampFilesAreRefusedNamingTheLine)
{
    loadPrevious();
    const Bytes example = test::readBytes(std::string(TESVAR_TEST_DATA) + "/jcamp/dif.jdx");
    const std::string good(example.begin(), example.end());
    const auto edited = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::string fit = std::to_string(kDataCapacity);
    const std::pair<std::string, std::string> cases[] = {
        {edited("600Bjjjjj\n100c\n##END=\n", ""),
         "line 14: the table ends after 5 of its 10 points."},
        {edited("600B", "600C"),
         "line 15: the Y check fails: the line starts with 3 where the line before ended "
         "with 2."},
        {edited("NPOINTS= 10", "NPOINTS= 12"), "line 16: the table ends after 10 of its 12 points."},
        {edited("NPOINTS= 10", "NPOINTS= 8"), "line 15: the table holds more than 8 values."},
        {edited("##.OBSERVE FREQUENCY= 100.0\n", ""),
         "line 12: the spectrometer frequency (.OBSERVE FREQUENCY, $SFO1 or $BF1) is missing."},
        {edited("100c\n", "100c $$" + std::string(100000, 'x') + "\n"),
         "line 16: the line is longer than 4096 characters."},
        {edited("NPOINTS= 10", "NPOINTS= 2147483647"),
         "line 13: the table counts 2147483647 points; at most " + fit + " fit."},
        {edited("600Bjjjjj", std::string("600B\0\x01\xff\x7f", 8)),
         "line 15: the line holds bytes that are not text."},
        {edited("##END=\n", ""), "line 16: the file ends before the ##END= of its data."},
        {edited("(X++(Y..Y))", "(XY..XY)"),
         "line 13: only tables of the form (X++(Y..Y)) can be read."},
        {std::string(4096, '\xC3'), "line 1: a JCAMP-DX file starts with ##TITLE=."},
    };
    for (const auto& [text, message] : cases)
        expectRefused(Reader::Jcamp, write("broken/" + std::to_string(++samples), text),
                      message);
}

TEST(CentreOnOwner, CentresAndKeepsOnTheScreen)
{
    const ScreenRect dialog{0, 0, 200, 100};
    EXPECT_EQ(centreOnOwner(dialog, {100, 50, 901, 651}, 1920, 1080), (ScreenPoint{400, 300}));
    // Integer halves: (801 - 200) / 2 = 300.
    EXPECT_EQ(centreOnOwner(dialog, {0, 0, 801, 100}, 1920, 1080), (ScreenPoint{300, 0}));
    EXPECT_EQ(centreOnOwner(dialog, {-500, -400, -300, -300}, 1920, 1080), (ScreenPoint{0, 0}));
    EXPECT_EQ(centreOnOwner(dialog, {1800, 1000, 2000, 1100}, 1920, 1080), (ScreenPoint{1720, 980}));
    // A dialog larger than the screen stays at its left and top edges.
    EXPECT_EQ(centreOnOwner({0, 0, 3000, 2000}, {0, 0, 100, 100}, 1920, 1080), (ScreenPoint{0, 0}));
}

}  // namespace
}  // namespace tesvar
