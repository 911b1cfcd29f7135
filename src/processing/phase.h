#pragma once

#include <span>

namespace tesvar {

// Degrees to radians as the phase dialog converts them: 3.14159 / 180.
inline constexpr double kPhaseDegree = 0.01745327777777778;

// Rotates point k of the first `values` doubles by
//   theta_k = phase0 + phase1 (2k - pivotIndex) / (values / 2)
// (angles in degrees, converted with kPhaseDegree): phase0 at the pivot, whose real part
// is value pivotIndex, and phase1 more for every quarter of the points. With complete
// false only the real parts change (the preview: the plot draws nothing else); with
// complete true every point is rotated in full.
void applyPhase(std::span<double> data, int values, int pivotIndex, double phase0,
                double phase1, bool complete);

}  // namespace tesvar
