#pragma once

#include <string>

namespace tesvar {

// Numbers travel through dialog edits as text. Reading takes the longest leading decimal
// number (optional blanks, sign, digits, decimal point, exponent) and ignores the rest;
// text without one reads as 0. Words such as "inf" or "nan" are not numbers here, and a
// number too large for a double reads as the largest finite one of its sign, so what is
// read is always finite.
double readDecimal(const std::string& text);
// The leading whole number, limited to the range of a 32-bit integer; 0 when none.
int readInteger(const std::string& text);

// printf-style "%.Nlf".
std::string formatFixed(double value, int decimals);

}  // namespace tesvar
