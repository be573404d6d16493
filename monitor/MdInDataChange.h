#pragma once

#include "platform/InputDevices.h"

#include <string>

namespace dorvex {

// Keyboard and mouse activity by polling: the cursor position and the set of keys reported now,
// compared with those of the previous poll, and any raw input the system saw in between.
class MdInDataChange {
public:
    explicit MdInDataChange(InputDevices& devices) : devices_(devices) {}

    // Key character ("K" or "_"), a blank, mouse character ("M" or "_"); "I I" for input that
    // cannot be told keyboard from mouse.
    std::string Poll_Input();
    // A fresh baseline: the cursor as it is, and the keys pressed so far forgotten.
    void Prime_Input();

    CursorPosition MousePos;
    CursorPosition PrevMousePos;
    char MouseChar = ' ';
    char KeyChar = ' ';
    KeyCodes KeySig;
    KeyCodes PrevKeySig;

private:
    // Polls the devices into MousePos and KeySig; what raw input the poll saw.
    RawInput takePoll();

    InputDevices& devices_;
};

} // namespace dorvex
