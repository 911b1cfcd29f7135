#include "importers/jcamp_asdf.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tesvar {

namespace {

constexpr std::size_t kLineWidth = 80;

std::string lineMessage(int line, const std::string& what)
{
    return "line " + std::to_string(line) + ": " + what;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What an ASDF character stands for: its kind and its leading digit with the sign.
enum class Kind { None, Absolute, Difference, Repeat };
struct Lead {
    Kind kind = Kind::None;
    int digit = 0;  // signed for SQZ and DIF, the first digit of the count for DUP
};

Lead leadOf(char c)
{
    if (c == '@')
        return {Kind::Absolute, 0};
    if (c >= 'A' && c <= 'I')
        return {Kind::Absolute, c - 'A' + 1};
    if (c >= 'a' && c <= 'i')
        return {Kind::Absolute, -(c - 'a' + 1)};
    if (c == '%')
        return {Kind::Difference, 0};
    if (c >= 'J' && c <= 'R')
        return {Kind::Difference, c - 'J' + 1};
    if (c >= 'j' && c <= 'r')
        return {Kind::Difference, -(c - 'j' + 1)};
    if (c >= 'S' && c <= 'Z')
        return {Kind::Repeat, c - 'S' + 1};
    if (c == 's')
        return {Kind::Repeat, 9};
    return {};
}

// Reads the digits (and one decimal point) after position `at`; an AFFN number may end
// in an exponent written with its sign ("1.5E+03"), which keeps it apart from the SQZ
// letters E and e.
std::size_t numberEnd(std::string_view s, std::size_t at, bool allowExponent)
{
    bool point = false;
    while (at < s.size() && (isDigit(s[at]) || (s[at] == '.' && !point))) {
        point = point || s[at] == '.';
        ++at;
    }
    if (allowExponent && at + 2 < s.size() && (s[at] == 'E' || s[at] == 'e') &&
        (s[at + 1] == '+' || s[at + 1] == '-') && isDigit(s[at + 2])) {
        at += 2;
        while (at < s.size() && isDigit(s[at]))
            ++at;
    }
    return at;
}

std::optional<double> toNumber(const std::string& text)
{
    double value = 0.0;
    const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The decoder's state across the lines of one table.
class OrdinateReader {
public:
    OrdinateReader(std::size_t limit, std::vector<double>& values) : limit(limit), values(values) {}

    std::optional<std::string> line(const NumberedLine& line);

private:
    std::optional<std::string> take(double value, int line);

    std::size_t limit;
    std::vector<double>& values;
    bool endedInDifference = false;  // the line before ended in DIF form
    bool checkPending = false;       // the next absolute value is the Y check
    Kind lastKind = Kind::None;
    double lastDifference = 0.0;
};

std::optional<std::string> OrdinateReader::take(double value, int line)
{
    if (values.size() >= limit)
        return lineMessage(line, "the table holds more than " + std::to_string(limit) +
                                     " values.");
    values.push_back(value);
    return std::nullopt;
}

std::optional<std::string> OrdinateReader::line(const NumberedLine& numbered)
{
    const std::string_view s = numbered.text;
    const int n = numbered.number;
    std::size_t at = 0;
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t'))
        ++at;
    if (at == s.size())
        return std::nullopt;  // a blank line
    // The abscissa: an AFFN number.
    std::size_t start = at;
    if (s[at] == '+' || s[at] == '-')
        ++at;
    const std::size_t xEnd = numberEnd(s, at, true);
    if (xEnd == at || !toNumber(std::string(s.substr(start, xEnd - start))))
        return lineMessage(n, "the line does not start with an X value.");
    at = xEnd;
    checkPending = endedInDifference;
    lastKind = Kind::None;

    while (at < s.size()) {
        const char c = s[at];
        if (c == ' ' || c == '\t' || c == ',' || c == ';') {
            ++at;
            continue;
        }
        Lead lead = leadOf(c);
        std::string digits;
        if (lead.kind == Kind::None) {
            if (!(isDigit(c) || c == '.' || c == '+' || c == '-'))
                return lineMessage(n, std::string("the character '") + c +
                                          "' is not part of a number.");
            start = at;
            if (c == '+' || c == '-')
                ++at;
            at = numberEnd(s, at, true);
            digits = std::string(s.substr(start, at - start));
            lead.kind = Kind::Absolute;
        } else {
            start = ++at;
            at = numberEnd(s, at, false);
            digits = std::to_string(lead.digit);
            digits.append(s.substr(start, at - start));
        }
        const std::optional<double> number = toNumber(digits);
        if (!number)
            return lineMessage(n, "\"" + digits + "\" is not a number.");

        if (lead.kind == Kind::Repeat) {
            if (lastKind == Kind::None || *number < 1 || *number != std::floor(*number))
                return lineMessage(n, "a repeat count (DUP) without a value before it.");
            if (*number - 1 > static_cast<double>(limit))
                return lineMessage(n, "the table holds more than " + std::to_string(limit) +
                                          " values.");
            for (double k = 1; k < *number; ++k) {
                const double next = lastKind == Kind::Difference && !values.empty()
                                        ? values.back() + lastDifference
                                        : values.back();
                if (auto error = take(next, n))
                    return error;
            }
            continue;
        }
        if (lead.kind == Kind::Difference) {
            if (values.empty())
                return lineMessage(n, "a difference (DIF) without a value before it.");
            lastDifference = *number;
            lastKind = Kind::Difference;
            if (auto error = take(values.back() + *number, n))
                return error;
            checkPending = false;
            continue;
        }
        lastKind = Kind::Absolute;
        if (checkPending) {
            checkPending = false;
            const double last = values.back();
            if (std::fabs(*number - last) > 1e-9 * std::max(1.0, std::fabs(last)))
                return lineMessage(n, "the Y check fails: the line starts with " + digits +
                                          " where the line before ended with " +
                                          exactNumber(last) + ".");
            continue;
        }
        if (auto error = take(*number, n))
            return error;
    }
    endedInDifference = lastKind == Kind::Difference;
    return std::nullopt;
}

std::string sqz(std::int64_t v, const char* positive, const char* negative)
{
    const std::uint64_t magnitude =
        v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string digits = std::to_string(magnitude);
    const int first = digits[0] - '0';
    digits[0] = first == 0 ? positive[0] : (v < 0 ? negative : positive)[first];
    return digits;
}

std::string dup(std::int64_t count)
{
    std::string digits = std::to_string(count);
    digits[0] = "?STUVWXYZs"[digits[0] - '0'];
    return digits;
}

std::string fixedNumber(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<std::string> decodeOrdinateLines(std::span<const NumberedLine> lines,
                                               std::size_t limit, std::vector<double>& values)
{
    OrdinateReader reader(limit, values);
    for (const NumberedLine& line : lines)
        if (auto error = reader.line(line))
            return error;
    return std::nullopt;
}

std::string encodeDifDup(std::span<const std::int64_t> y, double firstX, double stepX)
{
    // SQZ letters after '@' for 1..9, DIF letters after '%'.
    static constexpr const char* kSqzUp = "@ABCDEFGHI";
    static constexpr const char* kSqzDown = "@abcdefghi";
    static constexpr const char* kDifUp = "%JKLMNOPQR";
    static constexpr const char* kDifDown = "%jklmnopqr";
    std::string out;
    std::size_t i = 0;
    while (i < y.size()) {
        std::string line = fixedNumber(firstX + static_cast<double>(i) * stepX);
        line += sqz(y[i], kSqzUp, kSqzDown);
        std::size_t j = i + 1;
        while (j < y.size()) {
            const std::int64_t d = y[j] - y[j - 1];
            std::size_t run = 1;
            while (j + run < y.size() && y[j + run] - y[j + run - 1] == d)
                ++run;
            std::string token = sqz(d, kDifUp, kDifDown);
            if (run > 1)
                token += dup(static_cast<std::int64_t>(run));
            if (j > i + 1 && line.size() + token.size() > kLineWidth)
                break;
            line += token;
            j += run;
        }
        out += line;
        out += '\n';
        // The next line starts with the last ordinate of this one as its Y check; a
        // table that ends in DIF form ends with a line of that check alone.
        if (j == y.size()) {
            if (j > i + 1)
                out += fixedNumber(firstX + static_cast<double>(j - 1) * stepX) +
                       sqz(y[j - 1], kSqzUp, kSqzDown) + '\n';
            break;
        }
        i = j - 1;
    }
    return out;
}

std::string exactNumber(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace tesvar
