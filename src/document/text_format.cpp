#include "document/text_format.h"

#include <charconv>

namespace tesvar {

std::string formatFixed(double value, int decimals)
{
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
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    // from_chars takes no leading plus sign.
    if (begin < text.size() && text[begin] == '+')
        ++begin;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + begin, text.data() + text.size(), value,
                                        std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

}  // namespace tesvar
