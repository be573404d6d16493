#pragma once

#include "platform/linux/ReadableWatches.h"

#include <QPointer>
#include <QSocketNotifier>

#include <map>
#include <vector>

namespace dorvex {

// Descriptors watched by Qt's event loop, in the same wait as its timers and windows.
class QtReadableWatches : public ReadableWatches {
public:
    QtReadableWatches();
    ~QtReadableWatches() override;
    QtReadableWatches(const QtReadableWatches&) = delete;
    QtReadableWatches& operator=(const QtReadableWatches&) = delete;

    void watch(int fd, std::function<void()> readable) override;
    void unwatch(int fd) override;

private:
    std::map<int, QSocketNotifier*> notifiers_;
    // Unwatched, waiting for the event loop to delete them.
    std::vector<QPointer<QSocketNotifier>> retired_;
};

} // namespace dorvex
