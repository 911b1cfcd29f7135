#include "processing/fourier.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "processing/ramp_rotation.h"
#include "processing/values_within.h"

namespace tesvar {

void averageFirstPoint(std::span<double> data, int values)
{
    const int n = valuesWithin(data, values);
    if (n > 0)
        data[0] = (data[0] + data[n - 1]) * 0.5;
}

void alternateSigns(std::span<double> data, int values)
{
    const int n = valuesWithin(data, values);
    for (int i = 0; i < n; i += 4) {
        data[i] = -data[i];
        if (i + 1 < n)
            data[i + 1] = -data[i + 1];
    }
}

void conjugateData(std::span<double> data, int values)
{
    const int n = valuesWithin(data, values);
    for (int i = 1; i < n; i += 2)
        data[i] = -data[i];
}

double correctDrift(std::span<double> data, int values, int acquired)
{
    const int n = std::clamp(acquired, 0, valuesWithin(data, values));
    const int quarter = n / 4;
    if (quarter == 0)
        return 0.0;
    double sum = 0.0;
    for (int i = n - quarter; i < n; ++i)
        sum += data[i];
    const double offset = sum / quarter;
    for (int i = 0; i < n; ++i)
        data[i] -= offset;
    return offset;
}

namespace {

}  // namespace

void applyFilterDelay(std::span<double> data, int points, double delay, int sign,
                      SpectrumLayout layout)
{
    points = std::clamp<int>(points, 0, static_cast<int>(data.size() / 2));
    if (points == 0 || delay == 0.0 || !std::isfinite(delay))
        return;
    // The removal turns a point of offset f by 2 pi f delay / SW, and the offset falls
    // by SW / points from one point to the next. In the centred layout point m has
    // offset (points/2 - m) SW / points. Otherwise point m below the middle has offset
    // -m SW / points, and from the middle on the points hold the positive offsets,
    // (points - m) SW / points: taking these as -m SW / points would turn the two
    // halves by angles that differ by 2 pi delay, a phase jump at zero offset.
    const double step = -sign * 2.0 * 3.141592653589793 * delay / points;
    const int half = points / 2;
    if (layout == SpectrumLayout::Centred) {
        rotateRamp(data, 0, points, 0, -step * half, step);
    } else {
        rotateRamp(data, 0, half, 0, 0.0, step);
        rotateRamp(data, half, points, half, step * (half - points), step);
    }
}

}  // namespace tesvar
