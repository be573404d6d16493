#pragma once

#include "update/UpdateReply.h"

#include <cstdint>
#include <string_view>

namespace dorvex {

struct ParsedReply {
    UpdateReply reply;
    std::int16_t ErrorCount = 0; // tags not found, of ten
};

// Takes the ten tagged values out of the reply text. No XML parser: each value lies between the
// first opening tag and the first closing tag of its name, verbatim; order, nesting and the text
// around them do not matter. A closing tag before its opening tag counts as not found.
ParsedReply parseReply(std::string_view webData);

} // namespace dorvex
