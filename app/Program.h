#pragma once

#include "app/MainWindowLoad.h"
#include "app/MdMult.h"
#include "app/MultiInst.h"
#include "app/ProgramState.h"
#include "app/ResetExit.h"
#include "app/Version.h"
#include "config/ConfigFile.h"
#include "config/FixedTimeEntry.h"
#include "log/ActivityLog.h"
#include "log/FileChecks.h"
#include "monitor/ActivitySampling.h"
#include "monitor/MainTick.h"
#include "platform/Platform.h"
#include "shutdown/MdShut.h"
#include "shutdown/ShutdownCountdown.h"
#include "shutdown/TimedMsgBox.h"
#include "ui/AdminHelpers.h"
#include "ui/DorvexLMain.h"
#include "ui/FrmAbout.h"
#include "ui/RunDisplay.h"
#include "ui/Tray.h"
#include "update/FrmUpdater.h"
#include "update/UpdateCommands.h"
#include "update/UpdaterLog.h"

#include <functional>
#include <string>

namespace dorvex {

// One running instance of Dorvex Zede: its state, its parts and its windows. Everything runs on
// one thread, one event at a time, through dispatch().
class Program {
public:
    explicit Program(Platform& platform);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the entry routine with the command line's argument text (the arguments without the
    // program path).
    void start(std::string argumentText);

    // Runs one event's handler. An end of the process raised inside ends the process here;
    // afterwards the windows are brought in line with their models. After the end, events are
    // ignored.
    void dispatch(const std::function<void()>& handler);

    // A modal message box. It runs the event loop: events go on while it is open; when the
    // process was ended meanwhile, the end goes on from here.
    void messageBox(const std::string& title, const std::string& text, MessageIcon icon);
    void timedMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                         int milliseconds);
    // The window's popup menu; returns the chosen item's name, or nothing when dismissed. It runs
    // the event loop: events go on while it is open; when the process was ended meanwhile, the
    // end goes on from here.
    std::string popupMenu(WindowModel& window);

    // The end of every fatal path: the main timer stops so that no tick runs behind the box, the
    // box shows (running the event loop), the tray icon goes (unless told otherwise) and the
    // process ends with status 1.
    [[noreturn]] void endAfterMessage(const std::string& title, const std::string& text,
                                      MessageIcon icon, bool removeTrayIcon = true);
    [[noreturn]] void endProcess(int status);
    // The system asks the program to end (a termination signal, the end of the session): the
    // unload of the Exit button, in every mode and for every user, with status 0. While the box of
    // a fatal path is open, the box closes and the program ends with that path's status 1.
    void endOnRequest();

    bool ended() const { return ended_; }
    int exitStatus() const { return exitStatus_; }
    const std::string& argumentText() const { return argumentText_; }
    // Administrator rights, unless "-InhibitAdmin" takes them away.
    bool Is_Admin();

    Platform& platform;
    ProgramState state;
    FileChecks fileChecks{*this};
    ActivityLog activityLog{*this};
    ConfigFile configFile{*this};
    FixedTimeEntry fixedTimeEntry{*this};
    MdMult mdMult{*this};
    MainWindowLoad mainWindowLoad{*this};
    ResetExit resetExit{*this};
    RunDisplay runDisplay{*this};
    Tray tray{*this};
    AdminHelpers adminHelpers{*this};
    UpdateCommands updateCommands{*this};
    UpdaterLog updaterLog{*this};
    ActivitySampling sampling{*this};
    MainTick mainTick{*this};
    MdShut mdShut{*this};
    TimedMsgBox timedMsgBox{*this};
    ShutdownCountdown shutdownCountdown{*this};
    DorvexLMain mainWindow{*this};
    FrmAbout aboutBox{*this};
    FrmUpdater updateWindow{*this};
    MultiInst multiInst{*this};

private:
    void finish(int status);
    void reportUnexpectedError(const std::string& text);
    void afterModal();

    bool ended_ = false;
    bool endingAfterMessage_ = false;
    int exitStatus_ = 0;
    std::string argumentText_;
};

} // namespace dorvex
