#include "platform/linux/FlockNamedMutexes.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dorvex {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::filesystem::path runtimeFolder() {
    const std::string folder = environment("XDG_RUNTIME_DIR");
    return folder.empty() ? std::filesystem::path("/tmp") : std::filesystem::path(folder);
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

FlockNamedMutexes::FlockNamedMutexes() : FlockNamedMutexes(runtimeFolder(), sessionName()) {}

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
    // Not inherited: a program started from here must not keep the mutex alive.
    const int descriptor = ::open(lockFile(name).c_str(),
                                  O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (descriptor < 0) {
        return {};
    }
    // An exclusive lock is granted only when no other descriptor holds one. The kernel turns it
    // into a shared lock without letting anyone in between.
    const bool alreadyExists = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    if (alreadyExists && errno != EWOULDBLOCK) {
        ::close(descriptor);
        return {};
    }
    // Waits at most for another creator between its two steps.
    if (::flock(descriptor, LOCK_SH) != 0) {
        ::close(descriptor);
        return {};
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
