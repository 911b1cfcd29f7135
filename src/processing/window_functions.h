#pragma once

#include <span>

namespace tesvar {

// Why a window function left the data as they were.
enum class WindowResult {
    Applied,
    BadTiming,    // the sweep width or acquisition time cannot time the values, or GB <= 0
    Overflow,     // some factor would exceed what the values can hold
};

// The window functions multiply the first `values` doubles in place; j, the index of
// each double, times both parts of a complex point (j = 2k and 2k + 1). A window that
// cannot be computed, or whose factors would overflow, changes nothing and says why.

// exp(-pi LB j / (2 sw)): half a dwell per value.
WindowResult exponentialWindow(std::span<double> data, int values, double lb, double sw);

// exp(-(pi LB t_j)^2 / (4 ln 2)) with t_j = (j / values) aq: a Gaussian line of full
// width at half height LB.
WindowResult gaussianWindow(std::span<double> data, int values, double lb, double aq);

// exp(-(a t_j + b t_j^2)) with a = pi LB and b = -a / (2 GB aq): with LB below zero it
// rises to its maximum at t = GB aq and then falls as a Gaussian.
WindowResult lorentzGaussWindow(std::span<double> data, int values, double lb, double gb,
                                double aq);

// sin(phi + (pi - phi) j / values) with phi the shift in degrees, or its square.
WindowResult sineBellWindow(std::span<double> data, int values, double shiftDegrees,
                            bool squared);

}  // namespace tesvar
