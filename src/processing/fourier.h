#pragma once

#include <cstdint>
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

// Removes a constant offset that the receiver added to every acquired value of a FID.
// Once the signal has decayed, the last quarter of the acquired values (the first
// `acquired` of the `values` in use, real and imaginary parts together) holds little but
// that offset and noise, so its mean is subtracted from every acquired value. Values
// beyond them, appended by zero filling, are neither measured nor changed. Returns the
// constant removed (0 when fewer than 4 values were acquired).
double correctDrift(std::span<double> data, int values, int acquired);

// Where the forward complex transform puts each offset: with the sign alternation the
// spectrum is centred (zero offset at point points/2, the frequency falling with the
// index); without it zero offset is at point 0, the negative offsets follow and the
// positive ones sit at the top end.
enum class SpectrumLayout : std::int32_t { Centred = 1, ZeroFirst = 2 };

// A spectrometer's digital filter delays the FID by `delay` complex points, which puts
// a phase of exp(-2 pi i f delay / SW) on a line at offset f. Multiplies each point of a
// spectrum in `layout` by the inverse of that phase at the point's own offset when sign
// is +1, or puts the phase back when sign is -1. So a forward transform followed by
// this step gives the spectrum of an FID without delay, and this step before an inverse
// transform gives back the FID as acquired.
void applyFilterDelay(std::span<double> data, int points, double delay, int sign,
                      SpectrumLayout layout);

}  // namespace tesvar
