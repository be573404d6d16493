#include "log/LogEntry.h"

#include "app/Version.h"
#include "log/DateText.h"

namespace dorvex {

namespace {

constexpr std::string_view crlf = "\r\n";

std::string padOrCut(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string rightAligned(std::string text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string nameAndVersion() {
    return std::string(AppName) + std::string(crlf) + "Version " + std::to_string(VersionMajor) +
           "." + std::to_string(VersionMinor) + std::string(crlf);
}

} // namespace

std::string logEntryText(const LogEntryInput& input, const Clock& clock) {
    std::string text;
    switch (input.code) {
    case 0:
        text =
            nameAndVersion() + "File Created" + std::string(crlf) + dateTimeText(input.now, clock);
        break;
    case 1: {
        const std::string time = timeText(input.now);
        if (time == "00:00:00") {
            text = std::string(crlf) + dateText(input.now, clock) + std::string(crlf) +
                   "---------" + std::string(crlf);
        }
        const std::string marker = input.testMode ? "*" : " ";
        text += time + ", " + padOrCut(std::string(input.event) + marker, 10) + ", " +
                padOrCut(std::string(input.state), 10) +
                ", Count:" + rightAligned(std::to_string(input.count), 6);
        break;
    }
    case 2:
        text = crlf;
        break;
    case 3:
        text = nameAndVersion() + dateText(input.now, clock) + std::string(crlf);
        break;
    default:
        break;
    }
    return text;
}

} // namespace dorvex
