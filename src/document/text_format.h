#pragma once

#include <string>
#include <string_view>

namespace tesvar {

// Numbers on the plot and the printed page are written with a point as the decimal
// separator whatever the process locale: these helpers format as printf's "%.Nf"
// would in the C locale, and read text back the same way.
std::string formatFixed(double value, int decimals);

// The longest leading decimal number of the text; 0 when there is none.
double readLeadingNumber(std::string_view text);

}  // namespace tesvar
