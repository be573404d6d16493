#include "config/LenientNumber.h"
#include "config/SingleText.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvex {
namespace {

struct NumberCase {
    std::string text;
    std::optional<double> value;
};

class LenientNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(LenientNumberTest, ReadsTheLeadingNumber) {
    EXPECT_EQ(lenientNumber(GetParam().text), GetParam().value) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, LenientNumberTest,
    testing::Values(NumberCase{"", 0.0}, NumberCase{"2", 2.0}, NumberCase{"   2", 2.0},
                    NumberCase{"\t7", 7.0}, NumberCase{"2   ", 2.0}, NumberCase{"1 2", 12.0},
                    NumberCase{"1 2 . 5", 12.5}, NumberCase{"-3", -3.0}, NumberCase{"- 3", -3.0},
                    NumberCase{"+4", 4.0}, NumberCase{"1.5", 1.5}, NumberCase{".5", 0.5},
                    NumberCase{"1.2.3", 1.2}, NumberCase{"12abc", 12.0}, NumberCase{"abc", 0.0},
                    NumberCase{"-", 0.0}, NumberCase{".", 0.0}, NumberCase{"1e3", 1000.0},
                    NumberCase{"1E+2", 100.0}, NumberCase{"25e-1", 2.5}, NumberCase{"1d2", 100.0},
                    NumberCase{"1D 2", 100.0}, NumberCase{"2e", 2.0}, NumberCase{"2e+", 2.0},
                    NumberCase{"2ex", 2.0}, NumberCase{"e5", 0.0}, NumberCase{"0x10", 0.0},
                    NumberCase{"&H10", 0.0}, NumberCase{"1e-400", 0.0},
                    NumberCase{"1e400", std::nullopt},
                    NumberCase{std::string("2\0"
                                           "5",
                                           3),
                               2.0},
                    NumberCase{"\xff"
                               "5",
                               0.0}));

struct SingleCase {
    float value;
    std::string text;
};

class SingleTextTest : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleTextTest, WritesTheGeneralDecimalText) {
    EXPECT_EQ(singleText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Forms, SingleTextTest,
                         testing::Values(SingleCase{2.0f, "2"}, SingleCase{12200.0f, "12200"},
                                         SingleCase{1.5f, "1.5"}, SingleCase{0.5f, "0.5"},
                                         SingleCase{1.1f, "1.1"}, SingleCase{-1.0f, "-1"},
                                         SingleCase{-0.0f, "0"}, SingleCase{10030.5f, "10030.5"},
                                         SingleCase{1234567.0f, "1234567"},
                                         SingleCase{12345678.0f, "1.234568E+07"},
                                         SingleCase{1e7f, "1E+07"}, SingleCase{1e-5f, "1E-05"},
                                         SingleCase{0.0001f, "0.0001"}));

} // namespace
} // namespace dorvex
