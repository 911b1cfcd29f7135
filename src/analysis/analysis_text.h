#pragma once

#include <string>

namespace tesvar {

// The analysis lists and reports write their numbers as printf's "%W.Plf" and "%Wd"
// would in the C locale: right-aligned in at least `width` characters.
std::string formatPadded(double value, int width, int decimals);
std::string formatPadded(long long value, int width);
std::string formatPadded(const std::string& text, int width);

// "%lf": six decimals.
inline constexpr int kDefaultDecimals = 6;

// Edit texts are read as the dialogs read them: at most 79 characters, the leading
// decimal number, 0 when there is none.
double readEditNumber(const std::string& text);

}  // namespace tesvar
