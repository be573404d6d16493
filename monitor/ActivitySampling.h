#pragma once

#include "monitor/ClsCPUUsageNT.h"
#include "monitor/MdInDataChange.h"
#include "platform/SignsOfUse.h"

#include <array>
#include <string>
#include <vector>

namespace dorvex {

class Program;

// Once a monitoring tick: was there processor, keyboard or mouse activity since the last one?
// Keeps a five-sample moving average of the processor load and shows the readings. Signs of
// presence make quiet keyboard and mouse count as in use, signs of work a quiet processor as busy.
class ActivitySampling {
public:
    explicit ActivitySampling(Program& program);

    // Sets CPUQuiet and KMQuiet and shows the readings; a failed processor sample takes a second
    // off PhaseSeconds.
    void Sample_Activity();

    // The signs of the kind that held off the countdown at the last monitoring tick, each as its
    // source gave it.
    const std::vector<std::string>& signsSeen(SignKind kind) const {
        return seen_[static_cast<std::size_t>(kind)];
    }

    ClsCPUUsageNT CPUUsage; // replaced by a new sampler at every reset
    MdInDataChange input;

private:
    void sampleLoad();
    void recordLoad(std::int32_t load);
    // The signs of the kind seen now, joined for a tool tip; empty when there are none.
    std::string signsOf(SignKind kind, int quietLimit);

    Program& program_;
    // By kind; kept from tick to tick, so that no tick allocates.
    std::array<std::vector<std::string>, 2> seen_;
};

} // namespace dorvex
