#pragma once

#include "config/Settings.h"
#include "platform/WindowSystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dorvex {

// Why a configuration file is refused, as the message that tells the user.
struct ConfigProblem {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Stop;
};

struct ConfigParseResult {
    Settings settings; // valid when there is no problem
    std::optional<ConfigProblem> problem;
};

// Reads and validates the lines of the configuration file. A switch code other than 0 makes the
// message name the offending values or the counts of missing keys and sections.
ConfigParseResult parseConfig(const std::vector<std::string>& lines, std::int16_t switchCode);

// The message for a file that cannot be read at all.
ConfigProblem configReadError();

} // namespace dorvex
