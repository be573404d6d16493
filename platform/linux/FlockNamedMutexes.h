#pragma once

#include "platform/NamedMutexes.h"

#include <filesystem>
#include <map>
#include <string>

namespace dorvex {

// Named mutexes as locks on files, one file per name and logon session. Every handle is a file
// descriptor of its own holding a shared lock; the mutex exists while any descriptor, in any
// process, holds one, and the kernel drops the locks of a process that dies.
class FlockNamedMutexes : public NamedMutexes {
public:
    // Files in $XDG_RUNTIME_DIR for the session in $XDG_SESSION_ID (or, without it, for all
    // sessions of the user). Without a runtime folder they go to /run/user/<uid> when it is the
    // user's alone, else to a folder dorvex-<uid> below the temporary folder that only the user
    // may use. A lock file must be a regular file of the user's own: anything else in its place
    // is refused with MutexError, never waited for.
    FlockNamedMutexes();
    FlockNamedMutexes(std::filesystem::path folder, std::string session);
    ~FlockNamedMutexes() override;
    FlockNamedMutexes(const FlockNamedMutexes&) = delete;
    FlockNamedMutexes& operator=(const FlockNamedMutexes&) = delete;

    MutexCreation create(std::string_view name) override;
    void close(KernelHandle handle) override;

    std::filesystem::path lockFile(std::string_view name) const;

private:
    std::filesystem::path folder_;
    std::string session_;
    bool ownFolder_ = false; // made and checked before use
    std::map<KernelHandle, int> descriptors_;
    KernelHandle nextHandle_ = 1;
};

} // namespace dorvex
