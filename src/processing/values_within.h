#pragma once

#include <algorithm>
#include <span>

namespace tesvar {

// How many of a buffer's values a processing step may touch: the count it was given,
// never below zero and never beyond the buffer, whatever a file or a dialog put there.
inline int valuesWithin(std::span<const double> data, int values)
{
    return std::clamp<int>(values, 0, static_cast<int>(data.size()));
}

}  // namespace tesvar
