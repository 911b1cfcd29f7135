// The import step, in process and through the built program, on the aspirin FID.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <memory>
#include <sstream>

#include "batch/batch_runner.h"
#include "document/spectrum_document.h"
#include "support/test_files.h"

namespace tesvar::batch {
namespace {

const std::string kAspirinFid = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid";

// The system's message comes first; the runner then names the step that failed.
bool startsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

class ImportStep : public ::testing::Test {
protected:
    ImportStep() : doc(std::make_unique<SpectrumDocument>()) { doc->nothingToSave = 1; }

    int run(const std::vector<std::string>& args)
    {
        out.str("");
        err.str("");
        return runBatch(args, *doc, out, err);
    }

    test::TempDir dir;
    std::unique_ptr<SpectrumDocument> doc;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ImportStep, ImportsTheAspirinFidWithItsParameterFile)
{
    EXPECT_EQ(run({"import", "x32", kAspirinFid}), kExitOk) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(doc->acq.td, 16384);
    EXPECT_NEAR(doc->acq.sw, 4789.27203065134, 1e-9);
    EXPECT_DOUBLE_EQ(doc->acq.sf, 300.13);
    EXPECT_EQ(doc->data[60], -173.0);
    EXPECT_EQ(doc->data[61], -1226.0);
    EXPECT_DOUBLE_EQ(doc->digitalFilterDelay, 61.020833333333333);
    EXPECT_EQ(doc->hasSpectrum, 1);
}

// import auto takes an experiment folder's fid and the type its contents show; a
// spectrum exported as JCAMP-DX comes back through both import jcamp and import auto.
TEST_F(ImportStep, AutoRecognisesTheTypeAndJcampComesBack)
{
    const std::string folder = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h";
    ASSERT_EQ(run({"import", "auto", folder, "fourier", "export", "jcamp", dir.file("a.jdx")}),
              kExitOk)
        << err.str();
    EXPECT_EQ(doc->filePath, folder + "/acqus") << "read as a Bruker X32 FID";
    const std::vector<double> spectrum(doc->data.begin(), doc->data.begin() + doc->valueCount);
    for (const char* type : {"jcamp", "auto"}) {
        ASSERT_EQ(run({"import", type, dir.file("a.jdx")}), kExitOk) << err.str();
        EXPECT_EQ(doc->domain, DataDomain::Frequency);
        ASSERT_EQ(doc->valueCount, static_cast<int>(spectrum.size()));
        for (std::size_t i = 0; i < spectrum.size(); i += 997)
            EXPECT_NEAR(doc->data[i], spectrum[i], 1e-6 * std::fabs(spectrum[0]) + 1e-3) << i;
    }
    test::writeBytes(dir.file("random.bin"), std::vector<std::uint8_t>(40, 0x33));
    EXPECT_EQ(run({"import", "auto", dir.file("random.bin")}), kExitStepFailed);
    EXPECT_EQ(err.str().find("The type of " + dir.file("random.bin") +
                             " cannot be told from its contents"),
              std::string("tesvar-batch: ").size())
        << err.str() << "and nothing was asked";
}

TEST_F(ImportStep, EveryTypeIsNamedAndFailuresPrintTheirMessage)
{
    EXPECT_EQ(run({"import", "bruker", kAspirinFid}), kExitUsage);
    EXPECT_NE(err.str().find("import needs a type"), std::string::npos);
    EXPECT_EQ(run({"import", "nuts"}), kExitUsage);
    EXPECT_NE(err.str().find("import x32|aspect|nuts|varian|jcamp|auto PATH"), std::string::npos)
        << "the usage lists the step";

    test::writeBytes(dir.file("random.bin"), std::vector<std::uint8_t>(4000, 0x33));
    for (const char* type : {"aspect", "nuts", "varian"}) {
        EXPECT_EQ(run({"import", type, dir.file("random.bin")}), kExitStepFailed) << type;
        EXPECT_TRUE(startsWith(err.str(), "random.bin: Cannot Open or\n Don't know what to do with it!!\n"))
            << err.str();
    }
    EXPECT_EQ(doc->hasSpectrum, 0);

    // An X32 file with no parameter file anywhere: the question, then nothing to choose.
    test::writeBytes(dir.file("fid"), std::vector<std::uint8_t>(64, 1));
    EXPECT_EQ(run({"import", "x32", dir.file("fid")}), kExitStepFailed);
    EXPECT_TRUE(startsWith(err.str(),
                           "Error: I cannot find Acqus file.\n Do you want to try it by yourself?\n"))
        << err.str();
    EXPECT_EQ(doc->hasSpectrum, 0);
}

TEST_F(ImportStep, TheNameQuestionFollowsTheForcedAnswer)
{
    test::writeBytes(dir.file("data.fid"), std::vector<std::uint8_t>(64, 1));
    const std::string acqus = "##$TD= 16\n##$SW_h= 1000\n##$BF1= 400\n##$AQ_mod= 1\n";
    test::writeBytes(dir.file("acqus"), std::vector<std::uint8_t>(acqus.begin(), acqus.end()));
    EXPECT_EQ(run({"--answer", "no", "import", "x32", dir.file("data.fid")}), kExitStepFailed);
    EXPECT_TRUE(startsWith(err.str(), "Warning: Are you sure that data.fid is a Bruker X32 FID?\n"))
        << err.str();
    EXPECT_EQ(doc->hasSpectrum, 0);
    EXPECT_EQ(run({"import", "x32", dir.file("data.fid")}), kExitOk) << err.str();
    EXPECT_EQ(doc->acq.td, 16);
    EXPECT_EQ(doc->data[0], 16843009.0);  // the bytes 01 01 01 01
    // Over that spectrum the save question comes first; Cancel keeps it.
    EXPECT_EQ(run({"--answer", "cancel", "import", "x32", kAspirinFid}), kExitStepFailed);
    EXPECT_TRUE(startsWith(err.str(), "Warning: Do you want to save the current spectrum?\n"));
    EXPECT_EQ(doc->acq.td, 16);
    // A file short of its count is read, and the user told how many values it held.
    test::writeBytes(dir.file("fid"), std::vector<std::uint8_t>(12, 1));
    doc->nothingToSave = 1;
    EXPECT_EQ(run({"import", "x32", dir.file("fid")}), kExitOk);
    EXPECT_EQ(err.str(), "The file holds only 3 of its 16 values; the others read as 0.\n");
    EXPECT_EQ(doc->valueCount, 16);
}

// The program as a script runs it: standard output read through a pipe.
std::string runProgram(const std::string& arguments, int& status)
{
    const std::string command = std::string("'") + TESVAR_BATCH + "' " + arguments + " 2>/dev/null";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return output;
}

TEST(ImportProgram, ImportsTheAspirinFidAndReportsIt)
{
    int status = -1;
    const std::string params =
        runProgram("import x32 '" + kAspirinFid + "' report params json", status);
    ASSERT_EQ(status, 0);
    const QJsonObject p = QJsonDocument::fromJson(QByteArray::fromStdString(params)).object();
    EXPECT_EQ(p.value("td").toInt(), 16384);
    EXPECT_EQ(p.value("valueCount").toInt(), 16384);
    EXPECT_EQ(p.value("sf").toDouble(), 300.13);
    EXPECT_NEAR(p.value("sw").toDouble(), 4789.27203065134, 1e-9);
    EXPECT_EQ(p.value("acqMode").toInt(), 1);

    const std::string points =
        runProgram("import x32 '" + kAspirinFid + "' report points json", status);
    ASSERT_EQ(status, 0);
    const QJsonArray values =
        QJsonDocument::fromJson(QByteArray::fromStdString(points)).object().value("values").toArray();
    ASSERT_EQ(values.size(), 16384);
    EXPECT_EQ(values[15].toDouble(), 32.0);
    EXPECT_EQ(values[60].toDouble(), -173.0);
    EXPECT_EQ(values[61].toDouble(), -1226.0);
}

}  // namespace
}  // namespace tesvar::batch
