#include "platform/fake/FakeDevices.h"

namespace dorvex {

bool FakeSystemTimes::read(SystemTimes& out) {
    ++reads;
    if (failing) {
        return false;
    }
    out = times;
    return true;
}

void FakeSystemTimes::runSecond(int percent) {
    constexpr std::int64_t second = 10'000'000; // 100 ns units
    const std::int64_t busy = second * percent / 100;
    times.idle += second - busy;
    times.kernel += second - busy + busy / 2;
    times.user += busy - busy / 2;
}

bool FakeInputDevices::cursorPosition(CursorPosition& out) {
    if (cursorFails) {
        return false;
    }
    out = position;
    return true;
}

KeyCodes FakeInputDevices::keysReported() {
    const KeyCodes reported = held | pressedSinceLastPoll;
    pressedSinceLastPoll.reset();
    return reported;
}

PrivilegeResult FakePowerControl::enableShutdownPrivilege(PowerAction action) {
    requests.emplace_back(action == PowerAction::PowerOff ? "privilege power off"
                                                          : "privilege hibernate");
    return privilege;
}

PowerRequestResult FakePowerControl::exitSystem(std::uint32_t flags) {
    requests.push_back("exit " + std::to_string(flags));
    return answer;
}

PowerRequestResult FakePowerControl::hibernate() {
    requests.emplace_back("hibernate");
    return answer;
}

} // namespace dorvex
