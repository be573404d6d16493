#pragma once

#include "platform/Accounts.h"
#include "platform/InputDevices.h"
#include "platform/OsVersion.h"
#include "platform/PowerControl.h"
#include "platform/SignsOfUse.h"
#include "platform/SystemTimes.h"
#include "platform/fake/FakeClock.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dorvex {

// Processor times that follow the fake clock at the load the test sets.
class FakeSystemTimes : public SystemTimesSource {
public:
    explicit FakeSystemTimes(const FakeClock& clock) : clock_(clock) {}

    bool read(SystemTimes& out) override;

    // From now on the machine is this busy, in percent of all processors.
    void setLoad(int percent);
    // The next interval reports more idle time than time passed, as counters can disagree.
    void skewIdle(std::int64_t units) { times_.idle += units; }

    bool failing = false;

private:
    void catchUp();

    const FakeClock& clock_;
    SystemTimes times_;
    int load_ = 0;
    std::int64_t until_ = 0; // elapsed milliseconds the times have been brought up to
};

// Cursor and keys that the test sets.
class FakeInputDevices : public InputDevices {
public:
    InputPoll poll() override;
    std::string notWatchedReason() override { return notWatchedBecause; }
    std::string sourceName() const override { return "fake"; }

    // A key or button pressed and released again before the next poll.
    void tap(int code) { pressedSinceLastPoll.set(static_cast<std::size_t>(code)); }

    CursorPosition position;
    KeyCodes held;
    KeyCodes pressedSinceLastPoll;
    RawInput raw; // what the system saw since the previous poll
    bool cursorFails = false;
    std::string notWatchedBecause;
};

// Records the power requests; refuses them where the test says so.
class FakePowerControl : public PowerControl {
public:
    PrivilegeResult enableShutdownPrivilege(PowerAction action) override;
    PowerRequestResult exitSystem(std::uint32_t flags) override;
    PowerRequestResult hibernate() override;

    PrivilegeResult privilege;           // what enabling the privilege answers
    PowerRequestResult answer{true, ""}; // what a power request answers
    std::vector<std::string> requests;   // "privilege power off", "exit 12", "hibernate", ...
    // Runs while the machine sleeps in an accepted hibernation, as the world goes on meanwhile.
    std::function<void()> whileHibernating;
};

// Signs of use of one kind, while the test says so.
class FakeSignSource : public SignSource {
public:
    explicit FakeSignSource(SignKind kind) : kind_(kind) {}
    SignKind kind() const override { return kind_; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override {
        ++asked;
        limit = quietLimit;
        signs.insert(signs.end(), shown.begin(), shown.end());
    }
    std::vector<std::string> shown;
    int asked = 0;
    std::chrono::seconds limit{}; // as last asked

private:
    SignKind kind_;
};

class FakeAccounts : public Accounts {
public:
    bool userIsAdministrator() override { return administrator; }
    bool administrator = true;
};

class FakeOsVersion : public OsVersion {
public:
    OsVersionNumbers numbers() override { return version; }
    OsVersionNumbers version{2, 6, 1};
};

} // namespace dorvex
