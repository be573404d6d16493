#include "platform/linux/InputSincePoll.h"

namespace dorvex {

void tellNotWatched(std::string& kept, const std::string& reason, std::ostream& diagnostics) {
    if (kept.empty()) {
        kept = reason;
        diagnostics << "Dorvex Zede cannot watch keyboard and mouse: " << reason
                    << "; they count as in use\n";
    }
}

InputPoll InputSincePoll::poll() {
    if (!reason_.empty()) {
        return {};
    }
    const bool input = inputSinceLastPoll();
    return {.raw = {.keyboardOrMouse = input && reason_.empty()}};
}

} // namespace dorvex
