#pragma once

#include <span>
#include <vector>

namespace tesvar {

// The smooth baseline's one setting: the larger, the stiffer the baseline. At strength s
// it follows waves down to about 10^((s - 8) / 4) of the spectrum's width: an
// eighteenth at the default 3, a tenth at 4. A baseline that bends more than the
// strength allows is not followed, and the lines then lose part of their area.
inline constexpr double kDefaultBaselineStrength = 3.0;
inline constexpr double kMinimumBaselineStrength = 1.0;
inline constexpr double kMaximumBaselineStrength = 6.0;

// Fewer complex points than this hold no baseline to tell from the lines.
inline constexpr int kSmoothBaselineMinimumPoints = 16;

// The smooth baseline under the real parts of the first `values` doubles of `data`, one
// value per complex point, found among the signal-free points (see the .cpp). Empty
// when there are fewer than kSmoothBaselineMinimumPoints points. The strength is held
// within its range.
std::vector<double> fitSmoothBaseline(std::span<const double> data, int values,
                                      double strength);

}  // namespace tesvar
