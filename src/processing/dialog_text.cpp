#include "processing/dialog_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "document/text_format.h"

namespace tesvar {

double readDialogDecimal(const std::string& text)
{
    // Words such as "inf" are not numbers here; a number beyond the range of a double
    // reads as the largest finite one of its sign.
    const double v = readLeadingNumber(text);
    if (std::isnan(v))
        return 0.0;
    if (std::isinf(v))
        return std::copysign(std::numeric_limits<double>::max(), v);
    return v;
}

int readDialogInteger(const std::string& text)
{
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    if (start < text.size() && text[start] == '+')
        ++start;
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data() + start, end, v);
    if (result.ec == std::errc::result_out_of_range)
        return text[start] == '-' ? std::numeric_limits<int>::min()
                                  : std::numeric_limits<int>::max();
    if (result.ec != std::errc())
        return 0;
    return static_cast<int>(std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

std::string formatDialogFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return "0";
    decimals = std::clamp(decimals, 0, 20);
    // The exact binary value written to as many digits as it has (always with a point,
    // whatever the process locale); the digit after the last one kept then decides the
    // rounding alone.
    char exact[1600];
    const auto written = std::to_chars(exact, exact + sizeof exact, value,
                                       std::chars_format::fixed, decimals + 1100);
    if (written.ec != std::errc())
        return "0";
    std::string text(exact, written.ptr);
    const std::size_t point = text.find('.');
    const std::size_t keep = decimals == 0 ? point : point + 1 + decimals;
    const bool roundUp = text[keep == point ? point + 1 : keep] >= '5';
    text.resize(keep);
    if (roundUp) {
        std::size_t i = text.size();
        bool carry = true;
        while (carry && i > 0) {
            --i;
            if (text[i] == '.' || text[i] == '-')
                continue;
            if (text[i] == '9') {
                text[i] = '0';
            } else {
                ++text[i];
                carry = false;
            }
        }
        if (carry) {
            const bool negative = text[0] == '-';
            text = (negative ? "-1" : "1") + text.substr(negative ? 1 : 0);
        }
    }
    return text;
}

}  // namespace tesvar
