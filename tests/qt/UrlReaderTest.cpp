#include "platform/CivilTime.h"
#include "platform/qt/QtUrlReader.h"
#include "tests/qt/LoopbackHttpServer.h"
#include "tests/qt/QtTestSupport.h"
#include "tests/support/Simulation.h"

#include <QNetworkReply>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace dorvex::test {
namespace {

using Strings = std::vector<std::string>;

// What a read delivered, in order.
class ReadRecord : public UrlReadEvents {
public:
    void progress(const std::string& key, const std::string& data) override {
        events.push_back(key + " progress " + std::to_string(data.size()));
    }
    void completed(const std::string& key, const std::string& data) override {
        events.push_back(key + " completed " + std::to_string(data.size()));
        this->data = data;
        ended = true;
    }
    void failed(const std::string& key, std::int32_t number, const std::string& text) override {
        events.push_back(key + " failed " + std::to_string(number));
        failure = text;
        ended = true;
    }

    Strings events;
    std::string data;
    std::string failure;
    bool ended = false;
};

const std::string reply = "<Contact>contact.htm</Contact><Name>Dorvex Zede</Name>"
                          "<Version1>5.6</Version1><Version2>0.0</Version2>"
                          "<Download>dz.zip</Download><History>history.htm</History>"
                          "<KIssues>issues.htm</KIssues><Index>index.htm</Index>"
                          "<Message>Faster.</Message><Uninstall>No</Uninstall>";
const std::string tooLarge((1u << 20) + 1, 'x');

class QtUrlReaderTest : public ::testing::Test {
protected:
    void read(const std::string& url) {
        reader.start("42", url, 16, record);
        ASSERT_TRUE(waitFor([&] { return record.ended; }, 10000)) << "the read must end";
    }

    LoopbackHttpServer server;
    QtUrlReader reader;
    ReadRecord record;
};

TEST_F(QtUrlReaderTest, ACompleteReplyArrivesWhole) {
    server.answer("/update.xml", {.body = reply});
    read(server.url("update.xml?PName=DorvexZede&ampPVer=5.5.0.0"));
    EXPECT_EQ(record.events.back(), "42 completed " + std::to_string(reply.size()));
    EXPECT_EQ(record.data, reply);
    ASSERT_EQ(server.requests.size(), 1u);
    EXPECT_TRUE(server.requests[0].starts_with(
        "GET /update.xml?PName=DorvexZede&ampPVer=5.5.0.0 HTTP/1.1\r\n"))
        << "the query goes out as it is";
}

TEST_F(QtUrlReaderTest, ASlowReplyReportsItsProgress) {
    server.answer("/slow", {.body = reply, .parts = 4, .pauseMs = 150});
    read(server.url("slow"));
    ASSERT_GE(record.events.size(), 3u);
    EXPECT_EQ(record.events.back(), "42 completed " + std::to_string(reply.size()));
    EXPECT_EQ(record.data, reply);
}

TEST_F(QtUrlReaderTest, AnHttpErrorStatusFails) {
    read(server.url("missing"));
    EXPECT_EQ(record.events, Strings{"42 failed " + std::to_string(static_cast<int>(
                                                        QNetworkReply::ContentNotFoundError))});
    EXPECT_FALSE(record.failure.empty());
}

TEST_F(QtUrlReaderTest, AReplyLargerThanOneMebibyteFails) {
    server.answer("/large", {.body = tooLarge, .parts = 8, .pauseMs = 20});
    read(server.url("large"));
    EXPECT_EQ(record.events.back(),
              "42 failed " + std::to_string(static_cast<int>(QNetworkReply::UnknownContentError)));
    EXPECT_EQ(record.failure, "The reply is larger than 1048576 bytes");
    settle();
    EXPECT_EQ(
        std::count_if(record.events.begin(), record.events.end(),
                      [](const std::string& e) { return e.find("progress") == std::string::npos; }),
        1)
        << "one end only";
}

TEST_F(QtUrlReaderTest, AClosedPortFails) {
    read("http://127.0.0.1:" + std::to_string(closedPort()) + "/x");
    EXPECT_EQ(record.events, Strings{"42 failed " + std::to_string(static_cast<int>(
                                                        QNetworkReply::ConnectionRefusedError))});
}

TEST_F(QtUrlReaderTest, AMalformedAddressDoesNotStart) {
    for (const char* url : {"", "not an address", "http://", "ftp://127.0.0.1/x", "http:///x"}) {
        EXPECT_THROW(reader.start("k", url, 16, record), std::runtime_error) << url;
    }
    EXPECT_FALSE(waitFor([&] { return !record.events.empty(); }, 300));
}

TEST_F(QtUrlReaderTest, ACancelledReadSaysNothingMore) {
    server.answer("/slow", {.body = reply, .parts = 3, .pauseMs = 200});
    reader.start("42", server.url("slow"), 16, record);
    ASSERT_TRUE(waitFor([&] { return !server.requests.empty(); }));
    reader.cancel("42");
    EXPECT_FALSE(waitFor([&] { return !record.events.empty(); }, 800));
}

// The whole update window, reading from the loopback server through Qt.
class UpdateOverHttp : public ::testing::Test {
protected:
    UpdateOverHttp() { sim.program().state.SiteRoot = server.url(); }

    FrmUpdater& updater() { return sim.program().updateWindow; }
    // Starts the check and lets the network answer, until the window has an outcome or closed.
    void check(bool manual) {
        if (manual) {
            sim.click("Update");
            sim.fake().windows.runFor(200);
        } else {
            sim.advanceSeconds(3);
            sim.fake().windows.runFor(200);
        }
        ASSERT_TRUE(waitFor(
            [&] {
                return !updater().loaded() ||
                       (updater().Status.text != waiting && updater().Status.text != progressing);
            },
            10000));
    }

    const std::string waiting = "Please Wait - Checking for the latest version";
    const std::string progressing = "Getting latest version of Dorvex Zede";
    LoopbackHttpServer server;
    QtUrlReader reader;
    Simulation sim{{.urls = &reader}};
};

const std::string updatePath = "/software/misc/updatecheck.xml";

TEST_F(UpdateOverHttp, TheRequestGoesOutAsBuilt) {
    server.answer(updatePath, {.body = reply});
    check(true);
    ASSERT_EQ(server.requests.size(), 1u);
    EXPECT_TRUE(server.requests[0].starts_with(
        "GET /software/misc/updatecheck.xml?PName=DorvexZede&ampPVer=5.5.0.0&ampOSVer=2.6.1 "
        "HTTP/1.1\r\n"));
}

TEST_F(UpdateOverHttp, EachAnswerEndsAsTheWindowSays) {
    const struct {
        const char* what;
        LoopbackHttpServer::Answer answer;
        std::string status;
    } cases[] = {
        {"complete", {.body = reply}, "Version 5.6 of Dorvex Zede is available "},
        {"slow",
         {.body = reply, .parts = 4, .pauseMs = 150},
         "Version 5.6 of Dorvex Zede is available "},
        {"incomplete", {.body = "<Name>x</Name>"}, "Error getting data - try again later"},
        {"404", {.status = 404, .body = "gone"}, "Unable to contact web site"},
        {"too large", {.body = tooLarge, .parts = 8, .pauseMs = 20}, "Unable to contact web site"},
    };
    for (const auto& c : cases) {
        server.answer(updatePath, c.answer);
        check(true);
        EXPECT_EQ(updater().Status.text, c.status) << c.what;
        EXPECT_TRUE(updater().loaded()) << c.what;
        sim.click("Exit", "frmUpdater");
        EXPECT_TRUE(sim.main().Update.enabled) << c.what;
        // The next check of the run is due a day later: each case is a manual check.
    }
}

TEST_F(UpdateOverHttp, ASlowReplyShowsItIsComing) {
    server.answer(updatePath, {.body = reply, .parts = 4, .pauseMs = 300});
    sim.click("Update");
    sim.fake().windows.runFor(200);
    EXPECT_TRUE(waitFor([&] { return updater().Status.text == progressing; }, 5000));
}

TEST_F(UpdateOverHttp, AClosedPortIsNoContact) {
    sim.program().state.SiteRoot = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
    check(true);
    EXPECT_EQ(updater().Status.text, "Unable to contact web site");
}

TEST_F(UpdateOverHttp, AnAutomaticCheckShowsOnlyANewerVersion) {
    server.answer(updatePath, {.status = 404});
    check(false);
    EXPECT_FALSE(updater().loaded());
    EXPECT_FALSE(updater().model().visible);

    server.answer(updatePath, {.body = reply});
    sim.program().state.UpdateDue = toSerialSeconds(sim.fake().clock.now());
    check(false);
    EXPECT_TRUE(updater().loaded());
    EXPECT_TRUE(updater().model().visible);
}

TEST_F(QtUrlReaderTest, RedirectsAreFollowedOnlyOnTheSameServer) {
    LoopbackHttpServer other;
    other.answer("/update.xml", {.body = reply});
    server.answer("/update.xml", {.body = reply});
    const std::string port = std::to_string(QUrl(QString::fromStdString(server.url())).port());
    const std::string completed = "42 completed " + std::to_string(reply.size());
    const std::string refused =
        "42 failed " + std::to_string(static_cast<int>(QNetworkReply::InsecureRedirectError));
    const std::pair<std::string, std::string> cases[] = {
        {"/update.xml", completed},
        {server.url("update.xml"), completed},
        {other.url("update.xml"), refused},
        {"http://localhost:" + port + "/update.xml", refused},
        {"https://127.0.0.1:" + port + "/update.xml", refused},
    };
    for (const auto& [location, end] : cases) {
        record = {};
        server.answer("/moved", {.status = 302, .location = location});
        read(server.url("moved"));
        EXPECT_EQ(record.events.back(), end) << location;
    }
    EXPECT_TRUE(other.requests.empty());
}

} // namespace
} // namespace dorvex::test
