#include "app/Program.h"

#include "app/MdMain.h"
#include "app/ProcessEnd.h"

namespace dorvex {

Program::Program(Platform& platform) : platform(platform) {}

void Program::start(std::string argumentText) {
    argumentText_ = std::move(argumentText);
    dispatch([this] { Main(*this); });
}

void Program::dispatch(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    try {
        handler();
        platform.windows.update();
    } catch (const ProcessEnd& end) {
        finish(end.status);
    } catch (const std::exception& error) {
        reportUnexpectedError(error.what());
    }
}

void Program::reportUnexpectedError(const std::string& description) {
    try {
        endAfterMessage(AppName, "Run-time error:\r\n\r\n" + description, MessageIcon::Stop);
    } catch (const ProcessEnd& end) {
        finish(end.status);
    }
}

void Program::messageBox(const std::string& title, const std::string& text, MessageIcon icon) {
    platform.windows.update();
    platform.windows.messageBox(title, text, icon);
    if (ended_) {
        throw ProcessEnd{exitStatus_};
    }
}

void Program::endAfterMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              bool removeTrayIcon) {
    mainWindow.tmrRefresh.setTimerEnabled(false);
    messageBox(title, text, icon);
    if (removeTrayIcon) {
        platform.windows.trayDelete();
    }
    endProcess(1);
}

void Program::endProcess(int status) {
    throw ProcessEnd{status};
}

void Program::finish(int status) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitStatus_ = status;
    platform.windows.update();
    platform.process.exit(status);
}

bool Program::Is_Admin() {
    return state.SwitchCode != 4 && platform.accounts.userIsAdministrator();
}

} // namespace dorvex
