#include "platform/linux/LogindInhibitors.h"

#include <algorithm>
#include <cstdint>
#include <unistd.h>

namespace dorvex {

namespace {

// `what` lists the kinds an inhibitor blocks, such as "sleep:idle".
bool blocksOneOf(std::string_view what, std::initializer_list<std::string_view> kinds) {
    for (std::size_t start = 0; start <= what.size();) {
        const std::size_t end = std::min(what.find(':', start), what.size());
        if (std::ranges::find(kinds, what.substr(start, end - start)) != kinds.end()) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

std::optional<WakeInhibitor> blockingInhibitorIn(sd_bus_message* inhibitors,
                                                 std::initializer_list<std::string_view> kinds) {
    if (sd_bus_message_enter_container(inhibitors, 'a', "(ssssuu)") < 0) {
        return std::nullopt;
    }
    const char* what = nullptr;
    const char* who = nullptr;
    const char* why = nullptr;
    const char* mode = nullptr;
    std::uint32_t uid = 0;
    std::uint32_t pid = 0;
    while (sd_bus_message_read(inhibitors, "(ssssuu)", &what, &who, &why, &mode, &uid, &pid) > 0) {
        // A delay lock only postpones; the program's own locks are no other program's wish.
        if (std::string_view(mode) == "block" && pid != static_cast<std::uint32_t>(getpid()) &&
            blocksOneOf(what, kinds)) {
            return WakeInhibitor{who, why};
        }
    }
    return std::nullopt;
}

} // namespace dorvex
