#include "platform/qt/HttpGet.h"

#include "platform/UrlReader.h"

#include <QNetworkReply>
#include <QSslSocket>

namespace dorvex {

namespace {

// Qt keeps no more of the reply than this ahead of the reader; the server waits for the rest.
constexpr qint64 readAhead = 64 * 1024;

int defaultPort(const QUrl& address) {
    return address.scheme() == "https" ? 443 : 80;
}

bool sameServer(const QUrl& a, const QUrl& b) {
    return a.scheme() == b.scheme() && a.host() == b.host() &&
           a.port(defaultPort(a)) == b.port(defaultPort(b));
}

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The request as it goes out: the path and query as the address spells them, one connection per
// request.
std::string requestHead(const QUrl& address, bool fromServer) {
    std::string target = address.path(QUrl::FullyEncoded).toStdString();
    if (target.empty()) {
        target = "/";
    }
    if (address.hasQuery()) {
        target += "?" + address.query(QUrl::FullyEncoded).toStdString();
    }
    const std::string host =
        address.adjusted(QUrl::RemoveUserInfo).authority(QUrl::FullyEncoded).toStdString();
    return "GET " + target + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Dorvex Zede\r\nAccept: */*\r\n" +
           (fromServer ? "Cache-Control: no-cache\r\nPragma: no-cache\r\n" : "") +
           "Connection: close\r\n\r\n";
}

// The numbers are those Qt's own network access gives the same failures.
std::int32_t errorNumber(QAbstractSocket::SocketError error) {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return QNetworkReply::ConnectionRefusedError;
    case QAbstractSocket::HostNotFoundError:
        return QNetworkReply::HostNotFoundError;
    case QAbstractSocket::SocketTimeoutError:
        return QNetworkReply::TimeoutError;
    case QAbstractSocket::SslHandshakeFailedError:
        return QNetworkReply::SslHandshakeFailedError;
    default:
        return QNetworkReply::UnknownNetworkError;
    }
}

HttpGet::Result faultResult(HttpReplyReader::Fault fault) {
    switch (fault) {
    case HttpReplyReader::Fault::HeadTooLarge:
        return {false, QNetworkReply::UnknownContentError, urlHeadTooLargeText()};
    case HttpReplyReader::Fault::BodyTooLarge:
        return {false, QNetworkReply::UnknownContentError, urlReplyTooLargeText()};
    case HttpReplyReader::Fault::Cut:
        return {false, QNetworkReply::RemoteHostClosedError,
                "The server closed the connection before the end of the reply"};
    default:
        return {false, QNetworkReply::ProtocolFailure, "The server's reply is not HTTP"};
    }
}

} // namespace

HttpGet::HttpGet(QUrl address, bool fromServer, Progress progress, End end, QObject* parent)
    : QObject(parent), origin_(std::move(address)), fromServer_(fromServer),
      progress_(std::move(progress)), end_(std::move(end)) {
    headTimer_.setSingleShot(true);
    readTimer_.setSingleShot(true);
    connect(&headTimer_, &QTimer::timeout, this,
            [this] { fail(QNetworkReply::TimeoutError, urlHeadTimeoutText()); });
    connect(&readTimer_, &QTimer::timeout, this,
            [this] { fail(QNetworkReply::TimeoutError, urlReadTimeoutText()); });
}

HttpGet::~HttpGet() {
    stop();
}

void HttpGet::start() {
    readTimer_.start(UrlReadTimeoutMs);
    request(origin_);
}

void HttpGet::stop() {
    stopped_ = true;
    headTimer_.stop();
    readTimer_.stop();
    closeConnection();
}

void HttpGet::closeConnection() {
    if (socket_ == nullptr) {
        return;
    }
    disconnect(socket_, nullptr, this, nullptr);
    socket_->abort();
    // This may run inside one of the socket's signals.
    socket_->deleteLater();
    socket_ = nullptr;
}

void HttpGet::request(const QUrl& address) {
    closeConnection();
    address_ = address;
    reply_ = HttpReplyReader();
    headHandled_ = false;
    headTimer_.start(UrlHeaderTimeoutMs);
    const bool secure = address.scheme() == "https";
    socket_ = secure ? new QSslSocket(this) : new QTcpSocket(this);
    socket_->setReadBufferSize(readAhead);
    const auto send = [this, head = requestHead(address, fromServer_)] {
        socket_->write(head.data(), static_cast<qint64>(head.size()));
    };
    connect(socket_, &QTcpSocket::readyRead, this, [this] { received(false); });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) {
            received(true);
        } else {
            fail(errorNumber(error), socket_->errorString().toStdString());
        }
    });
    const quint16 port = static_cast<quint16>(address.port(defaultPort(address)));
    if (secure) {
        auto* tls = static_cast<QSslSocket*>(socket_);
        connect(tls, &QSslSocket::encrypted, this, send);
        tls->connectToHostEncrypted(address.host(), port);
    } else {
        connect(socket_, &QTcpSocket::connected, this, send);
        socket_->connectToHost(address.host(), port);
    }
}

void HttpGet::received(bool closed) {
    const std::size_t before = reply_.body().size();
    const QByteArray bytes = socket_->readAll();
    reply_.take(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (closed) {
        reply_.closed();
    }
    advance(before);
}

void HttpGet::advance(std::size_t bodyBefore) {
    using State = HttpReplyReader::State;
    // The status comes first: an error page or a redirect ends this reply, whatever follows it.
    if (!headHandled_ && reply_.headComplete() && !headArrived()) {
        return;
    }
    if (reply_.state() == State::Failed) {
        end(faultResult(reply_.fault()));
        return;
    }
    if (reply_.state() == State::Head) {
        return;
    }
    if (reply_.body().size() > bodyBefore) {
        progress_(reply_.body());
        // The handler may have cancelled the read.
        if (stopped_) {
            return;
        }
    }
    if (reply_.state() == State::Done) {
        end({true, 0, {}, reply_.body()});
    }
}

bool HttpGet::headArrived() {
    headHandled_ = true;
    headTimer_.stop();
    const int status = reply_.status();
    if (isRedirect(status)) {
        redirect();
        return false;
    }
    // An error page is no part of the data: the read ends as failed.
    if (status >= 400) {
        fail(status, "HTTP " + std::to_string(status) +
                         (reply_.reason().empty() ? "" : " " + reply_.reason()));
        return false;
    }
    return true;
}

void HttpGet::redirect() {
    const QUrl target = address_.resolved(QUrl(QString::fromStdString(reply_.location())));
    if (!sameServer(origin_, target)) {
        fail(QNetworkReply::InsecureRedirectError,
             "Redirected off the site to " + reply_.location());
    } else if (redirects_ == maxRedirects) {
        fail(QNetworkReply::TooManyRedirectsError,
             "More than " + std::to_string(maxRedirects) + " redirects in a row");
    } else {
        ++redirects_;
        request(target);
    }
}

void HttpGet::fail(std::int32_t number, const std::string& text) {
    end({false, number, text, {}});
}

void HttpGet::end(const Result& result) {
    stop();
    end_(result);
}

} // namespace dorvex
