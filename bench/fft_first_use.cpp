// The hidden cost of planning: the first transform of each size in a fresh process,
// which makes the plan, against the second, which reuses it. Every size runs in its own
// child process, several times; the medians are printed in microseconds of the
// thread's processor time, which other work on a shared machine does not inflate.
// usage: fft_first_use [REPETITIONS]

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <ctime>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "processing/fft.h"

namespace {

double cpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec * 1e-3;
}

constexpr int kTimings = 4;  // complex first, complex second, real first, real second

std::vector<double> decayingFid(int values)
{
    std::vector<double> v(values);
    for (int k = 0; k < values / 2; ++k) {
        v[2 * k] = 1e6 * std::exp(-k / 3000.0) * std::cos(0.37 * k);
        v[2 * k + 1] = 1e6 * std::exp(-k / 3000.0) * std::sin(0.37 * k);
    }
    return v;
}

// The four timings of one fresh process, complex transform first as the program runs it.
std::array<double, kTimings> timeFreshProcess(int values)
{
    const auto input = decayingFid(values);
    std::vector<double> data = input;
    std::array<double, kTimings> us{};
    for (int t = 0; t < kTimings; ++t) {
        data = input;
        const double start = cpuMicroseconds();
        if (t < 2)
            tesvar::complexFft(data, values / 2, 1);
        else
            tesvar::realFft(data, values, 1);
        us[t] = cpuMicroseconds() - start;
    }
    return us;
}

}  // namespace

int main(int argc, char** argv)
{
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf("%8s %14s %14s %14s %14s  (medians of %d fresh processes, cpu us)\n", "values",
                "complex first", "complex again", "real first", "real again", repetitions);
    for (int values = 256; values <= 524288; values *= 2) {
        std::array<std::vector<double>, kTimings> samples;
        for (int r = 0; r < repetitions; ++r) {
            int fds[2];
            if (pipe(fds) != 0)
                return 1;
            const pid_t child = fork();
            if (child == 0) {
                const auto us = timeFreshProcess(values);
                const bool written = write(fds[1], us.data(), sizeof us) == sizeof us;
                _exit(written ? 0 : 1);
            }
            close(fds[1]);
            std::array<double, kTimings> us{};
            const bool read = ::read(fds[0], us.data(), sizeof us) == sizeof us;
            close(fds[0]);
            waitpid(child, nullptr, 0);
            if (!read)
                return 1;
            for (int t = 0; t < kTimings; ++t)
                samples[t].push_back(us[t]);
        }
        std::printf("%8d", values);
        for (auto& s : samples) {
            std::nth_element(s.begin(), s.begin() + s.size() / 2, s.end());
            std::printf(" %14.1f", s[s.size() / 2]);
        }
        std::printf("\n");
    }
    return 0;
}
