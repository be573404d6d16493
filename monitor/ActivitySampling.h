#pragma once

#include "monitor/ClsCPUUsageNT.h"
#include "monitor/MdInDataChange.h"

namespace dorvex {

class Program;

// Once a monitoring tick: was there processor, keyboard or mouse activity since the last one?
// Keeps a five-sample moving average of the processor load and shows the readings.
class ActivitySampling {
public:
    explicit ActivitySampling(Program& program);

    // Sets CPUQuiet and KMQuiet and shows the readings; a failed processor sample takes a second
    // off PhaseSeconds.
    void Sample_Activity();

    ClsCPUUsageNT CPUUsage; // replaced by a new sampler at every reset
    MdInDataChange input;

private:
    void recordLoad(std::int32_t load);

    Program& program_;
};

} // namespace dorvex
