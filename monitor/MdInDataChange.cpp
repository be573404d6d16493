#include "monitor/MdInDataChange.h"

namespace dorvex {

KeyCodes MdInDataChange::readKeys() {
    KeyCodes keys = devices_.keysReported();
    keys.reset(0); // no key has code 0
    return keys;
}

std::string MdInDataChange::Poll_Input() {
    // A failed read leaves the old position, which reads as no movement. Any change of x or y
    // is movement, also along a diagonal.
    devices_.cursorPosition(MousePos);
    MouseChar = MousePos == PrevMousePos ? '_' : 'M';
    PrevMousePos = MousePos;

    // Key input: some key is reported and the set differs from the previous poll's. A key held
    // over several polls counts once; one pressed and released in between still counts.
    KeySig = readKeys();
    if (KeySig.none()) {
        PrevKeySig.reset();
    }
    KeyChar = KeySig == PrevKeySig ? '_' : 'K';
    PrevKeySig = KeySig;

    // The comparison misses a wheel step, the same key pressed again and a move back to the
    // start; the system's own record of raw input adds them, and never takes input away.
    const RawInput raw = devices_.rawInputReported();
    if (raw.keyboard) {
        KeyChar = 'K';
    }
    if (raw.mouse) {
        MouseChar = 'M';
    }
    // Input that the system cannot put down to keyboard or mouse, and that nothing above showed:
    // both boxes show the one input mark.
    if (raw.keyboardOrMouse && KeyChar == '_' && MouseChar == '_') {
        KeyChar = MouseChar = 'I';
    }
    return {KeyChar, ' ', MouseChar};
}

void MdInDataChange::Prime_Input() {
    devices_.cursorPosition(MousePos);
    PrevMousePos = MousePos;
    MouseChar = ' ';
    KeySig = readKeys();
    devices_.rawInputReported();
    KeyChar = ' ';
}

} // namespace dorvex
