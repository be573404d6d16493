#pragma once

#include "platform/WindowModel.h"

#include <windows.h>

namespace dorvex::win32 {

// Twips (1/1440 inch) and pixels at a window's dots per inch: 15 twips a pixel at 96.
class DpiScale {
public:
    explicit DpiScale(UINT dotsPerInch) : dotsPerInch_(static_cast<int>(dotsPerInch)) {}

    int dotsPerInch() const { return dotsPerInch_; }
    int pixels(int twips) const { return MulDiv(twips, dotsPerInch_, twipsPerInch); }
    int twips(int pixels) const { return MulDiv(pixels, twipsPerInch, dotsPerInch_); }
    // A length given in pixels at 96 dots per inch.
    int fromStandard(int pixels) const { return MulDiv(pixels, dotsPerInch_, standardDpi); }
    RECT rect(const Rect& r) const {
        const int left = pixels(r.left);
        const int top = pixels(r.top);
        return {left, top, left + pixels(r.width), top + pixels(r.height)};
    }

private:
    static constexpr int twipsPerInch = 1440;
    static constexpr int standardDpi = 96;
    int dotsPerInch_;
};

} // namespace dorvex::win32
