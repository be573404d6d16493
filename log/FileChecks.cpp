#include "log/FileChecks.h"

#include "app/Program.h"

#include <cctype>

namespace dorvex {

namespace {

const std::string crlf = "\r\n";

} // namespace

void FileChecks::Check_Dir(std::string_view name) {
    if (program_.platform.files.folderExists(name)) {
        return;
    }
    missingDirectory(name);
}

void FileChecks::missingDirectory(std::string_view name) {
    const std::string shown(name);
    program_.endAfterMessage(std::string(AppName) + " " + shown + " Directory Error",
                             "The " + shown + " directory does not exist." + crlf +
                                 "To restore the " + shown + " directory" + crlf +
                                 "reinstall the program." + crlf +
                                 "The program will now terminate.",
                             MessageIcon::Stop);
}

void FileChecks::Check_File(std::string_view description, std::string_view directory,
                            std::string_view fileName) {
    if (program_.platform.files.fileExists(std::string(directory) + std::string(fileName))) {
        return;
    }
    std::string titleWord(description);
    if (!titleWord.empty()) {
        titleWord[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(titleWord[0])));
    }
    program_.endAfterMessage(std::string(AppName) + " " + titleWord + " File Error",
                             "The " + std::string(description) + " file is either missing" + crlf +
                                 "or corrupted. Reinstall the program" + crlf +
                                 "to restore the file." + crlf + "The program will now terminate.",
                             MessageIcon::Stop);
}

void FileChecks::ProgramErrorMessage(std::int32_t number, std::string_view description) {
    program_.messageBox(std::string(AppName) + " Error",
                        "A program error has occured" + crlf +
                            "Error Number: " + std::to_string(number) + crlf +
                            "Error description: " + std::string(description),
                        MessageIcon::None);
}

} // namespace dorvex
