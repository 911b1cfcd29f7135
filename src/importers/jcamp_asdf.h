#pragma once

// The ordinate tables of JCAMP-DX files, (X++(Y..Y)): each line an abscissa followed by
// ordinates written in AFFN (free decimal numbers), PAC (numbers joined by their signs)
// or ASDF, whose characters stand for a leading digit and its sign: SQZ (an absolute
// value), DIF (the difference from the value before) and DUP (a repeat count of the item
// before).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tesvar {

// Lines longer than this are refused: the format asks for 80 characters.
inline constexpr std::size_t kJcampLongestLine = 4096;

// One line of a file, numbered from 1 for the messages.
struct NumberedLine {
    std::string_view text;
    int number = 0;
};

// The ordinates of a table, as written (before the YFACTOR), appended to `values`. A
// line after one that ends in DIF form starts with the Y check, the last ordinate of
// the line before, which must agree with it and is not taken again. More than `limit`
// ordinates, a character that is no part of a number, a difference with no value
// before it and a failed check are refused with a message naming the line.
std::optional<std::string> decodeOrdinateLines(std::span<const NumberedLine> lines,
                                               std::size_t limit, std::vector<double>& values);

// The lines of a table in DIF form with DUP counts, at most 80 characters each: every
// line the abscissa `firstX + i * stepX` of its first ordinate, that ordinate in SQZ
// form, then differences; each following line repeats the last ordinate of the line
// before as its Y check, and a last line repeats the final ordinate.
std::string encodeDifDup(std::span<const std::int64_t> ordinates, double firstX, double stepX);

// A number in the shortest form that reads back as the same double.
std::string exactNumber(double value);

}  // namespace tesvar
