#include "processing/phase.h"

#include <cmath>

#include "processing/ramp_rotation.h"
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
    // The angle at point k is p0 + p1 (2k - pivot) / half: the first-order term leaves
    // the pivot turned by p0 exactly.
    rotateRamp(data, 0, points, pivotIndex / 2.0, p0, 2.0 * p1 / half, !complete);
}

}  // namespace tesvar
