#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dorvex {

// JSON text written in one pass. The writer puts the commas and colons, and writes every string
// so that the text parses whatever bytes it was given (names of other programs among them).
class JsonWriter {
public:
    JsonWriter& beginObject() { return open('{'); }
    JsonWriter& endObject() { return close('}'); }
    JsonWriter& beginArray() { return open('['); }
    JsonWriter& endArray() { return close(']'); }
    // A member's name in the object open; its value comes next.
    JsonWriter& key(std::string_view name);
    JsonWriter& string(std::string_view text);
    JsonWriter& number(long long value);
    // The value, or null without one.
    JsonWriter& stringOrNull(std::optional<std::string_view> text);
    JsonWriter& numberOrNull(std::optional<long long> value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

    const std::string& text() const { return text_; }

private:
    JsonWriter& open(char bracket);
    JsonWriter& close(char bracket);
    // The comma before a value that is not the first of its container.
    void separate();

    std::string text_;
    std::vector<bool> empty_; // for each container open: nothing in it yet
    bool afterKey_ = false;
};

// Appends `text` as a JSON string: quoted, with quotes, backslashes and control characters
// escaped, and each byte that is not part of well-formed UTF-8 replaced by U+FFFD.
void appendJsonString(std::string& out, std::string_view text);

} // namespace dorvex
