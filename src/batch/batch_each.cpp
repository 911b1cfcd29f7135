// --each PATTERN: many spectra in one run. Each spectrum runs in a forked process rather
// than a thread: the file choosers move the current folder, which is one per process;
// a spectrum that crashes ends its own process only; and the child starts from the
// parent's untouched document without zeroing or copying it (the kernel copies only
// the pages a run writes). The price is that what a process caches (the transform's
// plans, for one) is made again in every spectrum's process.
#include "batch/batch_each.h"

#include <glob.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <string_view>
#include <thread>
#include <utility>

#include "batch/batch_runner.h"
#include "batch/json_writer.h"

namespace tesvar::batch {

namespace {

constexpr int kMostJobs = 1024;

std::optional<int> jobCount(const std::string& word)
{
    int value = 0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (word.empty() || result.ec != std::errc() || result.ptr != end || value < 1 ||
        value > kMostJobs)
        return std::nullopt;
    return value;
}

// The cores this process may run on (a cluster's scheduler may allow fewer than the
// machine has).
int coreCount()
{
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0)
        return std::max(1, CPU_COUNT(&set));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The matches in the order glob(3) sorts them; a problem's message when there is none.
std::string matchPaths(const std::string& pattern, std::vector<std::string>& paths)
{
    glob_t found{};
    const int result = glob(pattern.c_str(), GLOB_TILDE, nullptr, &found);
    for (std::size_t i = 0; result == 0 && i < found.gl_pathc; ++i)
        paths.emplace_back(found.gl_pathv[i]);
    globfree(&found);
    if (result == GLOB_NOMATCH || (result == 0 && paths.empty()))
        return "no file matches " + pattern;
    if (result != 0)
        return "cannot list the files that match " + pattern;
    return {};
}

std::string readWhole(int fd)
{
    std::string text;
    char buffer[65536];
    off_t at = 0;
    for (;;) {
        const ssize_t n = pread(fd, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        at += n;
    }
    close(fd);
    return text;
}

// What ended a spectrum's process, for the failure message.
std::string endedBecause(int wstatus)
{
    if (WIFEXITED(wstatus))
        return "exit status " + std::to_string(WEXITSTATUS(wstatus));
    if (WIFSIGNALED(wstatus)) {
        const char* name = strsignal(WTERMSIG(wstatus));
        return "killed by signal " + std::to_string(WTERMSIG(wstatus)) +
               (name ? std::string(" (") + name + ")" : "");
    }
    return "ended";
}

std::string clockText(double seconds)
{
    const long whole = static_cast<long>(std::max(0.0, seconds) + 0.5);
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

// One line on a terminal's standard error, rewritten as spectra end: done/total, the
// rate and the time left. Nothing of it when standard error is not a terminal.
class Progress {
public:
    Progress(std::ostream& err, std::size_t total)
        : err(err), total(total), shown(&err == &std::cerr && isatty(STDERR_FILENO) == 1)
    {
    }

    void clear()
    {
        if (drawn)
            err << "\r\033[K" << std::flush;
        drawn = false;
    }

    void draw(std::size_t done)
    {
        if (!shown || done >= total)
            return;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
        char text[128];
        std::snprintf(text, sizeof text, "%zu/%zu done, %.1f spectra/s", done, total, rate);
        err << '\r' << text;
        if (rate > 0.0)
            err << ", " << clockText(static_cast<double>(total - done) / rate) << " left";
        err << "\033[K" << std::flush;
        drawn = true;
    }

private:
    std::ostream& err;
    std::size_t total;
    bool shown;
    bool drawn = false;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

// A spectrum's process while it runs: which path, and where its standard output and
// error are collected.
struct Running {
    std::size_t index = 0;
    int outFd = -1;
    int errFd = -1;
};

[[noreturn]] void runChild(const SpectrumRun& run, const std::vector<std::string>& steps,
                           const std::string& path, const Running& files)
{
    dup2(files.outFd, STDOUT_FILENO);
    dup2(files.errFd, STDERR_FILENO);
    const int status = run(withPlaceholders(steps, path), path, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    _exit(status);
}

class EachRun {
public:
    EachRun(const std::vector<std::string>& steps, const SpectrumRun& run,
            std::vector<std::string> paths, std::ostream& out, std::ostream& err)
        : steps(steps), run(run), paths(std::move(paths)), out(out), err(err),
          progress(err, this->paths.size())
    {
    }

    int go(std::size_t jobs)
    {
        std::size_t next = 0;
        while (done < paths.size()) {
            while (running.size() < jobs && next < paths.size()) {
                const std::string problem = start(next);
                if (problem.empty()) {
                    ++next;
                } else if (running.empty()) {
                    report(next, false, problem, {}, {});
                    ++next;
                } else {
                    break;  // tried again when a running spectrum has ended
                }
            }
            waitForOne();
        }
        progress.clear();
        if (failed > 0)
            err << "tesvar-batch: " << failed << " of " << paths.size() << " spectra failed\n";
        err.flush();
        return failed > 0 ? kExitStepFailed : kExitOk;
    }

private:
    std::string start(std::size_t index)
    {
        Running files{index, memfd_create("tesvar-batch-out", MFD_CLOEXEC),
                      memfd_create("tesvar-batch-err", MFD_CLOEXEC)};
        std::string problem;
        if (files.outFd < 0 || files.errFd < 0)
            problem = std::string("cannot collect its output: ") + std::strerror(errno);
        out.flush();
        err.flush();
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);  // nothing buffered is written twice by a child
        const pid_t pid = problem.empty() ? fork() : -1;
        if (pid == 0)
            runChild(run, steps, paths[index], files);
        if (pid > 0) {
            running[pid] = files;
            return {};
        }
        if (problem.empty())
            problem = std::string("cannot start a process for it: ") + std::strerror(errno);
        for (int fd : {files.outFd, files.errFd})
            if (fd >= 0)
                close(fd);
        return problem;
    }

    void waitForOne()
    {
        if (running.empty())
            return;
        int wstatus = 0;
        const pid_t pid = waitpid(-1, &wstatus, 0);
        if (pid < 0 && errno == ECHILD) {
            // Reaped by someone else: their status is lost, their output is not.
            for (const auto& [lost, files] : running)
                report(files.index, false, "its exit status was lost",
                       readWhole(files.outFd), readWhole(files.errFd));
            running.clear();
            return;
        }
        const auto found = running.find(pid);
        if (found == running.end())
            return;  // interrupted, or not one of ours
        const Running files = found->second;
        running.erase(found);
        const bool ok = WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0;
        report(files.index, ok, endedBecause(wstatus), readWhole(files.outFd),
               readWhole(files.errFd));
    }

    // Writes one spectrum's reports and messages whole, each stream in one piece.
    void report(std::size_t index, bool ok, const std::string& why, std::string reports,
                std::string messages)
    {
        // A process that died in the middle of a report leaves part of a line.
        if (!ok && !reports.empty() && reports.back() != '\n') {
            const std::size_t lastLineEnd = reports.rfind('\n');
            reports.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
        }
        if (!messages.empty() && messages.back() != '\n')
            messages += '\n';
        progress.clear();
        out << reports << std::flush;
        if (!messages.empty())
            err << "==> " << paths[index] << " <==\n" << messages;
        if (!ok) {
            err << "tesvar-batch: " << paths[index] << " failed: " << why << '\n';
            ++failed;
        }
        err.flush();
        progress.draw(++done);
    }

    const std::vector<std::string>& steps;
    const SpectrumRun& run;
    const std::vector<std::string> paths;
    std::ostream& out;
    std::ostream& err;
    Progress progress;
    std::map<pid_t, Running> running;
    std::size_t done = 0;
    std::size_t failed = 0;
};

}  // namespace

bool readEachOption(const std::vector<std::string>& args, std::size_t& position,
                    EachOptions& each, std::string& error)
{
    const std::string& word = args[position];
    const std::string name = word.substr(0, word.find('='));
    if (name != "--each" && name != "--jobs")
        return false;
    ++position;
    std::optional<std::string> value;
    if (name.size() < word.size())
        value = word.substr(name.size() + 1);
    else if (position < args.size())
        value = args[position++];
    if (name == "--each") {
        if (!value || value->empty())
            error = "--each needs a PATTERN";
        else
            each.pattern = *value;
    } else {
        const auto jobs = value ? jobCount(*value) : std::nullopt;
        if (!jobs)
            error = "--jobs needs a number of spectra at a time, 1 to " +
                    std::to_string(kMostJobs);
        else
            each.jobs = *jobs;
    }
    return true;
}

std::vector<std::string> withPlaceholders(const std::vector<std::string>& steps,
                                          const std::string& path)
{
    const std::filesystem::path matched(path);
    const std::string dir =
        matched.has_parent_path() ? matched.parent_path().string() : std::string(".");
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(dir, ec).lexically_normal();
    if (!folder.has_filename())
        folder = folder.parent_path();
    const std::pair<std::string_view, std::string> marks[] = {
        {"{}", path}, {"{dir}", dir}, {"{name}", folder.filename().string()}};

    std::vector<std::string> words;
    for (const auto& step : steps) {
        std::string word;
        for (std::size_t i = 0; i < step.size();) {
            const auto mark = std::find_if(std::begin(marks), std::end(marks), [&](const auto& m) {
                return std::string_view(step).substr(i).starts_with(m.first);
            });
            if (mark == std::end(marks)) {
                word += step[i++];
            } else {
                word += mark->second;
                i += mark->first.size();
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::string sourcedReport(const std::string& source, const std::string& kind, bool asJson,
                          const std::string& rendered)
{
    std::ostringstream line;
    JsonWriter json(line);
    json.beginObject();
    json.key("source").value(source);
    json.key("report").value(kind);
    if (asJson) {
        // The report's own object: its members follow the two above.
        std::string_view body(rendered);
        while (!body.empty() && body.back() == '\n')
            body.remove_suffix(1);
        if (body.size() > 2)
            line << ',' << body.substr(1);
        else
            line << '}';
        return line.str() + '\n';
    }
    json.key("text").beginArray();
    std::istringstream lines(rendered);
    for (std::string text; std::getline(lines, text);)
        json.value(text);
    json.endArray();
    json.endObject();
    return line.str() + '\n';
}

int runEach(const EachOptions& each, const std::vector<std::string>& steps,
            const SpectrumRun& run, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> paths;
    const std::string problem = matchPaths(each.pattern.value_or(""), paths);
    if (!problem.empty()) {
        err << "tesvar-batch: " << problem << '\n';
        return kExitStepFailed;
    }
    // An ignored SIGCHLD (kept across exec from whoever started us) would reap the
    // spectra's processes before their exit status is read.
    std::signal(SIGCHLD, SIG_DFL);
    const std::size_t jobs =
        std::min(static_cast<std::size_t>(each.jobs > 0 ? each.jobs : coreCount()), paths.size());
    EachRun eachRun(steps, run, std::move(paths), out, err);
    return eachRun.go(jobs);
}

}  // namespace tesvar::batch
