#pragma once

#include "platform/DesktopNotices.h"
#include "platform/linux/ReadableWatches.h"

#include <chrono>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>
#include <utility>

namespace dorvex {

// The desktop's notices through org.freedesktop.Notifications on the session bus, of critical
// urgency, which notification daemons show above full-screen windows. Nothing waits: a notice goes
// out at once, and the daemon's answer, the id to withdraw it by, is read when the event loop finds
// it arrived; a notice withdrawn before its id came is withdrawn when it comes. Without a bus or a
// daemon nothing is shown, and that is said once.
class DbusDesktopNotices : public DesktopNotices {
public:
    // At the end the notice shown is withdrawn, its id waited for this long at most.
    static constexpr std::chrono::milliseconds lastAnswer{250};

    // Notices from `appName`, which also names the program when it says it can show none.
    DbusDesktopNotices(std::string appName, ReadableWatches& watches,
                       std::ostream& diagnostics = std::cerr);
    ~DbusDesktopNotices() override;
    DbusDesktopNotices(const DbusDesktopNotices&) = delete;
    DbusDesktopNotices& operator=(const DbusDesktopNotices&) = delete;

    void show(const std::string& summary, const std::string& body) override;
    void withdraw() override;

private:
    // Sends the notice, in place of the one shown (id 0: none).
    void notify(const std::string& summary, const std::string& body, std::uint32_t replaces);
    // Handles what has arrived, never waiting.
    void readArrived();
    void closeBus();
    void cannotShow(const std::string& reason);
    static int onShown(sd_bus_message* answer, void* self, sd_bus_error* error);

    const std::string appName_;
    ReadableWatches& watches_;
    std::ostream& diagnostics_;
    sd_bus* bus_ = nullptr;
    int fd_ = -1;
    sd_bus_slot* showing_ = nullptr;  // the notice sent, its id not come yet
    std::optional<std::uint32_t> id_; // the notice shown
    bool withdrawn_ = false;          // while showing_: withdrawn before its id came
    std::optional<std::pair<std::string, std::string>> next_; // while showing_: shown after it
    bool told_ = false;
};

} // namespace dorvex
