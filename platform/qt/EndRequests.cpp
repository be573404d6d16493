#include "platform/qt/EndRequests.h"

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

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application::~Application() = default;

bool Application::event(QEvent* event) {
    if (event->type() == QEvent::Quit && quit_) {
        quit_();
        return true;
    }
    return QApplication::event(event);
}

EndRequests::EndRequests(Application& application, std::function<void()> end)
    : application_(application), end_(std::move(end)) {
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
    application_.onQuit(end_);
}

EndRequests::~EndRequests() {
    application_.onQuit(nullptr);
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

} // namespace dorvex::qt
