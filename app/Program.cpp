#include "app/Program.h"

#include "app/MdMain.h"
#include "app/ProcessEnd.h"
#include "shutdown/ShutdownError.h"

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
    } catch (const ShutdownError& error) {
        reportUnexpectedError(error.report());
    } catch (const std::exception& error) {
        reportUnexpectedError(std::string("Run-time error:\r\n\r\n") + error.what());
    }
}

// Nothing catches such an error: it is shown, and the program ends.
void Program::reportUnexpectedError(const std::string& text) {
    try {
        endAfterMessage(AppName, text, MessageIcon::Stop);
    } catch (const ProcessEnd& end) {
        finish(end.status);
    }
}

void Program::messageBox(const std::string& title, const std::string& text, MessageIcon icon) {
    platform.windows.update();
    platform.windows.messageBox(title, text, icon);
    afterModal();
}

void Program::timedMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                              int milliseconds) {
    platform.windows.update();
    platform.windows.timedMessageBox(title, text, icon, milliseconds);
    afterModal();
}

std::string Program::popupMenu(WindowModel& window) {
    platform.windows.update();
    std::string chosen = platform.windows.popupMenu(window);
    afterModal();
    return chosen;
}

void Program::afterModal() {
    if (ended_) {
        throw ProcessEnd{exitStatus_};
    }
}

void Program::endAfterMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              bool removeTrayIcon) {
    mainWindow.tmrRefresh.setTimerEnabled(false);
    endingAfterMessage_ = true;
    messageBox(title, text, icon);
    if (removeTrayIcon) {
        tray.remove();
    }
    endProcess(1);
}

void Program::endProcess(int status) {
    throw ProcessEnd{status};
}

void Program::endOnRequest() {
    // The box has said that the program ends: it ends as the box's OK would end it. The unload
    // would write to a log that may be the box's very fault, and show another box.
    if (endingAfterMessage_) {
        finish(1);
        return;
    }
    dispatch([this] { resetExit.Exit_Click(); });
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
