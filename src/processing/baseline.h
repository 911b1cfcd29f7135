#pragma once

#include <span>

namespace tesvar {

// Fills out[i] = a0 + a1 x + a2 x^2 + a3 x^3 with x = i / values, for every value index
// i below `values` (real and imaginary parts alike).
void evaluateBaseline(std::span<double> out, int values, double a0, double a1, double a2,
                      double a3);

// Subtracts from both parts of every point the straight line through the mean of the
// real parts of the first eight points (at point 0) and the mean of the real parts of
// the last eight (at one point beyond the last). A spectrum of fewer than eight points
// uses all its points for both means, so the line is flat at their mean. Returns false,
// changing nothing, when no complete point is in use.
bool autoBaseline(std::span<double> data, int values);

}  // namespace tesvar
