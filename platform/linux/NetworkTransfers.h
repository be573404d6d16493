#pragma once

#include "platform/SignsOfUse.h"
#include "platform/linux/KeptOpenFile.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

namespace dorvex {

// A transfer in progress (a download, a backup, a copy to another machine): the bytes received
// or sent over every network interface but the loopback, from /proc/net/dev, averaged over the
// last `window`, at least `busyRate` in either direction. Background traffic below that is no
// sign. Read once a tick while the processor is watched: the average covers the ticks read within
// the window, so that the traffic of a time nobody asked about never counts.
class NetworkTransfers : public SignSource {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::uint64_t busyRate = 64 * 1024; // bytes a second
    static constexpr std::chrono::seconds averageWindow{60};

    explicit NetworkTransfers(std::ostream& diagnostics = std::cerr,
                              Clock::duration window = averageWindow,
                              std::string devFile = "/proc/net/dev");

    SignKind kind() const override { return SignKind::Work; }
    void addSigns(std::chrono::seconds /*quietLimit*/, std::vector<std::string>& signs) override {
        addSignsAt(Clock::now(), signs);
    }
    // As at `now`: the file read then.
    void addSignsAt(Clock::time_point now, std::vector<std::string>& signs);

private:
    // The bytes received and sent: by one interface, or since the first read.
    struct Bytes {
        std::uint64_t received = 0;
        std::uint64_t sent = 0;
    };
    struct Interface {
        std::string name;
        Bytes counted;
    };
    struct Sample {
        Clock::time_point at;
        Bytes total;
    };
    // Adds what each interface counted since the previous read to `total`: an interface that
    // came or went, or a counter that started again, adds nothing and takes nothing back.
    bool read(Bytes& total);

    std::ostream& diagnostics_;
    Clock::duration window_;
    KeptOpenFile devFile_;
    bool told_ = false; // that the file cannot be read
    // The interfaces at the last read, and those being read; swapped, so that no read allocates.
    std::vector<Interface> last_, current_;
    // A ring of the samples within the window, one a tick; the oldest is overwritten.
    std::array<Sample, 64> samples_;
    std::size_t newest_ = 0, count_ = 0;
    std::array<char, 32 * 1024> buffer_; // a line an interface: room for a host full of them
};

} // namespace dorvex
