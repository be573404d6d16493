#pragma once

#include "platform/UrlReader.h"
#include "platform/qt/HttpReplyReader.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <cstdint>
#include <functional>
#include <string>

class QTcpSocket;

namespace dorvex {

// One GET over a connection of its own, which closes as soon as the reply is in, has failed or is
// no longer wanted. Redirects are followed to the same scheme, host and port only; the reply
// stays within the bounds of UrlReader.h, in size and in time.
class HttpGet : public QObject {
public:
    using Result = UrlReadEnd;
    using Progress = std::function<void(const std::string& data)>;
    using End = std::function<void(const Result& result)>;

    // `fromServer`: caches on the way are asked for a fresh copy.
    HttpGet(QUrl address, bool fromServer, Progress progress, End end, QObject* parent);
    ~HttpGet() override;
    HttpGet(const HttpGet&) = delete;
    HttpGet& operator=(const HttpGet&) = delete;

    // Sends the request; progress and the end come later, from the event loop.
    void start();
    // Ends the read and closes its connection at once; nothing is reported afterwards.
    void stop();

    // Redirects in a row before the read fails, as a browser would.
    static constexpr int maxRedirects = 10;

private:
    void request(const QUrl& address);
    // Takes what has arrived, the rest of the reply when the server has closed the connection.
    void received(bool closed);
    // Acts on what the reply reader made of the bytes so far.
    void advance(std::size_t bodyBefore);
    // The head is in: false when it ends the read or leads elsewhere.
    bool headArrived();
    void redirect();
    void fail(std::int32_t number, const std::string& text);
    void end(const Result& result);
    void closeConnection();

    const QUrl origin_;
    QUrl address_;
    const bool fromServer_;
    Progress progress_;
    End end_;
    QTcpSocket* socket_ = nullptr;
    HttpReplyReader reply_;
    bool headHandled_ = false;
    QTimer headTimer_;
    QTimer readTimer_;
    int redirects_ = 0;
    bool stopped_ = false;
};

} // namespace dorvex
