#include "monitor/ClsCPUUsageNT.h"

#include <cmath>

namespace dorvex {

void ClsCPUUsageNT::Initialise64() {
    SystemTimes times;
    if (source_->read(times)) {
        previous_ = times;
        current_ = times;
    }
}

std::int32_t ClsCPUUsageNT::Query64() {
    SystemTimes times;
    if (!source_->read(times)) {
        return 0;
    }
    current_ = times;
    const std::int64_t idle = current_.idle - previous_.idle;
    // One microsecond more keeps the total from ever being zero.
    const std::int64_t kernel = current_.kernel - previous_.kernel + 10;
    const std::int64_t user = current_.user - previous_.user;
    const std::int64_t total = kernel + user;
    const std::int64_t busy = (total - idle) * 100;
    previous_ = current_;
    return static_cast<std::int32_t>(
        std::floor(static_cast<double>(busy) / static_cast<double>(total)));
}

} // namespace dorvex
