#include "platform/qt/QtUrlReader.h"

#include <QUrl>

#include <stdexcept>

namespace dorvex {

QtUrlReader::QtUrlReader() = default;

QtUrlReader::~QtUrlReader() = default;

void QtUrlReader::start(const std::string& key, const std::string& url, int options,
                        UrlReadEvents& events) {
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty() ||
        (address.scheme() != "http" && address.scheme() != "https")) {
        throw std::runtime_error("not a web address: " + url);
    }
    cancel(key);
    auto* get = new HttpGet(
        address, (options & 16) != 0,
        [&events, key](const std::string& data) { events.progress(key, data); },
        [this, key](const HttpGet::Result& result) { ended(key, result); }, &gets_);
    reads_[key] = {get, &events};
    get->start();
}

void QtUrlReader::cancel(const std::string& key) {
    const auto found = reads_.find(key);
    if (found != reads_.end()) {
        found->second.get->stop();
        forget(found);
    }
}

void QtUrlReader::forget(std::map<std::string, Read>::iterator read) {
    read->second.get->deleteLater();
    reads_.erase(read);
}

void QtUrlReader::ended(const std::string& key, const HttpGet::Result& result) {
    const auto found = reads_.find(key);
    UrlReadEvents& events = *found->second.events;
    // The handler may start a read with the same key.
    forget(found);
    result.tell(events, key);
}

} // namespace dorvex
