#include "processing/fourier.h"

#include <algorithm>
#include <cmath>

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

double correctDrift(std::span<double> data, int values)
{
    const int n = valuesWithin(data, values);
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

void applyFilterDelay(std::span<double> data, int points, double delay, int sign)
{
    points = std::clamp<int>(points, 0, static_cast<int>(data.size() / 2));
    if (points == 0 || delay == 0.0 || !std::isfinite(delay))
        return;
    // The angle grows by the same step from point to point; it is evaluated afresh every
    // 64 points so that the rotation recurrence cannot drift.
    const double step = -sign * 2.0 * 3.141592653589793 * delay / points;
    const double cosStep = std::cos(step);
    const double sinStep = std::sin(step);
    const int centre = points / 2;
    double c = 1.0, s = 0.0;
    for (int m = 0; m < points; ++m) {
        if (m % 64 == 0) {
            const double angle = step * (m - centre);
            c = std::cos(angle);
            s = std::sin(angle);
        }
        const double re = data[2 * m];
        const double im = data[2 * m + 1];
        data[2 * m] = re * c - im * s;
        data[2 * m + 1] = re * s + im * c;
        const double nextC = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = nextC;
    }
}

}  // namespace tesvar
