#pragma once

#include <QApplication>
#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <vector>

namespace dorvex::qt {

// The program's application object. A quit request (the session manager's at the end of the
// session) goes to the handler given, if any: left to Qt, it would close the windows one by one
// and end the event loop without the program's unload. Caught here rather than by an event filter
// on the application, which every event of every object would pass through.
class Application final : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void onQuit(std::function<void()> quit) { quit_ = std::move(quit); }

protected:
    bool event(QEvent* event) override;

private:
    std::function<void()> quit_;
};

// The system's requests that the program end: SIGTERM, SIGINT and SIGHUP (unless ignored when the
// program started), and the application's quit request. Each reaches `end` from the event loop,
// never from inside a signal handler, and the event loop goes on until the program ends it. One
// at a time per process.
class EndRequests final : public QObject {
public:
    EndRequests(Application& application, std::function<void()> end);
    ~EndRequests() override;
    EndRequests(const EndRequests&) = delete;
    EndRequests& operator=(const EndRequests&) = delete;

private:
    void signalled();

    Application& application_;
    std::function<void()> end_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<int> handled_;
};

} // namespace dorvex::qt
