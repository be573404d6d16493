#include "platform/qt/HttpReplyReader.h"
#include "platform/qt/QtUrlReader.h"
#include "tests/qt/LoopbackHttpServer.h"
#include "tests/qt/QtTestSupport.h"

#include <QNetworkReply>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <stdexcept>

namespace dorvex::test {
namespace {

// What a read delivered: the number of progress reports, then its ends.
class ReadRecord : public UrlReadEvents {
public:
    void progress(const std::string& key, const std::string&) override {
        EXPECT_TRUE(ends.empty()) << key << " progress after the end";
        ++progressReports;
    }
    void completed(const std::string& key, const std::string& data) override {
        ends.push_back(key + " completed " + std::to_string(data.size()));
        this->data = data;
    }
    void failed(const std::string& key, std::int32_t number, const std::string& text) override {
        ends.push_back(key + " failed " + std::to_string(number));
        failure = text;
    }

    int progressReports = 0;
    std::vector<std::string> ends;
    std::string data;
    std::string failure;
};

const std::string reply = "<Contact>contact.htm</Contact><Name>Dorvex Zede</Name>"
                          "<Version1>5.6</Version1><Version2>0.0</Version2>"
                          "<Download>dz.zip</Download><History>history.htm</History>"
                          "<KIssues>issues.htm</KIssues><Index>index.htm</Index>"
                          "<Message>Faster.</Message><Uninstall>No</Uninstall>";

class QtUrlReaderTest : public ::testing::Test {
protected:
    LoopbackHttpServer server;
    QtUrlReader reader;
};

std::string failedWith(QNetworkReply::NetworkError error) {
    return "failed " + std::to_string(static_cast<int>(error));
}

// The descriptors the process holds open: its files and sockets, those of the servers included.
std::ptrdiff_t openDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
}

TEST_F(QtUrlReaderTest, EachReadEndsOnceAsTheReplySays) {
    const std::string mebibyte(1u << 20, 'x');
    server.answer("/update.xml", {.body = reply});
    server.answer("/mebibyte", {.body = mebibyte, .parts = 8, .pauseMs = 20});
    server.answer("/large", {.body = std::string((1u << 20) + 1, 'x'), .parts = 8, .pauseMs = 20});
    // Redirects: followed on the same server only, never to another scheme, host or port.
    LoopbackHttpServer other;
    other.answer("/update.xml", {.body = reply});
    const std::string port = std::to_string(QUrl(QString::fromStdString(server.url())).port());
    server.answer("/here", {.status = 302, .location = "/update.xml"});
    server.answer("/port", {.status = 302, .location = other.url("update.xml")});
    server.answer("/host", {.status = 302, .location = "http://localhost:" + port + "/update.xml"});
    server.answer("/scheme", {.status = 302, .location = "https://127.0.0.1:" + port + "/x"});
    server.answer("/endless-head", {.endless = LoopbackHttpServer::Endless::Headers});
    server.answer("/endless-body", {.endless = LoopbackHttpServer::Endless::Chunks});
    const auto descriptors = openDescriptors();
    const struct {
        std::string url;
        std::string end;          // the one end of the read
        std::string failure = ""; // the failure's text, when it is to be checked
    } cases[] = {
        {server.url("update.xml?PName=DorvexZede&ampPVer=5.5.0.0"),
         "completed " + std::to_string(reply.size())},
        {server.url("mebibyte"), "completed 1048576"},
        {server.url("large"), failedWith(QNetworkReply::UnknownContentError),
         "The reply is larger than 1048576 bytes"},
        {server.url("missing"), "failed 404", "HTTP 404"},
        {"http://127.0.0.1:" + std::to_string(closedPort()) + "/x",
         failedWith(QNetworkReply::ConnectionRefusedError)},
        {server.url("here"), "completed " + std::to_string(reply.size())},
        {server.url("port"), failedWith(QNetworkReply::InsecureRedirectError)},
        {server.url("host"), failedWith(QNetworkReply::InsecureRedirectError)},
        {server.url("scheme"), failedWith(QNetworkReply::InsecureRedirectError)},
        // Servers that never end: the read fails once it has taken in as much as it may.
        {server.url("endless-head"), failedWith(QNetworkReply::UnknownContentError),
         "The reply's head is larger than 65536 bytes"},
        {server.url("endless-body"), failedWith(QNetworkReply::UnknownContentError),
         "The reply is larger than 1048576 bytes"},
        {server.url("update.xml"), "completed " + std::to_string(reply.size())},
    };
    for (const auto& c : cases) {
        ReadRecord record;
        reader.start("42", c.url, 16, record);
        ASSERT_TRUE(waitFor([&] { return !record.ends.empty(); })) << c.url;
        settle();
        EXPECT_EQ(record.ends, std::vector<std::string>{"42 " + c.end}) << "one end only " << c.url;
        if (c.end.starts_with("completed")) {
            EXPECT_EQ(record.data, c.url.find("mebibyte") != std::string::npos ? mebibyte : reply);
        } else {
            EXPECT_FALSE(record.failure.empty()) << c.url;
        }
        if (!c.failure.empty()) {
            EXPECT_EQ(record.failure, c.failure);
        }
        if (c.url.find("endless") != std::string::npos) {
            EXPECT_LT(server.endlessSent, LoopbackHttpServer::endlessCap)
                << "the reader closed the connection " << c.url;
        }
        // The connection is gone on both ends.
        EXPECT_TRUE(waitFor([&] { return openDescriptors() == descriptors; })) << c.url;
    }
    ASSERT_FALSE(server.requests.empty());
    EXPECT_TRUE(server.requests[0].starts_with(
        "GET /update.xml?PName=DorvexZede&ampPVer=5.5.0.0 HTTP/1.1\r\n"))
        << "the query goes out as it is";
}

TEST_F(QtUrlReaderTest, AMalformedAddressDoesNotStartAndACancelledReadSaysNothingMore) {
    ReadRecord record;
    for (const char* url : {"", "not an address", "ftp://127.0.0.1/x"}) {
        EXPECT_THROW(reader.start("k", url, 16, record), std::runtime_error) << url;
    }
    server.answer("/slow", {.body = reply, .parts = 3, .pauseMs = 200});
    reader.start("42", server.url("slow"), 16, record);
    ASSERT_TRUE(waitFor([&] { return !server.requests.empty(); }));
    reader.cancel("42");
    EXPECT_FALSE(waitFor([&] { return record.progressReports > 0 || !record.ends.empty(); }, 800));
}

// The reply as the connection delivers it: at once, or byte by byte.
TEST(HttpReplyReader, TakesTheBodyAsTheHeadFramesItAndNoMoreThanTheBounds) {
    using State = HttpReplyReader::State;
    using Fault = HttpReplyReader::Fault;
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string chunked = ok + "Transfer-Encoding: chunked\r\n\r\n";
    const std::string longLine = "X-Filler: " + std::string(MaxUrlHeaderBytes, 'x') + "\r\n";
    const struct {
        std::string bytes;
        bool closed; // the server closes the connection after the bytes
        State state;
        Fault fault = Fault::None;
        std::string body = "";
        int status = 200;
        std::string location = "";
    } cases[] = {
        {ok + "Content-Length: 5\r\n\r\nhello and more", false, State::Done, Fault::None, "hello"},
        {ok + "Transfer-Encoding: gzip, Chunked\r\n\r\n5;name=value\r\nhello\r\n6\r\n world\r\n"
              "0\r\nX-Trailer: 1\r\n\r\n",
         false, State::Done, Fault::None, "hello world"},
        {"HTTP/1.0 200 OK\nServer: old\n\nabc", true, State::Done, Fault::None, "abc"},
        {ok + "Transfer-Encoding: gzip\r\nContent-Length: 1\r\n\r\nabc", true, State::Done,
         Fault::None, "abc"},
        {"HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 2\r\n\r\nok", false, State::Done,
         Fault::None, "ok"},
        {"HTTP/1.1 204 No Content\r\n\r\n", false, State::Done, Fault::None, "", 204},
        {"HTTP/1.1 302 Found\r\nlocation:  /there \r\ncontent-length: 0\r\n\r\n", false,
         State::Done, Fault::None, "", 302, "/there"},
        {ok + "Content-Length: 1048576\r\n\r\n" + std::string(MaxUrlReadBytes, 'x'), false,
         State::Done, Fault::None, std::string(MaxUrlReadBytes, 'x')},
        {ok + "Content-Length: 9\r\n\r\nabc", false, State::Body, Fault::None, "abc"},
        {ok + "Content-Length: 9\r\n\r\nabc", true, State::Failed, Fault::Cut, "abc"},
        {ok + "Content-Le", true, State::Failed, Fault::Cut},
        {chunked + "5\r\nhel", true, State::Failed, Fault::Cut, "hel"},
        {"", true, State::Failed, Fault::Cut, "", 0},
        {"SSH-2.0-OpenSSH_9.2\r\n", false, State::Failed, Fault::Malformed, "", 0},
        {"HTTP/1.1 20 OK\r\n\r\n", false, State::Failed, Fault::Malformed, "", 0},
        {"HTTP/1.1 099\r\n\r\n", false, State::Failed, Fault::Malformed, "", 0},
        {ok + "Content-Length: 5\r\nContent-Length: 6\r\n\r\n", false, State::Failed,
         Fault::Malformed},
        {ok + "Content-Length: -5\r\n\r\n", false, State::Failed, Fault::Malformed},
        {chunked + "zz\r\n", false, State::Failed, Fault::Malformed},
        {chunked + "2\r\nabc\r\n", false, State::Failed, Fault::Malformed, "ab"},
        {chunked + "1;" + std::string(MaxUrlHeaderBytes, 'x'), false, State::Failed,
         Fault::Malformed},
        {ok + longLine, false, State::Failed, Fault::HeadTooLarge},
        {ok + "X-Filler: " + std::string(MaxUrlHeaderBytes, 'x'), false, State::Failed,
         Fault::HeadTooLarge},
        {chunked + "1\r\nx\r\n0\r\n" + longLine, false, State::Failed, Fault::HeadTooLarge, "x"},
        {ok + "Content-Length: 1048577\r\n\r\n", false, State::Failed, Fault::BodyTooLarge},
        {chunked + "100001\r\n", false, State::Failed, Fault::BodyTooLarge},
        {"HTTP/1.0 200 OK\r\n\r\n" + std::string(MaxUrlReadBytes + 1, 'x'), false, State::Failed,
         Fault::BodyTooLarge, std::string(MaxUrlReadBytes + 1, 'x')},
    };
    for (const auto& c : cases) {
        for (const std::size_t piece : {c.bytes.size(), std::size_t{1}}) {
            HttpReplyReader reader;
            for (std::size_t at = 0; at < c.bytes.size(); at += piece) {
                reader.take(std::string_view(c.bytes).substr(at, piece));
            }
            if (c.closed) {
                reader.closed();
            }
            const std::string name =
                c.bytes.substr(0, 80) + " in pieces of " + std::to_string(piece);
            EXPECT_EQ(reader.state(), c.state) << name;
            EXPECT_EQ(reader.fault(), c.fault) << name;
            EXPECT_EQ(reader.body(), c.body) << name;
            EXPECT_EQ(reader.status(), c.status) << name;
            EXPECT_EQ(reader.location(), c.location) << name;
        }
    }
}

// Checks that the server leaves without an answer: the window cancels each after its own time-out,
// and one read left alone fails when no head has come in time.
TEST_F(QtUrlReaderTest, SilentServersGetNoConnectionKeptOpenAndEveryLaterCheckGoesOut) {
    server.answer("/silent", {.endless = LoopbackHttpServer::Endless::Silence});
    server.answer("/update.xml", {.body = reply});
    const auto descriptors = openDescriptors();
    ReadRecord leftAlone;
    reader.start("1", server.url("silent"), 16, leftAlone);
    for (int check = 0; check < 10; ++check) {
        ReadRecord cancelled, answered;
        const std::size_t requests = server.requests.size();
        reader.start("42", server.url("silent"), 16, cancelled);
        ASSERT_TRUE(waitFor([&] { return server.requests.size() > requests; })) << check;
        reader.cancel("42");
        reader.start("42", server.url("update.xml"), 16, answered);
        ASSERT_TRUE(waitFor([&] { return !answered.ends.empty(); })) << check;
        EXPECT_EQ(answered.ends,
                  std::vector<std::string>{"42 completed " + std::to_string(reply.size())});
        EXPECT_TRUE(cancelled.ends.empty() && cancelled.progressReports == 0) << check;
        // The read left alone holds a socket at each end.
        EXPECT_TRUE(waitFor([&] { return openDescriptors() == descriptors + 2; })) << check;
    }
    EXPECT_EQ(server.requests.size(), 21u);
    ASSERT_TRUE(waitFor([&] { return !leftAlone.ends.empty(); }, UrlHeaderTimeoutMs + 5000));
    EXPECT_EQ(leftAlone.ends,
              std::vector<std::string>{"1 " + failedWith(QNetworkReply::TimeoutError)});
    EXPECT_EQ(leftAlone.failure, "The server sent no reply within 10 s");
    EXPECT_TRUE(waitFor([&] { return openDescriptors() == descriptors; }));
}

} // namespace
} // namespace dorvex::test
