#pragma once

#include "update/UpdateReply.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dorvex {

// The blocks one update check writes to Updater.log, each without the line end that the write
// adds. Labels are 16 characters wide, so that every value starts in the 17th column.

// What the server sent goes into the log up to these lengths, a value and the whole reply, and
// without control characters: a server can neither fill the log nor write lines of its own.
inline constexpr std::size_t MaxLoggedValueLength = 256;
inline constexpr std::size_t MaxLoggedReplyLength = 8192;

// Time stamp, "Update Check" and the request address.
std::string requestBlock(const std::string& timeStamp, const std::string& webUrl);
// What the program reports about itself.
std::string programDataBlock(std::int16_t switchCode, const std::string& majorVersion,
                             const std::string& minorVersion, const std::string& osVersion);
std::string replyHeading();
// The reply without leading and trailing spaces (other white space stays, line breaks and tabs
// also inside it).
std::string replyBlock(std::string_view webData);
// The values taken from the reply and the count of tags not found.
std::string replyDataBlock(const UpdateReply& reply, std::int16_t errorCount);

} // namespace dorvex
