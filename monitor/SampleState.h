#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace dorvex {

// What the activity sampling keeps from one tick to the next.
struct SampleState {
    // Slot 0: how many samples are held (0-5); slots 1-5: a ring of load percentages.
    std::array<std::int16_t, 32> CPUSamples{};
    std::int16_t CPUSampleIndex = 0; // ring slot written last
    std::string CPUAvgText = " ...";
    // The number CPUAvgText shows, kept with it so that no tick reads the text back; none for a
    // text without one.
    std::optional<int> CPUAvgShown;
    std::string KMActText = " . .";

    // Shows a whole percentage (not negative) as the box does: right-aligned in three characters
    // (the last three digits of a larger one), with a percent sign.
    void showAverage(int percent);
    // A text without a number: " ..." before the first sample, "Err  " after a failed one.
    void showNoAverage(const char* text) {
        CPUAvgText = text;
        CPUAvgShown.reset();
    }
};

} // namespace dorvex
