#pragma once

#include "platform/WindowSystem.h"

#include <optional>
#include <string_view>

namespace dorvex {

class Program;

// The notification-area icon, whose picture follows the run state, its mouse events and popup
// menu, and the main window's minimise-to-tray and restore.
class Tray {
public:
    explicit Tray(Program& program) : program_(program) {}

    // "Start" adds the icon; "Activate", "Activity", "NoActivity" and "Shutdown" change its
    // picture; any other word keeps the picture and still asks for the change.
    void Set_TrayIcon(std::string_view state);
    // Brings the icon's status line and attention in line with the window, at the end of each
    // tick: the countdown's attention begins with its first step's text.
    void showStatus();
    // The icon's mouse event: 0x0203 double click shows the window, 0x0204 right button down
    // opens the menu, which runs the event loop.
    void Form_MouseMove(int code);
    // The main window's state changed.
    void Form_Resize();
    // Brings the main window up: centred the first time after each start and when it was
    // minimised; on top of all others during the countdown.
    void Show_Window();
    void mPopUpRestore_Click();
    void mPopUpMin_Click();
    // Removes the icon, on every path that ends the program.
    void remove();
    // Hides the minimised main window, which the icon brings back. Without a tray on the
    // desktop it stays minimised in the task bar instead, so that it can always be reached.
    void hideToTray();

    // The icon as last set; nothing before the first Set_TrayIcon.
    std::optional<TrayIcon> TrayData;

private:
    void updateSkipForeground();

    Program& program_;
};

} // namespace dorvex
