#include "monitor/ClsCPUUsageNT.h"
#include "platform/linux/LinuxSystemTimes.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace dorvex {
namespace {

using namespace std::chrono_literals;

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

struct Interval {
    double load = 0;
    double seconds = 0;
    std::int64_t totalUnits = 0; // processor time of all processors, in 100 ns
};

// One interval of the program's own sampler.
Interval measureOneSecond(RecordedTimes& times) {
    ClsCPUUsageNT sampler(times);
    const auto start = std::chrono::steady_clock::now();
    sampler.Initialise64();
    const SystemTimes before = times.last;
    std::this_thread::sleep_for(1s);
    const std::int32_t load = sampler.Query64();
    const SystemTimes after = times.last;
    return {double(load),
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            after.kernel - before.kernel + after.user - before.user};
}

// Runs alone (RUN_SERIAL): other tests would count as load. Programs outside the tests can
// still load the machine for a moment, so the share is given three tries.
TEST(LinuxSystemTimesUnderLoad, OneBusyThreadLoadsItsShareOfTheMachine) {
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    ASSERT_GT(processors, 0);
    const double share = 100.0 / processors;
    RecordedTimes times;
    std::string tries;
    bool shareSeen = false;
    for (int attempt = 0; attempt < 3 && !shareSeen; ++attempt) {
        const Interval quiet = measureOneSecond(times);
        std::atomic<bool> stop{false};
        std::thread spinner([&] {
            while (!stop.load(std::memory_order_relaxed)) {
            }
        });
        std::this_thread::sleep_for(100ms);
        const Interval busy = measureOneSecond(times);
        stop = true;
        spinner.join();
        shareSeen = std::abs(busy.load - std::min(100.0, quiet.load + share)) <= 15.0;
        tries += " quiet " + std::to_string(quiet.load) + " %, busy " + std::to_string(busy.load) +
                 " %;";
        EXPECT_GE(busy.load, share - 10.0);
        // All processors together run one second per second, counted in units of 100 ns.
        const double unitsExpected = processors * busy.seconds * 1e7;
        EXPECT_NEAR(double(busy.totalUnits), unitsExpected, unitsExpected * 0.1);
    }
    EXPECT_TRUE(shareSeen) << "one busy processor's share above the quiet load:" << tries;
}

} // namespace
} // namespace dorvex
