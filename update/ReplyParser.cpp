#include "update/ReplyParser.h"

#include <string>

namespace dorvex {

namespace {

// The value between <name> and </name>, or "Error".
std::string tagged(std::string_view text, std::string_view name, std::int16_t& errorCount) {
    const std::string opening = "<" + std::string(name) + ">";
    const std::string closing = "</" + std::string(name) + ">";
    const std::size_t close = text.find(closing);
    const std::size_t open = text.find(opening);
    if (open == std::string_view::npos || close == std::string_view::npos ||
        close < open + opening.size()) {
        return MissingField;
    }
    --errorCount;
    const std::size_t start = open + opening.size();
    return std::string(text.substr(start, close - start));
}

} // namespace

ParsedReply parseReply(std::string_view webData) {
    ParsedReply parsed;
    parsed.ErrorCount = 10;
    for (const auto& [name, field] : replyTags) {
        parsed.reply.*field = tagged(webData, name, parsed.ErrorCount);
    }
    return parsed;
}

} // namespace dorvex
