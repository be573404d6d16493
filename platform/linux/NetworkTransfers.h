#pragma once

#include "platform/SignsOfUse.h"
#include "platform/linux/KeptOpenFile.h"
#include "platform/signs/TransferRate.h"

#include <array>
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

namespace dorvex {

// A transfer in progress, as the byte counters of /proc/net/dev tell (see TransferRate).
class NetworkTransfers : public SignSource {
public:
    using Clock = TransferRate::Clock;

    explicit NetworkTransfers(std::ostream& diagnostics = std::cerr,
                              Clock::duration window = TransferRate::averageWindow,
                              std::string devFile = "/proc/net/dev");

    SignKind kind() const override { return SignKind::Work; }
    void addSigns(std::chrono::seconds /*quietLimit*/, std::vector<std::string>& signs) override {
        addSignsAt(Clock::now(), signs);
    }
    // As at `now`: the file read then.
    void addSignsAt(Clock::time_point now, std::vector<std::string>& signs);

private:
    // Gives the rate the counters of every interface but the loopback; false when the file
    // cannot be read or makes no sense.
    bool read();

    std::ostream& diagnostics_;
    TransferRate rate_;
    KeptOpenFile devFile_;
    bool told_ = false;                  // that the file cannot be read
    std::array<char, 32 * 1024> buffer_; // a line an interface: room for a host full of them
};

} // namespace dorvex
