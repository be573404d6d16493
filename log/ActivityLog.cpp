#include "log/ActivityLog.h"

#include "app/Program.h"
#include "log/LogEntry.h"

namespace dorvex {

namespace {

const std::string crlf = "\r\n";

} // namespace

void ActivityLog::Write_Log(std::int16_t code, std::string_view text1, std::string_view text2) {
    auto& files = program_.platform.files;
    const RunState& run = program_.state.run;
    // The whole entry, line break included, goes out in one append, so that entries of two
    // instances never interleave.
    const std::string entry = logEntryText({code, text1, text2, run.TestMode, run.PhaseSeconds,
                                            program_.platform.clock.now()},
                                           program_.platform.clock) +
                              crlf;

    program_.fileChecks.Check_Dir("Log");
    std::string_view action = "create";
    bool missing = false;
    try {
        if (code == 0 && !files.fileExists(path)) {
            files.createFile(path);
            files.append(path, entry);
        }
        action = "write to";
        if (!files.fileExists(path)) {
            // A folder that may not be searched hides the file: a permissions problem.
            if (!files.folderSearchable("Log")) {
                throw FileError("the Log folder may not be searched");
            }
            missing = true;
        } else if (code != 0) {
            files.append(path, entry);
        }
    } catch (const FileError&) {
        program_.endAfterMessage(std::string(AppName) + " Log File Write Error",
                                 "Unable to " + std::string(action) + " the log file DorvexL.log." +
                                     crlf + "This may be a permissions problem." + crlf +
                                     "The program will now terminate.",
                                 MessageIcon::Exclamation);
    }
    if (missing) {
        program_.endAfterMessage(std::string(AppName) + " Log File Error",
                                 "The log file is either missing or" + crlf +
                                     "corrupted. Delete the log file if" + crlf +
                                     "it exists and restart the program." + crlf +
                                     "The program will now terminate.",
                                 MessageIcon::Exclamation);
    }
}

} // namespace dorvex
