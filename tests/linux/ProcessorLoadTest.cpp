#include "monitor/ClsCPUUsageNT.h"
#include "platform/linux/LinuxSystemTimes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>

namespace dorvex {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The Linux times, with the last reading kept for the test to look at.
class RecordedTimes : public SystemTimesSource {
public:
    bool read(SystemTimes& times) override {
        const bool read = source.read(times);
        last = times;
        return read;
    }

    LinuxSystemTimes source;
    SystemTimes last;
};

// /proc/stat read here without the class under test: busy and idle ticks of all processors,
// and the number of processors it lists.
struct RawStat {
    double busy = 0;
    double idle = 0;
    int processors = 0;
};

RawStat readRawStat() {
    std::ifstream stat("/proc/stat");
    RawStat raw;
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(3));
    double user, nice, system, idle, iowait, irq, softirq, steal;
    fields >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    raw.busy = user + nice + system + irq + softirq + steal;
    raw.idle = idle + iowait;
    while (std::getline(stat, line)) {
        raw.processors += line.starts_with("cpu") ? 1 : 0;
    }
    return raw;
}

double rawLoad(const RawStat& before, const RawStat& after) {
    const double busy = after.busy - before.busy;
    return 100.0 * busy / (busy + after.idle - before.idle);
}

struct Interval {
    double load = 0;
    double rawLoad = 0;
    double seconds = 0;
    std::int64_t totalUnits = 0; // processor time of all processors, in 100 ns
    int processors = 0;
};

// One interval of the program's own sampler.
Interval measureOneSecond(RecordedTimes& times) {
    ClsCPUUsageNT sampler(times);
    const auto start = Clock::now();
    sampler.Initialise64();
    const SystemTimes before = times.last;
    const RawStat rawBefore = readRawStat();
    std::this_thread::sleep_for(1s);
    const std::int32_t load = sampler.Query64();
    const SystemTimes after = times.last;
    const RawStat rawAfter = readRawStat();
    const auto elapsed = Clock::now() - start;
    return {double(load), rawLoad(rawBefore, rawAfter),
            std::chrono::duration<double>(elapsed).count(),
            after.kernel - before.kernel + after.user - before.user, rawAfter.processors};
}

// Keeps one processor busy while it exists.
class BusyThread {
public:
    BusyThread()
        : thread_([this] {
              while (!stop_.load(std::memory_order_relaxed)) {
              }
          }) {}
    ~BusyThread() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Runs alone (RUN_SERIAL): other tests would count as load. Programs outside the tests can
// still load the machine for a moment, so the share is given three tries; the readings must
// agree with /proc/stat every time.
TEST(LinuxSystemTimesUnderLoad, OneBusyThreadLoadsItsShareOfTheMachine) {
    RecordedTimes times;
    std::string tries;
    bool shareSeen = false;
    for (int attempt = 0; attempt < 3 && !shareSeen; ++attempt) {
        const Interval quiet = measureOneSecond(times);
        Interval busy;
        {
            BusyThread spinner;
            std::this_thread::sleep_for(100ms);
            busy = measureOneSecond(times);
        }
        ASSERT_GT(busy.processors, 0);
        const double share = 100.0 / busy.processors;
        const double expected = std::min(100.0, quiet.load + share);
        shareSeen = std::abs(busy.load - expected) <= 15.0;
        tries += " quiet " + std::to_string(quiet.load) + " %, busy " + std::to_string(busy.load) +
                 " %;";

        EXPECT_NEAR(busy.load, busy.rawLoad, 3.0);
        EXPECT_GE(busy.load, share - 10.0);
        // All processors together run one second per second, counted in units of 100 ns.
        const double unitsExpected = busy.processors * busy.seconds * 1e7;
        EXPECT_NEAR(double(busy.totalUnits), unitsExpected, unitsExpected * 0.1);
    }
    EXPECT_TRUE(shareSeen) << "one busy processor's share above the quiet load:" << tries;
}

} // namespace
} // namespace dorvex
