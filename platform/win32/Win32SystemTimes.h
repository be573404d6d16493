#pragma once

#include "platform/SystemTimes.h"

namespace dorvex {

// Processor times of all processors together from GetSystemTimes.
class Win32SystemTimes : public SystemTimesSource {
public:
    bool read(SystemTimes& times) override;
};

} // namespace dorvex
