#include "tests/linux/ChildProcess.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace dorvex::test {

using Clock = std::chrono::steady_clock;

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
    // setpriv ends the program with the thread that started it, also when the test is killed; env
    // puts the variables in place. Both run the program in their own process.
    std::vector<std::string> command{"setpriv", "--pdeathsig", "TERM", "env"};
    command.insert(command.end(), environment.begin(), environment.end());
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    // Returns once the child runs setpriv: nothing of this process is left in it then.
    const int failed = posix_spawnp(&pid_, argv.front(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    output_ = ends[0];
    if (failed != 0) {
        ::close(output_);
        throw std::runtime_error("cannot start " + arguments.front());
    }
}

ChildProcess::~ChildProcess() {
    stop();
    ::close(output_);
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    std::size_t end;
    while ((end = buffered_.find('\n')) == std::string::npos) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd ready{output_, POLLIN, 0};
        char chunk[4096];
        ssize_t got = 0;
        if (::poll(&ready, 1, static_cast<int>(std::max<long long>(left.count(), 0))) <= 0 ||
            (got = ::read(output_, chunk, sizeof chunk)) <= 0) {
            return std::nullopt;
        }
        buffered_.append(chunk, static_cast<std::size_t>(got));
    }
    std::string line = buffered_.substr(0, end);
    buffered_.erase(0, end + 1);
    return line;
}

std::optional<int> ChildProcess::wait(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    int status = 0;
    while (!status_ && Clock::now() < deadline) {
        const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
        if (ended == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        } else if (ended < 0) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

void ChildProcess::kill(int signal) {
    if (!status_) {
        ::kill(pid_, signal);
    }
}

void ChildProcess::stop() {
    kill(SIGTERM);
    if (!wait(std::chrono::seconds(1))) {
        kill(SIGKILL);
        wait(std::chrono::seconds(5));
    }
}

CommandResult runCommand(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment,
                         std::chrono::milliseconds limit) {
    ChildProcess child(arguments, environment);
    const auto deadline = Clock::now() + limit;
    CommandResult result;
    while (const auto line = child.readLine(
               std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()))) {
        result.output += *line + "\n";
    }
    result.status = child.wait(std::chrono::milliseconds(100)).value_or(-1);
    return result;
}

} // namespace dorvex::test
