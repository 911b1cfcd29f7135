#pragma once

#include <optional>
#include <span>

namespace tesvar {

// Zero- and first-order angles in the degrees of the phase dialog, about a pivot, as
// applyPhase takes them.
struct PhaseAngles {
    double phase0 = 0.0;
    double phase1 = 0.0;
};

// Fewer complex points than this carry too little shape to judge a phase by.
inline constexpr int kAutoPhaseMinimumPoints = 16;

// The angles that turn the real parts of a spectrum (the first `values` doubles of
// `data`, real and imaginary parts interleaved) into a pure absorption spectrum, with
// the first-order term about the real part at value pivotIndex. The zero order comes
// back in -180 .. 180, the first order within the dialog's -180 .. 180. Nothing when
// the spectrum has fewer than kAutoPhaseMinimumPoints points or no shape at all (all
// zero or constant), whatever the angles.
std::optional<PhaseAngles> findAutoPhase(std::span<const double> data, int values,
                                         int pivotIndex);

}  // namespace tesvar
