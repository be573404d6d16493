#include "shutdown/TimedMsgBox.h"

#include "app/Program.h"

#include <limits>
#include <stdexcept>

namespace dorvex {

namespace {

MessageIcon iconOfStyle(std::int32_t style) {
    switch (style & 0x70) {
    case 0x10:
        return MessageIcon::Stop;
    case 0x30:
        return MessageIcon::Exclamation;
    default:
        return MessageIcon::None;
    }
}

} // namespace

std::int32_t TimedMsgBox::Timed_MsgBox(const std::string& text, std::int32_t seconds,
                                       std::int32_t style, const std::string& title) {
    TimedMsgTitle = title;
    const std::int64_t period = seconds == 0 ? 5000 : std::int64_t{seconds} * 1000;
    if (period > std::numeric_limits<std::int32_t>::max() ||
        period < std::numeric_limits<std::int32_t>::min()) {
        throw std::overflow_error("Overflow");
    }
    program_.timedMessageBox(title, text, iconOfStyle(style), static_cast<int>(period));
    return 0;
}

} // namespace dorvex
