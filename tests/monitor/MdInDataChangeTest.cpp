#include "monitor/MdInDataChange.h"
#include "platform/fake/FakeDevices.h"

#include <gtest/gtest.h>

#include <functional>

namespace dorvex {
namespace {

// A step of the user between two polls, and what the poll then says.
struct Step {
    std::function<void(FakeInputDevices&)> act;
    std::string poll;
};

void nothing(FakeInputDevices&) {}
std::function<void(FakeInputDevices&)> hold(int code) {
    return [code](FakeInputDevices& d) { d.held.set(static_cast<std::size_t>(code)); };
}
std::function<void(FakeInputDevices&)> release(int code) {
    return [code](FakeInputDevices& d) { d.held.reset(static_cast<std::size_t>(code)); };
}
std::function<void(FakeInputDevices&)> tap(int code) {
    return [code](FakeInputDevices& d) { d.tap(code); };
}
std::function<void(FakeInputDevices&)> moveTo(int x, int y) {
    return [x, y](FakeInputDevices& d) { d.position = {x, y}; };
}
// Raw input the system saw that leaves the key set and the position as they were.
std::function<void(FakeInputDevices&)> raw(RawInput input) {
    return [input](FakeInputDevices& d) { d.raw = input; };
}

struct SequenceCase {
    std::string name;
    std::vector<Step> steps;
};

class PollSequence : public testing::TestWithParam<SequenceCase> {};

TEST_P(PollSequence, ReportsInputSinceThePreviousPoll) {
    FakeInputDevices devices;
    devices.position = {100, 100};
    MdInDataChange poll(devices);
    poll.Prime_Input();
    for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
        GetParam().steps[i].act(devices);
        EXPECT_EQ(poll.Poll_Input(), GetParam().steps[i].poll) << "poll " << i + 1;
    }
}

constexpr int keyA = 65;
constexpr int keyB = 66;

INSTANTIATE_TEST_SUITE_P(
    KeysAndMouse, PollSequence,
    testing::Values(
        SequenceCase{"Nothing", {{nothing, "_ _"}, {nothing, "_ _"}}},
        SequenceCase{
            "AKeyHeldCountsOnce",
            {{hold(keyA), "K _"}, {nothing, "_ _"}, {nothing, "_ _"}, {release(keyA), "_ _"}}},
        SequenceCase{
            "ASecondKeyWhileHoldingTheFirst",
            {{hold(keyA), "K _"}, {nothing, "_ _"}, {hold(keyB), "K _"}, {nothing, "_ _"}}},
        SequenceCase{"ReleasingOneOfTwoKeysChangesTheSet",
                     {{hold(keyA), "K _"}, {hold(keyB), "K _"}, {release(keyB), "K _"}}},
        SequenceCase{"PressAndReleaseBetweenPolls", {{tap(keyA), "K _"}, {nothing, "_ _"}}},
        SequenceCase{"TheSameKeyAgainAfterAQuietPoll",
                     {{hold(keyA), "K _"}, {release(keyA), "_ _"}, {tap(keyA), "K _"}}},
        // Tapped in two polls running, a key looks the same as one held: it counts once.
        SequenceCase{"TheSameKeyInTwoPollsRunning", {{tap(keyA), "K _"}, {tap(keyA), "_ _"}}},
        SequenceCase{"AMouseButtonIsKeyInput", {{tap(1), "K _"}, {hold(2), "K _"}}},
        SequenceCase{"CursorMoves", {{moveTo(101, 100), "_ M"}, {nothing, "_ _"}}},
        SequenceCase{"ADiagonalMoveIsMovement",
                     {{moveTo(101, 99), "_ M"}, {moveTo(102, 98), "_ M"}, {nothing, "_ _"}}},
        SequenceCase{"BothAtOnce",
                     {{[](FakeInputDevices& d) {
                           d.tap(keyA);
                           d.position = {5, 5};
                       },
                       "K M"}}},
        SequenceCase{
            "RawInputCountsAsInputOfItsKind",
            {{raw({.keyboard = true}), "K _"}, {raw({.mouse = true}), "_ M"}, {nothing, "_ _"}}},
        SequenceCase{"AFailedCursorReadIsNoMovement",
                     {{[](FakeInputDevices& d) {
                           d.position = {1, 1};
                           d.cursorFails = true;
                       },
                       "_ _"}}}),
    [](const testing::TestParamInfo<SequenceCase>& info) { return info.param.name; });

TEST(MdInDataChange, PrimingForgetsInputMadeBefore) {
    FakeInputDevices devices;
    MdInDataChange poll(devices);
    devices.tap(keyA);
    devices.position = {40, 40};
    devices.raw = {.keyboard = true, .mouse = true};
    poll.Prime_Input();
    EXPECT_EQ(poll.KeyChar, ' ');
    EXPECT_EQ(poll.MouseChar, ' ');
    EXPECT_EQ(poll.Poll_Input(), "_ _");
}

} // namespace
} // namespace dorvex
