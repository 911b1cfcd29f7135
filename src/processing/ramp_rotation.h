#pragma once

#include <span>

namespace tesvar {

// Turns complex points first .. last-1 (real and imaginary parts interleaved) by the
// angle angleAtOrigin + step (k - origin) at point k; with realOnly, only the real parts
// are written. Each block of points starts from its own angle, evaluated afresh (a block
// starts at the origin when it is a point of the range, which is then turned by exactly
// angleAtOrigin), and a point within a block is turned further by a table of whole
// steps: no recurrence runs from point to point, so nothing drifts and the points of a
// block do not depend on one another.
void rotateRamp(std::span<double> data, int first, int last, double origin,
                double angleAtOrigin, double step, bool realOnly = false);

// Multiplies values first .. last-1 by exp(exponent0 + step (j - first)), by blocks in
// the same way (exactly exp(exponent0) at `first`).
void scaleByExponentialRamp(std::span<double> data, int first, int last, double exponent0,
                            double step);

}  // namespace tesvar
