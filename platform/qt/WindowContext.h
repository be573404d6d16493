#pragma once

#include "platform/qt/ModalGate.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/TwipScale.h"

namespace dorvex::qt {

// What every native window shares: the scale, the pictures, the boxes' modality, and whether the
// program still takes events.
struct WindowContext {
    TwipScale scale;
    Pictures pictures;
    ModalGate modalGate;
    bool running = true;
    // The program's window that was active last; activating it again is no new activation.
    const void* lastActive = nullptr;
};

} // namespace dorvex::qt
