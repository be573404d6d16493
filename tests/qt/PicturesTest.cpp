#include "platform/qt/Pictures.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvex::qt {
namespace {

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

TEST(Pictures, EveryStateIconHasEachSizeAndLooksClearlyDifferent) {
    const std::string states[] = {"activate", "activity", "window", "shutdown"};
    Pictures pictures;
    for (const std::string& state : states) {
        EXPECT_EQ(pictures.icon(state).availableSizes(),
                  (QList<QSize>{{16, 16}, {32, 32}, {48, 48}}))
            << state;
    }
    for (const int size : {16, 32, 48}) {
        for (const std::string& first : states) {
            const QImage image = pictures.icon(first).pixmap(size).toImage();
            ASSERT_EQ(image.size(), QSize(size, size)) << first;
            for (const std::string& second : states) {
                if (first < second) {
                    EXPECT_GT(distance(image, pictures.icon(second).pixmap(size).toImage()), 20.0)
                        << first << " / " << second << " at " << size;
                }
            }
        }
    }
    EXPECT_TRUE(pictures.pixmap("Activate").isNull()) << "names are matched exactly";
    EXPECT_TRUE(pictures.icon("").isNull());
}

} // namespace
} // namespace dorvex::qt
