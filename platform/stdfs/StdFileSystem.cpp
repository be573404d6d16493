#include "platform/stdfs/StdFileSystem.h"
#include "platform/AsciiCase.h"
#include "platform/stdfs/NativeFiles.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace dorvex {

namespace fs = std::filesystem;

namespace {

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
    createNew(resolve(path));
}

void StdFileSystem::append(std::string_view path, std::string_view text) {
    const fs::path file = resolve(path);
    if (!fileExists(path)) {
        throw FileError("no such file: " + file.string());
    }
    appendWhole(file, text);
}

void StdFileSystem::replace(std::string_view path, std::string_view text) {
    replaceWhole(resolve(path), text);
}

void StdFileSystem::removeLeftovers(std::string_view path) {
    dorvex::removeLeftovers(resolve(path));
}

} // namespace dorvex
