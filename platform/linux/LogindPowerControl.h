#pragma once

#include "platform/PowerControl.h"

#include <chrono>

namespace dorvex {

// Power requests to systemd-logind (org.freedesktop.login1) on the system bus, or on the bus in
// $DBUS_SYSTEM_BUS_ADDRESS when that is set.
class LogindPowerControl : public PowerControl {
public:
    struct HibernateWaits {
        // Without PrepareForSleep(true) by then, the system did not go to sleep.
        std::chrono::milliseconds toSleep = std::chrono::minutes(1);
        // Time awake after PrepareForSleep(true) until PrepareForSleep(false) is given up on;
        // the clock stands still while the machine sleeps.
        std::chrono::milliseconds toResume = std::chrono::minutes(30);
    };

    LogindPowerControl() = default;
    explicit LogindPowerControl(HibernateWaits waits) : waits_(waits) {}

    PrivilegeResult enableShutdownPrivilege(PowerAction action) override;
    PowerRequestResult exitSystem(std::uint32_t flags) override;
    PowerRequestResult hibernate() override;

private:
    HibernateWaits waits_;
};

} // namespace dorvex
