#pragma once

#include "platform/WindowModel.h"

namespace dorvex::test {

// A visible window "w", captioned "Test window", of 600 by 300 pixels at 96 dots per inch: the
// window the window systems' tests load.
inline WindowModel testWindow() {
    WindowModel model;
    model.name = "w";
    model.caption = "Test window";
    model.clientWidth = 9000;
    model.clientHeight = 4500;
    model.visible = true;
    return model;
}

} // namespace dorvex::test
