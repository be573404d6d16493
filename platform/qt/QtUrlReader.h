#pragma once

#include "platform/UrlReader.h"
#include "platform/qt/HttpGet.h"

#include <QObject>

#include <map>
#include <string>

namespace dorvex {

// Reads web addresses over Qt's sockets, each on a connection of its own; progress and the end
// arrive through the event loop on the program's thread.
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
        HttpGet* get;
        UrlReadEvents* events;
    };

    void ended(const std::string& key, const HttpGet::Result& result);
    // The read goes once its own signal has returned, if it is inside one.
    void forget(std::map<std::string, Read>::iterator read);

    // The parent of every read, also of those ended and not yet deleted.
    QObject gets_;
    std::map<std::string, Read> reads_;
};

} // namespace dorvex
