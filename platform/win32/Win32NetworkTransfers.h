#pragma once

#include "platform/SignsOfUse.h"
#include "platform/signs/TransferRate.h"
#include "platform/win32/InterfaceTableCalls.h"

#include <chrono>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

namespace dorvex {

// A transfer in progress, as the counters of the network interfaces tell (see TransferRate):
// every interface but the software loopback and the filters the system stacks on an adapter,
// which count the adapter's bytes a second time. The interfaces are listed every `listAgain` and
// whenever one has gone; in between only those counted are read, as the list of every interface
// and filter costs many times more.
class Win32NetworkTransfers : public SignSource {
public:
    using Clock = TransferRate::Clock;
    static constexpr std::chrono::seconds listAgain{30};

    explicit Win32NetworkTransfers(InterfaceTableCalls& calls,
                                   std::ostream& diagnostics = std::cerr,
                                   Clock::duration window = TransferRate::averageWindow)
        : calls_(calls), diagnostics_(diagnostics), rate_(window) {}

    SignKind kind() const override { return SignKind::Work; }
    void addSigns(std::chrono::seconds /*quietLimit*/, std::vector<std::string>& signs) override {
        addSignsAt(Clock::now(), signs);
    }
    // As at `now`: the counters read then.
    void addSignsAt(Clock::time_point now, std::vector<std::string>& signs);

private:
    bool readList(Clock::time_point now);
    void readCounted();
    void count(const _MIB_IF_ROW2& row);

    InterfaceTableCalls& calls_;
    std::ostream& diagnostics_;
    TransferRate rate_;
    bool told_ = false; // that the counters cannot be read
    bool listed_ = false;
    Clock::time_point listedAt_;
    std::vector<std::uint64_t> counted_; // the LUIDs of the interfaces counted
};

} // namespace dorvex
