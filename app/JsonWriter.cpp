#include "app/JsonWriter.h"

#include <array>

namespace dorvex {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 sequence that `text` starts with; 0 when it starts with
// none: a stray continuation byte, an overlong form, a surrogate, a code point past U+10FFFF, or
// a sequence cut short.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    if (lead < 0x80) {
        return 1;
    }
    // The second byte's range is narrower after some leads; the later ones are 80-BF.
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    constexpr std::array<char, 16> hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                       '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out.push_back('"');
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        const char first = text.front();
        if (length == 0) {
            out.append(replacement);
            text.remove_prefix(1);
            continue;
        }
        if (first == '"' || first == '\\') {
            out.push_back('\\');
            out.push_back(first);
        } else if (static_cast<unsigned char>(first) < 0x20) {
            out.append("\\u00");
            out.push_back(hex[static_cast<unsigned char>(first) >> 4]);
            out.push_back(hex[static_cast<unsigned char>(first) & 0xF]);
        } else {
            out.append(text.substr(0, length));
        }
        text.remove_prefix(length);
    }
    out.push_back('"');
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    appendJsonString(text_, name);
    text_.push_back(':');
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    separate();
    appendJsonString(text_, text);
    return *this;
}

JsonWriter& JsonWriter::number(long long value) {
    separate();
    text_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::stringOrNull(std::optional<std::string_view> text) {
    return text ? string(*text) : null();
}

JsonWriter& JsonWriter::numberOrNull(std::optional<long long> value) {
    return value ? number(*value) : null();
}

JsonWriter& JsonWriter::boolean(bool value) {
    separate();
    text_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    text_ += "null";
    return *this;
}

JsonWriter& JsonWriter::open(char bracket) {
    separate();
    text_.push_back(bracket);
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    text_.push_back(bracket);
    empty_.pop_back();
    return *this;
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty() && !empty_.back()) {
        text_.push_back(',');
    }
    if (!empty_.empty()) {
        empty_.back() = false;
    }
}

} // namespace dorvex
