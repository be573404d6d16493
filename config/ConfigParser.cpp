#include "config/ConfigParser.h"

#include "app/Version.h"
#include "config/LenientNumber.h"
#include "config/SingleText.h"
#include "config/TrimBlanks.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <string_view>

namespace dorvex {

namespace {

const std::string crlf = "\r\n";
constexpr std::size_t maxLineLength = 16;

struct OverflowError {};

float toSingle(std::string_view text) {
    const auto value = lenientNumber(text);
    if (!value || std::fabs(*value) > FLT_MAX) {
        throw OverflowError{};
    }
    return static_cast<float>(*value);
}

bool isOffOrOn(float value) {
    return value == Settings::Off || value == Settings::On;
}

// The minutes part of a fixed time: the number formed by the last two characters of its text.
double lastTwoCharactersValue(float value) {
    const std::string text = singleText(value);
    return lenientNumber(text.substr(text.size() < 2 ? 0 : text.size() - 2)).value_or(0);
}

struct Counts {
    int missingKeys = 5;
    int missingSections = 2;
    int rangeErrors = 0;
    std::string details = crlf;

    void rangeError(const std::string& detail) {
        ++rangeErrors;
        details += detail + crlf;
    }
};

void readLines(const std::vector<std::string>& lines, Settings& settings, Counts& counts) {
    const std::array<std::pair<std::string_view, float*>, 5> keys{{
        {"CPUOn=", &settings.CPUOn},
        {"KMOn=", &settings.KMOn},
        {"StopOn=", &settings.StopOn},
        {"StopTime=", &settings.StopTime},
        {"ShutType=", &settings.ShutType},
    }};
    for (const std::string& line : lines) {
        // Comments and empty lines are judged on the line as read, before any trimming.
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.size() > maxLineLength) {
            throw OverflowError{};
        }
        const std::string_view stripped = trimBlanks(line);
        for (const auto& [key, value] : keys) {
            if (stripped.starts_with(key)) {
                *value = toSingle(stripped.substr(key.size()));
                --counts.missingKeys;
            }
        }
        if (stripped == "[Run]" || stripped == "[Shutdown]") {
            --counts.missingSections;
        }
    }
}

void checkRanges(Settings& settings, Counts& counts) {
    if (!isOffOrOn(settings.CPUOn)) {
        counts.rangeError("CPUOn=" + singleText(settings.CPUOn));
    }
    if (!isOffOrOn(settings.KMOn)) {
        counts.rangeError("KMOn=" + singleText(settings.KMOn));
    }
    if (!isOffOrOn(settings.StopOn)) {
        counts.rangeError("StopOn=" + singleText(settings.StopOn));
    }
    // Times just past 23:59 are taken as 23:59 when the fixed time is in force.
    if (settings.StopOn == Settings::On && settings.StopTime > 12359 && settings.StopTime < 19901) {
        settings.StopTime = 12359;
    }
    // A fraction would pass the other tests and turn into a nonsense time of day.
    if (settings.StopTime < 10000 || settings.StopTime > 12359 ||
        lastTwoCharactersValue(settings.StopTime) > 59 ||
        settings.StopTime != std::floor(settings.StopTime)) {
        counts.rangeError("StopTime = " + singleText(settings.StopTime));
    }
    if (settings.CPUOn == Settings::Off && settings.KMOn == Settings::Off &&
        settings.StopOn == Settings::Off) {
        counts.rangeError("At Least One Of CPUOn, KMOn & StopOn Must Be Set");
    }
    if (settings.ShutType != Settings::PowerOff && settings.ShutType != Settings::Hibernate) {
        counts.rangeError("ShutType=" + singleText(settings.ShutType));
    }
}

ConfigProblem corruptedMessage(const Counts& counts, std::int16_t switchCode) {
    std::string suffix = " Configuration File Error";
    std::string details = counts.details;
    if (switchCode == 0) {
        details.clear();
    } else {
        if (counts.rangeErrors != 0) {
            suffix = " Config File - " + std::to_string(counts.rangeErrors) + " Range Errors";
        }
        if (counts.missingKeys != 0 || counts.missingSections != 0) {
            suffix = " Config File - " + std::to_string(counts.missingSections) + " Sec & " +
                     std::to_string(counts.missingKeys) + " Key Errors";
            details.clear();
        }
    }
    return {std::string(AppName) + suffix,
            details + "The configuration file is corrupted." + crlf +
                "Reinstall the program to restore the file." + crlf +
                "The program will now terminate.",
            MessageIcon::Stop};
}

} // namespace

ConfigProblem configReadError() {
    return {std::string(AppName) + " Configuration File Read Error",
            "Unable to read the configuration file." + crlf + "This may be a permissions problem." +
                crlf + "The program will now terminate.",
            MessageIcon::Exclamation};
}

ConfigParseResult parseConfig(const std::vector<std::string>& lines, std::int16_t switchCode) {
    ConfigParseResult result;
    Counts counts;
    try {
        readLines(lines, result.settings, counts);
    } catch (const OverflowError&) {
        result.problem = configReadError();
        return result;
    }
    checkRanges(result.settings, counts);
    if (counts.missingKeys != 0 || counts.missingSections != 0 || counts.rangeErrors != 0) {
        result.problem = corruptedMessage(counts, switchCode);
    }
    return result;
}

} // namespace dorvex
