#include "platform/fake/FakePlatform.h"

namespace dorvex {

FakePlatform::FakePlatform(const std::filesystem::path& folder, FakeMutexRegistry& session,
                           LocalDateTime start)
    : clock(start), files(folder), mutexes(session) {
    // The system closes a process's handles when it ends.
    process.onExit = [this] { mutexes.closeAll(); };
}

Platform FakePlatform::platform() {
    return {clock, files,    mutexes,   process, priority,    windows, systemTimes, input,
            power, accounts, osVersion, urls,    signSources, notices, systemLog,   statusRequests};
}

} // namespace dorvex
