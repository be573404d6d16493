#pragma once

#include "platform/linux/WaylandIdleInput.h"

#include <functional>
#include <memory>

namespace dorvex {

// Keyboard and mouse while the Wayland compositor has not answered the program's first question
// yet (it starts with the session, or is too busy): they count as in use until it answers, and
// come through the source chosen with its answer from then on. Each poll looks for the answer
// without waiting.
class AwaitedCompositor : public InputDevices {
public:
    using Choice = std::function<std::unique_ptr<InputDevices>(std::unique_ptr<WaylandIdleInput>)>;

    AwaitedCompositor(std::unique_ptr<WaylandIdleInput> compositor, Choice choose);

    bool cursorPosition(CursorPosition& position) override;
    KeyCodes keysReported() override;
    RawInput rawInputReported() override;
    std::string notWatchedReason() override;

private:
    std::unique_ptr<WaylandIdleInput> compositor_; // until it answers
    Choice choose_;
    std::unique_ptr<InputDevices> chosen_;
};

} // namespace dorvex
