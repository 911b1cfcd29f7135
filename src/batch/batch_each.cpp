// --each PATTERN: many spectra in one run. The spectra run in worker processes forked
// from this one rather than in threads: the file choosers move the current folder, which
// is one per process, and a spectrum that crashes takes down its own worker only (it is
// reported failed and a new worker takes its place). A worker runs one spectrum after
// another, each in a new document, and keeps what a process caches between them (the
// transform's plans, the program's own pages), which a process per spectrum would make
// again every time.
#include "batch/batch_each.h"

#include <fcntl.h>
#include <glob.h>
#include <malloc.h>
#include <poll.h>
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
#include <cstdint>
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

// Everything written to the shared output file `fd`, which is then emptied for the next
// spectrum (the worker writes at the offset the two share).
std::string takeWhole(int fd)
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
    // Emptied for the next spectrum (a memory file: truncating it does not fail).
    if (ftruncate(fd, 0) == 0)
        lseek(fd, 0, SEEK_SET);
    return text;
}

// Moves all `size` bytes through `io` (read or write), over as many calls as it takes;
// false at an error or the end of the pipe.
template <typename Io, typename Byte>
bool moveAll(Io io, int fd, Byte* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = io(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool readAll(int fd, void* to, std::size_t size)
{
    return moveAll(::read, fd, static_cast<char*>(to), size);
}

bool writeAll(int fd, const void* from, std::size_t size)
{
    return moveAll(::write, fd, static_cast<const char*>(from), size);
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

// A worker process: the pipe it takes spectra from, the pipe it answers on, the files
// its standard output and error go to (shared with it), and the spectrum it is running.
struct Worker {
    pid_t pid = -1;
    int tasks = -1;
    int answers = -1;
    int outFd = -1;
    int errFd = -1;
    std::optional<std::size_t> index;
};

// The worker's side: reads the index of a spectrum, runs it from its own folder in a new
// document, answers with its exit status; ends when the pipe closes.
[[noreturn]] void serve(const SpectrumRun& run, const std::vector<std::string>& steps,
                        const std::vector<std::string>& paths, int tasks, int answers,
                        const Worker& files)
{
    // A spectrum's document is mapped fresh and given back whole when it ends, instead
    // of being cleared in memory the last one dirtied.
    mallopt(M_MMAP_THRESHOLD, 1 << 22);
    dup2(files.outFd, STDOUT_FILENO);
    dup2(files.errFd, STDERR_FILENO);
    const int home = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    std::uint64_t index = 0;
    while (readAll(tasks, &index, sizeof index) && index < paths.size()) {
        if (home >= 0 && fchdir(home) != 0)
            std::cerr << "tesvar-batch: cannot return to the folder the run started in\n";
        const std::string& path = paths[index];
        const std::int32_t status = run(withPlaceholders(steps, path), path, std::cout, std::cerr);
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        if (!writeAll(answers, &status, sizeof status))
            break;
    }
    _exit(0);
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
        std::string problem;
        while (workers.size() < jobs && (problem = spawn()).empty()) {
        }
        for (std::size_t i = 0; workers.empty() && i < paths.size(); ++i)
            report(i, false, problem, {}, {});
        for (Worker& w : workers)
            assign(w);
        while (done < paths.size() && !workers.empty())
            waitForAnswers();
        for (Worker& w : workers)
            retire(w);
        progress.clear();
        if (failed > 0)
            err << "tesvar-batch: " << failed << " of " << paths.size() << " spectra failed\n";
        err.flush();
        return failed > 0 ? kExitStepFailed : kExitOk;
    }

private:
    // Starts a worker; a problem's message when it cannot.
    std::string spawn()
    {
        Worker w;
        int tasks[2] = {-1, -1}, answers[2] = {-1, -1};
        w.outFd = memfd_create("tesvar-batch-out", MFD_CLOEXEC);
        w.errFd = memfd_create("tesvar-batch-err", MFD_CLOEXEC);
        std::string problem;
        if (w.outFd < 0 || w.errFd < 0)
            problem = std::string("cannot collect its output: ") + std::strerror(errno);
        else if (pipe2(tasks, O_CLOEXEC) != 0 || pipe2(answers, O_CLOEXEC) != 0)
            problem = std::string("cannot start a process for it: ") + std::strerror(errno);
        out.flush();
        err.flush();
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);  // nothing buffered is written twice by a worker
        if (problem.empty()) {
            w.pid = fork();
            if (w.pid == 0) {
                // Each worker's pipe ends when the run closes its end: no other process
                // may hold it open.
                close(tasks[1]);
                close(answers[0]);
                for (const Worker& other : workers)
                    close(other.tasks);
                serve(run, steps, paths, tasks[0], answers[1], w);
            }
            if (w.pid < 0)
                problem = std::string("cannot start a process for it: ") + std::strerror(errno);
        }
        for (int fd : {tasks[0], answers[1]})
            if (fd >= 0)
                close(fd);
        w.tasks = tasks[1];
        w.answers = answers[0];
        if (!problem.empty()) {
            for (int fd : {w.tasks, w.answers, w.outFd, w.errFd})
                if (fd >= 0)
                    close(fd);
            return problem;
        }
        workers.push_back(w);
        return {};
    }

    // Gives the worker the next spectrum, or, when none is left, closes its pipe.
    void assign(Worker& w)
    {
        w.index.reset();
        if (next < paths.size()) {
            const std::uint64_t index = next;
            if (writeAll(w.tasks, &index, sizeof index)) {
                w.index = next++;
                return;
            }
        }
        if (w.tasks >= 0)
            close(w.tasks);
        w.tasks = -1;
    }

    // Closes a worker's files and waits for its end; its exit status.
    int retire(Worker& w)
    {
        for (int fd : {w.tasks, w.answers, w.outFd, w.errFd})
            if (fd >= 0)
                close(fd);
        w.tasks = w.answers = w.outFd = w.errFd = -1;
        int wstatus = 0;
        while (waitpid(w.pid, &wstatus, 0) < 0 && errno == EINTR) {
        }
        return wstatus;
    }

    void waitForAnswers()
    {
        std::vector<pollfd> waiting;
        for (const Worker& w : workers)
            waiting.push_back({w.answers, POLLIN, 0});
        if (poll(waiting.data(), waiting.size(), -1) < 0)
            return;  // interrupted: asked again
        std::vector<Worker> ended;
        for (std::size_t i = 0; i < waiting.size(); ++i) {
            if (waiting[i].revents == 0)
                continue;
            Worker& w = workers[i];
            std::int32_t status = 0;
            if (readAll(w.answers, &status, sizeof status)) {
                if (w.index)
                    report(*w.index, status == 0, "exit status " + std::to_string(status),
                           takeWhole(w.outFd), takeWhole(w.errFd));
                assign(w);
            } else {
                ended.push_back(w);
                w.pid = -1;
            }
        }
        // A worker that ended (a crash in its spectrum): the spectrum is reported with
        // what it wrote, and a new worker takes over when spectra are left.
        std::erase_if(workers, [](const Worker& w) { return w.pid < 0; });
        for (Worker& w : ended) {
            const std::optional<std::size_t> index = w.index;
            std::string reports = takeWhole(w.outFd), messages = takeWhole(w.errFd);
            const int wstatus = retire(w);
            if (index)
                report(*index, false, endedBecause(wstatus), std::move(reports),
                       std::move(messages));
            if (next < paths.size()) {
                const std::string problem = spawn();
                if (problem.empty())
                    assign(workers.back());
                else if (workers.empty())
                    while (next < paths.size())
                        report(next++, false, problem, {}, {});
            }
        }
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
    std::vector<Worker> workers;
    std::size_t next = 0;
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
