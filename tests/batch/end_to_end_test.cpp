// The built tesvar-batch program, run as a script would run it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QJsonDocument>
#include <QJsonObject>

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

// Runs tesvar-batch with args, standard output and error going to files in dir.
ProgramRun runProgram(const TempDir& dir, const std::vector<std::string>& args)
{
    const std::string outPath = dir.file("stdout.txt");
    const std::string errPath = dir.file("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> words = {TESVAR_BATCH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    ProgramRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, TESVAR_BATCH, &actions, nullptr, argv.data(), environ);
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

}  // namespace
}  // namespace tesvar::test
