#include "platform/qt/Conversions.h"
#include "platform/qt/TwipScale.h"

#include <gtest/gtest.h>

namespace dorvex::qt {
namespace {

// The everyday captions are in the binding table; these are the edges of the ampersand rule.
TEST(Conversions, CaptionsAndPlainText) {
    const std::pair<std::string, QString> captions[] = {
        {"a &&& b", "a & b"}, {"&&&&", "&&"}, {"ends &", "ends "}, {"Zürich", "Zürich"}, {"", ""}};
    for (const auto& [model, shown] : captions) {
        EXPECT_EQ(labelCaption(model), shown) << model;
    }
    EXPECT_EQ(plainText("a\r\nb\nc\rd"), "a\nb\nc\rd");
}

TEST(Conversions, TwipsBecomeTheNearestPixelAndBack) {
    const struct {
        double dotsPerInch;
        int twips, pixels;
    } cases[] = {{96, 5970, 398}, {96, 980, 65},    {96, 975, 65},    {96, 7, 0},
                 {96, 8, 1},      {120, 1440, 120}, {144, 2010, 201}, {96, -15, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(TwipScale(c.dotsPerInch).pixels(c.twips), c.pixels) << c.twips;
    }
    EXPECT_EQ(TwipScale(96).twips(1280), 19200);
    EXPECT_EQ(TwipScale(120).twips(1280), 15360);
}

TEST(Conversions, ColourRolesComeFromThePaletteAndRgbIsKept) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    EXPECT_EQ(resolveColour(Colour::windowText(), palette), QColor(1, 2, 3));
    EXPECT_EQ(resolveColour(Colour::buttonFace(), palette), QColor(4, 5, 6));
    EXPECT_EQ(resolveColour(Colour::windowBackground(), palette), QColor(7, 8, 9));
    EXPECT_EQ(resolveColour(Colour::rgb(255, 128, 0), palette), QColor(255, 128, 0));
}

} // namespace
} // namespace dorvex::qt
