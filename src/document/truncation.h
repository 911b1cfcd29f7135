#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tesvar {

// Positions and readings become indexes by truncation toward zero. A value computed
// from limits scrolled or typed far beyond the spectrum, or from a spectrum without a
// usable scale, may be huge or no number at all; these keep the conversion defined.

// A position in points or elements: beyond 2^52 it lies far outside any spectrum and is
// held there, so that the truncation stays exact and index arithmetic cannot overflow.
// No number gives 0.
inline std::int64_t truncatedPosition(double position)
{
    constexpr double limit = 4503599627370496.0;  // 2^52
    if (std::isnan(position))
        return 0;
    return static_cast<std::int64_t>(std::trunc(std::clamp(position, -limit, limit)));
}

// A value held within the range of a 32-bit integer; no number gives `fallback`.
inline std::int32_t truncatedInt32(double value, std::int32_t fallback = 0)
{
    if (std::isnan(value))
        return fallback;
    constexpr double low = std::numeric_limits<std::int32_t>::min();
    constexpr double high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::trunc(std::clamp(value, low, high)));
}

}  // namespace tesvar
