#include "memory/path_text.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

struct PathCase {
  const char* name;
  const char* text;
  std::optional<Address> address;  // nullopt: malformed
  std::vector<int32_t> offsets;
};

class ParseMemoryPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(ParseMemoryPathTest, ReadsHexadecimalPiecesJoinedByPlus) {
  const std::optional<MemoryPath> path = parseMemoryPath(GetParam().text);
  ASSERT_EQ(path.has_value(), GetParam().address.has_value());
  if (path) {
    EXPECT_EQ(path->address, *GetParam().address);
    EXPECT_EQ(path->offsets, GetParam().offsets);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseMemoryPathTest,
    testing::Values(PathCase{"AddressOnly", "400000", 0x400000, {}},
                    PathCase{"TwoOffsets", "45a1C0+1c+8", 0x45A1C0, {0x1C, 8}},
                    PathCase{"EightDigitOffset", "10+FFFFFFFC", 0x10, {-4}},
                    PathCase{"NineDigits", "123456789", std::nullopt, {}},
                    PathCase{"NonHexPiece", "40000G", std::nullopt, {}},
                    PathCase{"PrefixedPiece", "0x400000", std::nullopt, {}},
                    PathCase{"DoublePlus", "400000++8", std::nullopt, {}},
                    PathCase{"TrailingPlus", "400000+", std::nullopt, {}},
                    PathCase{"LeadingPlus", "+400000", std::nullopt, {}},
                    PathCase{"Empty", "", std::nullopt, {}},
                    PathCase{"EncodedPiece", "O1234", std::nullopt, {}},
                    PathCase{"NegativePiece", "400000+-4", std::nullopt, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ByteListCase {
  const char* name;
  const char* text;
  std::optional<std::string> bytes;
};

class ParseByteListTest : public testing::TestWithParam<ByteListCase> {};

TEST_P(ParseByteListTest, ReadsDecimalBytesInBraces) {
  EXPECT_EQ(parseByteList(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseByteListTest,
    testing::Values(ByteListCase{"Three", "{1,2,255}", "\x01\x02\xFF"s},
                    ByteListCase{"WithSpaces", "{ 0 , 10 }", "\x00\x0A"s},
                    ByteListCase{"Empty", "{}", ""s}, ByteListCase{"EmptyWithSpace", "{ }", ""s},
                    ByteListCase{"Above255", "{256}", std::nullopt},
                    ByteListCase{"Hexadecimal", "{0x10}", std::nullopt},
                    ByteListCase{"Negative", "{-1}", std::nullopt},
                    ByteListCase{"EmptyPiece", "{1,,2}", std::nullopt},
                    ByteListCase{"TrailingComma", "{1,}", std::nullopt},
                    ByteListCase{"MissingClose", "{1,2", std::nullopt},
                    ByteListCase{"TextAfterClose", "{1}2", std::nullopt},
                    ByteListCase{"NoBraces", "1,2", std::nullopt},
                    ByteListCase{"HugeNumber", "{99999999999999999999}", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatByteList, WritesDecimalBytesAndTheEmptyForm) {
  EXPECT_EQ(formatByteList("\x05\x00\xFF"s), "{5,0,255}");
  EXPECT_EQ(formatByteList(""), "{ }");
}

struct DecimalCase {
  const char* name;
  const char* text;
  std::optional<int32_t> value;
};

class ParseDecimalTest : public testing::TestWithParam<DecimalCase> {};

TEST_P(ParseDecimalTest, Reads32BitDecimalNumbers) {
  EXPECT_EQ(parseDecimal32(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalTest,
    testing::Values(DecimalCase{"Five", "5", 5}, DecimalCase{"MinusOne", "-1", -1},
                    DecimalCase{"Lowest", "-2147483648", INT32_MIN},
                    DecimalCase{"UnsignedHighest", "4294967295", -1},
                    DecimalCase{"TooLarge", "4294967296", std::nullopt},
                    DecimalCase{"TooLow", "-2147483649", std::nullopt},
                    DecimalCase{"Empty", "", std::nullopt}, DecimalCase{"MinusOnly", "-", std::nullopt},
                    DecimalCase{"Letters", "5a", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadHexText, ReadsDigitsAfterAnOptionalPrefix) {
  EXPECT_EQ(readHexText("20"), 0x20u);
  EXPECT_EQ(readHexText("0x1aF"), 0x1AFu);
  EXPECT_EQ(readHexText("1Cz9"), 0x1Cu);
  EXPECT_EQ(readHexText("zz"), 0u);
  EXPECT_EQ(readHexText(""), 0u);
  EXPECT_EQ(readHexText("12\0" "34"s), 0x12u);
}

TEST(HexText, UppercaseWithOptionalPadding) {
  EXPECT_EQ(hexText(0x45a1c0, 8), "0045A1C0");
  EXPECT_EQ(hexText(0x1c), "1C");
  EXPECT_EQ(hexText(0), "0");
  EXPECT_EQ(hexText(0xFFFFFFFF, 8), "FFFFFFFF");
}

}  // namespace
