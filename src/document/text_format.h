#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tesvar {

// Numbers on the plot and the printed page are written with a point as the decimal
// separator whatever the process locale: these helpers format as printf's "%.Nf"
// would in the C locale, and read text back the same way.
//
// A value that is not a finite number is written "n/a": no "nan" or "inf" is shown.
std::string formatFixed(double value, int decimals);

// The one reader of numbers typed or stored as text: the longest leading decimal number
// (blanks, a sign, digits with an optional point, an optional exponent); trailing text
// is ignored and text without a number reads as 0. A number beyond the range of a
// double reads as an infinity of its sign, and text that begins with a word such as
// "inf" or "nan" as NaN, so that callers can refuse what is not a finite number.
double readLeadingNumber(std::string_view text);

// The same, with nothing for what is not a finite number.
std::optional<double> readFiniteNumber(std::string_view text);

}  // namespace tesvar
