#include "platform/qt/EndRequests.h"

#include <QCoreApplication>
#include <QEvent>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace dorvex::qt {

namespace {

constexpr std::array watchedSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe from the signal handler to the event loop: [0] is read, [1] is written.
std::array<int, 2> signalPipe{-1, -1};

// Only what is safe in a handler: one byte into the pipe, which never blocks.
void onSignal(int /*signal*/) {
    const int savedErrno = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void handle(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

// A signal ignored from the start stays ignored, as "nohup" and the shell's background jobs ask.
bool ignored(int signal) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler == SIG_IGN;
}

} // namespace

EndRequests::EndRequests(std::function<void()> end) : end_(std::move(end)) {
    // Not inherited by the processes the program starts (the browser).
    if (::pipe2(signalPipe.data(), O_CLOEXEC | O_NONBLOCK) == 0) {
        notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this,
                         [this] { signalled(); });
        for (const int signal : watchedSignals) {
            if (!ignored(signal)) {
                handle(signal, onSignal);
                handled_.push_back(signal);
            }
        }
    }
    QCoreApplication::instance()->installEventFilter(this);
}

EndRequests::~EndRequests() {
    QCoreApplication::instance()->removeEventFilter(this);
    if (notifier_) {
        for (const int signal : handled_) {
            handle(signal, SIG_DFL);
        }
        notifier_.reset();
        ::close(signalPipe[0]);
        ::close(signalPipe[1]);
        signalPipe = {-1, -1};
    }
}

void EndRequests::signalled() {
    // Signals that come together make one request; any bytes left wake the notifier again.
    std::array<char, 64> bytes{};
    [[maybe_unused]] const ssize_t drained = ::read(signalPipe[0], bytes.data(), bytes.size());
    end_();
}

// Left to Qt, a quit request would close the windows one by one and end the event loop without
// the program's unload.
bool EndRequests::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        end_();
        return true;
    }
    return false;
}

} // namespace dorvex::qt
