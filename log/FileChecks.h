#pragma once

#include <cstdint>
#include <string_view>

namespace dorvex {

class Program;

// Existence checks for the program's folders and installation files, each ending the program
// with a reinstall message when the item is missing; and the program error message.
class FileChecks {
public:
    explicit FileChecks(Program& program) : program_(program) {}

    // Returns only when the folder exists. The name is also the name shown.
    void Check_Dir(std::string_view name);
    // Tells that the folder is missing and ends the program.
    [[noreturn]] void missingDirectory(std::string_view name);
    // Returns only when directory + fileName is a file; directory ends in "/".
    void Check_File(std::string_view description, std::string_view directory,
                    std::string_view fileName);
    // Reports an unexpected error; the program goes on.
    void ProgramErrorMessage(std::int32_t number, std::string_view description);

private:
    Program& program_;
};

} // namespace dorvex
