#include "update/UpdaterLogBlocks.h"

#include "app/Version.h"
#include "config/TrimBlanks.h"

namespace dorvex {

namespace {

const std::string crlf = "\r\n";

std::string line(std::string_view label, const std::string& value) {
    return std::string(label) + value + crlf;
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
    return std::string(trimBlanks(webData)) + crlf;
}

std::string replyDataBlock(const UpdateReply& reply, std::int16_t errorCount) {
    return "Web Page Data" + crlf + "-------------" + crlf + line("Program Name :  ", reply.Name) +
           line("Major Version:  ", reply.Version1) + line("Minor Version:  ", reply.Version2) +
           line("Contact url  :  ", reply.Contact) + line("Download url :  ", reply.Download) +
           line("Known Issues :  ", reply.KIssues) + line("History      :  ", reply.History) +
           line("Home Page    :  ", reply.Index) + line("Message      :  ", reply.Message) +
           line("Uninstall    :  ", reply.Uninstall) +
           line("Error Count  :  ", std::to_string(errorCount)) + crlf + crlf;
}

} // namespace dorvex
