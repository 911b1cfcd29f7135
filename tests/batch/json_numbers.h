#pragma once

// Reads the numbers of a flat JSON array straight from the text with strtod, which
// rounds correctly. Qt's JSON parser keeps integral doubles as integers and so loses
// the sign of a negative zero; the structure is checked with Qt, the bits with this.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace tesvar::test {

// The elements of the array that follows "key": in text; null gives nothing. An
// element that is not a whole number token makes the result empty.
inline std::vector<std::optional<double>> jsonArrayNumbers(const std::string& text,
                                                           const std::string& key)
{
    std::vector<std::optional<double>> numbers;
    std::size_t at = text.find("\"" + key + "\":[");
    if (at == std::string::npos)
        return numbers;
    at = text.find('[', at) + 1;
    const std::size_t end = text.find(']', at);
    while (at < end) {
        std::size_t comma = text.find(',', at);
        if (comma == std::string::npos || comma > end)
            comma = end;
        const std::string token = text.substr(at, comma - at);
        if (token == "null") {
            numbers.push_back(std::nullopt);
        } else {
            char* stop = nullptr;
            const double v = std::strtod(token.c_str(), &stop);
            if (token.empty() || *stop != '\0')
                return {};
            numbers.push_back(v);
        }
        at = comma + 1;
    }
    return numbers;
}

}  // namespace tesvar::test
