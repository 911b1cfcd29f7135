#include "batch/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tesvar::batch {

void JsonWriter::separate()
{
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!hasValue.empty()) {
        if (hasValue.back())
            out << ',';
        hasValue.back() = true;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    separate();
    out << '{';
    hasValue.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    hasValue.pop_back();
    out << '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    separate();
    out << '[';
    hasValue.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    hasValue.pop_back();
    out << ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    separate();
    writeString(name);
    out << ':';
    afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(double v)
{
    if (!std::isfinite(v))
        return null();
    separate();
    if (v == 0.0 && std::signbit(v)) {
        // "-0" reads back as the integer 0 in many parsers; this keeps the sign.
        out << "-0.0";
        return *this;
    }
    // As "%.17g" prints it in the C locale, whatever locale the process runs in.
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 17);
    out.write(buffer, written.ptr - buffer);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t v)
{
    separate();
    out << v;
    return *this;
}

JsonWriter& JsonWriter::value(bool v)
{
    separate();
    out << (v ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view v)
{
    separate();
    writeString(v);
    return *this;
}

JsonWriter& JsonWriter::null()
{
    separate();
    out << "null";
    return *this;
}

void JsonWriter::writeString(std::string_view s)
{
    out << '"';
    for (const char c : s) {
        switch (c) {
        case '"': out << "\\\""; break;
        case '\\': out << "\\\\"; break;
        case '\n': out << "\\n"; break;
        case '\r': out << "\\r"; break;
        case '\t': out << "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out << escaped;
            } else {
                out << c;
            }
        }
    }
    out << '"';
}

}  // namespace tesvar::batch
