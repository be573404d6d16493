#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace dorvex::test {

// A program started by a test: its standard output is read through a pipe, and it is stopped at
// the latest when the object goes, or when the thread that started it ends.
class ChildProcess {
public:
    // Starts `arguments[0]` (searched on PATH) with `environment` ("NAME=value") replacing or
    // adding to this process's variables; returns once the child process runs, when nothing of
    // this process is left in it.
    explicit ChildProcess(const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of its standard output without the line end, waiting at most `limit`.
    std::optional<std::string> readLine(std::chrono::milliseconds limit);
    // The exit status (128 + signal when killed), waiting at most `limit` for the end.
    std::optional<int> wait(std::chrono::milliseconds limit);
    void kill(int signal);
    // SIGTERM, then SIGKILL when it has not ended within a second; reaped either way.
    void stop();

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffered_;
    std::optional<int> status_;
};

struct CommandResult {
    int status = -1; // -1 when it did not end in time and was killed
    std::string output;
};

// Runs a command to its end, reading its output line by line; it is killed after `limit`.
CommandResult runCommand(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment = {},
                         std::chrono::milliseconds limit = std::chrono::seconds(20));

} // namespace dorvex::test
