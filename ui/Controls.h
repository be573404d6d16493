#pragma once

#include "platform/WindowModel.h"

#include <string>

namespace dorvex {

// Controls as a window declares them, with the defaults of their kind.
Control button(std::string name, std::string caption, std::string toolTip, Rect geometry,
               bool enabled = true);
Control label(std::string name, std::string caption, Rect geometry,
              Alignment alignment = Alignment::Left);
// A read-only value box: the user types only where the program unlocks it.
Control valueBox(std::string name, Rect geometry, Alignment alignment);
// A hidden text box that takes the keyboard focus, so no visible control shows a caret; a screen
// reader reads it by the name given.
Control focusSink(Rect geometry, std::string accessibleName);
Control picture(std::string name, ControlKind kind, std::string image, Rect geometry,
                bool visible = true);
Control timerControl(std::string name, int intervalMs, bool enabled = false);
MenuItem menuItem(std::string name, std::string caption, bool visible = true, bool enabled = true);

} // namespace dorvex
