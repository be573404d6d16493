// Files on POSIX systems: descriptors, so that an append is one write(2) and a replacement is a
// rename(2) of a new file made with O_EXCL | O_NOFOLLOW.
#include "platform/FileSystem.h"
#include "platform/stdfs/Leftovers.h"
#include "platform/stdfs/NativeFiles.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dorvex {

namespace fs = std::filesystem;

namespace {

// A file descriptor, closed at the end unless close() reported on it before.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return descriptor_; }
    explicit operator bool() const { return descriptor_ >= 0; }
    // False when the system reports that something written was lost.
    bool close() { return ::close(std::exchange(descriptor_, -1)) == 0; }
    // Writes everything out to the disk first.
    bool syncAndClose() {
        const bool synced = ::fsync(descriptor_) == 0;
        return close() && synced;
    }

private:
    int descriptor_;
};

// Each round writes at least one byte, so the loop ends.
bool writeAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file next to `file` that this call made: a name planted there, also as a link, is never
// used. Gets the mode a file made by the program would have.
Descriptor createTemporary(const fs::path& file, fs::path& temporary) {
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        temporary = temporaryName(file, static_cast<unsigned long>(::getpid()), attempt);
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            return Descriptor(descriptor);
        }
    }
    return Descriptor(-1);
}

// Writes the text to a new file, with the mode of the file it replaces, and renames it over
// `file`; the new file never stays behind on failure.
void replaceByRename(const fs::path& file, std::optional<mode_t> mode, std::string_view text) {
    fs::path temporary;
    Descriptor stream = createTemporary(file, temporary);
    if (!stream) {
        throw FileError("cannot create a file next to " + file.string());
    }
    const bool written = writeAll(stream.get(), text) &&
                         (!mode || ::fchmod(stream.get(), *mode) == 0) && stream.syncAndClose() &&
                         ::rename(temporary.c_str(), file.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
        throw FileError("cannot write " + file.string());
    }
    // Makes the new name last on the disk too.
    Descriptor folder(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder || !folder.syncAndClose()) {
        throw FileError("cannot write " + file.parent_path().string());
    }
}

// Another user's process counts as running too.
bool processRuns(unsigned long process) {
    return process <= static_cast<unsigned long>(INT_MAX) && process != 0 &&
           static_cast<pid_t>(process) != ::getpid() &&
           (::kill(static_cast<pid_t>(process), 0) == 0 || errno == EPERM);
}

// The file that a replacement of `path` writes: a link's target.
fs::path replacedFile(const fs::path& path) {
    std::error_code error;
    const fs::path file = fs::weakly_canonical(path, error);
    if (error) {
        throw FileError("cannot find " + path.string());
    }
    return file;
}

} // namespace

void createNew(const fs::path& file) {
    Descriptor stream(
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (!stream || !stream.close()) {
        throw FileError("cannot create " + file.string());
    }
}

void appendWhole(const fs::path& file, std::string_view text) {
    Descriptor stream(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY));
    if (!stream) {
        throw FileError("cannot open " + file.string());
    }
    // One write, so that entries of several processes never interleave.
    const ssize_t written = ::write(stream.get(), text.data(), text.size());
    if (written != static_cast<ssize_t>(text.size())) {
        // A full disk took part of the entry: it goes again, so that the next entry starts on a
        // line of its own. The write ended where the descriptor's offset now stands.
        if (written > 0) {
            const off_t end = ::lseek(stream.get(), 0, SEEK_CUR);
            static_cast<void>(::ftruncate(stream.get(), end - written));
        }
        throw FileError("cannot write " + file.string());
    }
    if (!stream.close()) {
        throw FileError("cannot write " + file.string());
    }
}

void replaceWhole(const fs::path& path, std::string_view text) {
    // A link stays; its target is rewritten.
    const fs::path file = replacedFile(path);
    // A file the user may not write to stays as it is, although its folder may take a new one.
    Descriptor existing(
        ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (existing ? ::fstat(existing.get(), &status) != 0 || !S_ISREG(status.st_mode)
                 : errno != ENOENT) {
        throw FileError("cannot write " + file.string());
    }
    // Only a new file renamed over the old one leaves the old or the new whole, whenever the
    // process is stopped: a folder that takes no new file keeps the file as it is.
    replaceByRename(file, existing ? std::optional(status.st_mode & 07777) : std::nullopt, text);
}

void removeLeftovers(const fs::path& path) {
    try {
        removeLeftoversOf(replacedFile(path), processRuns);
    } catch (const FileError&) {
        // Nothing to find, so nothing to remove.
    }
}

} // namespace dorvex
