#include "processing/fft.h"

#include <fftw3.h>

#include <array>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <mutex>

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
enum class PlanKind { ComplexForward, ComplexInverse, RealForward, RealInverse };
constexpr int kKinds = 4;
constexpr int kLog2Sizes = 32;

// One slot per kind, per size (log2 of the count) and per alignment of the caller's
// array: a plan made for aligned arrays may only run on arrays with the same alignment,
// so arrays that FFTW does not find aligned get plans made for unaligned data.
std::array<std::atomic<fftw_plan>, kKinds * kLog2Sizes * 2> plans{};
std::mutex plannerLock;

bool isPowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

// Called with plannerLock held.
fftw_plan makePlan(PlanKind kind, int count, bool aligned)
{
    static bool wisdomRead = false;
    if (!wisdomRead) {
        fftw_import_system_wisdom();
        wisdomRead = true;
    }
    const unsigned flags = FFTW_ESTIMATE | (aligned ? 0u : FFTW_UNALIGNED);
    // Estimating never touches the arrays; they only give the plan its alignment.
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
            plan = makePlan(kind, count, aligned);
            plans[slot].store(plan, std::memory_order_release);
        }
    }
    return plan;
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

}  // namespace tesvar
