#pragma once

#include <span>

namespace tesvar {

struct SpectrumDocument;

// Fills out[i] = a0 + a1 x + a2 x^2 + a3 x^3 with x = i / values, for every value index
// i below `values` (real and imaginary parts alike).
void evaluateBaseline(std::span<double> out, int values, double a0, double a1, double a2,
                      double a3);

// The manual baseline sliders: `scale` steps per data unit and the range lower..upper
// of every slider, so that a slider spans half the largest value either way (in 200
// steps when that is below 100, in steps of one data unit otherwise). A spectrum whose
// largest value is 0 (or not finite, or subnormal) has nothing to scale by: its sliders
// move in data units over -100 .. 100.
struct BaselineSliders {
    double scale = 1.0;
    int lower = 0;
    int upper = 0;
};
BaselineSliders baselineSliders(double maxAbsValue);

// The manual correction's OK: the polynomial of the slider positions baselineCoeff,
// each divided by baselineScale, evaluated into baselineCorrection and added to every
// value in use.
void addBaselineCorrection(SpectrumDocument& doc);

// Subtracts from both parts of every point the straight line through the mean of the
// real parts of the first eight points (at point 0) and the mean of the real parts of
// the last eight (at one point beyond the last). A spectrum of fewer than eight points
// uses all its points for both means, so the line is flat at their mean. Returns false,
// changing nothing, when no complete point is in use.
bool autoBaseline(std::span<double> data, int values);

}  // namespace tesvar
