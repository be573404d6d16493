#include "app/SwitchCode.h"

#include <gtest/gtest.h>

namespace dorvex {
namespace {

TEST(SwitchCode, placeholder) {
    EXPECT_EQ(readSwitchCode("-InhibitShutdown"), 1);
}

} // namespace
} // namespace dorvex
