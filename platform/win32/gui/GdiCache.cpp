#include "platform/win32/gui/GdiCache.h"

#include <cmath>

namespace dorvex::win32 {

GdiCache::~GdiCache() {
    for (const auto& [key, font] : fonts_) {
        DeleteObject(font);
    }
    for (const auto& [key, brush] : brushes_) {
        DeleteObject(brush);
    }
}

HFONT GdiCache::font(const Font& font, int dotsPerInch) {
    // Hundredths of a point, so that 9.75 and 9.8 stay apart.
    const int centiPoints = static_cast<int>(std::lround(font.points * 100));
    const FontKey key{font.face, centiPoints, font.bold, font.underline, dotsPerInch};
    auto found = fonts_.find(key);
    if (found == fonts_.end()) {
        constexpr int centiPointsPerInch = 7200;
        const HFONT created =
            CreateFontA(-MulDiv(centiPoints, dotsPerInch, centiPointsPerInch), 0, 0, 0,
                        font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline ? TRUE : FALSE,
                        FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face.c_str());
        found = fonts_.emplace(key, created).first;
    }
    return found->second;
}

HBRUSH GdiCache::brush(COLORREF colour) {
    auto found = brushes_.find(colour);
    if (found == brushes_.end()) {
        found = brushes_.emplace(colour, CreateSolidBrush(colour)).first;
    }
    return found->second;
}

COLORREF colourRef(const Colour& colour) {
    switch (colour.role) {
    case Colour::Role::WindowText:
        return GetSysColor(COLOR_WINDOWTEXT);
    case Colour::Role::ButtonFace:
        return GetSysColor(COLOR_BTNFACE);
    case Colour::Role::WindowBackground:
        return GetSysColor(COLOR_WINDOW);
    case Colour::Role::Rgb:
        break;
    }
    return RGB(colour.red, colour.green, colour.blue);
}

} // namespace dorvex::win32
