#include "processing/baseline.h"

#include <algorithm>
#include <cmath>

#include "document/spectrum_document.h"
#include "processing/values_within.h"

namespace tesvar {

void evaluateBaseline(std::span<double> out, int values, double a0, double a1, double a2,
                      double a3)
{
    const int n = valuesWithin(out, values);
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

BaselineSliders baselineSliders(double maxAbsValue)
{
    const double h = std::fabs(maxAbsValue * 0.5);
    const double scale = h < 100.0 ? 100.0 / h : 1.0;
    // A subnormal largest value is as good as none: 100 / h is then no finite number.
    if (!(h > 0.0) || !std::isfinite(h) || !std::isfinite(scale))
        return {1.0, -100, 100};
    BaselineSliders s;
    s.scale = scale;
    const double range = std::min(s.scale * h, 2147483647.0);
    s.upper = static_cast<int>(range);
    s.lower = -s.upper;
    return s;
}

void addBaselineCorrection(SpectrumDocument& doc)
{
    const int n = valuesInUse(doc);
    // The scale is a positive number of steps per data unit; anything else would spread
    // infinities or NaN into the data.
    const double f =
        doc.baselineScale > 0.0 && std::isfinite(doc.baselineScale) ? doc.baselineScale : 1.0;
    evaluateBaseline(doc.baselineCorrection, n, doc.baselineCoeff[0] / f,
                     doc.baselineCoeff[1] / f, doc.baselineCoeff[2] / f,
                     doc.baselineCoeff[3] / f);
    for (int i = 0; i < n; ++i)
        doc.data[i] += doc.baselineCorrection[i];
}

bool autoBaseline(std::span<double> data, int values)
{
    const int n = valuesWithin(data, values);
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
