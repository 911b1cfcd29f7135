#pragma once

#include <span>
#include <string>

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

// Plans measured on this machine are kept between runs in a wisdom file: its usual place
// is $XDG_CACHE_HOME/tesvar/fftw-wisdom (or ~/.cache/tesvar/fftw-wisdom); empty when
// neither variable is set.
std::string transformWisdomPath();

// Reads the kept plans from `path` (when it exists) before the first plan is made, so
// that a size measured in an earlier run is planned at once with its measured plan.
// Call before the first transform.
void useTransformWisdom(const std::string& path);

// For a long-lived process (the window): the first run of a size that the wisdom does
// not hold uses an estimated plan while a measured plan is made on a background thread;
// later runs use the measured plan, and it is added to the wisdom file of
// useTransformWisdom. Off by default.
void measureTransformPlansInBackground(bool on);

// Waits until the background thread has measured every plan asked of it so far.
void waitForMeasuredPlans();

// Forgets every kept plan and the wisdom read, as at the start of a process. Only while
// no transform runs and nothing is being measured.
void forgetTransformPlans();

}  // namespace tesvar
