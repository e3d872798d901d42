#include "encoding/numbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t MAX = std::numeric_limits<int32_t>::max();
constexpr int32_t MIN = std::numeric_limits<int32_t>::min();

struct ClampCase {
  const char* name;
  int64_t value;
  int32_t expected;
};

class ClampToInt32Test : public testing::TestWithParam<ClampCase> {};

TEST_P(ClampToInt32Test, SaturatesAtTheEndsOfTheRange) {
  EXPECT_EQ(clampToInt32(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClampToInt32Test,
    testing::Values(ClampCase{"Zero", 0, 0},
                    ClampCase{"Largest", MAX, MAX},
                    ClampCase{"JustAbove", int64_t{MAX} + 1, MAX},
                    ClampCase{"Smallest", MIN, MIN},
                    ClampCase{"JustBelow", int64_t{MIN} - 1, MIN},
                    ClampCase{"FarAbove", std::numeric_limits<int64_t>::max(), MAX},
                    ClampCase{"FarBelow", std::numeric_limits<int64_t>::min(), MIN}),
    [](const auto& info) { return std::string(info.param.name); });

struct DecimalCase {
  const char* name;
  std::string text;
  int32_t expected;
};

class ReadLeadingDecimalTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(ReadLeadingDecimalTest, ReadsAsAtoiWithoutOverflow) {
  EXPECT_EQ(readLeadingDecimal(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLeadingDecimalTest,
    testing::Values(DecimalCase{"Empty", "", 0},
                    DecimalCase{"NoDigits", "abc", 0},
                    DecimalCase{"SignAlone", "-", 0},
                    DecimalCase{"Plain", "1440", 1440},
                    DecimalCase{"LeadingZeros", "007", 7},
                    DecimalCase{"EveryAtoiSpaceSkipped", " \t\n\v\f\r42", 42},
                    DecimalCase{"OtherControlByteStops", "\x01" "42", 0},
                    DecimalCase{"PlusSign", "+5", 5},
                    DecimalCase{"MinusSign", "-93", -93},
                    DecimalCase{"TwoSignsStop", "+-5", 0},
                    DecimalCase{"SpaceAfterSignStops", "- 5", 0},
                    DecimalCase{"StopsAtOtherCharacter", "12ab34", 12},
                    DecimalCase{"StopsAtNul", std::string("12\0" "34", 5), 12},
                    DecimalCase{"Largest", "2147483647", MAX},
                    DecimalCase{"JustAboveSaturates", "2147483648", MAX},
                    DecimalCase{"Smallest", "-2147483648", MIN},
                    DecimalCase{"JustBelowSaturates", "-2147483649", MIN},
                    DecimalCase{"ManyDigitsSaturate", std::string(400, '9'), MAX},
                    DecimalCase{"ManyNegativeDigitsSaturate", "-" + std::string(400, '9'), MIN}),
    [](const auto& info) { return std::string(info.param.name); });

struct HexDigitCase {
  const char* name;
  char32_t c;
  int expected;
};

class HexDigitValueTest : public testing::TestWithParam<HexDigitCase> {};

TEST_P(HexDigitValueTest, GivesTheDigitOrMinusOne) {
  EXPECT_EQ(hexDigitValue(GetParam().c), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HexDigitValueTest,
    testing::Values(HexDigitCase{"Zero", U'0', 0},
                    HexDigitCase{"Nine", U'9', 9},
                    HexDigitCase{"UpperA", U'A', 10},
                    HexDigitCase{"UpperF", U'F', 15},
                    HexDigitCase{"LowerA", U'a', 10},
                    HexDigitCase{"LowerF", U'f', 15},
                    HexDigitCase{"UpperG", U'G', -1},
                    HexDigitCase{"LowerG", U'g', -1},
                    HexDigitCase{"BeforeZero", U'/', -1},
                    HexDigitCase{"AfterNine", U':', -1},
                    HexDigitCase{"Nul", U'\0', -1},
                    HexDigitCase{"FullwidthDigit", U'\uFF11', -1},
                    HexDigitCase{"ByteWithDigitsLowBits", char32_t{0x130}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
