#include "log/SystemLogCopy.h"

#include <string>

namespace dorvex {

namespace {

constexpr std::string_view crlf = "\r\n";

struct KindRule {
    std::string_view event;
    std::string_view state; // empty: any state
    LogEventKind kind;
};

// The first rule that fits an event line gives its kind. The state of "Start" and "Enter" is
// otherwise the shut type; "Reset, Test" starts the test afresh.
constexpr KindRule kindRules[] = {
    {"Start", "Initialise", LogEventKind::Start},
    {"Start", "", LogEventKind::PowerOff},
    {"Enter", "Run", LogEventKind::Monitoring},
    {"Enter", "Test", LogEventKind::Test},
    {"Reset", "Test", LogEventKind::Test},
    {"Enter", "", LogEventKind::Countdown},
    {"Simulate", "", LogEventKind::Simulation},
    {"Close", "", LogEventKind::Exit},
    {"----------", "", LogEventKind::HibernationResume},
    {"Restart", "", LogEventKind::HibernationResume},
    {"Reset", "", LogEventKind::Reset},
    {"Exit", "", LogEventKind::Exit},
};

LogEventKind eventKind(std::string_view event, std::string_view state) {
    for (const KindRule& rule : kindRules) {
        if (rule.event == event && (rule.state.empty() || rule.state == state)) {
            return rule.kind;
        }
    }
    // The program writes no other event.
    return LogEventKind::Start;
}

// The file's lines joined by "; ", empty ones left out.
std::string joinedLines(std::string_view text) {
    std::string joined;
    while (!text.empty()) {
        const std::size_t end = text.find(crlf);
        const std::string_view line = text.substr(0, end);
        if (!line.empty()) {
            joined += joined.empty() ? "" : "; ";
            joined += line;
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + crlf.size());
    }
    return joined;
}

// An event line without the day's heading that comes before the first entry of a day: the
// system's log stamps each entry with its date itself.
std::string_view eventLine(std::string_view text) {
    const std::size_t lastBreak = text.rfind(crlf);
    return lastBreak == std::string_view::npos ? text : text.substr(lastBreak + crlf.size());
}

} // namespace

void copyToSystemLog(SystemLog& log, const LogEntryInput& input, std::string_view fileText) {
    if (input.code == 2) {
        return;
    }
    if (input.code != 1) {
        const std::string message = joinedLines(fileText);
        log.record({LogEventKind::Start, message, "", "", 0});
        return;
    }
    log.record({eventKind(input.event, input.state), eventLine(fileText), input.event, input.state,
                input.count});
}

} // namespace dorvex
