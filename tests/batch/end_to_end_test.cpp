// The built tesvar-batch program, run as a script would run it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "batch/hand_written_native.h"
#include "support/test_files.h"

namespace tesvar::test {
namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Runs tesvar-batch (or `program`) with args and the environment with `extraEnv` added,
// standard output and error going to files in dir.
ProgramRun runProgram(const TempDir& dir, const std::vector<std::string>& args,
                      const std::string& program = TESVAR_BATCH,
                      const std::vector<std::string>& extraEnv = {})
{
    const std::string outPath = dir.file("stdout.txt");
    const std::string errPath = dir.file("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    std::vector<std::string> env = extraEnv;
    std::vector<char*> envp;
    for (char** e = environ; *e; ++e)
        envp.push_back(*e);
    for (auto& e : env)  // last, so that the loader takes these
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ProgramRun run;
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus))
        run.status = WEXITSTATUS(wstatus);
    run.out = text(readBytes(outPath));
    run.err = text(readBytes(errPath));
    return run;
}

void expectOpenSaveIsByteIdentical(int n)
{
    TempDir dir;
    const std::vector<std::uint8_t> original = handWrittenNative(awkwardSpectrum(n));
    writeBytes(dir.file("a.tvx"), original);
    const ProgramRun run = runProgram(dir, {"open", dir.file("a.tvx"), "save", dir.file("b.tvx")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::uint8_t> saved = readBytes(dir.file("b.tvx"));
    EXPECT_EQ(saved.size(), original.size());
    EXPECT_TRUE(saved == original) << "the saved file differs from the one opened";
}

TEST(BatchProgram, OpenThenSaveGivesTheSameBytesForASmallFile)
{
    expectOpenSaveIsByteIdentical(64);  // 2048 bytes, the last 512 of them filler
    EXPECT_EQ(handWrittenNative(awkwardSpectrum(64)).size(), 2048u);
}

TEST(BatchProgram, OpenThenSaveGivesTheSameBytesForAFullBuffer)
{
    expectOpenSaveIsByteIdentical(1048576);
    EXPECT_EQ(handWrittenNative(awkwardSpectrum(1048576)).size(), 8389632u);
}

TEST(BatchProgram, ReportsGoToStandardOutput)
{
    TempDir dir;
    writeBytes(dir.file("a.tvx"), handWrittenNative(awkwardSpectrum(64)));
    const ProgramRun run = runProgram(dir, {"open", dir.file("a.tvx"), "report", "params", "json"});
    EXPECT_EQ(run.status, 0) << run.err;
    const QJsonObject params = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(params.value("td").toInt(), 64);
    EXPECT_EQ(params.value("sf").toDouble(), 400.13);
}

TEST(BatchProgram, ExitStatusTellsUsageErrorsFromFailedSteps)
{
    TempDir dir;
    ProgramRun run = runProgram(dir, {});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage: tesvar-batch"), std::string::npos);

    run = runProgram(dir, {"open"});
    EXPECT_EQ(run.status, 2);

    writeBytes(dir.file("fid"), std::vector<std::uint8_t>(3000, 0x7F));
    run = runProgram(dir, {"open", dir.file("fid"), "save", dir.file("b.tvx")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("Warning: This is not a Tesvar File\n Please indicate the file type\n",
                            0),
              0u)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.tvx")));

    run = runProgram(dir, {"invert"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no spectrum is loaded"), std::string::npos);
}

// Only export loads Qt, through the picture module beside the program; a program without
// its module says so and fails. The dynamic loader lists every library it loads.
TEST(BatchProgram, LoadsQtOnlyToExportAPicture)
{
    const std::string fid = std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h/fid";
    TempDir dir;
    const std::string png = dir.file("a.png");
    const std::string alone = dir.file("tesvar-batch");
    std::filesystem::copy_file(TESVAR_BATCH, alone);
    const std::vector<std::string> exportRun = {"import", "x32", fid, "export", "screen", "png", png};
    const struct {
        std::vector<std::string> args;
        std::string program;
        int status;
        bool qtLoaded;
        std::string message;
    } cases[] = {
        {{"--help"}, TESVAR_BATCH, 0, false, "usage: tesvar-batch"},
        {{"import", "x32", fid, "apodize", "exp", "0.3", "fourier", "size=65536", "phase", "30",
          "-10", "report", "params", "json"},
         TESVAR_BATCH, 0, false, ""},
        {exportRun, alone, 1, false, "tesvar-batch: Cannot export " + png + ": the picture module"},
        {exportRun, TESVAR_BATCH, 0, true, ""},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram(dir, c.args, c.program, {"LD_DEBUG=files"});
        EXPECT_EQ(run.status, c.status) << c.args.back() << run.err;
        EXPECT_EQ(run.err.find("libQt6Core") != std::string::npos, c.qtLoaded) << c.args.back();
        EXPECT_NE((run.out + run.err).find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::filesystem::exists(png), c.qtLoaded) << "the picture written";
    }
}

// Four copies of the aspirin FID and one file that is not one, two at a time. Between a
// spectrum's two reports the other process has time to write its own.
TEST(BatchProgram, EachRunsEverySpectrumApartAndNamesTheFailedOne)
{
    TempDir dir;
    std::map<std::string, int> linesOf;
    for (const std::string name : {"s1", "s2", "s3", "s4"}) {
        std::filesystem::copy(std::string(TESVAR_TEST_DATA) + "/bruker/aspirin-1h", dir.file(name),
                              std::filesystem::copy_options::recursive);
        linesOf[dir.file(name + "/fid")] = 0;
    }
    std::filesystem::create_directory(dir.file("z"));
    writeBytes(dir.file("z/fid"), std::vector<std::uint8_t>(100, 1));
    const ProgramRun run = runProgram(dir, {"--jobs", "2", "--each", dir.file("*/fid"), "import",
                                            "x32", "{}", "report", "params", "text", "fourier",
                                            "size=65536", "report", "points", "json", "save",
                                            "{dir}/{name}.tvx"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("tesvar-batch: " + dir.file("z/fid") + " failed"), std::string::npos)
        << run.err;
    std::istringstream lines(run.out);
    std::string previous;
    for (std::string line; std::getline(lines, line);) {
        const QJsonObject report = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        const std::string source = report.value("source").toString().toStdString();
        ASSERT_TRUE(linesOf.count(source)) << line.substr(0, 100);
        // Both reports of a spectrum, together: the lines of params, then every point.
        EXPECT_TRUE(report.value(++linesOf[source] == 1 ? "text" : "values").isArray());
        EXPECT_EQ(report.value("report").toString(), linesOf[source] == 1 ? "params" : "points");
        EXPECT_TRUE(linesOf[source] == 1 || source == previous);
        previous = source;
    }
    for (const auto& [source, count] : linesOf)
        EXPECT_EQ(count, 2) << source;
    EXPECT_TRUE(std::filesystem::exists(dir.file("s3/s3.tvx")));

    const ProgramRun none = runProgram(dir, {"--each", dir.file("*.nothing"), "invert"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "tesvar-batch: no file matches " + dir.file("*.nothing") + "\n");
}

}  // namespace
}  // namespace tesvar::test
