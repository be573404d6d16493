#include "log/ActivityLog.h"

#include "app/Program.h"
#include "log/LogEntry.h"
#include "log/SystemLogCopy.h"

namespace dorvex {

namespace {

const std::string crlf = "\r\n";

// What became of an entry's append to the file.
enum class FileOutcome { Written, NoFolder, NotCreated, NotWritten, Missing };

FileOutcome appendToFile(FileSystem& files, std::int16_t code, const std::string& entry) {
    if (!files.folderExists("Log")) {
        return FileOutcome::NoFolder;
    }
    FileOutcome failure = FileOutcome::NotCreated;
    try {
        if (code == 0 && !files.fileExists(ActivityLog::path)) {
            files.createFile(ActivityLog::path);
            files.append(ActivityLog::path, entry);
        }
        failure = FileOutcome::NotWritten;
        if (!files.fileExists(ActivityLog::path)) {
            // A folder that may not be searched hides the file: a permissions problem.
            return files.folderSearchable("Log") ? FileOutcome::Missing : FileOutcome::NotWritten;
        }
        if (code != 0) {
            files.append(ActivityLog::path, entry);
        }
    } catch (const FileError&) {
        return failure;
    }
    return FileOutcome::Written;
}

// A log that cannot be written ends the program.
void reportFailure(Program& program, FileOutcome outcome) {
    switch (outcome) {
    case FileOutcome::Written:
        return;
    case FileOutcome::NoFolder:
        program.fileChecks.missingDirectory("Log");
    case FileOutcome::NotCreated:
    case FileOutcome::NotWritten:
        program.endAfterMessage(
            std::string(AppName) + " Log File Write Error",
            "Unable to " + std::string(outcome == FileOutcome::NotCreated ? "create" : "write to") +
                " the log file DorvexL.log." + crlf + "This may be a permissions problem." + crlf +
                "The program will now terminate.",
            MessageIcon::Exclamation);
    case FileOutcome::Missing:
        program.endAfterMessage(std::string(AppName) + " Log File Error",
                                "The log file is either missing or" + crlf +
                                    "corrupted. Delete the log file if" + crlf +
                                    "it exists and restart the program." + crlf +
                                    "The program will now terminate.",
                                MessageIcon::Exclamation);
    }
}

} // namespace

void ActivityLog::Write_Log(std::int16_t code, std::string_view text1, std::string_view text2) {
    const RunState& run = program_.state.run;
    const LogEntryInput input{
        code, text1, text2, run.TestMode, run.PhaseSeconds, program_.platform.clock.now()};
    const std::string text = logEntryText(input, program_.platform.clock);
    // The whole entry, line break included, goes out in one append, so that entries of two
    // instances never interleave.
    const FileOutcome outcome = appendToFile(program_.platform.files, code, text + crlf);
    // The system's log gets the entry whatever became of the file's, before a box ends the
    // program.
    copyToSystemLog(program_.platform.systemLog, input, text);
    reportFailure(program_, outcome);
}

} // namespace dorvex
