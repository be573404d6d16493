#include "config/SingleText.h"

#include <cstdio>

namespace dorvex {

std::string singleText(float value) {
    if (value == 0.0f) {
        return "0"; // also for -0
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
    return buffer;
}

std::string stopTimeDigits(float stopTime) {
    const std::string digits = "0000" + singleText(stopTime);
    return digits.substr(digits.size() - 4);
}

} // namespace dorvex
