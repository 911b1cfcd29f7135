#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace tesvar::batch {

// A small streaming writer of compact JSON for the batch reports. Doubles are written
// with 17 significant digits ("%.17g", negative zero as "-0.0") so that reading them
// back gives the same double; values that are not finite numbers have no JSON form and
// are written as null.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The name of the next member of the current object.
    JsonWriter& key(std::string_view name);

    JsonWriter& value(double v);
    JsonWriter& value(std::int64_t v);
    JsonWriter& value(std::int32_t v) { return value(static_cast<std::int64_t>(v)); }
    JsonWriter& value(bool v);
    JsonWriter& value(std::string_view v);
    JsonWriter& value(const char* v) { return value(std::string_view(v)); }
    JsonWriter& null();

private:
    void separate();
    void writeString(std::string_view s);

    std::ostream& out;
    // One entry per open object or array: whether a value has been written in it.
    std::vector<bool> hasValue;
    bool afterKey = false;
};

}  // namespace tesvar::batch
