#pragma once

#include "platform/WindowModel.h"

#include <QRect>

#include <cmath>

namespace dorvex::qt {

// Twips (1/1440 inch) and pixels through the screen's logical resolution: 15 twips a pixel at
// 96 dots per inch.
class TwipScale {
public:
    explicit TwipScale(double dotsPerInch) : dotsPerInch_(dotsPerInch) {}

    int pixels(int twips) const {
        return static_cast<int>(std::lround(twips * dotsPerInch_ / twipsPerInch));
    }
    int twips(int pixels) const {
        return static_cast<int>(std::lround(pixels * twipsPerInch / dotsPerInch_));
    }
    QRect rect(const Rect& r) const {
        return {pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height)};
    }

private:
    static constexpr double twipsPerInch = 1440.0;
    double dotsPerInch_;
};

} // namespace dorvex::qt
