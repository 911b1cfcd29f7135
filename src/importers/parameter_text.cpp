#include "importers/parameter_text.h"

#include <charconv>
#include <limits>

namespace tesvar {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
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

std::int64_t leadingInteger(std::string_view token)
{
    // from_chars reads the sign and the digits but takes no plus sign.
    if (token.starts_with('+') && !token.starts_with("+-"))
        token.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        return token.front() == '-' ? std::numeric_limits<std::int64_t>::min()
                                    : std::numeric_limits<std::int64_t>::max();
    return ec == std::errc() ? value : 0;
}

}  // namespace tesvar
