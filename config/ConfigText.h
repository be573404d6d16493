#pragma once

#include "config/Settings.h"
#include "platform/Clock.h"

#include <string>

namespace dorvex {

// The whole text of the configuration file for these settings, written at `now`.
std::string configFileText(const Settings& settings, const LocalDateTime& now, const Clock& clock);

} // namespace dorvex
