#pragma once

#include "platform/WindowModel.h"

namespace dorvex {

inline constexpr Colour Blue = Colour::rgb(0, 0, 255);     // start-up
inline constexpr Colour Green = Colour::rgb(0, 102, 0);    // activity
inline constexpr Colour Orange = Colour::rgb(255, 128, 0); // no activity, the countdown
inline constexpr Colour White = Colour::rgb(255, 255, 255);

} // namespace dorvex
