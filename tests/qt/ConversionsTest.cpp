#include "platform/qt/Conversions.h"

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

} // namespace
} // namespace dorvex::qt
