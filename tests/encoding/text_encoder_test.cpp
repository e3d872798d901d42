#include "encoding/text_encoder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Operation = std::string (编码转换类::*)(std::string_view) const;

struct ConversionCase {
  const char* name;
  Operation operation;
  std::string input;
  std::string expected;
};

class ConversionTest : public testing::TestWithParam<ConversionCase> {
protected:
  const 编码转换类 encoder;
};

TEST_P(ConversionTest, GivesExpectedBytes) {
  const ConversionCase& c = GetParam();
  EXPECT_EQ((encoder.*c.operation)(c.input), c.expected);
}

std::string caseName(const testing::TestParamInfo<ConversionCase>& info) { return info.param.name; }

using E = 编码转换类;

const std::string ASCII_TEXT = "1\r\n00:00:01,000 --> 00:00:02,500\r\n<i>Hello, \"world\"!</i> #~\r\n";

INSTANTIATE_TEST_SUITE_P(
    ChineseCodePages, ConversionTest,
    testing::Values(
        ConversionCase{"GbkSimplifiedToTraditionalBig5", &E::gbkToTraditionalBig5, "\xD3\xEF", "\xBB\x79"},
        ConversionCase{"Big5BackToSimplifiedGbk", &E::big5ToSimplifiedGbk, "\xBB\x79", "\xD3\xEF"},
        ConversionCase{"SharedFormKeepsItsForm", &E::gbkToTraditionalBig5, "\xD7\xD6", "\xA6\x72"},
        ConversionCase{"SharedFormBackToGbk", &E::big5ToSimplifiedGbk, "\xA6\x72", "\xD7\xD6"},
        ConversionCase{"Big5MarkIsDe", &E::big5ToGbk, "\xAA\xBA", "\xB5\xC4"},
        ConversionCase{"GbkDeToBig5Mark", &E::gbkToBig5, "\xB5\xC4", "\xAA\xBA"},
        ConversionCase{"AsciiThroughTraditionalBig5", &E::gbkToTraditionalBig5, ASCII_TEXT, ASCII_TEXT},
        ConversionCase{"AsciiThroughSimplifiedGbk", &E::big5ToSimplifiedGbk, ASCII_TEXT, ASCII_TEXT},
        ConversionCase{"GbkToBig5KeepsSimplifiedFormAsDefault", &E::gbkToBig5, "a\xD3\xEF" "b", "a?b"},
        // 钅 becomes 釒, which Big5 lacks: it turns into "?" and the later cues stay.
        ConversionCase{"UnencodableCharacterDoesNotEndText", &E::gbkToTraditionalBig5,
                       "1\r\n\xEE\xC4\r\n\r\n2\r\n\xD3\xEF\r\n", "1\r\n?\r\n\r\n2\r\n\xBB\x79\r\n"},
        ConversionCase{"UndefinedBig5PairIsDefaultAndRestStays", &E::big5ToGbk, "\xC8\x7F" "ab", "?ab"},
        ConversionCase{"Big5LeadByteAtEnd", &E::big5ToSimplifiedGbk, "ab\xBB", "ab?"},
        ConversionCase{"TextEndsAtNul", &E::big5ToGbk, std::string("\xAA\xBA\0\xAA\xBA", 5), "\xB5\xC4"},
        ConversionCase{"ToTraditionalForms", &E::toTraditionalForms, "\xB6\xAB\xBA\xBA" "a\xD3\xEF",
                       "\x96\x7C\x9D\x68" "a\xD5\x5A"},
        ConversionCase{"ToSimplifiedForms", &E::toSimplifiedForms, "\x96\x7C\x9D\x68" "a\xD5\x5A",
                       "\xB6\xAB\xBA\xBA" "a\xD3\xEF"},
        ConversionCase{"FormsKeepLoneLeadByte", &E::toTraditionalForms, "a\xD3", "a\xD3"},
        ConversionCase{"FormsFollowGbkPairs", &E::toSimplifiedForms, "\x81\xD5\x5A", "\x81\xD5\x5A"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    EmptyInput, ConversionTest,
    testing::Values(ConversionCase{"ToTraditionalForms", &E::toTraditionalForms, "", ""},
                    ConversionCase{"ToSimplifiedForms", &E::toSimplifiedForms, "", ""},
                    ConversionCase{"Big5ToGbk", &E::big5ToGbk, "", ""},
                    ConversionCase{"Big5ToSimplifiedGbk", &E::big5ToSimplifiedGbk, "", ""},
                    ConversionCase{"GbkToBig5", &E::gbkToBig5, "", ""},
                    ConversionCase{"GbkToTraditionalBig5", &E::gbkToTraditionalBig5, "", ""},
                    ConversionCase{"Utf8ToGbk", &E::utf8ToGbk, "", ""},
                    ConversionCase{"Utf16ToGbk", &E::utf16ToGbk, "", ""},
                    ConversionCase{"UnicodeUnescape", &E::unicodeUnescape, "", ""},
                    ConversionCase{"Base64Decode", &E::base64Decode, "", ""},
                    ConversionCase{"Base64Encode", &E::base64Encode, "", ""},
                    ConversionCase{"GbkToUtf16IsTerminatorOnly", &E::gbkToUtf16, "", std::string(2, '\0')}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    UnicodeForms, ConversionTest,
    testing::Values(
        ConversionCase{"GbkToUtf16AddsTerminator", &E::gbkToUtf16, "abc", std::string("a\0b\0c\0\0\0", 8)},
        ConversionCase{"GbkToUtf16Chinese", &E::gbkToUtf16, "\xD3\xEF", std::string("\xED\x8B\0\0", 4)},
        ConversionCase{"Utf16ToGbk", &E::utf16ToGbk, std::string("a\0b\0c\0\0\0", 8), "abc"},
        ConversionCase{"Utf16ToGbkIgnoresOddByte", &E::utf16ToGbk, std::string("\xED\x8B\x41", 3), "\xD3\xEF"},
        ConversionCase{"Utf16ToGbkEndsAtNulUnit", &E::utf16ToGbk, std::string("a\0\0\0b\0", 6), "a"},
        ConversionCase{"Utf16ToGbkDefaultForMissing", &E::utf16ToGbk, std::string("\x00\xAC" "a\0", 4), "?a"},
        ConversionCase{"Utf8ToUtf16AddsNoTerminator", &E::utf8ToUtf16, "a\xE8\xAF\xAD", std::string("a\0\xED\x8B", 4)},
        ConversionCase{"Utf8ToUtf16Repairs", &E::utf8ToUtf16, "\xC3(", std::string("\xFD\xFF(\0", 4)},
        ConversionCase{"Utf16ToUtf8", &E::utf16ToUtf8, std::string("a\0\xED\x8B", 4), "a\xE8\xAF\xAD"},
        // Bytes after the NUL unit stay zero, the length still counts them.
        ConversionCase{"Utf16ToUtf8StopsAfterNulUnit", &E::utf16ToUtf8, std::string("a\0\0\0\xED\x8B", 6),
                       std::string("a\0\0\0\0", 5)},
        ConversionCase{"GbkToUtf8EndsWithNul", &E::gbkToUtf8, "a\xD3\xEF", std::string("a\xE8\xAF\xAD\0", 5)},
        ConversionCase{"Utf8ToGbk", &E::utf8ToGbk, "a\xE8\xAF\xAD", "a\xD3\xEF"},
        ConversionCase{"Utf8ToGbkMalformedIsDefault", &E::utf8ToGbk, "a\xE8\xAF" "b", "a?b"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Escapes, ConversionTest,
    testing::Values(
        ConversionCase{"UnicodeEscape", &E::unicodeEscape, "abc", "%u0061%u0062%u0063"},
        ConversionCase{"UnicodeEscapeChinese", &E::unicodeEscape, "\xD3\xEF", "%u8BED"},
        ConversionCase{"UnicodeUnescape", &E::unicodeUnescape, "%u0061%u0062%u0063", "abc"},
        ConversionCase{"UnicodeUnescapeEitherCase", &E::unicodeUnescape, "%u8bed%u8BED", "\xD3\xEF\xD3\xEF"},
        ConversionCase{"UnicodeUnescapeWithoutMarkers", &E::unicodeUnescape, "00610062", "ab"},
        ConversionCase{"UnicodeUnescapeSkipsBadGroup", &E::unicodeUnescape, "%u00G1%u0062", "b"},
        ConversionCase{"UnicodeUnescapeSkipsShortLastGroup", &E::unicodeUnescape, "%u0061%u006", "a"},
        ConversionCase{"UnicodeUnescapeMarkerIsCaseExact", &E::unicodeUnescape, "%U0061", ""},
        ConversionCase{"UnicodeUnescapeNulUnitEndsText", &E::unicodeUnescape, "%u0061%u0000%u0062", "a"},
        ConversionCase{"ScriptEscape", &E::scriptEscape, "a\xD3\xEF", "\\u0061\\u8BED"},
        ConversionCase{"ScriptUnescapeUnicode", &E::scriptUnescape, "\\u8BED\\u8bed", "\xD3\xEF\xD3\xEF"},
        ConversionCase{"ScriptUnescapeHexAndControls", &E::scriptUnescape, "\\x41\\n\\t\\r\\b\\f\\v",
                       "A\n\t\r\b\f\v"},
        ConversionCase{"ScriptUnescapeQuotesAndBackslash", &E::scriptUnescape, "it\\'s \\\"x\\\" \\\\", "it's \"x\" \\"},
        ConversionCase{"ScriptUnescapeOctal", &E::scriptUnescape, "\\101\\7\\477", "A\a'7"},
        ConversionCase{"ScriptUnescapeOtherCharacter", &E::scriptUnescape, "\\q\\8", "q8"},
        ConversionCase{"ScriptUnescapeIncompleteEscape", &E::scriptUnescape, "\\x4\\u12", "x4u12"},
        ConversionCase{"ScriptUnescapeLineContinuation", &E::scriptUnescape, "a\\\r\nb\\\nc", "abc"},
        ConversionCase{"ScriptUnescapeTrailingBackslash", &E::scriptUnescape, "a\\", "a\\"},
        ConversionCase{"ScriptUnescapeBareQuoteAndBreak", &E::scriptUnescape, "a'b\nc", "a'b\nc"},
        ConversionCase{"ScriptUnescapeNulEndsText", &E::scriptUnescape, "a\\0b", "a"},
        ConversionCase{"ScriptUnescapeCharacterGbkLacks", &E::scriptUnescape, "\\uD83D\\uDE00!", "?" "?!"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Transfer, ConversionTest,
    testing::Values(
        ConversionCase{"UrlEncodeKeepsSafeCharacters", &E::urlEncode, "AZaz09*,-./:@_", "AZaz09*,-./:@_"},
        ConversionCase{"UrlEncodeEscapesTheRest", &E::urlEncode, " +;=?[]~%", "%20%2B%3B%3D%3F%5B%5D%7E%25"},
        ConversionCase{"UrlEncodeHighBytes", &E::urlEncode, "\xD3\xEF", "%D3%EF"},
        ConversionCase{"UrlEncodeAddress", &E::urlEncodeAddress, "http://a.b/c d", "http://%61%2E%62/%63%20%64"},
        ConversionCase{"UrlEncodeAddressSchemeIsCaseExact", &E::urlEncodeAddress, "HTTP://x", "%48%54%54%50://%78"},
        ConversionCase{"UrlDecode", &E::urlDecode, "a%41%4a+b%d3%EF", "aAJ+b\xD3\xEF"},
        ConversionCase{"UrlDecodeKeepsBadPercent", &E::urlDecode, "%zz%4%", "%zz%4%"},
        ConversionCase{"UrlDecodePercentBeforeEscape", &E::urlDecode, "%%41", "%A"},
        ConversionCase{"UrlDecodeNulEndsText", &E::urlDecode, "a%00b", "a"},
        ConversionCase{"Base64EncodeOne", &E::base64Encode, "f", "Zg=="},
        ConversionCase{"Base64EncodeTwo", &E::base64Encode, "fo", "Zm8="},
        ConversionCase{"Base64EncodeSix", &E::base64Encode, "foobar", "Zm9vYmFy"},
        ConversionCase{"Base64EncodeBinary", &E::base64Encode, std::string("\0\xFF\xFE", 3), "AP/+"},
        ConversionCase{"Base64DecodeOnePad", &E::base64Decode, "Zm8=", "fo"},
        ConversionCase{"Base64DecodeTwoPads", &E::base64Decode, "Zg==", "f"},
        ConversionCase{"Base64DecodeBinary", &E::base64Decode, "AP/+", std::string("\0\xFF\xFE", 3)},
        ConversionCase{"Base64DecodeSkipsLineBreaks", &E::base64Decode, "Zm9v\r\nYmFy", "foobar"},
        ConversionCase{"Base64DecodeUnpaddedTail", &E::base64Decode, "Zm9", "fo"},
        ConversionCase{"Base64DecodeLoneSixBits", &E::base64Decode, "Zm9vY", "foo"},
        ConversionCase{"Base64DecodeStopsAtPad", &E::base64Decode, "Zg==Zm8=", "f"},
        ConversionCase{"Base64DecodeNoAlphabet", &E::base64Decode, "!!!!", ""}),
    caseName);

TEST(PercentBytes, EncodesWithEitherPrefix) {
  const 编码转换类 encoder;
  EXPECT_EQ(encoder.percentEncodeBytes("abc"), "=61=62=63");
  EXPECT_EQ(encoder.percentEncodeBytes("abc", 1), "%61%62%63");
  EXPECT_EQ(encoder.percentEncodeBytes(std::string("\0\xFF", 2)), "=00=FF");
  EXPECT_EQ(encoder.percentEncodeBytes(""), "");
}

TEST(PercentBytes, DecodesGroupsOfThree) {
  const 编码转换类 encoder;
  EXPECT_EQ(encoder.percentDecodeBytes("=61=62=63"), "abc");
  EXPECT_EQ(encoder.percentDecodeBytes("%61%62%63"), "abc");
  EXPECT_EQ(encoder.percentDecodeBytes("x00=FF"), std::string("\0\xFF", 2));
  EXPECT_EQ(encoder.percentDecodeBytes("=6a"), "j");
}

TEST(PercentBytes, DropsPartialAndMalformedGroups) {
  const 编码转换类 encoder;
  EXPECT_EQ(encoder.percentDecodeBytes("=61=6"), "a");
  EXPECT_EQ(encoder.percentDecodeBytes("=6G=62"), "b");
  EXPECT_EQ(encoder.percentDecodeBytes("=6"), "");
}

// Every form mapping replaces one GBK character by another, so the text keeps its length
// and stays GBK text that decodes without defaults.
TEST(CharacterForms, EveryGbkPairMapsToADefinedPair) {
  const 编码转换类 encoder;
  int changed = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      if (encoder.gbkToUtf16(pair) == std::string("?\0\0\0", 4)) continue;
      for (const std::string& mapped : {encoder.toTraditionalForms(pair), encoder.toSimplifiedForms(pair)}) {
        ASSERT_EQ(mapped.size(), 2u);
        ASSERT_NE(encoder.gbkToUtf16(mapped), std::string("?\0\0\0", 4)) << lead << " " << trail;
        changed += mapped != pair;
      }
    }
  }
  EXPECT_GT(changed, 4000);
}

TEST(EncoderObject, CopyConvertsAlike) {
  const 编码转换类 encoder;
  const std::unique_ptr<编码转换类> copy = encoder.copy();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->gbkToTraditionalBig5("\xD3\xEF"), "\xBB\x79");
}

// The composite conversions call their parts through the object.
class BracketedForms : public 编码转换类 {
public:
  std::string toSimplifiedForms(std::string_view text) const override {
    return std::string("[").append(text).append("]");
  }
  std::string toTraditionalForms(std::string_view text) const override {
    return std::string("<").append(text).append(">");
  }
};

TEST(EncoderObject, CompositesCallTheirPartsVirtually) {
  const BracketedForms encoder;
  const 编码转换类& base = encoder;
  EXPECT_EQ(base.big5ToSimplifiedGbk("\xAA\xBA"), "[\xB5\xC4]");
  EXPECT_EQ(base.gbkToTraditionalBig5("\xB5\xC4"), "<\xAA\xBA>");
}

}  // namespace
