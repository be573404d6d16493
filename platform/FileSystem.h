#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dorvex {

// A file operation that did not succeed; what() names the cause.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The program's files. Paths are relative to the program's folder and use '/'. The program's own
// names are matched without regard to letter case, as they are on the system it comes from.
// Text is kept byte for byte; lines are written with CR LF and read up to CR LF or LF.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool folderExists(std::string_view path) const = 0;
    virtual bool fileExists(std::string_view path) const = 0;
    // False when the folder's entries may not be looked up, so that a file in it can be neither
    // found nor missed.
    virtual bool folderSearchable(std::string_view path) const = 0;
    // The lines of a text file, without their line ends. Throws FileError.
    virtual std::vector<std::string> readLines(std::string_view path) const = 0;
    // Creates a new empty file, replacing nothing that exists. Throws FileError.
    virtual void createFile(std::string_view path) = 0;
    // Appends the text to an existing file in one write; a write cut short, by a full disk, is
    // taken back. Throws FileError, also when the file does not exist.
    virtual void append(std::string_view path, std::string_view text) = 0;
    // Replaces the file's content, or a link's target's, in one atomic step: on failure, and
    // whenever the process is stopped, the old content stays whole. A folder that takes no new
    // file is a failure. Throws FileError.
    virtual void replace(std::string_view path, std::string_view text) = 0;
    // Removes the new files that replacements of the file stopped halfway (a crash, a power
    // cut) left beside it; those of a process still running stay. Never throws.
    virtual void removeLeftovers(std::string_view path) = 0;
};

} // namespace dorvex
