#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>
#include <vector>

namespace dorvex::qt {

// The system's requests that the program end: SIGTERM, SIGINT and SIGHUP (unless ignored when the
// program started), and the application's quit request (the session manager's at the end of the
// session). Each reaches `end` from the event loop, never from inside a signal handler, and the
// event loop goes on until the program ends it. One at a time per process.
class EndRequests final : public QObject {
public:
    explicit EndRequests(std::function<void()> end);
    ~EndRequests() override;
    EndRequests(const EndRequests&) = delete;
    EndRequests& operator=(const EndRequests&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void signalled();

    std::function<void()> end_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<int> handled_;
};

} // namespace dorvex::qt
