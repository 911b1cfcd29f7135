#pragma once

#include <string>

namespace tesvar {

// Numbers travel through the processing dialogs' edits as text, and what comes back is
// used at once on the data. Reading is readLeadingNumber's (document/text_format.h):
// the longest leading decimal number, the rest ignored, 0 when there is none. Words
// such as "inf" or "nan" read as 0 here, and a number too large for a double as the
// largest finite one of its sign, so what is read is always finite.
double readDialogDecimal(const std::string& text);
// The leading whole number, limited to the range of a 32-bit integer; 0 when none.
int readDialogInteger(const std::string& text);

// "%.Nlf" as the dialogs show a remembered value, with an exact half rounded away from
// zero: 0.125 shows as 0.13.
std::string formatDialogFixed(double value, int decimals);

}  // namespace tesvar
