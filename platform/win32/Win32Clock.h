#pragma once

#include "platform/Clock.h"

namespace dorvex {

// The local time and the month names of the user's locale, and the system's tick count.
class Win32Clock : public Clock {
public:
    LocalDateTime now() const override;
    std::uint32_t tickCount() const override;
    std::string abbreviatedMonthName(int month) const override;
};

} // namespace dorvex
