#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tesvar {

// Reads the white-space-delimited tokens of a parameter file. A token longer than
// maxLength is cut to its first maxLength characters (the rest of it is skipped), as
// the fixed token buffers of the parameter readers have always done.
class TokenReader {
public:
    TokenReader(std::string_view text, std::size_t maxLength) : text(text), maxLength(maxLength) {}

    // The next token, or an empty view at the end of the text.
    std::string_view next();
    // Whether the token last returned was the first one on its line.
    bool firstOnLine() const { return lineStart; }
    // Skips what is left of the current line, its line end included.
    void skipRestOfLine();

private:
    std::string_view text;
    std::size_t maxLength;
    std::size_t pos = 0;
    bool lineStart = false;
};

// The leading whole number of a token (sign and digits, as a C conversion to an integer
// reads it); 0 when there is none, saturated at the limits of 64 bits. Decimal values
// are read with readLeadingNumber (document/text_format.h).
std::int64_t leadingInteger(std::string_view token);

}  // namespace tesvar
