#include "ui/AdminHelpers.h"

#include "app/Program.h"
#include "ui/SitePageAddress.h"

namespace dorvex {

namespace {

constexpr const char* launchFailed = "Unable to launch Browser.";

} // namespace

void AdminHelpers::Set_SysMenu(bool restore) {
    Trim_SysMenu(program_.mainWindow.model(), restore);
}

void AdminHelpers::Trim_SysMenu(WindowModel& window, bool revert) {
    window.closeCommand = revert;
}

void AdminHelpers::Open_Browser(WindowModel& /*owner*/, const std::string& page) {
    try {
        const std::optional<std::string> address = sitePageAddress(program_.state.SiteRoot, page);
        if (!address || !program_.platform.windows.openUrl(*address)) {
            program_.messageBox(std::string(AppName) + " Error", launchFailed, MessageIcon::None);
        }
    } catch (const std::exception& error) {
        program_.fileChecks.ProgramErrorMessage(0, error.what());
    }
}

} // namespace dorvex
