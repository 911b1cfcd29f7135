#include "processing/dialog_text.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

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

double readDecimal(const std::string& text)
{
    const std::size_t start = skipBlanks(text);
    const std::size_t length = decimalLength(text, start, true);
    if (length == 0)
        return 0.0;
    const std::string number = text.substr(start, length);
    const double v = std::strtod(number.c_str(), nullptr);
    if (std::isinf(v))
        return std::copysign(std::numeric_limits<double>::max(), v);
    return v;
}

int readInteger(const std::string& text)
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

std::string formatFixed(double value, int decimals)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

}  // namespace tesvar
