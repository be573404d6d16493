#include "platform/win32/gui/Pictures.h"

namespace dorvex::win32 {

namespace {

constexpr int pictureIconSize = 32;
constexpr int standardDpi = 96;

} // namespace

Pictures::~Pictures() {
    for (const auto& [key, icon] : icons_) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
    for (const auto& [key, bitmap] : bitmaps_) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
    }
}

HICON Pictures::icon(const std::string& name, int pixels) {
    const auto key = std::make_pair(name, pixels);
    auto found = icons_.find(key);
    if (found == icons_.end()) {
        auto* const loaded = static_cast<HICON>(
            LoadImageA(instance_, name.c_str(), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
        found = icons_.emplace(key, loaded).first;
    }
    return found->second;
}

HBITMAP Pictures::bitmap(const std::string& name) {
    auto found = bitmaps_.find(name);
    if (found == bitmaps_.end()) {
        auto* const loaded = static_cast<HBITMAP>(
            LoadImageA(instance_, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        found = bitmaps_.emplace(name, loaded).first;
    }
    return found->second;
}

SIZE Pictures::size(const std::string& name) {
    if (HBITMAP const image = bitmap(name)) {
        BITMAP info{};
        GetObjectA(image, sizeof info, &info);
        return {info.bmWidth, info.bmHeight};
    }
    if (icon(name, pictureIconSize) != nullptr) {
        return {pictureIconSize, pictureIconSize};
    }
    return {0, 0};
}

void Pictures::draw(HDC dc, const std::string& name, POINT at, int dotsPerInch) {
    const SIZE own = size(name);
    const int width = MulDiv(static_cast<int>(own.cx), dotsPerInch, standardDpi);
    const int height = MulDiv(static_cast<int>(own.cy), dotsPerInch, standardDpi);
    if (HBITMAP const image = bitmap(name)) {
        HDC const source = CreateCompatibleDC(dc);
        HGDIOBJ const previous = SelectObject(source, image);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, at.x, at.y, width, height, source, 0, 0, static_cast<int>(own.cx),
                      static_cast<int>(own.cy), blend);
        SelectObject(source, previous);
        DeleteDC(source);
    } else if (HICON const image = icon(name, width)) {
        DrawIconEx(dc, at.x, at.y, image, width, height, 0, nullptr, DI_NORMAL);
    }
}

} // namespace dorvex::win32
