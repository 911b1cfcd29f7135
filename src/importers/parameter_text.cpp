#include "importers/parameter_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tesvar {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The sign, digits, fraction and exponent that form a decimal number at the start of
// the token (no "inf", "nan" or hexadecimal forms, which no parameter file writes).
std::size_t numberLength(std::string_view t, bool allowFraction)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && isDigit(t[i]))
        ++i, ++digits;
    if (allowFraction && i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (allowFraction && i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        if (j < t.size() && isDigit(t[j])) {
            while (j < t.size() && isDigit(t[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

}  // namespace

std::string_view TokenReader::next()
{
    lineStart = pos == 0 || text[pos - 1] == '\n';
    while (pos < text.size() && isBlank(text[pos])) {
        if (text[pos] == '\n')
            lineStart = true;
        ++pos;
    }
    const std::size_t start = pos;
    while (pos < text.size() && !isBlank(text[pos]))
        ++pos;
    const std::size_t length = pos - start;
    return text.substr(start, length < maxLength ? length : maxLength);
}

void TokenReader::skipRestOfLine()
{
    while (pos < text.size() && text[pos] != '\n')
        ++pos;
    if (pos < text.size())
        ++pos;
}

double leadingDouble(std::string_view token)
{
    const std::size_t n = numberLength(token, true);
    if (n == 0)
        return 0.0;
    std::string_view number = token.substr(0, n);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || negative)
        number.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        // Too large becomes infinity, too small becomes zero, as a C conversion does.
        const std::size_t e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < number.size() &&
                          number[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

std::int64_t leadingInteger(std::string_view token)
{
    const std::size_t n = numberLength(token, false);
    if (n == 0)
        return 0;
    std::string_view number = token.substr(0, n);
    if (number.front() == '+')
        number.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        return number.front() == '-' ? std::numeric_limits<std::int64_t>::min()
                                     : std::numeric_limits<std::int64_t>::max();
    return value;
}

}  // namespace tesvar
