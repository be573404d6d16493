#include "update/UpdaterLogBlocks.h"

#include "app/Version.h"
#include "config/TrimBlanks.h"

namespace dorvex {

namespace {

const std::string crlf = "\r\n";

// The server's text as far as the log takes it: up to `limit` characters, without the control
// characters that would end a line or disturb a reader of the file.
std::string loggable(std::string_view text, std::size_t limit, bool keepLineBreaks) {
    std::string kept;
    for (const char c : text) {
        if (kept.size() == limit) {
            break;
        }
        const auto byte = static_cast<unsigned char>(c);
        const bool control = byte < 0x20 || byte == 0x7f;
        if (!control || (keepLineBreaks && (c == '\r' || c == '\n' || c == '\t'))) {
            kept += c;
        }
    }
    return kept;
}

std::string line(std::string_view label, const std::string& value) {
    return std::string(label) + value + crlf;
}

// A line with a value from the reply.
std::string replyLine(std::string_view label, const std::string& value) {
    return line(label, loggable(value, MaxLoggedValueLength, false));
}

} // namespace

std::string requestBlock(const std::string& timeStamp, const std::string& webUrl) {
    return timeStamp + crlf + "Update Check" + crlf + crlf + "Web URL" + crlf + "-------" + crlf +
           webUrl + crlf;
}

std::string programDataBlock(std::int16_t switchCode, const std::string& majorVersion,
                             const std::string& minorVersion, const std::string& osVersion) {
    return "Program Data" + crlf + "------------" + crlf +
           line("Control Mode :  ", std::to_string(switchCode)) +
           line("Program Name :  ", AppName) + line("Major Version:  ", majorVersion) +
           line("Minor Version:  ", minorVersion) + line("OS Version:     ", osVersion);
}

std::string replyHeading() {
    return "Web Page xml" + crlf + "------------";
}

std::string replyBlock(std::string_view webData) {
    return loggable(trimBlanks(webData), MaxLoggedReplyLength, true) + crlf;
}

std::string replyDataBlock(const UpdateReply& reply, std::int16_t errorCount) {
    return "Web Page Data" + crlf + "-------------" + crlf +
           replyLine("Program Name :  ", reply.Name) +
           replyLine("Major Version:  ", reply.Version1) +
           replyLine("Minor Version:  ", reply.Version2) +
           replyLine("Contact url  :  ", reply.Contact) +
           replyLine("Download url :  ", reply.Download) +
           replyLine("Known Issues :  ", reply.KIssues) +
           replyLine("History      :  ", reply.History) +
           replyLine("Home Page    :  ", reply.Index) +
           replyLine("Message      :  ", reply.Message) +
           replyLine("Uninstall    :  ", reply.Uninstall) +
           line("Error Count  :  ", std::to_string(errorCount)) + crlf + crlf;
}

} // namespace dorvex
