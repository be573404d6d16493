#pragma once

#include "platform/WindowModel.h"

#include <string>

namespace dorvex {

class Program;

// Small helpers of the windows: the main window's system menu, and pages of the vendor's web
// site in the user's browser.
class AdminHelpers {
public:
    explicit AdminHelpers(Program& program) : program_(program) {}

    // True gives the main window its whole system menu back; false takes the close command away.
    void Set_SysMenu(bool restore);
    void Trim_SysMenu(WindowModel& window, bool revert);
    // Opens a page below the vendor's site root; an empty page is the home page. A page that is
    // no plain relative path never reaches the browser; a launch that fails is shown with its
    // error number, in a box that runs the event loop.
    void Open_Browser(WindowModel& owner, const std::string& page);

private:
    Program& program_;
};

} // namespace dorvex
