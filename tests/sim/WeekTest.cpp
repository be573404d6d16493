#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <utility>

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own count; GCC ships the function but not its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace dorvex::test {
namespace {

// The heap in use: AddressSanitizer keeps its own heap, which mallinfo2 does not see.
std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

std::string replyOffering(const std::string& version) {
    std::string reply;
    for (const auto& [name, field] : replyTags) {
        const std::string tag(name);
        reply += "<" + tag + ">" + (tag == "Version1" ? version : "0") + "</" + tag + ">";
    }
    return reply;
}

// One week of an office computer, one tick a second, with the entries each event must log.
class Week {
public:
    Simulation sim{
        {.config = configWith("2", "2", "2", "12300", "5"), .start = {2026, 12, 7, 8, 0, 0}}};
    Strings expected{"Start/Initialise", "Enter/Run"};
    std::int64_t ticks = 0;
    int wraps = 0;
    int checksAnswered = 0;
    std::size_t sentToSystemLog = 0;

    // Seconds of one kind of use: typing at the keyboard or not, the processor this busy.
    void pass(int seconds, int load, bool typing) {
        sim.fake().systemTimes.setLoad(load);
        for (int second = 0; second < seconds; ++second) {
            if (typing) {
                sim.fake().input.raw.keyboard = true;
            }
            sim.advanceSeconds(1);
            ++ticks;
            const RunState& run = sim.run();
            for (const std::int16_t count :
                 {run.PhaseSeconds, run.CPUIdleCount, run.KMIdleCount, run.CountdownSecs}) {
                wraps += count < 0 ? 1 : 0;
            }
            // The daily check: the same version as this one keeps its window hidden.
            checksAnswered += sim.fake().urls.complete(replyOffering("5.5")) ? 1 : 0;
        }
    }
    // Away from the desk until the countdown has run this long, then back to cancel it.
    void cancelled(int seconds) {
        pass(seconds, 0, false);
        sim.click("Reset");
        expected.insert(expected.end(),
                        {"Enter/Hibernate", "Reset/Hibernate", "Start/Initialise", "Enter/Run"});
    }
    // A countdown that runs out: the computer hibernates and monitors again on waking.
    void hibernates(int secondsToCountdown, int load) {
        pass(secondsToCountdown + 61 + 3, load, false);
        expected.insert(expected.end(),
                        {"Enter/Hibernate", "Start/Initialise", "----------/----------",
                         "----------/----------", "Restart/Hibernate", "Enter/Run"});
    }

    // 08:00 to 08:00: work with a lunch break that a return cancels and an afternoon break that
    // hibernates the computer, then a film that keeps the machine awake on an idle processor
    // until the fixed time hibernates it for the night, and a backup that keeps the processor busy
    // until morning. The platform's records are forgotten, as a real one keeps none.
    void day() {
        const std::int64_t start = ticks;
        pass(4 * 3600, 30, true);
        cancelled(900 + 30);
        pass(3 * 3600, 30, true);
        hibernates(900, 0);
        sim.fake().presence.shown = {"Totem keeps the machine awake (Playing a video)"};
        pass(static_cast<int>(15 * 3600 - (ticks - start)), 0, false);
        hibernates(0, 0);
        sim.fake().presence.shown.clear();
        pass(static_cast<int>(86400 - (ticks - start)), 80, false);
        sim.fake().windows.clearRecords();
        sim.fake().urls.reads.clear();
        sim.fake().power.requests.clear();
        sentToSystemLog += std::exchange(sim.fake().systemLog.entries, {}).size();
    }
};

TEST(Week, AWeekOfUseLogsEachEventOnceWrapsNoCounterAndKeepsTheHeap) {
    Week week;
    week.day();
    const std::size_t heapAfterADay = heapInUse();
    for (int day = 1; day < 7; ++day) {
        week.day();
    }
    EXPECT_EQ(week.ticks, 604800);
    EXPECT_EQ(week.wraps, 0);
    EXPECT_EQ(week.checksAnswered, 7);
    EXPECT_FALSE(week.sim.ended());
    EXPECT_EQ(week.sim.logEvents(), week.expected);
    EXPECT_EQ(week.sentToSystemLog, week.expected.size() + 2) << "and the file's two headings";
    EXPECT_EQ(week.sim.logLines().size(), week.expected.size() + 10) << "the start's heading";
    EXPECT_LE(heapInUse(), heapAfterADay + 16 * 1024);
}

} // namespace
} // namespace dorvex::test
