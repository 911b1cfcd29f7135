#include "processing/phase.h"

#include <cmath>

#include "processing/values_within.h"

namespace tesvar {

void applyPhase(std::span<double> data, int values, int pivotIndex, double phase0,
                double phase1, bool complete)
{
    const int n = valuesWithin(data, values);
    const int points = n / 2;
    if (points == 0)
        return;
    const double p0 = phase0 * kPhaseDegree;
    const double p1 = phase1 * kPhaseDegree;
    const int half = n / 2;
    auto angle = [&](int k) {
        return p0 + p1 * static_cast<double>(2 * k - pivotIndex) / half;
    };
    // The angle grows by the same step from point to point, so cosine and sine follow by
    // a rotation recurrence; they are evaluated afresh every 64 points, which keeps the
    // recurrence's rounding near the last bit while the slider preview stays cheap, and
    // at the pivot, which the first-order term leaves exactly as it is.
    const int pivotPoint = pivotIndex % 2 == 0 ? pivotIndex / 2 : -1;
    const double step = 2.0 * p1 / half;
    const double cosStep = std::cos(step);
    const double sinStep = std::sin(step);
    double c = 1.0, s = 0.0;
    for (int k = 0; k < points; ++k) {
        if (k % 64 == 0 || k == pivotPoint) {
            const double theta = angle(k);
            c = std::cos(theta);
            s = std::sin(theta);
        }
        const double re = data[2 * k];
        const double im = data[2 * k + 1];
        data[2 * k] = re * c - im * s;
        if (complete)
            data[2 * k + 1] = re * s + im * c;
        const double nextC = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = nextC;
    }
}

}  // namespace tesvar
