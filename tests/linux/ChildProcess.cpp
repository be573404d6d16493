#include "tests/linux/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace dorvex::test {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& changes) {
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        merged.emplace_back(*entry);
    }
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('=') + 1);
        std::erase_if(merged, [&](const std::string& entry) { return entry.starts_with(name); });
        merged.push_back(change);
    }
    return merged;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

int milliseconds(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(left.count(), 0));
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, Output output) {
    // The output, and a pipe that the start closes: the constructor returns once the program
    // runs, when nothing of this process is left in the child.
    int outputEnds[2] = {-1, -1};
    int startEnds[2] = {-1, -1};
    if (::pipe2(outputEnds, O_CLOEXEC) != 0 || ::pipe2(startEnds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environmentCopy = mergedEnvironment(environment);
    const std::vector<char*> argv = pointers(argumentCopy);
    const std::vector<char*> envp = pointers(environmentCopy);
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // Ends with the thread that started it, also when the test is killed.
        if (::prctl(PR_SET_PDEATHSIG, SIGTERM) == 0 && ::getppid() == parent) {
            const int target =
                output == Output::Capture ? outputEnds[1] : ::open("/dev/null", O_WRONLY);
            ::dup2(target, STDOUT_FILENO);
            if (output == Output::Discard) {
                ::dup2(target, STDERR_FILENO);
            }
            ::execvpe(argv.front(), argv.data(), envp.data());
        }
        const int error = errno;
        [[maybe_unused]] const ssize_t told = ::write(startEnds[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(outputEnds[1]);
    ::close(startEnds[1]);
    output_ = outputEnds[0];
    int error = 0;
    const bool started = pid_ > 0 && ::read(startEnds[0], &error, sizeof error) == 0;
    ::close(startEnds[0]);
    if (!started) {
        wait(std::chrono::seconds(5));
        ::close(output_);
        throw std::runtime_error("cannot start " + arguments.front() + ": " + std::strerror(error));
    }
}

ChildProcess::~ChildProcess() {
    stop();
    ::close(output_);
}

bool ChildProcess::readMore(Clock::time_point deadline) {
    pollfd ready{output_, POLLIN, 0};
    if (::poll(&ready, 1, milliseconds(deadline)) <= 0) {
        return false;
    }
    char chunk[4096];
    const ssize_t got = ::read(output_, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    buffered_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    std::size_t end;
    while ((end = buffered_.find('\n')) == std::string::npos) {
        if (!readMore(deadline)) {
            return std::nullopt;
        }
    }
    std::string line = buffered_.substr(0, end);
    buffered_.erase(0, end + 1);
    return line;
}

std::string ChildProcess::readAll(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (readMore(deadline)) {
    }
    return std::exchange(buffered_, {});
}

std::optional<int> ChildProcess::wait(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    while (!status_) {
        int status = 0;
        const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
        if (ended == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        } else if (ended < 0 || Clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
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
    CommandResult result;
    result.output = child.readAll(limit);
    result.status = child.wait(std::chrono::milliseconds(100)).value_or(-1);
    return result;
}

} // namespace dorvex::test
