#include "platform/linux/LinuxProcessPriority.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace dorvex {

namespace {

constexpr int highestPriority = -20;

// On Linux a nice value belongs to one thread. The first value the system accepts, counting from
// the highest priority, is the highest the user may have; a refusal of all leaves it as it is.
void raise(id_t thread) {
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (errno != 0) {
        return;
    }
    for (int nice = highestPriority; nice < current; ++nice) {
        if (::setpriority(PRIO_PROCESS, thread, nice) == 0) {
            return;
        }
    }
}

} // namespace

void LinuxProcessPriority::raiseThreadPriority() {
    raise(static_cast<id_t>(::gettid()));
}

void LinuxProcessPriority::raiseProcessPriority() {
    std::error_code error;
    for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        id_t thread = 0;
        if (std::from_chars(name.data(), name.data() + name.size(), thread).ec == std::errc{}) {
            raise(thread);
        }
    }
}

} // namespace dorvex
