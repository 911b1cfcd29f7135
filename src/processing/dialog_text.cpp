#include "processing/dialog_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <sstream>

namespace tesvar {

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Length of the leading decimal number starting at `start`, 0 when there is none.
std::size_t decimalLength(const std::string& s, std::size_t start, bool allowFraction)
{
    std::size_t i = start;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (allowFraction && i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (allowFraction && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i - start;
}

std::size_t skipBlanks(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

}  // namespace

double readDialogDecimal(const std::string& text)
{
    const std::size_t start = skipBlanks(text);
    const std::size_t length = decimalLength(text, start, true);
    if (length == 0)
        return 0.0;
    // Read in the classic locale: the desktop runs in the user's, whose decimal
    // separator may be a comma. A number beyond the range of a double reads as the
    // largest of its sign; one too small for it as what the nearest double is.
    std::istringstream number(text.substr(start, length));
    number.imbue(std::locale::classic());
    double v = 0.0;
    number >> v;
    return v;
}

int readDialogInteger(const std::string& text)
{
    const std::size_t start = skipBlanks(text);
    const std::size_t length = decimalLength(text, start, false);
    if (length == 0)
        return 0;
    const std::string number = text.substr(start, length);
    const long long v = std::strtoll(number.c_str(), nullptr, 10);
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
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
