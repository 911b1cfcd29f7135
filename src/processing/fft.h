#pragma once

#include <span>

namespace tesvar {

// In-place transform of `points` complex values, real and imaginary parts
// interleaved, computing X_m = sum_k x_k exp(+sign 2 pi i m k / points); sign is +1
// (forward) or -1 (inverse). Every one of the 2 x points values is then divided by
// 2 x points, in both directions. Returns false, changing nothing, when `points` is not
// a power of two or does not fit in `data`, or sign is neither +1 nor -1. Safe to call
// from several threads at once; the first run of a size and direction in the process
// also makes its plan, which later runs reuse.
bool complexFft(std::span<double> data, int points, int sign);

// In-place transform of `values` real samples (a power of two, at least 8) with the same
// exponent convention. Forward (sign +1) leaves the packed half spectrum: value 0 holds
// F_0, value 1 F_{values/2}, values 2j and 2j+1 the real and imaginary parts of F_j.
// Inverse (sign -1) turns such a packed half spectrum back into samples. The division by
// `values` of complexFft applies once. Returns false, changing nothing, on a bad size or
// sign.
bool realFft(std::span<double> data, int values, int sign);

}  // namespace tesvar
