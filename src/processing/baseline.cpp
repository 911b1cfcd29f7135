#include "processing/baseline.h"

#include <algorithm>

namespace tesvar {

void evaluateBaseline(std::span<double> out, int values, double a0, double a1, double a2,
                      double a3)
{
    const int n = std::clamp<int>(values, 0, static_cast<int>(out.size()));
    if (n == 0)
        return;
    const double nn = n;
    const double inverseSquare = 1.0 / (nn * nn);
    const double inverseCube = inverseSquare / nn;
    for (int i = 0; i < n; ++i) {
        const double x = i;
        out[i] = a3 * x * x * x * inverseCube + a2 * x * x * inverseSquare + x * a1 / nn + a0;
    }
}

bool autoBaseline(std::span<double> data, int values)
{
    const int n = std::clamp<int>(values, 0, static_cast<int>(data.size()));
    const int points = n / 2;
    if (points == 0)
        return false;
    const int counted = std::min(points, 8);
    double head = 0.0, tail = 0.0;
    for (int k = 0; k < counted; ++k) {
        head += data[2 * k];
        tail += data[2 * (points - counted + k)];
    }
    head /= counted;
    tail /= counted;
    const double slope = (tail - head) / points;
    for (int k = 0; k < points; ++k) {
        const double b = head + k * slope;
        data[2 * k] -= b;
        data[2 * k + 1] -= b;
    }
    return true;
}

}  // namespace tesvar
