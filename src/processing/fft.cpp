#include "processing/fft.h"

#include <fftw3.h>

#include <array>
#include <atomic>
#include <bit>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "document/file_bytes.h"

namespace tesvar {

namespace {

// The transforms run on FFTW. Its planner is slow and not thread safe, so each plan is
// made once per process, under a lock, and kept; running a plan on new arrays is thread
// safe, so any number of threads may transform at once.
//
// Plans are made with FFTW_ESTIMATE: a heuristic plan costs about a millisecond, where a
// measured one (FFTW_MEASURE) costs about a second for 32,768 points and would dominate
// every short run of the program, while it only halves a transform that takes a fraction
// of a millisecond. Estimated plans also give the same bits from run to run. Wisdom that
// the system keeps (/etc/fftw/wisdom, written by fftw-wisdom) is read once before the
// first plan, and FFTW then uses the measured plans it holds instead of estimating.
// The window, which lives long, also measures each size once on a background thread
// and keeps the result in a wisdom file of the user's, which every later run reads:
// from then on that size is planned at once and runs at the measured plan's speed.
enum class PlanKind { ComplexForward, ComplexInverse, RealForward, RealInverse };
constexpr int kKinds = 4;
constexpr int kLog2Sizes = 32;

// One slot per kind, per size (log2 of the count) and per alignment of the caller's
// array: a plan made for aligned arrays may only run on arrays with the same alignment,
// so arrays that FFTW does not find aligned get plans made for unaligned data.
std::array<std::atomic<fftw_plan>, kKinds * kLog2Sizes * 2> plans{};
std::mutex plannerLock;

// Guarded by plannerLock.
struct Wisdom {
    std::string path;      // the user's wisdom file, empty for none
    bool read = false;     // the system's and the user's wisdom have been read
    bool measure = false;  // measure new sizes in the background
};
Wisdom wisdom;
// Estimated plans that a measured plan took the place of (guarded by plannerLock).
std::vector<fftw_plan> replacedPlans;

bool isPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

// Makes a plan of `kind` with `flags`, on arrays of its own; called with plannerLock held.
// Returns null when memory is short or, with FFTW_WISDOM_ONLY, when the wisdom holds no
// such plan.
fftw_plan planWithFlags(PlanKind kind, int count, bool aligned, unsigned flags)
{
    flags |= aligned ? 0u : FFTW_UNALIGNED;
    // A measured plan runs on these arrays; estimating never touches them and they only
    // give the plan its alignment.
    const std::size_t complexCount = static_cast<std::size_t>(count) + 1;
    auto* a = fftw_alloc_complex(complexCount);
    auto* b = fftw_alloc_complex(complexCount);
    fftw_plan plan = nullptr;
    if (a == nullptr || b == nullptr) {
        // No memory to plan with: the caller refuses the transform.
    } else if (kind == PlanKind::RealForward) {
        plan = fftw_plan_dft_r2c_1d(count, reinterpret_cast<double*>(a), b, flags);
    } else if (kind == PlanKind::RealInverse) {
        plan = fftw_plan_dft_c2r_1d(count, b, reinterpret_cast<double*>(a), flags);
    } else {
        // The exponent sign of a forward run is +1, FFTW_BACKWARD's.
        const int sign = kind == PlanKind::ComplexForward ? FFTW_BACKWARD : FFTW_FORWARD;
        plan = fftw_plan_dft_1d(count, a, a, sign, flags);
    }
    fftw_free(a);
    fftw_free(b);
    return plan;
}

void readWisdom()
{
    if (wisdom.read)
        return;
    fftw_import_system_wisdom();
    std::error_code ignored;
    if (!wisdom.path.empty() && std::filesystem::is_regular_file(wisdom.path, ignored))
        fftw_import_wisdom_from_filename(wisdom.path.c_str());  // a damaged file adds nothing
    wisdom.read = true;
}

// Writes everything FFTW has measured to the user's wisdom file, through a temporary
// file and a rename so that another process never reads half of it. Called with
// plannerLock held.
void writeWisdom()
{
    if (wisdom.path.empty())
        return;
    char* text = fftw_export_wisdom_to_string();
    if (text == nullptr)
        return;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(wisdom.path).parent_path(), ignored);
    const std::string_view view(text);
    writeFileBytes(wisdom.path, std::span(reinterpret_cast<const std::uint8_t*>(view.data()),
                                          view.size()));
    std::free(text);
}

struct MeasureJob {
    PlanKind kind;
    int count;
    bool aligned;
    int slot;
};

// The background thread that measures plans for the window. It is joined when the
// process ends, after the plan it is measuring (FFTW's time limit bounds that).
class Measurer {
public:
    ~Measurer()
    {
        {
            const std::lock_guard<std::mutex> guard(lock_);
            stop_ = true;
            jobs_.clear();
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    void add(const MeasureJob& job)
    {
        {
            const std::lock_guard<std::mutex> guard(lock_);
            jobs_.push_back(job);
            ++pending_;
            if (!thread_.joinable())
                thread_ = std::thread([this] { run(); });
        }
        wake_.notify_all();
    }

    void waitUntilIdle()
    {
        std::unique_lock<std::mutex> guard(lock_);
        idle_.wait(guard, [this] { return pending_ == 0; });
    }

private:
    void run();

    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<MeasureJob> jobs_;
    int pending_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

// Makes the plan for an empty slot: the wisdom's measured plan when it has one, else an
// estimated plan (and, for the window, a measured one later). Called with plannerLock held.
fftw_plan makePlan(PlanKind kind, int count, bool aligned, int slot);

Measurer& measurer()
{
    static Measurer instance;
    return instance;
}

// The kept plan of `kind` for `count` values or points, for arrays aligned as `array`.
fftw_plan planFor(PlanKind kind, int count, const double* array)
{
    const bool aligned = fftw_alignment_of(const_cast<double*>(array)) == 0;
    const int log2Count = std::countr_zero(static_cast<unsigned>(count));
    const int slot = (static_cast<int>(kind) * kLog2Sizes + log2Count) * 2 + (aligned ? 1 : 0);
    fftw_plan plan = plans[slot].load(std::memory_order_acquire);
    if (plan == nullptr) {
        const std::lock_guard<std::mutex> guard(plannerLock);
        plan = plans[slot].load(std::memory_order_relaxed);
        if (plan == nullptr) {
            plan = makePlan(kind, count, aligned, slot);
            plans[slot].store(plan, std::memory_order_release);
        }
    }
    return plan;
}

fftw_plan makePlan(PlanKind kind, int count, bool aligned, int slot)
{
    readWisdom();
    if (fftw_plan known = planWithFlags(kind, count, aligned, FFTW_MEASURE | FFTW_WISDOM_ONLY))
        return known;
    if (wisdom.measure)
        measurer().add({kind, count, aligned, slot});
    return planWithFlags(kind, count, aligned, FFTW_ESTIMATE);
}

void Measurer::run()
{
    // Bounds the planner's search for one plan, and so the wait when the process ends.
    constexpr double kSecondsPerPlan = 3.0;
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        wake_.wait(guard, [this] { return stop_ || !jobs_.empty(); });
        if (stop_)
            return;
        const MeasureJob job = jobs_.front();
        jobs_.pop_front();
        guard.unlock();
        {
            const std::lock_guard<std::mutex> planner(plannerLock);
            fftw_set_timelimit(kSecondsPerPlan);
            if (fftw_plan measured = planWithFlags(job.kind, job.count, job.aligned, FFTW_MEASURE)) {
                // The estimated plan may be running on another thread: it is kept, not
                // destroyed, as every plan is for the life of the process.
                replacedPlans.push_back(plans[job.slot].exchange(measured, std::memory_order_acq_rel));
                writeWisdom();
            }
            fftw_set_timelimit(FFTW_NO_TIMELIMIT);
        }
        guard.lock();
        if (--pending_ == 0)
            idle_.notify_all();
    }
}

// The half spectrum of a real transform, values / 2 + 1 complex terms. Each thread keeps
// its own, grown to the largest transform it ran, so that no run allocates again. It is
// allocated without FFTW, which promises thread safety for running plans alone, and
// aligned as FFTW's own arrays.
class HalfSpectrum {
public:
    HalfSpectrum() = default;
    HalfSpectrum(const HalfSpectrum&) = delete;
    HalfSpectrum& operator=(const HalfSpectrum&) = delete;
    ~HalfSpectrum() { std::free(terms_); }

    fftw_complex* forValues(int values)
    {
        constexpr std::size_t kAlignment = 64;
        const std::size_t needed = static_cast<std::size_t>(values) / 2 + 1;
        if (needed > capacity_) {
            std::free(terms_);
            const std::size_t bytes = (needed * sizeof(fftw_complex) + kAlignment - 1) /
                                      kAlignment * kAlignment;
            terms_ = static_cast<fftw_complex*>(std::aligned_alloc(kAlignment, bytes));
            capacity_ = terms_ != nullptr ? needed : 0;
        }
        return terms_;
    }

private:
    fftw_complex* terms_ = nullptr;
    std::size_t capacity_ = 0;
};

thread_local HalfSpectrum halfSpectrum;

}  // namespace

bool complexFft(std::span<double> data, int points, int sign)
{
    if (!isPowerOfTwo(points) || static_cast<std::size_t>(points) * 2 > data.size() ||
        (sign != 1 && sign != -1))
        return false;
    double* d = data.data();
    fftw_plan plan =
        planFor(sign == 1 ? PlanKind::ComplexForward : PlanKind::ComplexInverse, points, d);
    if (plan == nullptr)
        return false;
    auto* z = reinterpret_cast<fftw_complex*>(d);
    fftw_execute_dft(plan, z, z);
    // Multiplying by the reciprocal of a power of two gives exactly the quotient.
    const std::size_t values = 2 * static_cast<std::size_t>(points);
    const double scale = 1.0 / static_cast<double>(values);
    for (std::size_t i = 0; i < values; ++i)
        d[i] *= scale;
    return true;
}

bool realFft(std::span<double> data, int values, int sign)
{
    if (!isPowerOfTwo(values) || values < 8 || static_cast<std::size_t>(values) > data.size() ||
        (sign != 1 && sign != -1))
        return false;
    double* d = data.data();
    const PlanKind kind = sign == 1 ? PlanKind::RealForward : PlanKind::RealInverse;
    fftw_plan plan = planFor(kind, values, d);
    fftw_complex* f = halfSpectrum.forValues(values);
    if (plan == nullptr || f == nullptr)
        return false;
    // FFTW's real transforms put the exponent sign of a forward run the other way, which
    // for real samples conjugates every term.
    const int half = values / 2;
    if (sign == 1) {
        fftw_execute_dft_r2c(plan, d, f);
        const double scale = 1.0 / values;
        d[0] = f[0][0] * scale;
        d[1] = f[half][0] * scale;
        for (int j = 1; j < half; ++j) {
            d[2 * j] = f[j][0] * scale;
            d[2 * j + 1] = -f[j][1] * scale;
        }
    } else {
        f[0][0] = d[0];
        f[0][1] = 0.0;
        f[half][0] = d[1];
        f[half][1] = 0.0;
        for (int j = 1; j < half; ++j) {
            f[j][0] = d[2 * j];
            f[j][1] = -d[2 * j + 1];
        }
        fftw_execute_dft_c2r(plan, f, d);
        const double scale = 0.5 / values;
        for (int i = 0; i < values; ++i)
            d[i] *= scale;
    }
    return true;
}

std::string transformWisdomPath()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/')
        return std::string(cache) + "/tesvar/fftw-wisdom";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.cache/tesvar/fftw-wisdom";
    return {};
}

void useTransformWisdom(const std::string& path)
{
    const std::lock_guard<std::mutex> guard(plannerLock);
    wisdom.path = path;
}

void measureTransformPlansInBackground(bool on)
{
    const std::lock_guard<std::mutex> guard(plannerLock);
    wisdom.measure = on;
}

void waitForMeasuredPlans()
{
    measurer().waitUntilIdle();
}

void forgetTransformPlans()
{
    waitForMeasuredPlans();
    const std::lock_guard<std::mutex> guard(plannerLock);
    for (auto& slot : plans)
        if (fftw_plan plan = slot.exchange(nullptr))
            fftw_destroy_plan(plan);
    for (fftw_plan plan : replacedPlans)
        fftw_destroy_plan(plan);
    replacedPlans.clear();
    fftw_forget_wisdom();
    wisdom.read = false;
}

}  // namespace tesvar
