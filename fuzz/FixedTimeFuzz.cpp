#include "config/FixedTimeEntry.h"

#include <cstdlib>
#include <string_view>

// The fixed time typed into the box: exactly "hh:mm" with hours 00-23 and minutes 00-59 is
// stored as 1hhmm, anything else is refused.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto digit = [&](std::size_t i) {
        return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -100;
    };
    const bool shaped = size == 5 && text[2] == ':';
    const int hours = shaped ? digit(0) * 10 + digit(1) : -1;
    const int minutes = shaped ? digit(3) * 10 + digit(4) : -1;
    const bool valid = hours >= 0 && hours < 24 && minutes >= 0 && minutes < 60;
    const auto stored = dorvex::FixedTimeEntry::parseTime(text);
    if (stored.has_value() != valid ||
        (valid && *stored != static_cast<float>(10000 + hours * 100 + minutes))) {
        std::abort();
    }
    return 0;
}
