#pragma once

#include <QTcpServer>

#include <map>
#include <string>
#include <string_view>
#include <vector>

class QTcpSocket;

namespace dorvex::test {

// An HTTP server on 127.0.0.1, run by the test's own event loop: it answers each request by its
// path (the part before "?"), 404 for a path it does not know. Stops with the object.
class LoopbackHttpServer {
public:
    struct Answer {
        int status = 200;
        std::string body;
        int parts = 1;        // the body is sent in this many parts,
        int pauseMs = 0;      // with this pause before each part after the first
        std::string location; // sent as the Location header when not empty
    };

    LoopbackHttpServer();

    void answer(const std::string& path, Answer answer) { answers_[path] = std::move(answer); }
    // "http://127.0.0.1:port/" followed by the path.
    std::string url(std::string_view path = "") const;

    // The head of every request received (request line and header lines).
    std::vector<std::string> requests;

private:
    void accept();
    void respond(QTcpSocket& socket, const std::string& head);

    QTcpServer server_;
    std::map<std::string, Answer> answers_;
};

// A port on 127.0.0.1 where nothing listens: it was free a moment ago.
quint16 closedPort();

} // namespace dorvex::test
