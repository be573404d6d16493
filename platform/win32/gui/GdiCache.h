#pragma once

#include "platform/WindowModel.h"

#include <windows.h>

#include <map>
#include <tuple>

namespace dorvex::win32 {

// Fonts and brushes made once and kept for the life of the window system.
class GdiCache {
public:
    GdiCache() = default;
    ~GdiCache();
    GdiCache(const GdiCache&) = delete;
    GdiCache& operator=(const GdiCache&) = delete;

    HFONT font(const Font& font, int dotsPerInch);
    HBRUSH brush(COLORREF colour);

private:
    using FontKey = std::tuple<std::string, int, bool, bool, int>;
    std::map<FontKey, HFONT> fonts_;
    std::map<COLORREF, HBRUSH> brushes_;
};

// A colour by its system role, or its RGB value.
COLORREF colourRef(const Colour& colour);

} // namespace dorvex::win32
