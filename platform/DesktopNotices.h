#pragma once

#include <string>

namespace dorvex {

// A notice of the desktop's own that stays until withdrawn. The desktop shows an urgent one
// above full-screen windows, which hide even a window that stays on top.
class DesktopNotices {
public:
    virtual ~DesktopNotices() = default;
    // Shows an urgent notice. Returns at once whatever the desktop does.
    virtual void show(const std::string& summary, const std::string& body) = 0;
    // Withdraws the notice shown, if there is one.
    virtual void withdraw() = 0;
};

} // namespace dorvex
