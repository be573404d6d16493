#include "platform/qt/QtReadableWatches.h"

#include <algorithm>

namespace dorvex {

QtReadableWatches::QtReadableWatches() = default;

QtReadableWatches::~QtReadableWatches() {
    for (const auto& [fd, notifier] : notifiers_) {
        delete notifier;
    }
    // Those the loop has not deleted yet: it may never run again.
    for (const QPointer<QSocketNotifier>& notifier : retired_) {
        delete notifier.data();
    }
}

void QtReadableWatches::watch(int fd, std::function<void()> readable) {
    unwatch(fd);
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [readable = std::move(readable)] { readable(); });
    notifiers_[fd] = notifier;
}

void QtReadableWatches::unwatch(int fd) {
    const auto found = notifiers_.find(fd);
    if (found == notifiers_.end()) {
        return;
    }
    // Disabled at once, so the loop no longer waits on a descriptor about to be closed; deleted
    // later, as the callback running now may be its own.
    found->second->setEnabled(false);
    found->second->deleteLater();
    std::erase_if(retired_, [](const QPointer<QSocketNotifier>& notifier) { return !notifier; });
    retired_.emplace_back(found->second);
    notifiers_.erase(found);
}

} // namespace dorvex
