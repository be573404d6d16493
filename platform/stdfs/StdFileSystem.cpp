#include "platform/stdfs/StdFileSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dorvex {

namespace fs = std::filesystem;

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
        auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
        return lower(x) == lower(y);
    });
}

// The existing entry of `folder` whose name matches `name` in any letter case; the exact name
// wins, then the first in name order, so the choice does not depend on the directory's order.
fs::path findEntry(const fs::path& folder, std::string_view name) {
    std::error_code error;
    fs::path exact = folder / fs::path(std::string(name));
    if (fs::exists(fs::symlink_status(exact, error))) {
        return exact;
    }
    fs::path best;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path candidate = it->path();
        if (equalsIgnoringCase(candidate.filename().string(), name) &&
            (best.empty() || candidate < best)) {
            best = candidate;
        }
    }
    return best.empty() ? exact : best;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr open(const fs::path& path, const char* mode) {
    return FilePtr(std::fopen(path.string().c_str(), mode));
}

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
        temporary = file;
        temporary += ".new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            return Descriptor(descriptor);
        }
    }
    return Descriptor(-1);
}

// Writes the text to a new file, with the mode of the file it replaces, and renames it over
// `file`; false, with nothing changed, when the folder cannot take a new file.
bool replaceByRename(const fs::path& file, std::optional<mode_t> mode, std::string_view text) {
    fs::path temporary;
    Descriptor stream = createTemporary(file, temporary);
    if (!stream) {
        if (errno == EACCES || errno == EPERM) {
            return false;
        }
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
    return true;
}

void closeChecked(FilePtr file, const fs::path& path) {
    if (std::fclose(file.release()) != 0) {
        throw FileError("cannot write " + path.string());
    }
}

} // namespace

StdFileSystem::StdFileSystem(fs::path base) : base_(std::move(base)) {}

fs::path StdFileSystem::resolve(std::string_view path) const {
    fs::path result = base_;
    while (!path.empty()) {
        const auto slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view{} : path.substr(slash + 1);
        if (!name.empty()) {
            result = findEntry(result, name);
        }
    }
    return result;
}

bool StdFileSystem::folderExists(std::string_view path) const {
    std::error_code error;
    return fs::is_directory(resolve(path), error);
}

bool StdFileSystem::fileExists(std::string_view path) const {
    std::error_code error;
    return fs::is_regular_file(resolve(path), error);
}

bool StdFileSystem::folderSearchable(std::string_view path) const {
    std::error_code error;
    static_cast<void>(fs::status(resolve(path) / ".", error));
    return error != std::errc::permission_denied;
}

std::vector<std::string> StdFileSystem::readLines(std::string_view path) const {
    const fs::path file = resolve(path);
    std::error_code error;
    // Only regular files: a folder, a pipe or a device could not be read or would never end.
    if (!fs::is_regular_file(file, error)) {
        throw FileError("not a file: " + file.string());
    }
    const auto size = fs::file_size(file, error);
    if (error || size > maxReadSize) {
        throw FileError("cannot read " + file.string());
    }
    FilePtr stream = open(file, "rb");
    if (!stream) {
        throw FileError("cannot open " + file.string());
    }
    std::string content;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, stream.get())) > 0;) {
        content.append(buffer, got);
        if (content.size() > maxReadSize) {
            throw FileError("cannot read " + file.string());
        }
    }
    if (std::ferror(stream.get())) {
        throw FileError("cannot read " + file.string());
    }

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        const bool lastLine = end == std::string::npos;
        if (lastLine) {
            end = content.size();
        }
        auto lineEnd = end;
        if (!lastLine && lineEnd > start && content[lineEnd - 1] == '\r') {
            --lineEnd;
        }
        lines.emplace_back(content, start, lineEnd - start);
        start = end + 1;
    }
    return lines;
}

void StdFileSystem::createFile(std::string_view path) {
    const fs::path file = resolve(path);
    FilePtr stream = open(file, "wbx");
    if (!stream) {
        throw FileError("cannot create " + file.string());
    }
    closeChecked(std::move(stream), file);
}

void StdFileSystem::append(std::string_view path, std::string_view text) {
    const fs::path file = resolve(path);
    if (!fileExists(path)) {
        throw FileError("no such file: " + file.string());
    }
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

void StdFileSystem::replace(std::string_view path, std::string_view text) {
    std::error_code error;
    // A link stays; its target is rewritten.
    const fs::path file = fs::weakly_canonical(resolve(path), error);
    if (error) {
        throw FileError("cannot find " + resolve(path).string());
    }
    // A file the user may not write to stays as it is, as if it had been written in place.
    Descriptor existing(
        ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
    struct stat status {};
    if (existing ? ::fstat(existing.get(), &status) != 0 || !S_ISREG(status.st_mode)
                 : errno != ENOENT) {
        throw FileError("cannot write " + file.string());
    }
    if (replaceByRename(file, existing ? std::optional(status.st_mode & 07777) : std::nullopt,
                        text)) {
        return;
    }
    // The folder takes no new file but the file may be written: rewritten in place.
    if (!existing || ::ftruncate(existing.get(), 0) != 0 || !writeAll(existing.get(), text) ||
        !existing.syncAndClose()) {
        throw FileError("cannot write " + file.string());
    }
}

} // namespace dorvex
