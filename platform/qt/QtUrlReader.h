#pragma once

#include "platform/UrlReader.h"

#include <QNetworkAccessManager>

#include <map>
#include <string>

class QNetworkReply;
class QUrl;

namespace dorvex {

// Reads web addresses with Qt's network access; progress and the end arrive through the event
// loop on the program's thread.
class QtUrlReader : public UrlReader {
public:
    QtUrlReader();
    ~QtUrlReader() override;
    QtUrlReader(const QtUrlReader&) = delete;
    QtUrlReader& operator=(const QtUrlReader&) = delete;

    void start(const std::string& key, const std::string& url, int options,
               UrlReadEvents& events) override;
    void cancel(const std::string& key) override;

private:
    struct Read {
        QNetworkReply* reply;
        UrlReadEvents* events;
        std::string data;
    };

    // Follows a redirect to the server of the address read, and ends the read on any other.
    void redirected(const std::string& key, const QUrl& from, const QUrl& target);
    void received(const std::string& key);
    void finished(const std::string& key);

    QNetworkAccessManager manager_;
    std::map<std::string, Read> reads_;
};

} // namespace dorvex
