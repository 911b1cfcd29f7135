// The program's own steps, run in process on a document the test can inspect.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <bit>
#include <cmath>
#include <memory>
#include <sstream>

#include "batch/batch_runner.h"
#include "batch/hand_written_native.h"
#include "batch/json_numbers.h"
#include "document/file_commands.h"
#include "document/spectrum_document.h"
#include "support/test_files.h"

namespace tesvar::batch {
namespace {

using test::awkwardSpectrum;
using test::handWrittenNative;
using test::HandWrittenSpectrum;

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

class BatchSteps : public ::testing::Test {
protected:
    BatchSteps() : doc(std::make_unique<SpectrumDocument>()) { doc->nothingToSave = 1; }

    std::string write(const std::string& name, const HandWrittenSpectrum& s)
    {
        const std::string path = dir.file(name);
        test::writeBytes(path, handWrittenNative(s));
        return path;
    }

    int run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        return runBatch(args, *doc, out, err);
    }

    QJsonObject jsonOut() const
    {
        QJsonParseError error;
        const auto parsed = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << out.str().substr(0, 200);
        return parsed.object();
    }

    std::vector<std::string> outLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    test::TempDir dir;
    std::unique_ptr<SpectrumDocument> doc;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(BatchSteps, OpenReadsANativeFileAsTheOpenCommandDoes)
{
    const std::string path = write("a.tvx", awkwardSpectrum(64));
    EXPECT_EQ(run({"open", path}), kExitOk) << err.str();
    EXPECT_EQ(doc->hasSpectrum, 1);
    EXPECT_EQ(doc->valueCount, 64);
    EXPECT_EQ(doc->filePath, path);
    EXPECT_EQ(doc->fileTitle, "a.tvx");
    EXPECT_EQ(doc->nothingToSave, 0);
    EXPECT_EQ(err.str(), "");
    // Over a spectrum the question comes first; Yes names no file to save to.
    const std::string b = write("b.tvx", awkwardSpectrum(32));
    const auto bBytes = test::readBytes(b);
    EXPECT_EQ(run({"--answer", "cancel", "open", b}), kExitStepFailed);
    EXPECT_EQ(err.str().rfind("Warning: Do you want to save the current spectrum?\n", 0), 0u);
    EXPECT_EQ(doc->valueCount, 64);
    EXPECT_EQ(run({"--answer", "yes", "open", b}), kExitOk);
    EXPECT_EQ(doc->valueCount, 32);
    EXPECT_EQ(test::readBytes(b), bBytes);
}

TEST_F(BatchSteps, OpenOfAnInstrumentFileWarnsAndFailsWithNothingChanged)
{
    test::writeBytes(dir.file("fid"), std::vector<std::uint8_t>(4096, 0x11));
    for (const char* answer : {"ok", "cancel"}) {
        EXPECT_EQ(run({"--answer", answer, "open", dir.file("fid"), "report", "params", "text"}),
                  kExitStepFailed);
        EXPECT_EQ(err.str().rfind("Warning: This is not a Tesvar File\n"
                                  " Please indicate the file type\n",
                                  0),
                  0u)
            << err.str();
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(doc->hasSpectrum, 0);
        EXPECT_EQ(doc->documentLoaded, 1);
        EXPECT_EQ(doc->nothingToSave, 1);
    }
}

TEST_F(BatchSteps, OpenOfAMissingOrRefusedFileFailsWithItsMessage)
{
    EXPECT_EQ(run({"open", dir.file("missing.tvx")}), kExitStepFailed);
    EXPECT_EQ(err.str().rfind("Error : Cannot open the file\n", 0), 0u) << err.str();

    HandWrittenSpectrum empty;  // td 0: no spectrum to show
    EXPECT_EQ(run({"open", write("empty.tvx", empty)}), kExitStepFailed);
    EXPECT_NE(err.str().find(std::string("Error : ") + text::kUnusableFile), std::string::npos)
        << err.str();
    HandWrittenSpectrum notNumbers = awkwardSpectrum(64);
    notNumbers.values[9] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(run({"open", write("inf.tvx", notNumbers)}), kExitStepFailed);
    EXPECT_EQ(err.str().rfind("inf.tvx: Cannot Open or\n Don't know what to do with it!!\n", 0),
              0u) << err.str();
    EXPECT_EQ(doc->hasSpectrum, 0);
}

TEST_F(BatchSteps, TheFirstFailureKeepsTheLaterStepsFromRunning)
{
    const std::string a = write("a.tvx", awkwardSpectrum(64));
    EXPECT_EQ(run({"open", a, "report", "params", "text", "open", dir.file("none.tvx"), "save",
                   dir.file("b.tvx")}),
              kExitStepFailed);
    EXPECT_EQ(outLines().size(), 7u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.tvx")));
    EXPECT_NE(err.str().find("step 3 failed: open "), std::string::npos) << err.str();
}

TEST_F(BatchSteps, StepsThatNeedASpectrumFailBeforeOne)
{
    for (const char* step : {"save", "undo", "invert", "full", "report"}) {
        std::vector<std::string> args = {step};
        if (args[0] == "save")
            args.push_back(dir.file("x.tvx"));
        if (args[0] == "report")
            args.insert(args.end(), {"points", "json"});
        EXPECT_EQ(run(args), kExitStepFailed) << step;
        EXPECT_NE(err.str().find(std::string(step) + ": no spectrum is loaded"),
                  std::string::npos)
            << err.str();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.tvx")));
}

TEST_F(BatchSteps, SaveKeepsThePathAsTheDocumentsFile)
{
    const std::string a = write("a.tvx", awkwardSpectrum(64));
    const std::string b = dir.file("b.tvx");
    EXPECT_EQ(run({"open", a, "save", b}), kExitOk) << err.str();
    EXPECT_EQ(doc->filePath, b);
    EXPECT_EQ(doc->fileTitle, "b.tvx");
    EXPECT_EQ(test::readBytes(b), test::readBytes(a));
}

TEST_F(BatchSteps, SaveThatCannotWriteFailsWithTheFileError)
{
    const std::string a = write("a.tvx", awkwardSpectrum(64));
    EXPECT_EQ(run({"open", a, "save", dir.file("no/such/folder/b.tvx")}), kExitStepFailed);
    EXPECT_EQ(err.str().rfind("File Error: Cannot Save File\n", 0), 0u) << err.str();
}

TEST_F(BatchSteps, RelativePathsAreTakenFromTheFolderTheRunStartedIn)
{
    std::filesystem::create_directory(dir.path() / "sub");
    write("sub/a.tvx", awkwardSpectrum(64));
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    // Opening sub/a.tvx makes sub the current folder; b.tvx still lands beside sub.
    const int status = run({"open", "sub/a.tvx", "save", "b.tvx", "report", "params", "text",
                            "params.txt"});
    const auto after = std::filesystem::current_path();
    std::filesystem::current_path(start);
    EXPECT_EQ(status, kExitOk) << err.str();
    EXPECT_EQ(after, dir.path());
    EXPECT_TRUE(std::filesystem::exists(dir.file("b.tvx")));
    EXPECT_TRUE(std::filesystem::exists(dir.file("params.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("sub/b.tvx")));
}

TEST_F(BatchSteps, InvertThenUndoRestoresTheDataAsLoaded)
{
    HandWrittenSpectrum s = awkwardSpectrum(16);
    const std::string a = write("a.tvx", s);
    ASSERT_EQ(run({"open", a, "invert", "report", "points", "json"}), kExitOk) << err.str();
    auto values = test::jsonArrayNumbers(out.str(), "values");
    ASSERT_EQ(values.size(), 16u);
    EXPECT_EQ(bits(values[0].value()), bits(-s.values[0]));
    EXPECT_EQ(bits(values[2].value()), bits(0.0));  // -(-0.0)
    EXPECT_EQ(bits(values[6].value()), bits(std::numeric_limits<double>::max()));

    ASSERT_EQ(run({"undo", "report", "points", "json"}), kExitOk) << err.str();
    values = test::jsonArrayNumbers(out.str(), "values");
    ASSERT_EQ(values.size(), 16u);
    for (int i : {0, 1, 2, 4, 6, 15})
        EXPECT_EQ(bits(values[i].value()), bits(s.values[i])) << i;
}

TEST_F(BatchSteps, FullShowsTheWholeSpectrumAgain)
{
    const std::string a = write("a.tvx", awkwardSpectrum(64));
    ASSERT_EQ(run({"open", a}), kExitOk);
    doc->viewLeft = doc->acq.aq / 4;  // as a zoom would leave it
    doc->viewRight = doc->acq.aq / 2;
    doc->fullView = 0;
    ASSERT_EQ(run({"report", "points", "text"}), kExitOk);
    EXPECT_EQ(outLines().size(), 9u);  // elements 16..32: points 8..16
    ASSERT_EQ(run({"full", "report", "points", "text"}), kExitOk);
    EXPECT_EQ(outLines().size(), 32u);
    EXPECT_EQ(doc->fullView, 1);
    EXPECT_EQ(doc->zoomFactor, 1.0);
}

TEST_F(BatchSteps, ParamsTextShowsTheDialogLines)
{
    HandWrittenSpectrum s;
    s.sf = 400.13;
    s.sw = 6009.6;
    s.td = 16384;
    s.acqMode = 2;  // single channel
    s.values.assign(s.td, 1.0);
    ASSERT_EQ(run({"open", write("p.tvx", s), "report", "params", "text"}), kExitOk) << err.str();
    const std::vector<std::string> expected = {
        "Spectrum Frecuency  SF: 400.130 MHz",
        "Sweep Width SW: 6009.600 Hz 15.019 ppm",
        "Acquisition Time AQ: 1.36 Seconds",  // 16384 / (2 x 6009.6) = 1.3632 s
        "Transform Domain TD: 16384 Points",
        "Acquisition Mode : Real",
        "Phase Order 0: 0.00",
        "Phase Order 1: 0.00",
    };
    EXPECT_EQ(outLines(), expected);
}

TEST_F(BatchSteps, ParamsJsonHoldsTheDocumentValues)
{
    HandWrittenSpectrum s = awkwardSpectrum(64);
    s.aq = 99.0;  // a stale stored value: the reset recomputes it
    ASSERT_EQ(run({"open", write("a.tvx", s), "report", "params", "json"}), kExitOk)
        << err.str();
    const QJsonObject p = jsonOut();
    EXPECT_EQ(p.size(), 13);
    EXPECT_EQ(bits(p.value("sf").toDouble()), bits(400.13));
    EXPECT_EQ(bits(p.value("sw").toDouble()), bits(4096.0));
    EXPECT_EQ(p.value("td").toInt(), 64);
    EXPECT_EQ(p.value("aq").toDouble(), 64 / (2 * 4096.0));
    EXPECT_EQ(p.value("acqMode").toInt(), 1);
    EXPECT_EQ(p.value("valueCount").toInt(), 64);
    EXPECT_EQ(p.value("realAcquisition").toInt(), 0);
    EXPECT_EQ(bits(p.value("maxAbsValue").toDouble()), bits(-std::numeric_limits<double>::max()));
    EXPECT_EQ(p.value("maxAbsIndex").toInt(), 6);
    EXPECT_EQ(p.value("referencePoint").toInt(), 64);
    EXPECT_EQ(p.value("displayUnits").toInt(), 1);
    EXPECT_EQ(p.value("phase0").toDouble(), 0.0);
    EXPECT_EQ(p.value("phase1").toDouble(), 0.0);
}

TEST_F(BatchSteps, PointsJsonRoundTripsEveryValueBitForBit)
{
    const HandWrittenSpectrum s = awkwardSpectrum(4096);
    const std::string json = dir.file("points.json");
    ASSERT_EQ(run({"open", write("a.tvx", s), "report", "points", "json", json}), kExitOk)
        << err.str();
    EXPECT_EQ(out.str(), "");
    const auto bytes = test::readBytes(json);
    const std::string text(bytes.begin(), bytes.end());
    QJsonParseError error;
    const QJsonObject p = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(p.size(), 2);
    EXPECT_EQ(p.value("valueCount").toInt(), 4096);
    EXPECT_EQ(p.value("values").toArray().size(), 4096);

    const auto values = test::jsonArrayNumbers(text, "values");
    ASSERT_EQ(values.size(), 4096u);
    for (int i = 0; i < 4096; ++i) {
        if (std::isfinite(s.values[i]))
            ASSERT_EQ(bits(values[i].value()), bits(s.values[i])) << i;
        else
            ASSERT_FALSE(values[i]) << i;
    }
}

TEST_F(BatchSteps, PointsTextListsTheShownPoints)
{
    HandWrittenSpectrum s;
    s.td = 8;
    s.aq = 8 / (2 * s.sw);
    s.values = {1.0, 9.0, -2.5, 9.0, 1234.56789, 9.0, 0.0004, 9.0};
    ASSERT_EQ(run({"open", write("a.tvx", s), "report", "points", "text"}), kExitOk);
    const std::vector<std::string> expected = {"    0  1.000", "    1  -2.500",
                                               "    2  1234.568", "    3  0.000"};
    EXPECT_EQ(outLines(), expected);
}

TEST_F(BatchSteps, ReportToAnUnwritablePathFails)
{
    const std::string a = write("a.tvx", awkwardSpectrum(64));
    EXPECT_EQ(run({"open", a, "report", "params", "text", dir.file("no/dir/p.txt")}),
              kExitStepFailed);
    EXPECT_NE(err.str().find("cannot write the report to"), std::string::npos) << err.str();
}

TEST_F(BatchSteps, ReportArgumentsAreChecked)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"report"}, {"report", "peaks-and-more", "text"}, {"report", "params"},
             {"report", "params", "xml"}, {"report", "params", "text", ""}}) {
        EXPECT_EQ(run(args), kExitUsage) << ::testing::PrintToString(args);
    }
}

}  // namespace
}  // namespace tesvar::batch
