#include "platform/qt/Conversions.h"
#include "platform/qt/TwipScale.h"

#include <gtest/gtest.h>

namespace dorvex::qt {
namespace {

struct CaptionCase {
    std::string model;
    QString shown;
};

class LabelCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(LabelCaption, ShowsAmpersandsAsTheProgramMeansThem) {
    EXPECT_EQ(labelCaption(GetParam().model), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, LabelCaption,
    ::testing::Values(CaptionCase{"Key && Mouse", "Key & Mouse"}, CaptionCase{"&Fixed", "Fixed"},
                      CaptionCase{"a &&& b", "a & b"}, CaptionCase{"&&&&", "&&"},
                      CaptionCase{"ends &", "ends "}, CaptionCase{"one\r\ntwo", "one\ntwo"},
                      CaptionCase{"Zürich", "Zürich"}, CaptionCase{"", ""}));

TEST(PlainText, OnlyCrLfBecomesLf) {
    EXPECT_EQ(plainText("a\r\nb\nc\rd"), "a\nb\nc\rd");
}

struct ScaleCase {
    double dotsPerInch;
    int twips;
    int pixels;
};

class Twips : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(Twips, BecomeTheNearestPixel) {
    const TwipScale scale(GetParam().dotsPerInch);
    EXPECT_EQ(scale.pixels(GetParam().twips), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Scales, Twips,
                         ::testing::Values(ScaleCase{96, 5970, 398}, ScaleCase{96, 980, 65},
                                           ScaleCase{96, 975, 65}, ScaleCase{96, 1297, 86},
                                           ScaleCase{96, 7, 0}, ScaleCase{96, 8, 1},
                                           ScaleCase{120, 1440, 120}, ScaleCase{144, 2010, 201},
                                           ScaleCase{96, -15, -1}));

TEST(Twips, ScreenPixelsBackToTwips) {
    EXPECT_EQ(TwipScale(96).twips(1280), 19200);
    EXPECT_EQ(TwipScale(120).twips(1280), 15360);
}

TEST(Colours, RolesComeFromThePaletteAndRgbIsKept) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    palette.setColor(QPalette::Button, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    EXPECT_EQ(resolveColour(Colour::windowText(), palette), QColor(1, 2, 3));
    EXPECT_EQ(resolveColour(Colour::buttonFace(), palette), QColor(4, 5, 6));
    EXPECT_EQ(resolveColour(Colour::windowBackground(), palette), QColor(7, 8, 9));
    EXPECT_EQ(resolveColour(Colour::rgb(255, 128, 0), palette), QColor(255, 128, 0));
}

TEST(Fonts, FaceSizeAndStyle) {
    const QFont font = toQFont({"Arial", 9.75, true, true});
    EXPECT_EQ(font.family(), "Arial");
    EXPECT_EQ(font.pointSizeF(), 9.75);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
}

} // namespace
} // namespace dorvex::qt
