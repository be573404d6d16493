#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace dorvex {

// What the activity sampling keeps from one tick to the next.
struct SampleState {
    // Slot 0: how many samples are held (0-5); slots 1-5: a ring of load percentages.
    std::array<std::int16_t, 32> CPUSamples{};
    std::int16_t CPUSampleIndex = 0; // ring slot written last
    std::string CPUAvgText = " ...";
    std::string KMActText = " . .";
};

} // namespace dorvex
