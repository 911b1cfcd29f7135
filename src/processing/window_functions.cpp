#include "processing/window_functions.h"

#include <algorithm>
#include <cmath>

#include "processing/ramp_rotation.h"
#include "processing/values_within.h"

namespace tesvar {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kPiSquared = 9.869604401089358;
// exp(600) is about 4e260: data of any realistic size times it still fits a double.
constexpr double kLargestExponent = 600.0;

bool positiveFinite(double v)
{
    return std::isfinite(v) && v > 0.0;
}

}  // namespace

WindowResult exponentialWindow(std::span<double> data, int values, double lb, double sw)
{
    const int n = valuesWithin(data, values);
    if (!positiveFinite(sw) || !std::isfinite(lb))
        return WindowResult::BadTiming;
    const double rate = kPi * lb / (2.0 * sw);
    // A negative LB makes the factor grow along the FID; it is largest at the last value.
    if (!std::isfinite(rate) || -rate * std::max(n - 1, 0) > kLargestExponent)
        return WindowResult::Overflow;
    scaleByExponentialRamp(data, 0, n, 0.0, -rate);
    return WindowResult::Applied;
}

WindowResult gaussianWindow(std::span<double> data, int values, double lb, double aq)
{
    const int n = valuesWithin(data, values);
    if (!std::isfinite(aq) || !std::isfinite(lb))
        return WindowResult::BadTiming;
    if (n == 0)
        return WindowResult::Applied;
    const double nn = static_cast<double>(n);
    const double width = kPiSquared * lb * lb * aq * aq / (nn * nn);
    if (!std::isfinite(width))
        return WindowResult::Overflow;
    const double fourLn2 = 4.0 * std::log(2.0);
    for (int j = 0; j < n; ++j) {
        const double jj = static_cast<double>(j) * j;
        data[j] *= std::exp(-width * jj / fourLn2);
    }
    return WindowResult::Applied;
}

WindowResult lorentzGaussWindow(std::span<double> data, int values, double lb, double gb,
                                double aq)
{
    const int n = valuesWithin(data, values);
    if (!positiveFinite(aq) || !positiveFinite(gb) || !std::isfinite(lb))
        return WindowResult::BadTiming;
    const double a = kPi * lb;
    const double b = -a / (2.0 * gb * aq);
    if (!std::isfinite(b))
        return WindowResult::Overflow;
    // The exponent -(a t + b t^2) is largest at one end or at its vertex t = -a / (2 b).
    const double tEnd = n > 0 ? (static_cast<double>(n - 1) / n) * aq : 0.0;
    auto exponent = [&](double t) { return -(a * t + b * t * t); };
    double largest = std::max(exponent(0.0), exponent(tEnd));
    if (b != 0.0) {
        const double vertex = -a / (2.0 * b);
        if (vertex > 0.0 && vertex < tEnd)
            largest = std::max(largest, exponent(vertex));
    }
    if (!(largest <= kLargestExponent))
        return WindowResult::Overflow;
    for (int j = 0; j < n; ++j) {
        const double t = (static_cast<double>(j) / n) * aq;
        data[j] *= std::exp(exponent(t));
    }
    return WindowResult::Applied;
}

WindowResult sineBellWindow(std::span<double> data, int values, double shiftDegrees,
                            bool squared)
{
    const int n = valuesWithin(data, values);
    if (!std::isfinite(shiftDegrees))
        return WindowResult::BadTiming;
    const double phi = shiftDegrees * 0.017453292519943295;
    for (int j = 0; j < n; ++j) {
        const double factor = std::sin(phi + (kPi - phi) * j / n);
        data[j] *= squared ? factor * factor : factor;
    }
    return WindowResult::Applied;
}

}  // namespace tesvar
