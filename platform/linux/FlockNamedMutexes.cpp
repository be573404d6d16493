#include "platform/linux/FlockNamedMutexes.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace dorvex {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A folder that only the user can enter: nobody else can plant a file in it.
bool isPrivateFolder(const std::filesystem::path& folder) {
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid() && (status.st_mode & (S_IRWXG | S_IRWXO)) == 0;
}

// The session's runtime folder; without one the user's folder in /run/user, else a folder of the
// user's own below the temporary folder, which must be checked before use.
std::pair<std::filesystem::path, bool> runtimeFolder() {
    const std::string folder = environment("XDG_RUNTIME_DIR");
    if (!folder.empty()) {
        return {folder, false};
    }
    const std::string uid = std::to_string(::geteuid());
    if (isPrivateFolder("/run/user/" + uid)) {
        return {"/run/user/" + uid, false};
    }
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    return {(error ? std::filesystem::path("/tmp") : temporary) / ("dorvex-" + uid), true};
}

MutexError refusal(const std::filesystem::path& path, std::string_view what) {
    return MutexError("The lock " + path.string() + " " + std::string(what) +
                      ". Remove it, or end what holds it, and start again.");
}

// A creator holds the exclusive lock only between its two steps; longer, it is not one of ours.
bool lockShared(int descriptor) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::flock(descriptor, LOCK_SH | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Without a session id the mutex covers every session of the user, which is as narrow as the
// system can tell.
std::string sessionName() {
    const std::string session = environment("XDG_SESSION_ID");
    return session.empty() ? "uid-" + std::to_string(::getuid()) : "session-" + session;
}

// Only characters that are safe in a file name.
std::string fileNamePart(std::string_view text) {
    std::string part(text);
    std::ranges::replace_if(
        part, [](unsigned char c) { return !std::isalnum(c) && c != '-' && c != '_' && c != '.'; },
        '_');
    return part;
}

} // namespace

FlockNamedMutexes::FlockNamedMutexes() : session_(sessionName()) {
    std::tie(folder_, ownFolder_) = runtimeFolder();
}

FlockNamedMutexes::FlockNamedMutexes(std::filesystem::path folder, std::string session)
    : folder_(std::move(folder)), session_(std::move(session)) {}

FlockNamedMutexes::~FlockNamedMutexes() {
    for (const auto& [handle, descriptor] : descriptors_) {
        ::close(descriptor);
    }
}

std::filesystem::path FlockNamedMutexes::lockFile(std::string_view name) const {
    return folder_ / (fileNamePart(name) + "." + fileNamePart(session_) + ".lock");
}

MutexCreation FlockNamedMutexes::create(std::string_view name) {
    if (ownFolder_) {
        // Made on first use; whoever made it, it must be the user's alone.
        ::mkdir(folder_.c_str(), 0700);
        if (!isPrivateFolder(folder_)) {
            throw refusal(folder_, "is not a folder that only this user may use");
        }
    }
    const std::filesystem::path file = lockFile(name);
    // Not inherited: a program started from here must not keep the mutex alive. Neither a link
    // nor a pipe is followed or waited for.
    const int descriptor = ::open(
        file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    if (descriptor < 0) {
        if (errno == ENOENT) {
            return {}; // no folder to hold it
        }
        throw refusal(file, std::string("cannot be opened: ") + std::strerror(errno));
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != ::geteuid()) {
        ::close(descriptor);
        throw refusal(file, "is not a file of this user's own");
    }
    // An exclusive lock is granted only when no other descriptor holds one; it then becomes a
    // shared one. That change is not atomic: two starts in the same instant could both take
    // themselves for the first, which only a lock held through the whole start would rule out.
    const bool alreadyExists = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    if (alreadyExists && errno != EWOULDBLOCK) {
        ::close(descriptor);
        return {};
    }
    if (!lockShared(descriptor)) {
        ::close(descriptor);
        throw refusal(file, "is held by another process");
    }
    const KernelHandle handle = nextHandle_++;
    descriptors_.emplace(handle, descriptor);
    return {handle, alreadyExists};
}

void FlockNamedMutexes::close(KernelHandle handle) {
    const auto it = descriptors_.find(handle);
    if (it != descriptors_.end()) {
        ::close(it->second);
        descriptors_.erase(it);
    }
}

} // namespace dorvex
