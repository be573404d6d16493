#include "update/VersionNumber.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

TEST(VersionNumber, ReadsTheLeadingDecimalNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"5.5.0.0", 5.5}, // the own version with its minor part
        {"5.6.0.0", 5.6},
        {"5.10.0.0", 5.1}, // a number, not a list of parts
        {"10.0.0.0", 10.0},
        {" 5 . 6", 5.6},        // blanks stand anywhere
        {"\t5\n.6", 5.6},       // tabs and line feeds too
        {"\r\n5.6\r\n.0", 5.6}, // a reply written with Windows line ends
        {"5..6", 5.0},          // the second point ends it
        {"5.6beta.0", 5.6},
        {".5", 0.5},
        {"v5.6", 0.0}, // no digits first
        {"", 0.0},
        {".", 0.0},
        {"-5.6", 0.0}, // no sign
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(leadingDecimalNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

} // namespace
} // namespace dorvex::test
