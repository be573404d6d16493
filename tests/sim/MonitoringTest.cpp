#include "tests/support/Simulation.h"
#include "ui/Colours.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// Start-up delay: two ticks; monitoring evaluates from the third tick on.
constexpr int startUpTicks = 2;
const std::string cpuOnly = configWith("2", "1", "1", "12300", "1");
const std::string kmOnly = configWith("1", "2", "1", "12300", "1");

// The quiet seconds of the processor and of keyboard and mouse.
std::pair<int, int> idleCounts(Simulation& sim) {
    return {sim.run().CPUIdleCount, sim.run().KMIdleCount};
}

// What the readings show: processor, keyboard, mouse.
Strings readings(Simulation& sim) {
    return {sim.main().CPUAct.text, sim.main().KeyAct.text, sim.main().MouseAct.text};
}

Simulation started(const std::string& config, const std::string& arguments = "",
                   LocalDateTime start = {2026, 12, 7, 10, 0, 0}) {
    return Simulation({.arguments = arguments, .config = config, .start = start});
}

TEST(Monitoring, StartsHiddenInTheTrayAndCountsDownTheStartUpDelay) {
    Simulation sim;
    EXPECT_FALSE(sim.mainWindow().visible);
    EXPECT_EQ(sim.mainWindow().state, WindowState::Minimised);
    EXPECT_EQ(sim.fake().windows.trayRequests(), Strings{"add activate"});
    EXPECT_EQ(sim.main().StatusActA.text, "Activate in 2s");
    EXPECT_EQ(sim.main().StatusActT.text, "Inactive");
    EXPECT_TRUE(sim.main().StopTimeT.visible && sim.main().StopTimeT.text == "--:--") << "no time";
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.main().StatusActA.text, "Activate in 1s");
    EXPECT_EQ(sim.run().RunMode, RunState::StartUpDelay);
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.main().StatusActA.text, "");
    EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
    EXPECT_EQ(sim.logEvents().back(), "Enter/Run");
    EXPECT_EQ(sim.main().StatusActT.text, "Inactive") << "no evaluation yet";
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.main().StatusActT.text, "No activity for 1s");
}

// A sign of use holds off only the countdown of the kind it stands for: presence that of keyboard
// and mouse, work that of the processor; that kind's quiet time counts from its end. The fixed time
// is the user's own schedule, which nothing holds off.
TEST(Monitoring, CountdownBeginsWhenEveryWatchedKindHasBeenQuietLongEnough) {
    const Strings film{"Totem plays sound", "alice is logged in over ssh"};
    const Strings backup{"2.1 MB/s received"};
    const struct {
        std::string config;
        Strings presence, work;
        int quietSeconds;
        bool heldOff;
    } cases[] = {
        {cpuOnly, {}, {}, 60, false},
        {kmOnly, {}, {}, 900, false},
        {defaultConfig(), {}, {}, 900, false},
        {cpuOnly, film, {}, 60, false},
        {cpuOnly, {}, backup, 60, true},
        {kmOnly, film, {}, 900, true},
        {kmOnly, {}, backup, 900, false},
        {defaultConfig(), film, {}, 900, true},
        {defaultConfig(), {}, backup, 60, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.quietSeconds) + " " + std::to_string(c.presence.size()) +
                     std::to_string(c.work.size()));
        Simulation sim = started(c.config);
        sim.fake().presence.shown = c.presence;
        sim.fake().work.shown = c.work;
        if (c.heldOff) {
            sim.advanceSeconds(startUpTicks + 3600);
            EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
            EXPECT_EQ(sim.main().StatusActT.toolTip,
                      c.presence.empty() ? ""
                                         : "Keyboard and mouse count as in use: Totem plays "
                                           "sound; alice is logged in over ssh");
            EXPECT_EQ(sim.main().CPUAct.toolTip,
                      c.work.empty() ? "" : "Counts as busy: 2.1 MB/s received");
            const FakeSignSource& held = c.work.empty() ? sim.fake().presence : sim.fake().work;
            EXPECT_EQ(held.limit.count(), c.quietSeconds)
                << "use older than the quiet time is none";
            sim.fake().presence.shown.clear();
            sim.fake().work.shown.clear();
        } else {
            sim.advanceSeconds(startUpTicks);
        }
        sim.advanceSeconds(c.quietSeconds - 1);
        EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
        sim.advanceSeconds(1);
        EXPECT_EQ(sim.run().RunMode, RunState::Countdown);
        // The countdown's first step runs in the same tick.
        EXPECT_EQ(sim.main().StatusActA.text, "The Computer Will Power Off In 60s");
        EXPECT_FALSE(sim.main().StopTimeT.enabled);
        EXPECT_EQ(sim.main().StatusActT.toolTip + sim.main().CPUAct.toolTip, "");
    }
    Simulation sim = started(configWith("2", "2", "2", "11005", "1"));
    sim.fake().presence.shown = film;
    sim.fake().work.shown = backup;
    sim.advanceSeconds(299);
    EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.run().RunMode, RunState::Countdown) << "10:05, whatever the signs";
}

// What another process asking the running program gets, in each mode; the signs' text as it came,
// made valid JSON.
TEST(Monitoring, TheStatusReportTellsWhatMonitoringSeesInEachMode) {
    Simulation sim = started(defaultConfig(), "-InhibitShutdown");
    const auto report = [&sim] { return sim.fake().statusRequests.ask().value_or("none"); };
    // The mode, the kinds watched and the fixed time, with these readings.
    const auto state = [](const std::string& mode, const std::string& cpu, const std::string& km) {
        return R"("runMode":")" + mode +
               R"(","testMode":false,"shutType":"Power Off","watched":)"
               R"([{"kind":"processor","watched":true,"reading":)" +
               cpu +
               R"(,"threshold":50,"count":0,"limit":3},{"kind":"keyboard and mouse","watched":true,)"
               R"("reading":)" +
               km + R"(,"count":0,"limit":6}],"fixedTime":null,)";
    };
    EXPECT_EQ(report(), R"({"version":")" + std::string(VersionText) + "\"," +
                            state("start-up delay", "null", R"(" . .")") +
                            R"("countdownSeconds":null,"signsOfUse":[],"inputSource":{"name":)"
                            R"("fake","notWatchedReason":null},"administrator":true})");
    sim.fake().presence.shown = {"Tot\"em\\ \x01\n \xC3\xA9\xFF\xED\xA0\x80\xE2\x82 plays"};
    sim.fake().work.shown = {"2.1 MB/s received"};
    sim.fake().input.notWatchedBecause = "a Wayland session";
    sim.advanceSeconds(startUpTicks);
    EXPECT_NE(
        report().find(R"("inputSource":{"name":"fake","notWatchedReason":"a Wayland session"})"),
        std::string::npos);
    sim.fake().input.notWatchedBecause.clear();
    sim.advanceSeconds(1);
    EXPECT_NE(report().find(state("monitoring", "0", R"("_ _")") +
                            R"("countdownSeconds":null,"signsOfUse":[{"kind":"presence","text":)"
                            R"("Tot\"em\\ \u0001\u000a é������ plays"},)"
                            R"({"kind":"work","text":"2.1 MB/s received"}],)"),
              std::string::npos)
        << report();
    sim.fake().presence.shown.clear();
    sim.fake().work.shown.clear();
    sim.advanceSeconds(6);
    EXPECT_NE(report().find(R"("runMode":"countdown",)"), std::string::npos);
    EXPECT_NE(report().find(R"("countdownSeconds":6,"signsOfUse":[],)"), std::string::npos);
    std::string atTheEnd;
    sim.fake().windows.whileMessageOpen = [&](const ShownMessage&) { atTheEnd = report(); };
    sim.advanceSeconds(6);
    EXPECT_NE(atTheEnd.find(R"("countdownSeconds":0,)"), std::string::npos) << atTheEnd;
}

TEST(Monitoring, ReadingsFollowTheActivityAndEachKindResetsOnlyItsOwnCount) {
    Simulation sim;
    sim.advanceSeconds(startUpTicks + 2);
    EXPECT_EQ(readings(sim), (Strings{"  0%", "_", "_"}));
    sim.fake().systemTimes.setLoad(100);
    sim.fake().input.tap(1);
    sim.advanceSeconds(2); // averages 33 and 50; the first is shown
    EXPECT_EQ(readings(sim), (Strings{" 33%", "_", "_"}));
    sim.fake().input.tap(1);
    sim.advanceSeconds(1);
    EXPECT_EQ(readings(sim), (Strings{" 50%", "K", "_"})) << "a mouse button is key input";
    sim.fake().systemTimes.setLoad(0);
    sim.advanceSeconds(100);
    EXPECT_EQ(idleCounts(sim), (std::pair{60, 100}));
    sim.fake().systemTimes.setLoad(90);
    sim.advanceSeconds(1);
    EXPECT_EQ(idleCounts(sim), (std::pair{0, 101}));
    EXPECT_EQ(sim.run().PhaseSeconds, 0);
    EXPECT_EQ(sim.main().StatusActT.text, "Activity");
    sim.fake().systemTimes.setLoad(0);
    sim.advanceSeconds(100);
    sim.fake().input.tap(65);
    sim.advanceSeconds(1);
    EXPECT_EQ(idleCounts(sim), (std::pair{60, 0}));
    EXPECT_EQ(sim.run().PhaseSeconds, 0);
    sim.fake().input.position = {10, 20};
    sim.advanceSeconds(2);
    EXPECT_EQ(sim.run().KMIdleCount, 1) << "moved in the first second, quiet in the second";
    EXPECT_EQ(sim.main().StatusActT.text, "No activity for 1s");
    sim.fake().input.raw.mouse = true; // a wheel step: no key, no new position
    sim.advanceSeconds(2);
    EXPECT_EQ(sim.run().KMIdleCount, 1);
    sim.fake().input.raw.keyboardOrMouse = true; // a compositor's "resumed"
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.run().KMIdleCount, 0);
    EXPECT_EQ(readings(sim), (Strings{"  0%", "I", "I"}));

    // Keyboard and mouse that cannot be watched count as in use, as does quiet input while another
    // program keeps the machine awake; the program says why.
    sim.fake().input.notWatchedBecause = "a Wayland session";
    sim.advanceSeconds(1000);
    EXPECT_EQ(sim.run().RunMode, RunState::Monitoring)
        << "no countdown for a quiet nobody could see";
    EXPECT_EQ(idleCounts(sim), (std::pair{60, 0}));
    EXPECT_EQ(readings(sim), (Strings{"  0%", "?", "?"}));
    EXPECT_EQ(sim.main().StatusActT.toolTip,
              "Keyboard and mouse count as in use: a Wayland session");
    sim.fake().input.notWatchedBecause.clear();
    sim.fake().presence.shown = {"Totem keeps the machine awake (Playing a video)"};
    sim.advanceSeconds(1000);
    EXPECT_EQ(sim.run().KMIdleCount, 0);
    EXPECT_EQ(readings(sim), (Strings{"  0%", "_", "_"}));
    EXPECT_EQ(
        sim.main().StatusActT.toolTip,
        "Keyboard and mouse count as in use: Totem keeps the machine awake (Playing a video)");
    const int asked = sim.fake().presence.asked;
    sim.fake().input.tap(65);
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.fake().presence.asked, asked) << "input is use without asking anyone";
    sim.fake().presence.shown.clear();
    sim.advanceSeconds(900);
    EXPECT_EQ(sim.run().RunMode, RunState::Countdown);
    EXPECT_EQ(sim.main().StatusActT.toolTip, "");
}

TEST(Monitoring, InputCountsFromTheEndOfTheStartUpDelayAndTheTrayIconFollowsIt) {
    Simulation sim = started(kmOnly);
    sim.fake().input.tap(65);
    sim.fake().input.position = {300, 300};
    sim.advanceSeconds(startUpTicks + 1);
    EXPECT_EQ(readings(sim), (Strings{"- - -", "_", "_"}));
    EXPECT_EQ(sim.run().KMIdleCount, 1);
    // "No activity" once, "activity" on every active tick.
    sim.advanceSeconds(2);
    sim.fake().input.tap(65);
    sim.advanceSeconds(1);
    sim.fake().input.tap(66);
    sim.advanceSeconds(3);
    EXPECT_EQ(sim.fake().windows.trayRequests(),
              (Strings{"add activate", "modify window", "modify activity", "modify activity",
                       "modify window"}));
}

TEST(Monitoring, ProcessorAverageCoversFiveSecondsAndItsDisplayLagsOneTick) {
    Simulation sim = started(cpuOnly);
    sim.advanceSeconds(startUpTicks);
    Strings shown;
    std::vector<int> quiet;
    std::vector<int> shownQuiet;
    for (const int load : {10, 20, 30, 40, 50, 60, 70}) {
        sim.fake().systemTimes.setLoad(load);
        sim.advanceSeconds(1);
        shown.push_back(sim.main().CPUAct.text);
        quiet.push_back(sim.run().CPUIdleCount > 0 ? 1 : 0);
        shownQuiet.push_back(sim.main().CPUAct.foreColour == Orange ? 1 : 0);
    }
    EXPECT_EQ(shown, (Strings{" ...", " 10%", " 15%", " 20%", " 25%", " 30%", " 40%"}));
    // The averages 10, 15, 20, 25, 30, 40, 50 against the threshold of 15.
    EXPECT_EQ(quiet, (std::vector<int>{1, 0, 0, 0, 0, 0, 0}));
    // The colour follows the number shown, none counting as 0.
    EXPECT_EQ(shownQuiet, (std::vector<int>{1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(sim.program().state.samples.CPUAvgText, " 50%");
}

TEST(Monitoring, AFailedSampleShowsErrAndAWildlyNegativeOneCountsAsItsSize) {
    Simulation sim = started(cpuOnly);
    sim.advanceSeconds(startUpTicks + 4);
    ASSERT_EQ(sim.run().PhaseSeconds, 4);
    sim.fake().systemTimes.skewIdle(100'000); // a little more idle than time passed
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.run().PhaseSeconds, 4);
    EXPECT_EQ(sim.run().CPUIdleCount, 5) << "the failed sample still counts as quiet";
    EXPECT_EQ(sim.program().state.samples.CPUAvgText, "Err  ");
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.main().CPUAct.text, "Err  ");
    EXPECT_EQ(sim.run().PhaseSeconds, 5);
    sim.fake().systemTimes.skewIdle(10'000'000); // half a second more idle: -50 %
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.program().state.samples.CPUSamples[1], 50) << "the ring has come round";
    EXPECT_EQ(sim.program().state.samples.CPUAvgText, " 10%");
}

TEST(Monitoring, OnlyTheFixedTimeWatchedShowsActiveAndHoldsForItsWholeMinute) {
    Simulation sim = started(configWith("1", "1", "2", "10002", "1"), "", {2026, 12, 7, 0, 1, 50});
    sim.advanceSeconds(startUpTicks + 1);
    EXPECT_EQ(sim.main().StatusActT.text, "Active");
    sim.advanceSeconds(6); // 00:01:59
    EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
    sim.advanceSeconds(1); // 00:02:00
    EXPECT_EQ(sim.run().RunMode, RunState::Countdown);
    sim.advanceSeconds(5);
    sim.click("Reset"); // cancel
    EXPECT_EQ(sim.run().RunMode, RunState::StartUpDelay);
    sim.advanceSeconds(startUpTicks + 1); // 00:02:08: still the fixed minute
    EXPECT_EQ(sim.run().RunMode, RunState::Countdown);
    sim.advanceSeconds(52); // 00:03:00
    sim.click("Reset");
    sim.advanceSeconds(startUpTicks + 33'000); // more than nine hours
    EXPECT_EQ(sim.run().RunMode, RunState::Monitoring)
        << "a minute that has passed is not caught up";
    EXPECT_EQ(sim.run().PhaseSeconds, 32767) << "the quiet seconds stop at their bound";
    EXPECT_EQ(sim.main().StatusActT.text, "Active");
}

TEST(Monitoring, TheSettingsAndSwitchesGiveTheLimitsAndTheRuleSummary) {
    const std::string power = "Power Off if there is no activity for ";
    const struct {
        std::string config;
        const char* arguments;
        std::int16_t cpuIdle, kmIdle, level, countdown;
        std::string title;
    } cases[] = {
        {defaultConfig(), "", 60, 900, 15, 60, power + "900 sec"},
        {defaultConfig(), "-InhibitShutdown", 3, 6, 50, 6, power + "6 sec"},
        {defaultConfig(), "-StartShutdown", 3, 3, 50, 60, power + "900 sec"},
        {defaultConfig(), "-IncreaseCPULevel", 60, 900, 50, 60, power + "900 sec"},
        {configWith("1", "2", "2", "12230", "5"), "", 60, 900, 15, 60,
         "Hibernate if there is no activity for 900 sec or at 22:30"},
        {configWith("1", "1", "2", "10705", "1"), "", 60, 60, 15, 60, "Power Off at 07:05"},
        // The processor watched alone: its time stands for both.
        {cpuOnly, "", 60, 60, 15, 60, power + "60 sec"},
        {cpuOnly, "-InhibitShutdown", 3, 3, 50, 6, power + "3 sec"},
        {configWith("2", "2", "1", "12300", "5"), "-InhibitShutdown", 3, 6, 50, 6,
         "Hibernate if there is no activity for 6 sec"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title + " " + c.arguments);
        Simulation sim = started(c.config, c.arguments);
        EXPECT_EQ(sim.run().CPUIdleLimit, c.cpuIdle);
        EXPECT_EQ(sim.run().KMIdleLimit, c.kmIdle);
        EXPECT_EQ(sim.run().CPULevel, c.level);
        EXPECT_EQ(sim.run().CountdownSecs, c.countdown);
        EXPECT_EQ(sim.main().Title.text, c.title);
    }
    // The fixed time is in seconds after midnight.
    Simulation sim = started(configWith("2", "1", "2", "10705", "1"));
    EXPECT_EQ(sim.program().state.samples.KMActText, "");
    EXPECT_NE(sim.fake().statusRequests.ask()->find(
                  R"("watched":false,"reading":null,"count":0,"limit":60}],"fixedTime":"07:05",)"),
              std::string::npos);
    EXPECT_EQ(sim.run().StopTimeSecs, 25500);
    EXPECT_EQ(sim.main().StopTimeT.text, "07:05");
    EXPECT_FALSE(sim.main().StopTimeT.enabled);
    EXPECT_EQ(readings(sim), (Strings{"- - -", "-", "-"}));
    sim.advanceSeconds(startUpTicks);
    EXPECT_TRUE(sim.main().StopTimeT.enabled) << "editable while monitoring runs";
    EXPECT_FALSE(sim.main().StopTimeT.locked);
}

} // namespace
} // namespace dorvex::test
