#pragma once

#include <optional>
#include <string>

namespace tesvar {

struct IntegralTable;

// The number shown for integral i: its value relative to the reference integral, times
// referenceHydrogens. Nothing when the reference is 0 or the ratio is not a number.
std::optional<double> integralLabelValue(const IntegralTable& table, int i);

// The label as drawn: the number with two decimals, or "n/a" when there is none.
std::string integralLabelText(const IntegralTable& table, int i);

}  // namespace tesvar
