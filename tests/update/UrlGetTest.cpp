#include "update/UrlGet.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// Records the control's events, with what the control held when each came.
class Host : public UrlGetEvents {
public:
    void DownloadComplete(std::int32_t nBytes) override {
        events.push_back("complete " + std::to_string(nBytes) + " busy " +
                         std::to_string(control->Busy()));
    }
    void DownloadFailed(std::int32_t ErrNum, const std::string& ErrDesc) override {
        events.push_back("failed " + std::to_string(ErrNum) + " " + ErrDesc);
    }
    void DownloadProgress(std::int32_t nBytes) override {
        events.push_back("progress " + std::to_string(nBytes) + " " + control->Bytes());
    }

    UrlGet* control = nullptr;
    Strings events;
};

class UrlGetTest : public ::testing::Test {
protected:
    UrlGetTest() { host.control = &control; }

    FakeUrlReader& reader() { return sim.fake().urls; }
    FakeClock& clock() { return sim.fake().clock; }
    // Reads that the window's own check does not start: the test never lets its time come.
    void start(const std::string& url, int mode = 16) {
        sim.program().dispatch([&] { control.DownloadStart(url, mode); });
    }

    Simulation sim;
    Host host;
    UrlGet control{sim.program(), host};
};

TEST_F(UrlGetTest, AReadNamedByItsStartTickReportsProgressThenEndsOnce) {
    clock().setTickCount(0xFFFFFF00u);
    start("");
    EXPECT_FALSE(control.Busy()) << "an empty URL starts nothing";
    start("http://127.0.0.1/x");
    start("");
    ASSERT_EQ(reader().reads.size(), 1u);
    const FakeUrlReader::Read& read = reader().reads[0];
    EXPECT_EQ(read.key + " " + read.url + " " + std::to_string(read.options),
              "4294967040 http://127.0.0.1/x 16");
    EXPECT_FALSE(read.cancelled);
    EXPECT_TRUE(control.Busy());
    EXPECT_EQ(control.Duration(), 0);
    clock().advance(0x100 + 40); // across the wrap of the tick count
    reader().progress("ab");
    clock().advance(60);
    reader().progress("abcd");
    ASSERT_TRUE(reader().complete(std::string("abcd\0ef", 7)));
    EXPECT_EQ(host.events, (Strings{"progress 2 ab", "progress 4 abcd", "complete 7 busy 0"}));
    EXPECT_EQ(control.Bytes(), std::string("abcd\0ef", 7));
    EXPECT_FALSE(control.Busy());
    EXPECT_EQ(control.Duration(), 0x100 + 100);
}

TEST_F(UrlGetTest, ANewStartOrACancelSilencesTheRunningRead) {
    start("http://127.0.0.1/first");
    const FakeUrlReader::Read first = reader().reads[0];
    clock().advance(5);
    start("http://127.0.0.1/second");
    ASSERT_EQ(reader().reads.size(), 2u);
    EXPECT_TRUE(reader().reads[0].cancelled);
    EXPECT_NE(reader().reads[1].key, first.key);
    // A reader that answers the cancelled read anyway is not heard.
    first.events->completed(first.key, "late");
    first.events->failed(first.key, 1, "late");
    first.events->progress(first.key, "late");
    EXPECT_TRUE(host.events.empty());
    reader().complete("second");
    EXPECT_EQ(host.events, Strings{"complete 6 busy 0"});

    host.events.clear();
    start("http://127.0.0.1/third");
    const FakeUrlReader::Read third = reader().reads.back();
    sim.program().dispatch([&] { control.DownloadCancel(); });
    EXPECT_TRUE(reader().reads.back().cancelled);
    EXPECT_FALSE(control.Busy());
    third.events->completed(third.key, "late");
    EXPECT_TRUE(host.events.empty());
}

TEST_F(UrlGetTest, AReplyLargerThanOneMebibyteFails) {
    const std::string limit(UrlGet::MaxBytes, 'x');
    const std::string tooLarge = limit + "y";
    const std::string failed = "failed 7 The reply is larger than 1048576 bytes";

    // Too much in a progress report is the update scenarios' part.
    start("http://127.0.0.1/complete");
    reader().complete(tooLarge);
    EXPECT_EQ(host.events, Strings{failed});
    EXPECT_TRUE(control.Bytes().empty());

    host.events.clear();
    start("http://127.0.0.1/limit");
    reader().complete(limit);
    EXPECT_EQ(host.events, Strings{"complete 1048576 busy 0"});
}

TEST_F(UrlGetTest, AReadThatCannotStartStaysBusyAndTheControlGoneLeavesNoReadBehind) {
    {
        Host other;
        UrlGet gone{sim.program(), other};
        sim.program().dispatch([&] { gone.DownloadStart("http://127.0.0.1/x", 16); });
    }
    EXPECT_TRUE(reader().reads.back().cancelled);
    EXPECT_EQ(reader().running(), nullptr);
    reader().refuseStart = true;
    start("not a url");
    EXPECT_EQ(reader().reads.size(), 1u);
    EXPECT_TRUE(control.Busy());
    EXPECT_TRUE(host.events.empty());
}

} // namespace
} // namespace dorvex::test
