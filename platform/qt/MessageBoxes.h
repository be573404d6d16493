#pragma once

#include "platform/WindowSystem.h"
#include "platform/qt/ModalGate.h"

#include <optional>
#include <string>

namespace dorvex::qt {

// Writes the box to standard error (its title on one line, its text, an empty line), then shows
// it modal through the gate with an OK button and waits in a nested event loop until it closes:
// by the user, or by itself after `closeAfterMs`. Only this box closes then.
void runMessageBox(ModalGate& gate, const std::string& title, const std::string& text,
                   MessageIcon icon, std::optional<int> closeAfterMs);

} // namespace dorvex::qt
