#include "platform/fake/FakeDevices.h"

#include <utility>

namespace dorvex {

bool FakeSystemTimes::read(SystemTimes& out) {
    if (failing) {
        return false;
    }
    catchUp();
    out = times_;
    return true;
}

void FakeSystemTimes::setLoad(int percent) {
    catchUp();
    load_ = percent;
}

// Two processors' time since the last reading, split by the load; busy time half in the kernel.
void FakeSystemTimes::catchUp() {
    const std::int64_t passed = (clock_.elapsed() - until_) * 10'000 * 2; // 100 ns units
    until_ = clock_.elapsed();
    const std::int64_t busy = passed * load_ / 100;
    times_.idle += passed - busy;
    times_.kernel += passed - busy + busy / 2;
    times_.user += busy - busy / 2;
}

InputPoll FakeInputDevices::poll() {
    InputPoll input{.keys = held | std::exchange(pressedSinceLastPoll, {}),
                    .raw = std::exchange(raw, {})};
    if (!cursorFails) {
        input.position = position;
    }
    return input;
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
    if (answer.accepted && whileHibernating) {
        whileHibernating();
    }
    return answer;
}

} // namespace dorvex
