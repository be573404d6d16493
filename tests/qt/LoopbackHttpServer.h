#pragma once

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dorvex::test {

// An HTTP server on 127.0.0.1, run by the test's own event loop: it answers each request by its
// path (the part before "?"), 404 for a path it does not know. Stops with the object.
class LoopbackHttpServer {
public:
    // An answer that never ends: header lines without end, chunks without end, or nothing.
    enum class Endless { No, Headers, Chunks, Silence };
    struct Answer {
        int status = 200;
        std::string body;
        int parts = 1;        // the body is sent in this many parts,
        int pauseMs = 0;      // with this pause before each part after the first
        std::string location; // sent as the Location header when not empty
        Endless endless = Endless::No;
    };
    // An endless answer stops after this many bytes if its client never goes.
    static constexpr std::size_t endlessCap = 64u << 20;

    LoopbackHttpServer() {
        if (!server_.listen(QHostAddress::LocalHost, 0)) {
            throw std::runtime_error("cannot listen on 127.0.0.1");
        }
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            // Each socket is a child of the server: it goes when the client closes, or with it.
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { receive(socket); });
            }
        });
    }

    void answer(const std::string& path, Answer answer) { answers_[path] = std::move(answer); }
    // "http://127.0.0.1:port/" followed by the path.
    std::string url(std::string_view path = "") const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/" + std::string(path);
    }

    // The head of every request received (request line and header lines).
    std::vector<std::string> requests;
    // The bytes the last endless answer sent until its client closed the connection.
    std::size_t endlessSent = 0;

private:
    // Answers once the head is in: the request line and header lines up to an empty line.
    void receive(QTcpSocket* client) {
        const QByteArray received = client->property("received").toByteArray() + client->readAll();
        client->setProperty("received", received);
        if (!received.contains("\r\n\r\n")) {
            return;
        }
        QObject::disconnect(client, &QTcpSocket::readyRead, nullptr, nullptr);
        const std::string head = received.left(received.indexOf("\r\n\r\n")).toStdString();
        requests.push_back(head);
        const std::size_t start = head.find(' ') + 1;
        const std::string path = head.substr(start, head.find_first_of(" ?", start) - start);
        const auto found = answers_.find(path);
        const Answer answer =
            found != answers_.end() ? found->second : Answer{404, "<html>Not Found</html>"};
        if (answer.endless != Endless::No) {
            sendEndless(client, answer.endless);
            return;
        }
        // The reason phrase is optional: clients go by the number.
        client->write(("HTTP/1.1 " + std::to_string(answer.status) +
                       " \r\nContent-Type: text/xml\r\nContent-Length: " +
                       std::to_string(answer.body.size()) +
                       (answer.location.empty() ? "" : "\r\nLocation: " + answer.location) +
                       "\r\nConnection: close\r\n\r\n")
                          .c_str());
        const std::size_t partSize = (answer.body.size() + answer.parts - 1) / answer.parts;
        for (int part = 0; part < answer.parts; ++part) {
            const QByteArray bytes = QByteArray::fromStdString(
                answer.body.substr(std::min(answer.body.size(), part * partSize), partSize));
            const bool last = part == answer.parts - 1;
            // The socket is the timer's context: a client gone early stops the rest.
            QTimer::singleShot(part * answer.pauseMs, client, [client, bytes, last] {
                client->write(bytes);
                if (last) {
                    client->disconnectFromHost();
                }
            });
        }
    }

    // Writes as fast as the client reads, until it goes or the cap is reached.
    void sendEndless(QTcpSocket* client, Endless endless) {
        endlessSent = 0;
        if (endless == Endless::Silence) {
            return;
        }
        const bool headers = endless == Endless::Headers;
        client->write(headers ? "HTTP/1.1 200 OK\r\n"
                              : "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        const QByteArray piece = headers ? "X-Filler: " + QByteArray(1000, 'x') + "\r\n"
                                         : "1000\r\n" + QByteArray(0x1000, 'x') + "\r\n";
        const auto refill = [this, client, piece] {
            while (client->bytesToWrite() < 4 * piece.size() && endlessSent < endlessCap) {
                client->write(piece);
                endlessSent += static_cast<std::size_t>(piece.size());
            }
        };
        QObject::connect(client, &QTcpSocket::bytesWritten, client, refill);
        refill();
    }

    QTcpServer server_;
    std::map<std::string, Answer> answers_;
};

// A port on 127.0.0.1 where nothing listens: it was free a moment ago.
inline quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace dorvex::test
