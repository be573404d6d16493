#include "ui/Tray.h"

#include "app/Program.h"
#include "ui/ScreenPlacement.h"

namespace dorvex {

void Tray::Set_TrayIcon(std::string_view state) {
    DorvexLMain& window = program_.mainWindow;
    TrayIcon icon = TrayData.value_or(TrayIcon{});
    if (state == "Start" || state == "Activate") {
        icon.picture = window.ActivateIcon.picture;
    } else if (state == "Activity") {
        icon.picture = window.ActivityIcon.picture;
    } else if (state == "NoActivity") {
        icon.picture = window.model().icon;
    } else if (state == "Shutdown") {
        icon.picture = window.ShutdownIcon.picture;
    }
    icon.tip = AppName;
    TrayData = icon;
    if (state == "Start") {
        program_.platform.windows.trayAdd(icon);
    } else {
        program_.platform.windows.trayModify(icon);
    }
}

// The line under the readings, or the status box when that line is empty; the countdown alone
// asks for attention, for as long as it lasts.
void Tray::showStatus() {
    const DorvexLMain& window = program_.mainWindow;
    const RunState& run = program_.state.run;
    const std::string& line =
        window.StatusActA.text.empty() ? window.StatusActT.text : window.StatusActA.text;
    const int attentionMs =
        run.RunMode == RunState::Countdown && !run.TestMode ? run.CountdownSecs * 1000 : 0;
    if (!TrayData || (TrayData->status == line && TrayData->attentionMs == attentionMs)) {
        return;
    }
    TrayData->status = line;
    TrayData->attentionMs = attentionMs;
    program_.platform.windows.trayModify(*TrayData);
}

void Tray::remove() {
    program_.platform.windows.trayDelete();
}

void Tray::hideToTray() {
    if (program_.platform.windows.trayAvailable()) {
        program_.mainWindow.hide();
    }
}

void Tray::Form_MouseMove(int code) {
    if (code == 0x0203) {
        Show_Window();
        program_.state.SkipForeground = false;
        updateSkipForeground();
    } else if (code == 0x0204) {
        WindowModel& window = program_.mainWindow.model();
        if (!program_.state.SkipForeground) {
            program_.platform.windows.setForeground(window);
        }
        const std::string chosen = program_.popupMenu(window);
        if (!chosen.empty()) {
            program_.mainWindow.menuItemChosen(chosen);
        }
    }
}

// Whether a right click on the icon leaves the window where it is.
void Tray::updateSkipForeground() {
    const WindowState state = program_.mainWindow.model().state;
    const bool busy =
        state != WindowState::Normal || program_.state.run.RunMode == RunState::Countdown;
    if (!(busy && state != WindowState::Minimised)) {
        program_.state.SkipForeground = true;
    } else if (program_.state.run.RunMode != RunState::Countdown) {
        program_.state.SkipForeground = false;
    }
}

void Tray::Form_Resize() {
    DorvexLMain& window = program_.mainWindow;
    const bool minimised = window.model().state == WindowState::Minimised;
    if (minimised) {
        // The icon normally exists already; then this add fails without effect.
        if (TrayData) {
            program_.platform.windows.trayAdd(*TrayData);
        }
        hideToTray();
    }
    window.mPopUpRestore.visible = minimised;
    window.mPopUpMin.visible = !minimised;
    updateSkipForeground();
}

void Tray::Show_Window() {
    DorvexLMain& window = program_.mainWindow;
    WindowModel& model = window.model();
    if (model.state == WindowState::Minimised || program_.state.CentreWindow) {
        program_.state.CentreWindow = false;
        window.setState(WindowState::Normal);
        model.visible = true;
        centreOnScreen(model, program_.platform.windows.screenSize());
    }
    model.topmost = program_.state.run.RunMode == RunState::Countdown;
    model.visible = true;
}

void Tray::mPopUpRestore_Click() {
    Show_Window();
    program_.state.SkipForeground = false;
    updateSkipForeground();
}

void Tray::mPopUpMin_Click() {
    program_.mainWindow.setState(WindowState::Minimised);
}

} // namespace dorvex
