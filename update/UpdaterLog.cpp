#include "update/UpdaterLog.h"

#include "app/Program.h"
#include "log/DateText.h"

namespace dorvex {

namespace {

const std::string crlf = "\r\n";
const char* const logName = "Updater.log";

} // namespace

bool UpdaterLog::switchedOn() const {
    return program_.platform.files.fileExists(program_.state.LogDir + "LogOn.txt");
}

std::string UpdaterLog::path() const {
    return program_.state.LogDir + logName;
}

// Ends the program; the tray icon stays, as after every updater log failure.
void UpdaterLog::fatal(const std::string& title, const std::string& firstLine) {
    program_.endAfterMessage(title,
                             firstLine + crlf + "This may be a permissions problem." + crlf +
                                 "The program will now terminate.",
                             MessageIcon::Exclamation, false);
}

void UpdaterLog::Init_UpdaterLog() {
    program_.fileChecks.Check_Dir("log");
    FileSystem& files = program_.platform.files;
    try {
        if (files.fileExists(path())) {
            return;
        }
        files.createFile(path());
        // The real version, also under the switches that make the check report another one.
        const std::string header =
            "Updater" + crlf + "Version " + std::to_string(VersionMajor) + "." +
            std::to_string(VersionMinor) + crlf + "File Created" + crlf +
            dateTimeText(program_.platform.clock.now(), program_.platform.clock) + crlf + crlf;
        files.append(path(), header + crlf);
    } catch (const FileError&) {
        fatal("Updater Log File Error", "Unable to create the log file Updater.log.");
    }
}

void UpdaterLog::Write_UpdaterLog(const std::string& text) {
    if (!switchedOn()) {
        return;
    }
    program_.fileChecks.Check_File("log", program_.state.LogDir, logName);
    try {
        program_.platform.files.append(path(), text + crlf);
    } catch (const FileError&) {
        fatal("Updater Log File Write Error", "Unable to write to the log file Updater.log.");
    }
}

} // namespace dorvex
