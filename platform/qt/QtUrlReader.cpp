#include "platform/qt/QtUrlReader.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <stdexcept>

namespace dorvex {

namespace {

// Too much content: Qt's number for a problem with the remote content.
constexpr auto tooLargeError = static_cast<std::int32_t>(QNetworkReply::UnknownContentError);

std::string tooLargeText() {
    return "The reply is larger than " + std::to_string(MaxUrlReadBytes) + " bytes";
}

// A redirect away from the address's server: Qt's number for a redirect refused as unsafe.
constexpr auto offSiteError = static_cast<std::int32_t>(QNetworkReply::InsecureRedirectError);

bool sameServer(const QUrl& a, const QUrl& b) {
    const auto port = [](const QUrl& url) { return url.port(url.scheme() == "https" ? 443 : 80); };
    return a.scheme() == b.scheme() && a.host() == b.host() && port(a) == port(b);
}

} // namespace

QtUrlReader::QtUrlReader() = default;

QtUrlReader::~QtUrlReader() {
    for (auto& [key, read] : reads_) {
        read.reply->disconnect();
        read.reply->abort();
        delete read.reply;
    }
}

void QtUrlReader::start(const std::string& key, const std::string& url, int options,
                        UrlReadEvents& events) {
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty() ||
        (address.scheme() != "http" && address.scheme() != "https")) {
        throw std::runtime_error("not a web address: " + url);
    }
    cancel(key);
    QNetworkRequest request(address);
    if ((options & 16) != 0) {
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    }
    request.setTransferTimeout(UrlReadTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    QNetworkReply* reply = manager_.get(request);
    reads_[key] = {reply, &events, {}};
    QObject::connect(
        reply, &QNetworkReply::redirected, reply,
        [this, key, address](const QUrl& target) { redirected(key, address, target); });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this, key] { received(key); });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, key] { finished(key); });
}

void QtUrlReader::cancel(const std::string& key) {
    const auto found = reads_.find(key);
    if (found == reads_.end()) {
        return;
    }
    QNetworkReply* reply = found->second.reply;
    reads_.erase(found);
    reply->disconnect();
    reply->abort();
    reply->deleteLater();
}

void QtUrlReader::redirected(const std::string& key, const QUrl& from, const QUrl& target) {
    const auto found = reads_.find(key);
    if (found == reads_.end()) {
        return;
    }
    if (sameServer(from, from.resolved(target))) {
        Q_EMIT found->second.reply->redirectAllowed();
        return;
    }
    UrlReadEvents& events = *found->second.events;
    cancel(key);
    events.failed(key, offSiteError,
                  "Redirected off the site to " + target.toString().toStdString());
}

void QtUrlReader::received(const std::string& key) {
    const auto found = reads_.find(key);
    if (found == reads_.end()) {
        return;
    }
    QNetworkReply& reply = *found->second.reply;
    const QByteArray chunk = reply.readAll();
    // An error page is no part of the data: the read ends as failed.
    if (reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400) {
        return;
    }
    found->second.data.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    if (found->second.data.size() > MaxUrlReadBytes) {
        UrlReadEvents& events = *found->second.events;
        cancel(key);
        events.failed(key, tooLargeError, tooLargeText());
        return;
    }
    // The handler may cancel this read, so nothing of it is used afterwards.
    found->second.events->progress(key, found->second.data);
}

void QtUrlReader::finished(const std::string& key) {
    const auto found = reads_.find(key);
    if (found == reads_.end()) {
        return;
    }
    Read read = std::move(found->second);
    reads_.erase(found);
    const QByteArray rest = read.reply->readAll();
    read.data.append(rest.constData(), static_cast<std::size_t>(rest.size()));
    const QNetworkReply::NetworkError error = read.reply->error();
    const std::string text = read.reply->errorString().toStdString();
    read.reply->deleteLater();
    if (read.data.size() > MaxUrlReadBytes) {
        read.events->failed(key, tooLargeError, tooLargeText());
    } else if (error == QNetworkReply::NoError) {
        read.events->completed(key, read.data);
    } else {
        read.events->failed(key, static_cast<std::int32_t>(error), text);
    }
}

} // namespace dorvex
