#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dorvex {

// A transfer in progress (a download, a backup, a copy to another machine) from the byte counters
// of the network interfaces, read once a tick: the bytes received or sent, averaged over the last
// `window`, at least `busyRate` in either direction. Background traffic below that is no sign.
// The average covers the reads within the window, so that the traffic of a time nobody asked
// about never counts.
class TransferRate {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::uint64_t busyRate = 64 * 1024; // bytes a second
    static constexpr std::chrono::seconds averageWindow{60};
    // Told once when the system's counters cannot be read.
    static constexpr const char* unreadableNotice =
        "Dorvex Zede cannot read the network's traffic; a transfer does not count as the "
        "processor busy\n";

    explicit TransferRate(Clock::duration window = averageWindow) : window_(window) {}

    // One read: begin, the counters of each interface (the loopback left out), end. A read that
    // failed half way is begun again at the next tick and counts nothing.
    void beginRead() { read_ = 0; }
    void count(std::string_view name, std::uint64_t received, std::uint64_t sent);
    // Adds "2.1 MB/s received", "80 kB/s sent" for a transfer over the window up to `now`.
    void endRead(Clock::time_point now, std::vector<std::string>& signs);

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
    // What the interfaces counted since the previous read: an interface that came or went, or a
    // counter that started again, adds nothing and takes nothing back.
    Bytes sinceLastRead() const;

    Clock::duration window_;
    // The interfaces at the last read, and the first `read_` of those being read; swapped, and
    // their names assigned in place, so that no read allocates.
    std::vector<Interface> last_, current_;
    std::size_t read_ = 0;
    // A ring of the samples within the window, one a tick; the oldest is overwritten.
    std::array<Sample, 64> samples_;
    std::size_t newest_ = 0, count_ = 0;
};

} // namespace dorvex
