#include "monitor/SampleState.h"

#include <charconv>

namespace dorvex {

void SampleState::showAverage(int percent) {
    // Written into the text in place: this runs every second.
    std::array<char, 16> padded{' ', ' '};
    const char* end = std::to_chars(padded.data() + 2, padded.data() + padded.size(), percent).ptr;
    CPUAvgText.assign(end - 3, 3);
    CPUAvgText.push_back('%');
    CPUAvgShown = percent % 1000;
}

} // namespace dorvex
