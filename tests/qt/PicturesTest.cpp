#include "platform/qt/Pictures.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace dorvex::qt {
namespace {

const std::array<std::string, 4> stateIcons{"activate", "activity", "window", "shutdown"};

// How far apart two images of the same size are: the mean difference over all channels.
double distance(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            sum += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                   std::abs(p.blue() - q.blue()) + std::abs(p.alpha() - q.alpha());
        }
    }
    return sum / (a.width() * a.height() * 4);
}

class StateIconSize : public ::testing::TestWithParam<int> {};

TEST_P(StateIconSize, EveryStateLooksClearlyDifferent) {
    Pictures pictures;
    const int size = GetParam();
    for (std::size_t i = 0; i < stateIcons.size(); ++i) {
        const QImage first = pictures.icon(stateIcons[i]).pixmap(size).toImage();
        ASSERT_EQ(first.size(), QSize(size, size)) << stateIcons[i];
        for (std::size_t j = i + 1; j < stateIcons.size(); ++j) {
            const QImage second = pictures.icon(stateIcons[j]).pixmap(size).toImage();
            EXPECT_GT(distance(first, second), 20.0) << stateIcons[i] << " / " << stateIcons[j];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, StateIconSize, ::testing::Values(16, 32, 48));

TEST(Pictures, StateIconsCarryImagesOfEachSize) {
    Pictures pictures;
    for (const std::string& name : stateIcons) {
        const QList<QSize> sizes = pictures.icon(name).availableSizes();
        EXPECT_EQ(sizes, (QList<QSize>{{16, 16}, {32, 32}, {48, 48}})) << name;
    }
}

TEST(Pictures, LogoAndAboutBackgroundHaveTheirSizes) {
    Pictures pictures;
    EXPECT_EQ(pictures.pixmap("logo").size(), QSize(55, 58));
    EXPECT_EQ(pictures.pixmap("about").size(), QSize(164, 314));
    EXPECT_EQ(pictures.pixmap("activate").size(), QSize(32, 32));
}

TEST(Pictures, AnUnknownNameHasNoPicture) {
    Pictures pictures;
    EXPECT_TRUE(pictures.pixmap("Activate").isNull());
    EXPECT_TRUE(pictures.icon("").isNull());
}

} // namespace
} // namespace dorvex::qt
