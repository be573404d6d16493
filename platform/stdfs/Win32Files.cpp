// Files on Windows: handles, so that an append is one WriteFile on a handle that only appends and
// a replacement is a new file moved over the old one with MoveFileExW.
#include "platform/FileSystem.h"
#include "platform/stdfs/Leftovers.h"
#include "platform/stdfs/NativeFiles.h"

#include <windows.h>

#include <string>
#include <utility>

namespace dorvex {

namespace fs = std::filesystem;

namespace {

// A file handle, closed at the end unless close() reported on it before.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (*this) {
            ::CloseHandle(handle_);
        }
    }
    Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    // False when the system reports that something written was lost, or when already closed.
    bool close() {
        const HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        return handle != INVALID_HANDLE_VALUE && ::CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

Handle openFile(const fs::path& file, DWORD access, DWORD disposition) {
    return Handle(::CreateFileW(file.c_str(), access, shareAll, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Each round writes at least one byte, so the loop ends.
bool writeAll(HANDLE handle, std::string_view text) {
    while (!text.empty()) {
        DWORD written = 0;
        const DWORD chunk = text.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(text.size());
        if (!::WriteFile(handle, text.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        text.remove_prefix(written);
    }
    return true;
}

// A new file next to `file` that this call made: an existing name is never used.
Handle createTemporary(const fs::path& file, fs::path& temporary) {
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        temporary = temporaryName(file, ::GetCurrentProcessId(), attempt);
        Handle handle = openFile(temporary, GENERIC_WRITE, CREATE_NEW);
        if (handle || ::GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    return Handle(INVALID_HANDLE_VALUE);
}

// A process that may not be asked about counts as running.
bool processRuns(unsigned long process) {
    if (process == ::GetCurrentProcessId()) {
        return false;
    }
    const HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (handle == nullptr) {
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD status = 0;
    const bool runs = ::GetExitCodeProcess(handle, &status) && status == STILL_ACTIVE;
    ::CloseHandle(handle);
    return runs;
}

} // namespace

void createNew(const fs::path& file) {
    Handle handle = openFile(file, GENERIC_WRITE, CREATE_NEW);
    if (!handle || !handle.close()) {
        throw FileError("cannot create " + file.string());
    }
}

void appendWhole(const fs::path& file, std::string_view text) {
    // Append-only access: the system puts every write at the end, also with other writers.
    Handle stream = openFile(file, FILE_APPEND_DATA | SYNCHRONIZE, OPEN_EXISTING);
    if (!stream) {
        throw FileError("cannot open " + file.string());
    }
    DWORD written = 0;
    // One write, so that entries of several processes never interleave.
    const bool whole = text.size() <= MAXDWORD &&
                       ::WriteFile(stream.get(), text.data(), static_cast<DWORD>(text.size()),
                                   &written, nullptr) &&
                       written == text.size();
    if (!whole) {
        // A full disk took part of the entry: it goes again, so that the next entry starts on a
        // line of its own. The write ended where the handle's position now stands.
        LARGE_INTEGER end{};
        if (written > 0 && ::SetFilePointerEx(stream.get(), {}, &end, FILE_CURRENT)) {
            Handle cut = openFile(file, GENERIC_WRITE, OPEN_EXISTING);
            LARGE_INTEGER start{};
            start.QuadPart = end.QuadPart - written;
            static_cast<void>(cut && ::SetFilePointerEx(cut.get(), start, nullptr, FILE_BEGIN) &&
                              ::SetEndOfFile(cut.get()));
        }
        throw FileError("cannot write " + file.string());
    }
    if (!stream.close()) {
        throw FileError("cannot write " + file.string());
    }
}

void replaceWhole(const fs::path& file, std::string_view text) {
    std::error_code error;
    if (fs::is_directory(file, error)) {
        throw FileError("cannot write " + file.string());
    }
    fs::path temporary;
    Handle stream = createTemporary(file, temporary);
    if (!stream) {
        throw FileError("cannot create a file next to " + file.string());
    }
    // Flushed before the move, so that the new name never stands for a file still in the cache.
    const bool written = writeAll(stream.get(), text) && ::FlushFileBuffers(stream.get()) &&
                         stream.close() &&
                         ::MoveFileExW(temporary.c_str(), file.c_str(),
                                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        stream.close();
        ::DeleteFileW(temporary.c_str());
        throw FileError("cannot write " + file.string());
    }
}

void removeLeftovers(const fs::path& file) {
    removeLeftoversOf(file, processRuns);
}

} // namespace dorvex
