#pragma once

#include <span>

namespace tesvar {

// The steps the Fourier dialog runs on the first `values` doubles of a buffer before
// (and after) the transform itself. Each keeps within the buffer whatever the count.

// Value 0 becomes the mean of value 0 and the last value in use.
void averageFirstPoint(std::span<double> data, int values);

// Negates complex points 0, 2, 4, ... (values 4j and 4j+1), which moves zero frequency
// to the middle of the transform.
void alternateSigns(std::span<double> data, int values);

// Negates every imaginary part.
void conjugateData(std::span<double> data, int values);

// Removes a constant offset that the receiver added to every value of a FID. Once the
// signal has decayed, the last quarter of the FID holds little but that offset and
// noise, so the mean of the last quarter of the values (real and imaginary parts
// together) is subtracted from every value. Returns the constant removed (0 when fewer
// than 4 values are in use).
double correctDrift(std::span<double> data, int values);

// A spectrometer's digital filter delays the FID by `delay` complex points, which puts
// a phase of exp(-2 pi i f delay / SW) on a line at offset f. Multiplies point m of a
// centred spectrum (zero offset at point points/2, frequency falling with the index, as
// the forward transform with sign alternation leaves it) by the inverse of that phase
// when sign is +1, or puts the phase back when sign is -1. So a forward transform
// followed by this step gives the spectrum of an FID without delay, and this step
// before an inverse transform gives back the FID as acquired.
void applyFilterDelay(std::span<double> data, int points, double delay, int sign);

}  // namespace tesvar
