#include "monitor/MdInDataChange.h"

namespace dorvex {

RawInput MdInDataChange::takePoll() {
    const InputPoll input = devices_.poll();
    // A failed read leaves the old position, which reads as no movement.
    MousePos = input.position.value_or(MousePos);
    KeySig = input.keys;
    KeySig.reset(0); // no key has code 0
    return input.raw;
}

std::string MdInDataChange::Poll_Input() {
    const RawInput raw = takePoll();
    // Any change of x or y is movement, also along a diagonal.
    MouseChar = MousePos == PrevMousePos ? '_' : 'M';
    PrevMousePos = MousePos;

    // Key input: some key is reported and the set differs from the previous poll's. A key held
    // over several polls counts once; one pressed and released in between still counts.
    if (KeySig.none()) {
        PrevKeySig.reset();
    }
    KeyChar = KeySig == PrevKeySig ? '_' : 'K';
    PrevKeySig = KeySig;

    // The comparison misses a wheel step, the same key pressed again and a move back to the
    // start; the system's own record of raw input adds them, and never takes input away.
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
    takePoll(); // raw input before the baseline does not count
    PrevMousePos = MousePos;
    MouseChar = ' ';
    KeyChar = ' ';
}

} // namespace dorvex
