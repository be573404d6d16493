#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace dorvex::win32 {

// The program's pictures from its resources, by the names the window models use: the state
// icons as icons, the logo and the about box's background as bitmaps with alpha.
class Pictures {
public:
    explicit Pictures(HINSTANCE instance) : instance_(instance) {}
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The icon at the size in pixels; null for an unknown name.
    HICON icon(const std::string& name, int pixels);
    // The bitmap; null for a name that is no bitmap.
    HBITMAP bitmap(const std::string& name);
    // The picture's own size in pixels at 96 dots per inch: a state icon is shown at 32.
    SIZE size(const std::string& name);
    // Draws the picture at the top left of the rectangle, at the size for the dots per inch.
    void draw(HDC dc, const std::string& name, POINT at, int dotsPerInch);

private:
    HINSTANCE instance_;
    std::map<std::pair<std::string, int>, HICON> icons_;
    std::map<std::string, HBITMAP> bitmaps_;
};

} // namespace dorvex::win32
