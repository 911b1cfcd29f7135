#include "document/text_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace tesvar {

namespace {

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Length of the decimal number at the start of s, 0 when there is none.
std::size_t decimalLength(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

// "inf", "infinity" or "nan" after an optional sign, in any case.
bool startsWithNonNumberWord(std::string_view s)
{
    if (!s.empty() && (s[0] == '+' || s[0] == '-'))
        s.remove_prefix(1);
    const auto startsWith = [&](std::string_view word) {
        if (s.size() < word.size())
            return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(s[i])) != word[i])
                return false;
        return true;
    };
    return startsWith("inf") || startsWith("nan");
}

}  // namespace

std::string formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return "n/a";
    // Room for the largest finite double in fixed notation with its decimals.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

double readLeadingNumber(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && std::isspace(static_cast<unsigned char>(text[begin])))
        ++begin;
    text.remove_prefix(begin);
    if (startsWithNonNumberWord(text))
        return std::numeric_limits<double>::quiet_NaN();
    const std::size_t length = decimalLength(text);
    if (length == 0)
        return 0.0;
    // Read in the classic locale: the desktop runs in the user's, whose decimal
    // separator may be a comma. A number too large for a double comes back as the
    // largest one with the stream failed; one too small as the nearest double.
    std::istringstream number{std::string(text.substr(0, length))};
    number.imbue(std::locale::classic());
    double v = 0.0;
    number >> v;
    constexpr double largest = std::numeric_limits<double>::max();
    if (number.fail() && std::fabs(v) == largest)
        return std::copysign(std::numeric_limits<double>::infinity(), v);
    return v;
}

std::optional<double> readFiniteNumber(std::string_view text)
{
    const double v = readLeadingNumber(text);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

}  // namespace tesvar
