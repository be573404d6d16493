#include "platform/win32/WinHttpUrlReader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace dorvex {
namespace {

// The window thread's queue, run by the test's own thread.
class PostedEvents {
public:
    void post(std::function<void()> event) {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(event));
        posted_.notify_one();
    }
    // Runs posted events until `done` holds, for at most 30 seconds.
    bool runUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_until(lock, deadline, [&] { return !queue_.empty(); })) {
                return false;
            }
            auto event = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            event();
        }
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> queue_;
};

struct Recorder : UrlReadEvents {
    std::thread::id windowThread = std::this_thread::get_id();
    int progressEvents = 0;
    bool ended = false;
    bool succeeded = false;
    std::int32_t number = 0;
    std::string text;
    std::string data;

    void progress(const std::string&, const std::string&) override {
        EXPECT_EQ(std::this_thread::get_id(), windowThread);
        ++progressEvents;
    }
    void completed(const std::string&, const std::string& all) override { end(true, 0, "", all); }
    void failed(const std::string&, std::int32_t error, const std::string& message) override {
        end(false, error, message, "");
    }
    void end(bool done, std::int32_t error, const std::string& message, const std::string& all) {
        EXPECT_EQ(std::this_thread::get_id(), windowThread);
        EXPECT_FALSE(ended) << "one end per read";
        ended = true, succeeded = done, number = error, text = message, data = all;
    }
};

std::string address(const char* portVariable, const std::string& path) {
    const char* port = std::getenv(portVariable);
    return "http://127.0.0.1:" + std::string(port != nullptr ? port : "1") + path;
}

// The descriptors the process holds open, as Wine's Linux process sees them.
int openDescriptors() {
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA("Z:\\proc\\self\\fd\\*", &found);
    int count = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &found)) {
        ++count;
    }
    ::FindClose(search);
    return count;
}

class WinHttpUrlReaderTest : public testing::Test {
protected:
    // A page of the server, read as any other.
    std::string page(const std::string& path) {
        Recorder events;
        reader.start("page", address("DORVEX_HTTP_PORT", path), 16, events);
        EXPECT_TRUE(window.runUntil([&] { return events.ended; })) << path;
        return events.data;
    }
    // Asks the server until its answer to `path` is `expected`, for at most 15 seconds.
    bool serverSays(const std::string& path, const std::string& expected) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (page(path) != expected) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }

    PostedEvents window;
    WinHttpUrlReader reader{[this](std::function<void()> event) { window.post(std::move(event)); }};
};

TEST_F(WinHttpUrlReaderTest, ReadsWithinTheCapAndFollowsRedirectsOnlyOnTheSameServer) {
    const std::string port = std::getenv("DORVEX_HTTP_PORT");
    const std::string big(MaxUrlReadBytes, 'x');
    struct Case {
        std::string path;
        bool completed;
        std::int32_t number;
        std::string textOrData;
    };
    const Case cases[] = {
        {"/text", true, 0, "hello"},
        {"/limit", true, 0, big},
        {"/same", true, 0, "hello"},
        {"/relative", true, 0, "hello"},
        {"/over", false, 12184, "The reply is larger than 1048576 bytes"},
        {"/missing", false, 404, "HTTP 404 Not Found"},
        {"/off", false, 12156, "Redirected off the site to http://localhost:" + port + "/text"},
        {"/endless", false, 12184, "The reply is larger than 1048576 bytes"},
    };
    for (const Case& c : cases) {
        Recorder events;
        reader.start("1", address("DORVEX_HTTP_PORT", c.path), 16, events);
        ASSERT_TRUE(window.runUntil([&] { return events.ended; })) << c.path;
        EXPECT_EQ(events.succeeded, c.completed) << c.path;
        EXPECT_EQ(events.number, c.number) << c.path;
        EXPECT_EQ(c.completed ? events.data : events.text, c.textOrData) << c.path;
        EXPECT_TRUE(events.progressEvents > 0 || !c.completed) << c.path;
    }
    EXPECT_TRUE(serverSays("/open", "0")) << "every connection closed";
    EXPECT_LT(std::stoull(page("/sent")), std::stoull(std::getenv("DORVEX_ENDLESS_CAP")))
        << "the endless reply ended when the reader closed its connection";
}

// Checks that the server leaves without an answer: the window cancels each after its own time-out,
// and one read left alone fails when no head has come in time.
TEST_F(WinHttpUrlReaderTest, SilentServersFailInTimeAndEveryLaterCheckGoesOut) {
    page("/text");
    const int descriptors = openDescriptors();
    Recorder leftAlone;
    const auto started = std::chrono::steady_clock::now();
    reader.start("1", address("DORVEX_HTTP_PORT", "/silent"), 16, leftAlone);
    for (int check = 1; check <= 10; ++check) {
        Recorder cancelled, answered;
        reader.start("2", address("DORVEX_HTTP_PORT", "/silent"), 16, cancelled);
        ASSERT_TRUE(serverSays("/silenced", std::to_string(check + 1))) << check;
        reader.cancel("2");
        reader.start("2", address("DORVEX_HTTP_PORT", "/text"), 16, answered);
        ASSERT_TRUE(window.runUntil([&] { return answered.ended; })) << check;
        EXPECT_EQ(answered.data, "hello") << check;
        EXPECT_FALSE(cancelled.ended || cancelled.progressEvents > 0) << check;
    }
    ASSERT_TRUE(window.runUntil([&] { return leftAlone.ended; }));
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::milliseconds(UrlHeaderTimeoutMs + 5000));
    EXPECT_EQ(leftAlone.number, 12002); // ERROR_WINHTTP_TIMEOUT
    EXPECT_EQ(leftAlone.text, "The server sent no reply within 10 s");
    // Wine ends a cancelled call only at its time-out, which is the one for the head.
    EXPECT_TRUE(serverSays("/open", "0")) << "every connection closed";
    page("/text");
    EXPECT_LE(openDescriptors(), descriptors);
}

TEST_F(WinHttpUrlReaderTest, AServerThatIsNotThereFailsWithTheSystemsText) {
    Recorder events;
    reader.start("1", address("DORVEX_CLOSED_PORT", "/"), 16, events);
    ASSERT_TRUE(window.runUntil([&] { return events.ended; }));
    EXPECT_EQ(events.number, 12029); // ERROR_WINHTTP_CANNOT_CONNECT
    EXPECT_FALSE(events.text.empty());
}

TEST_F(WinHttpUrlReaderTest, ACancelledReadSendsNoEventAndABadAddressDoesNotStart) {
    Recorder cancelled, other;
    reader.start("1", address("DORVEX_HTTP_PORT", "/limit"), 16, cancelled);
    reader.cancel("1");
    reader.start("2", address("DORVEX_HTTP_PORT", "/text"), 16, other);
    ASSERT_TRUE(window.runUntil([&] { return other.ended; }));
    EXPECT_EQ(cancelled.progressEvents, 0);
    EXPECT_FALSE(cancelled.ended);
    for (const char* bad : {"ftp://127.0.0.1/", "http://", "http://user@127.0.0.1/", "text"}) {
        EXPECT_THROW(reader.start("3", bad, 16, other), std::runtime_error) << bad;
    }
}

} // namespace
} // namespace dorvex
