#include "monitor/MdInDataChange.h"
#include "platform/fake/FakeDevices.h"

#include <gtest/gtest.h>

#include <functional>

namespace dorvex {
namespace {

using Strings = std::vector<std::string>;

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

constexpr int keyA = 65;
constexpr int keyB = 66;

TEST(MdInDataChange, EachPollReportsInputSinceThePreviousPoll) {
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"a key held counts once",
         {{hold(keyA), "K _"}, {nothing, "_ _"}, {nothing, "_ _"}, {release(keyA), "_ _"}}},
        {"a second key, and releasing one of two, change the set",
         {{hold(keyA), "K _"}, {hold(keyB), "K _"}, {release(keyB), "K _"}, {nothing, "_ _"}}},
        {"the same key again after a quiet poll",
         {{tap(keyA), "K _"}, {nothing, "_ _"}, {tap(keyA), "K _"}}},
        // Tapped in two polls running, a key looks the same as one held: it counts once.
        {"the same key in two polls running", {{tap(keyA), "K _"}, {tap(keyA), "_ _"}}},
        {"moves, also diagonal",
         {{moveTo(101, 99), "_ M"}, {moveTo(102, 98), "_ M"}, {nothing, "_ _"}}},
        {"raw input counts as input of its kind",
         {{raw({.keyboard = true}), "K _"},
          {raw({.mouse = true}), "_ M"},
          {raw({.keyboardOrMouse = true}), "I I"},
          {nothing, "_ _"}}},
        {"input of either kind shows as such when the key set or the position shows it",
         {{[](FakeInputDevices& d) {
               d.tap(keyA);
               d.raw.keyboardOrMouse = true;
           },
           "K _"}}},
        {"a failed cursor read is no movement",
         {{[](FakeInputDevices& d) {
               d.position = {1, 1};
               d.cursorFails = true;
           },
           "_ _"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInputDevices devices;
        devices.position = {100, 100};
        MdInDataChange poll(devices);
        poll.Prime_Input();
        Strings polls;
        Strings expected;
        for (const Step& step : c.steps) {
            step.act(devices);
            polls.push_back(poll.Poll_Input());
            expected.push_back(step.poll);
        }
        EXPECT_EQ(polls, expected);
    }
}

TEST(MdInDataChange, PrimingForgetsInputMadeBefore) {
    FakeInputDevices devices;
    MdInDataChange poll(devices);
    devices.tap(keyA);
    devices.position = {40, 40};
    devices.raw = {.keyboard = true, .mouse = true};
    poll.Prime_Input();
    EXPECT_EQ(poll.Poll_Input(), "_ _");
}

} // namespace
} // namespace dorvex
