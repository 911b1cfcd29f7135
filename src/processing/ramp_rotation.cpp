#include "processing/ramp_rotation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace tesvar {

namespace {

constexpr int kBlock = 128;

// The blocks of first .. last-1: each at most kBlock long, and one starting at `exact`.
template <typename Block>
void forEachBlock(int first, int last, int exact, Block block)
{
    for (int b = first; b < last;) {
        int end = std::min(b + kBlock, last);
        if (exact > b && exact < end)
            end = exact;
        block(b, end);
        b = end;
    }
}

}  // namespace

void rotateRamp(std::span<double> data, int first, int last, double origin,
                double angleAtOrigin, double step, bool realOnly)
{
    const int exact = origin == std::floor(origin) && origin > first && origin < last
                          ? static_cast<int>(origin)
                          : -1;
    std::array<double, kBlock> tableCos{}, tableSin{};
    for (int j = 0; j < std::min(kBlock, last - first); ++j) {
        tableCos[j] = std::cos(step * j);
        tableSin[j] = std::sin(step * j);
    }
    forEachBlock(first, last, exact, [&](int b, int end) {
        const double angle = angleAtOrigin + step * (b - origin);
        const double blockCos = std::cos(angle);
        const double blockSin = std::sin(angle);
        double* p = data.data() + 2 * static_cast<std::ptrdiff_t>(b);
        const int n = end - b;
        for (int j = 0; j < n; ++j) {
            const double c = blockCos * tableCos[j] - blockSin * tableSin[j];
            const double s = blockSin * tableCos[j] + blockCos * tableSin[j];
            const double re = p[2 * j];
            const double im = p[2 * j + 1];
            p[2 * j] = re * c - im * s;
            if (!realOnly)
                p[2 * j + 1] = re * s + im * c;
        }
    });
}

void scaleByExponentialRamp(std::span<double> data, int first, int last, double exponent0,
                            double step)
{
    std::array<double, kBlock> table{};
    for (int j = 0; j < std::min(kBlock, last - first); ++j)
        table[j] = std::exp(step * j);
    forEachBlock(first, last, -1, [&](int b, int end) {
        const double factor = std::exp(exponent0 + step * (b - first));
        double* p = data.data() + b;
        for (int j = 0; j < end - b; ++j)
            p[j] *= factor * table[j];
    });
}

}  // namespace tesvar
