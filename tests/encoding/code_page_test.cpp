#include "encoding/code_page.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

namespace {

struct DecodeCase {
  const char* name;
  CodePage codePage;
  std::string bytes;
  std::u16string units;
};

class DecodeCodePageTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeCodePageTest, GivesWindowsUnits) {
  EXPECT_EQ(decodeCodePage(GetParam().codePage, GetParam().bytes), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeCodePageTest,
    testing::Values(
        DecodeCase{"Empty", CodePage::GBK, "", u""},
        DecodeCase{"Ascii", CodePage::GBK, "a\r\n1", u"a\r\n1"},
        DecodeCase{"NulConvertsLikeAnyByte", CodePage::GBK, std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        DecodeCase{"GbkSimplified", CodePage::GBK, "\xD3\xEF\xB5\xC4", u"语的"},
        DecodeCase{"GbkTraditionalCharacter", CodePage::GBK, "\xD5\x5A", u"語"},
        DecodeCase{"GbkTrailBelow0x80", CodePage::GBK, "\x81\x47", u"丟"},
        DecodeCase{"GbkUserDefinedArea", CodePage::GBK, "\xAA\xA1\xA1\x40", u"\uE000\uE4C6"},
        DecodeCase{"GbkEuroAt0x80", CodePage::GBK, "\x80", u"€"},
        DecodeCase{"GbkPrivateUseAt0xFF", CodePage::GBK, "\xFF" "A", u"\uF8F5A"},
        DecodeCase{"Big5Traditional", CodePage::BIG5, "\xBB\x79\xAA\xBA", u"語的"},
        DecodeCase{"Big5IdeographicSpace", CodePage::BIG5, "\xA1\x40", u"\u3000"},
        DecodeCase{"Big5ControlAt0x80", CodePage::BIG5, "\x80", u"\u0080"},
        DecodeCase{"Big5PrivateUseAt0xFF", CodePage::BIG5, "\xFF", u"\uF8F8"},
        DecodeCase{"UndefinedPairIsOneDefaultChar", CodePage::GBK, "\xA3\xFFx", u"?x"},
        DecodeCase{"UndefinedPairBelowTrailRange", CodePage::BIG5, "\xC8\x7Fx", u"?x"},
        DecodeCase{"LeadByteAtEnd", CodePage::GBK, "x\x81", u"x?"},
        DecodeCase{"LeadByteBeforeNul", CodePage::BIG5, std::string("\x81\0x", 3), std::u16string(u"?\0x", 3)},
        DecodeCase{"LeadByteSwallowsLineBreak", CodePage::GBK, "\x81\nx", u"?x"},
        DecodeCase{"AnsiReadAsGbk", CodePage::ANSI, "\xD3\xEF", u"语"},
        DecodeCase{"Utf8AsUtf8ToUtf16Units", CodePage::UTF8, "a\xE8\xAF\xAD\xF0\x9F\x98\x80\xFF",
                   u"a语\U0001F600\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodeCase {
  const char* name;
  CodePage codePage;
  std::u16string units;
  CompositeCheck compositeCheck;
  std::string bytes;
};

class EncodeCodePageTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeCodePageTest, GivesWindowsBytes) {
  const EncodeCase& c = GetParam();
  EXPECT_EQ(encodeCodePage(c.codePage, c.units, c.compositeCheck), c.bytes);
}

constexpr CompositeCheck OFF = CompositeCheck::OFF;
constexpr CompositeCheck ON = CompositeCheck::ON;

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeCodePageTest,
    testing::Values(
        EncodeCase{"Empty", CodePage::GBK, u"", OFF, ""},
        EncodeCase{"AsciiAndNul", CodePage::GBK, std::u16string(u"a\0b", 3), OFF, std::string("a\0b", 3)},
        EncodeCase{"Gbk", CodePage::GBK, u"语的", OFF, "\xD3\xEF\xB5\xC4"},
        EncodeCase{"Big5", CodePage::BIG5, u"語的", OFF, "\xBB\x79\xAA\xBA"},
        EncodeCase{"GbkEuro", CodePage::GBK, u"€", OFF, "\x80"},
        EncodeCase{"Big5Euro", CodePage::BIG5, u"€", OFF, "\xA3\xE1"},
        EncodeCase{"GbkUserDefinedArea", CodePage::GBK, u"\uE000", OFF, "\xAA\xA1"},
        EncodeCase{"GbkHoldsAccentedLatin", CodePage::GBK, u"é", OFF, "\xA8\xA6"},
        EncodeCase{"Big5BestFitDropsAccent", CodePage::BIG5, u"éü", OFF, "eu"},
        EncodeCase{"MissingCharacterIsDefault", CodePage::BIG5, u"a语b", OFF, "a?b"},
        EncodeCase{"SurrogatePairIsOneDefaultPerUnit", CodePage::GBK, u"a\U0001F600b", OFF, "a??b"},
        EncodeCase{"LoneSurrogate", CodePage::GBK, u"\xD800", OFF, "?"},
        EncodeCase{"CombiningMarkAloneIsDefault", CodePage::GBK, u"a\u0304", OFF, "a?"},
        EncodeCase{"CompositeCheckJoinsMark", CodePage::GBK, u"a\u0304", ON, "\xA8\xA1"},
        EncodeCase{"CompositeCheckJoinsTwoMarks", CodePage::GBK, u"u\u0308\u0304", ON, "\xA8\xB5"},
        EncodeCase{"CompositeCheckKeepsMarkWithoutComposite", CodePage::GBK, u"x\u0304", ON, "x?"},
        EncodeCase{"CompositeCheckKeepsBaseIfCompositeUnencodable", CodePage::GBK, u"A\u0302", ON, "A?"},
        EncodeCase{"CompositeCheckThenBestFit", CodePage::BIG5, u"A\u0300", ON, "A"},
        EncodeCase{"CompositeCheckKeepsOtherText", CodePage::GBK, u"\u0304a\u0304\u0304", ON, "?\xA8\xA1?"},
        EncodeCase{"AnsiWrittenAsGbk", CodePage::ANSI, u"语", OFF, "\xD3\xEF"},
        EncodeCase{"Utf8", CodePage::UTF8, u"a\u0304语\U0001F600\xD800", ON,
                   "a\xCC\x84\xE8\xAF\xAD\xF0\x9F\x98\x80\xEF\xBF\xBD"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExactCase {
  const char* name;
  CodePage codePage;
  std::u16string units;
  CompositeCheck compositeCheck;
  bool exact;
};

class EncodesExactlyTest : public testing::TestWithParam<ExactCase> {};

TEST_P(EncodesExactlyTest, TellsWhetherEveryCharacterIsKept) {
  const ExactCase& c = GetParam();
  EXPECT_EQ(encodesExactly(c.codePage, c.units, c.compositeCheck), c.exact);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodesExactlyTest,
    testing::Values(
        ExactCase{"Empty", CodePage::GBK, u"", OFF, true},
        ExactCase{"GbkChineseAndAscii", CodePage::GBK, u"1\r\n语的，é€", OFF, true},
        ExactCase{"GbkNul", CodePage::GBK, std::u16string(u"a\0b", 3), OFF, true},
        ExactCase{"GbkBestFit", CodePage::GBK, u"语â", OFF, false},
        ExactCase{"GbkDefaultChar", CodePage::GBK, u"a\u0E01", OFF, false},
        ExactCase{"GbkSurrogatePair", CodePage::GBK, u"\U0001F600", OFF, false},
        ExactCase{"GbkReplacementCharacter", CodePage::GBK, u"\uFFFD", OFF, false},
        ExactCase{"GbkMarkAlone", CodePage::GBK, u"e\u0301", OFF, false},
        ExactCase{"GbkMarkJoined", CodePage::GBK, u"e\u0301", ON, true},
        ExactCase{"GbkTwoMarksJoined", CodePage::GBK, u"u\u0308\u0304", ON, true},
        ExactCase{"GbkCompositeGbkLacks", CodePage::GBK, u"A\u0302", ON, false},
        ExactCase{"GbkCompositeOnlyByBestFit", CodePage::GBK, u"a\u0302", ON, false},
        ExactCase{"AnsiCheckedAsGbk", CodePage::ANSI, u"语", OFF, true},
        ExactCase{"Big5Traditional", CodePage::BIG5, u"語的", OFF, true},
        ExactCase{"Big5LacksSimplified", CodePage::BIG5, u"语", OFF, false},
        ExactCase{"Utf8Emoji", CodePage::UTF8, u"a\U0001F600한", OFF, true},
        ExactCase{"Utf8LoneSurrogate", CodePage::UTF8, u"a\xDC00", OFF, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_P(EncodesExactlyTest, ReadsUtf8Alike) {
  const ExactCase& c = GetParam();
  if (!encodesExactly(CodePage::UTF8, c.units)) return;  // a lone surrogate has no UTF-8 form
  EXPECT_EQ(utf8EncodesExactly(c.codePage, utf16UnitsToUtf8(c.units), c.compositeCheck), c.exact);
}

// Random texts of pieces chosen to meet the corners: marks that join or not, characters one
// code page holds and the other lacks, pairs, malformed and truncated sequences, NUL.
TEST(Utf8EncodesExactly, AgreesWithTheUnitsOnRandomTexts) {
  const char* const pieces[] = {"a", "e", "u", "A", "\xCC\x81", "\xCC\x82", "\xCC\x88", "\xCC\x84",
                                "\xC3\xA9", "\xC3\xA7", "\xE8\xAA\x9E", "\xE8\xAF\xAD", "\xE2\x82\xAC",
                                "\xF0\x9F\x98\x80", "\xFF", "\xE4\xB8", "\xC3", "\xED\xA0\x80", "\r\n"};
  std::mt19937 random(65001);
  std::uniform_int_distribution<size_t> pick(0, std::size(pieces)), length(0, 6);
  for (int round = 0; round < 5000; ++round) {
    std::string bytes;
    for (size_t n = length(random); n > 0; --n) {
      const size_t at = pick(random);
      bytes += at < std::size(pieces) ? std::string(pieces[at]) : std::string(1, '\0');
    }
    const std::u16string units = utf8ToUtf16Units(bytes);
    for (const CodePage codePage : {CodePage::GBK, CodePage::BIG5, CodePage::UTF8}) {
      for (const CompositeCheck check : {OFF, ON}) {
        ASSERT_EQ(utf8EncodesExactly(codePage, bytes, check), encodesExactly(codePage, units, check))
            << testing::PrintToString(bytes) << " " << static_cast<int>(codePage);
      }
    }
  }
}

struct ByteCountCase {
  const char* name;
  CodePage codePage;
  char32_t codePoint;
  int bytes;
};

class ExactByteCountTest : public testing::TestWithParam<ByteCountCase> {};

TEST_P(ExactByteCountTest, CountsBytesOfHeldCharacters) {
  EXPECT_EQ(exactByteCount(GetParam().codePage, GetParam().codePoint), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExactByteCountTest,
    testing::Values(ByteCountCase{"GbkAscii", CodePage::GBK, U'a', 1},
                    ByteCountCase{"GbkNul", CodePage::GBK, U'\0', 1},
                    ByteCountCase{"GbkHan", CodePage::GBK, U'语', 2},
                    ByteCountCase{"GbkAccented", CodePage::GBK, U'é', 2},
                    ByteCountCase{"GbkEuroOneByte", CodePage::GBK, U'€', 1},
                    ByteCountCase{"GbkBestFitOnly", CodePage::GBK, U'â', 0},
                    ByteCountCase{"GbkLacksHangul", CodePage::GBK, U'한', 0},
                    ByteCountCase{"GbkAboveBmp", CodePage::GBK, U'\U0001F600', 0},
                    ByteCountCase{"GbkSurrogate", CodePage::GBK, 0xD800, 0},
                    ByteCountCase{"Big5Han", CodePage::BIG5, U'語', 2},
                    ByteCountCase{"Big5LacksSimplified", CodePage::BIG5, U'语', 0},
                    ByteCountCase{"Utf8TwoBytes", CodePage::UTF8, U'é', 2},
                    ByteCountCase{"Utf8ThreeBytes", CodePage::UTF8, U'语', 3},
                    ByteCountCase{"Utf8FourBytes", CodePage::UTF8, U'\U0001F600', 4},
                    ByteCountCase{"Utf8Surrogate", CodePage::UTF8, 0xDFFF, 0},
                    ByteCountCase{"Utf8BeyondUnicode", CodePage::UTF8, 0x110000, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// "Exact" is the round trip: a unit is kept when its bytes decode back to it.
TEST(CodePageRoundTrip, ExactEncodingIsTheRoundTripForEveryUnit) {
  for (const CodePage codePage : {CodePage::GBK, CodePage::BIG5}) {
    int exactUnits = 0;
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
      const std::u16string units(1, static_cast<char16_t>(unit));
      const std::string bytes = encodeCodePage(codePage, units);
      const bool roundTrip = decodeCodePage(codePage, bytes) == units;
      ASSERT_EQ(encodesExactly(codePage, units), roundTrip)
          << static_cast<int>(codePage) << " " << static_cast<uint32_t>(unit);
      ASSERT_EQ(exactByteCount(codePage, unit), roundTrip ? static_cast<int>(bytes.size()) : 0)
          << static_cast<uint32_t>(unit);
      exactUnits += roundTrip;
    }
    EXPECT_GT(exactUnits, 13000) << static_cast<int>(codePage);
  }
}

TEST(CodePageRoundTrip, EveryDefinedGbkPairDecodesAndEncodesBack) {
  int definedPairs = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string units = decodeCodePage(CodePage::GBK, pair);
      ASSERT_EQ(units.size(), 1u) << lead << " " << trail;
      if (units[0] == u'?') continue;
      ++definedPairs;
      EXPECT_EQ(encodeCodePage(CodePage::GBK, units), pair) << lead << " " << trail;
    }
  }
  EXPECT_GT(definedPairs, 21000);
}

struct Utf8Case {
  const char* name;
  std::string bytes;
  std::u16string units;
};

class Utf8ToUtf16Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16Test, RepairsAsWindows) {
  EXPECT_EQ(utf8ToUtf16Units(GetParam().bytes), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToUtf16Test,
    testing::Values(
        Utf8Case{"Ascii", "ab\r\n", u"ab\r\n"},
        Utf8Case{"ThreeByte", "\xE8\xAF\xAD", u"语"},
        Utf8Case{"FourByteToSurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        Utf8Case{"BadContinuationKeepsNextByte", "\xC3\x28", u"\uFFFD("},
        Utf8Case{"TruncatedAtEnd", "\xE2\x82", u"\uFFFD"},
        Utf8Case{"TruncatedBeforeAscii", "\xE2\x82" "A", u"\uFFFDA"},
        Utf8Case{"TruncatedFourByte", "\xF0\x9F\x98", u"\uFFFD"},
        Utf8Case{"CutOffLeadKeepsLastLineBreak", "a\xE8\n", u"a\uFFFD\n"},
        Utf8Case{"OverlongTwoByte", "\xC0\xAF", u"\uFFFD\uFFFD"},
        Utf8Case{"OverlongThreeByte", "\xE0\x80\xAF", u"\uFFFD\uFFFD"},
        Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD"},
        Utf8Case{"AboveU10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
        Utf8Case{"StrayContinuationBytes", "\x80\x80", u"\uFFFD\uFFFD"},
        Utf8Case{"InvalidLeadBytes", "\xFF\xFE", u"\uFFFD\uFFFD"},
        Utf8Case{"FiveByteForm", "\xF8\x88\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16ToUtf8, LoneSurrogatesBecomeReplacementCharacter) {
  EXPECT_EQ(utf16UnitsToUtf8(u"a\xD800" u"b\xDC00"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(Utf16ToUtf8, EncodesEveryLength) {
  EXPECT_EQ(utf16UnitsToUtf8(u"a\u00E9语\U0001F600"), "a\xC3\xA9\xE8\xAF\xAD\xF0\x9F\x98\x80");
}

struct Utf8CheckCase {
  const char* name;
  std::string bytes;
  bool expected;
};

class Utf8CheckTest : public testing::TestWithParam<Utf8CheckCase> {};

TEST_P(Utf8CheckTest, AcceptsOnlyWellFormedNonAsciiUtf8) {
  EXPECT_EQ(isUtf8WithMultiByteSequence(GetParam().bytes), GetParam().expected);
}

// Well-formed, ASCII or not: exactly the texts that survive a trip through UTF-16.
TEST_P(Utf8CheckTest, WellFormedIsWhatSurvivesUtf16) {
  const std::string& bytes = GetParam().bytes;
  EXPECT_EQ(isWellFormedUtf8(bytes), utf16UnitsToUtf8(utf8ToUtf16Units(bytes)) == bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8CheckTest,
    testing::Values(
        Utf8CheckCase{"Empty", "", false},
        Utf8CheckCase{"AsciiOnly", "1\r\n00:00:01,000 --> 00:00:02,000\r\nHi\r\n", false},
        Utf8CheckCase{"Chinese", "1\r\n\xE8\xAF\xAD\r\n", true},
        Utf8CheckCase{"FourByte", "\xF0\x9F\x98\x80", true},
        Utf8CheckCase{"GbkBytes", "\xD3\xEF\xB5\xC4", false},
        Utf8CheckCase{"Big5Bytes", "\xBB\x79\xAA\xBA", false},
        Utf8CheckCase{"GoodThenTruncated", "\xE8\xAF\xAD\xE8\xAF", false},
        Utf8CheckCase{"Overlong", "\xC0\xAF", false},
        Utf8CheckCase{"EncodedSurrogate", "\xED\xA0\x80", false},
        Utf8CheckCase{"BadByteAfterEightAscii", "abcdefgh\xFF", false},
        Utf8CheckCase{"BadByteAmongAscii", "abcdefghijk\x80lmnopqrstu", false},
        Utf8CheckCase{"TruncatedAfterAscii", "abcdefghijklmnop\xF0\x9F\x98", false},
        Utf8CheckCase{"LongAsciiThenChinese", "abcdefghij\xE8\xAF\xAD", true},
        Utf8CheckCase{"ReplacementCharacterItself", "\xEF\xBF\xBD", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16LeBytes, OddLastByteIsIgnored) {
  EXPECT_EQ(utf16LeBytesToUnits(std::string("a\0\xED\x8B\x41", 5)), u"a语");
}

TEST(Utf16BeBytes, HighByteFirstOddLastByteIgnored) {
  EXPECT_EQ(utf16BeBytesToUnits(std::string("\0a\x8B\xED\xD8\x3D\xDE\x00\x41", 9)), u"a语\U0001F600");
}

TEST(Utf16LeBytes, UnitsWriteLowByteFirst) {
  EXPECT_EQ(utf16UnitsToLeBytes(u"a语"), std::string("a\0\xED\x8B", 4));
}

}  // namespace
