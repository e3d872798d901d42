#include "subtitles/subtitle_decoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

using namespace std::string_literals;

constexpr auto ENGLISH = LanguageMode::ENGLISH;
constexpr auto SIMPLIFIED = LanguageMode::SIMPLIFIED_CHINESE;
constexpr auto TRADITIONAL = LanguageMode::TRADITIONAL_CHINESE;

// Marks what it converts, so a case shows which conversion ran on which text.
class MarkingEncoder final : public 编码转换类 {
public:
  std::string big5ToSimplifiedGbk(std::string_view text) const override {
    return "S:" + std::string(text);
  }
  std::string gbkToTraditionalBig5(std::string_view text) const override {
    return "T:" + std::string(text);
  }
};

struct MarkCase {
  const char* label;
  std::string bytes;
  bool found;
};

class Big5MarkTest : public testing::TestWithParam<MarkCase> {};

TEST_P(Big5MarkTest, ScansCharacters) {
  EXPECT_EQ(findsBig5Mark(GetParam().bytes), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Big5MarkTest,
    testing::Values(MarkCase{"AtStart", "\xAA\xBA" "abcd", true},
                    MarkCase{"AfterAscii", "a\xAA\xBA" "bc", true},
                    MarkCase{"AfterPair", "\xA4\xA4\xAA\xBA" "abc", true},
                    MarkCase{"After0x80AsSingleByte", "\x80\xAA\xBA" "abc", true},
                    MarkCase{"HiddenAsTrailByte", "\xB1\xAA\xBA" "abc", false},
                    MarkCase{"StartingFourthFromEnd", "ab\xAA\xBA" "cd", true},
                    MarkCase{"StartingThirdFromEnd", "ab\xAA\xBA" "c", false},
                    MarkCase{"AmongLastThreeBytes", "abc\xAA\xBA" "d", false},
                    MarkCase{"AtEnd", "abcd\xAA\xBA", false},
                    MarkCase{"FourBytes", "\xAA\xBA" "ab", true},
                    MarkCase{"ThreeBytes", "\xAA\xBA" "a", false},
                    MarkCase{"MarkOnly", "\xAA\xBA", false}, MarkCase{"Empty", "", false},
                    MarkCase{"ReversedBytes", "\xBA\xAA" "abc", false},
                    MarkCase{"GbkText", "\xD6\xD0\xCE\xC4\xB5\xC4" "abc", false}),
    [](const auto& info) { return std::string(info.param.label); });

struct DecodeCase {
  const char* label;
  std::string fileBytes;
  LanguageMode languageMode;
  std::string expected;
  int codePage;
};

class DecodeSubtitleTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeSubtitleTest, Decodes) {
  const DecodeCase& c = GetParam();
  const DecodedSubtitle decoded = decodeSubtitleBytes(c.fileBytes, c.languageMode, MarkingEncoder());
  EXPECT_EQ(decoded.bytes, c.expected);
  EXPECT_EQ(decoded.codePage, c.codePage);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodeSubtitleTest,
    testing::Values(
        DecodeCase{"Utf16Le", "\xFF\xFE" "A\0B\0"s, ENGLISH, "AB", 936},
        DecodeCase{"Utf16LeChinese", "\xFF\xFE" "\x2D\x4E" "1\0"s, ENGLISH, "\xD6\xD0" "1", 936},
        DecodeCase{"Utf16LeOddByteIgnored", "\xFF\xFE" "A\0B\0C"s, ENGLISH, "AB", 936},
        DecodeCase{"Utf16LeNulEndsText", "\xFF\xFE" "A\0\0\0B\0"s, ENGLISH, "A", 936},
        DecodeCase{"Utf16LeUnencodableBecomesQuestionMark", "\xFF\xFE" "A\0\x01\x0E" "B\0"s,
                   ENGLISH, "A?B", 936},
        DecodeCase{"Utf16LeCompositeJoined", "\xFF\xFE" "e\0\x01\x03"s, ENGLISH, "\xA8\xA6", 936},
        DecodeCase{"Utf16LeSignatureOnly", "\xFF\xFE", SIMPLIFIED, "", 936},
        DecodeCase{"Utf16LeUnderTraditionalStaysGbk", "\xFF\xFE" "\x2D\x4E"s, TRADITIONAL,
                   "\xD6\xD0", 936},
        DecodeCase{"Utf8Signed", "\xEF\xBB\xBF" "\xE4\xB8\xAD" "1", ENGLISH, "\xD6\xD0" "1", 936},
        DecodeCase{"Utf8SignatureOnly", "\xEF\xBB\xBF", ENGLISH, "", 936},
        DecodeCase{"Utf8SignedUnderTraditionalStaysGbk", "\xEF\xBB\xBF" "\xE4\xB8\xAD",
                   TRADITIONAL, "\xD6\xD0", 936},
        DecodeCase{"Utf8SignedAsciiOnly", "\xEF\xBB\xBF" "abc", TRADITIONAL, "abc", 936},
        DecodeCase{"Utf8SignedMalformedRepaired", "\xEF\xBB\xBF" "a\xFF" "b", ENGLISH, "a?b", 936},
        DecodeCase{"Utf8SignedNulEndsText", "\xEF\xBB\xBF" "a\0b"s, ENGLISH, "a", 936},
        DecodeCase{"Utf8UnsignedEnglish", "1\r\n\xE4\xB8\xAD", ENGLISH, "1\r\n\xD6\xD0", 936},
        DecodeCase{"Utf8UnsignedSimplified", "1\r\n\xE4\xB8\xAD", SIMPLIFIED, "1\r\n\xD6\xD0", 936},
        DecodeCase{"Utf8UnsignedTraditionalStaysGbk", "1\r\n\xE4\xB8\xAD", TRADITIONAL,
                   "1\r\n\xD6\xD0", 936},
        DecodeCase{"AsciiEnglishUnchanged", "1\r\nabc", ENGLISH, "1\r\nabc", ANSI_CODE_PAGE},
        DecodeCase{"AsciiSimplifiedUnchanged", "1\r\nabc", SIMPLIFIED, "1\r\nabc", ANSI_CODE_PAGE},
        DecodeCase{"AsciiTraditionalConverted", "1\r\nabc", TRADITIONAL, "T:1\r\nabc", 950},
        DecodeCase{"Big5MarkSimplifiedConverted", "\xAA\xBA\xBB\xA1" "abc", SIMPLIFIED,
                   "S:\xAA\xBA\xBB\xA1" "abc", 936},
        DecodeCase{"Big5WithoutMarkSimplifiedUnchanged", "\xBB\xA1\xA4\xA4" "abc", SIMPLIFIED,
                   "\xBB\xA1\xA4\xA4" "abc", ANSI_CODE_PAGE},
        DecodeCase{"Big5MarkTraditionalUnchanged", "\xAA\xBA\xBB\xA1" "abc", TRADITIONAL,
                   "\xAA\xBA\xBB\xA1" "abc", ANSI_CODE_PAGE},
        DecodeCase{"Big5MarkEnglishUnchanged", "\xAA\xBA\xBB\xA1" "abc", ENGLISH,
                   "\xAA\xBA\xBB\xA1" "abc", ANSI_CODE_PAGE},
        DecodeCase{"GbkTraditionalConverted", "\xCB\xB5\xD6\xD0" "abc", TRADITIONAL,
                   "T:\xCB\xB5\xD6\xD0" "abc", 950},
        DecodeCase{"ShortFileSimplifiedUnchanged", "\xAA\xBA" "a", SIMPLIFIED, "\xAA\xBA" "a",
                   ANSI_CODE_PAGE},
        DecodeCase{"ShortFileTraditionalConverted", "\xAA\xBA" "a", TRADITIONAL,
                   "T:\xAA\xBA" "a", 950},
        DecodeCase{"NulEndsConvertedText", "\xD6\xD0" "a\0b"s, TRADITIONAL, "T:\xD6\xD0" "a", 950},
        DecodeCase{"NulEndsConvertedBig5Text", "\xAA\xBA" "a\0b"s, SIMPLIFIED, "S:\xAA\xBA" "a",
                   936},
        DecodeCase{"NulKeptInUnchangedFile", "\xD6\xD0" "a\0b"s, ENGLISH, "\xD6\xD0" "a\0b"s,
                   ANSI_CODE_PAGE},
        DecodeCase{"Utf16BigEndianNotRecognised", "\xFE\xFF\0A\0B"s, ENGLISH, "\xFE\xFF\0A\0B"s,
                   ANSI_CODE_PAGE},
        DecodeCase{"EmptySimplified", "", SIMPLIFIED, "", ANSI_CODE_PAGE},
        DecodeCase{"ModeOutOfRangeUnchanged", "\xD6\xD0", static_cast<LanguageMode>(9),
                   "\xD6\xD0", ANSI_CODE_PAGE},
        // 说 in GBK (CB B5) is also well-formed UTF-8 (U+02F5): text made only of such
        // pairs cannot be told apart and is read as UTF-8.
        DecodeCase{"GbkThatIsAlsoUtf8ReadAsUtf8", "\xCB\xB5", TRADITIONAL, "?", 936}),
    [](const auto& info) { return std::string(info.param.label); });

// The same paths through the real conversions.
TEST(DecodeSubtitleWithEncoderTest, Big5FileWithMarkBecomesSimplifiedGbk) {
  const std::string big5 = "1\r\n00:00:01,000 --> 00:00:02,000\r\n\xAA\xBA\xBB\xA1\r\n";
  const DecodedSubtitle decoded = decodeSubtitleBytes(big5, SIMPLIFIED, 编码转换类());
  EXPECT_EQ(decoded.bytes, "1\r\n00:00:01,000 --> 00:00:02,000\r\n\xB5\xC4\xCB\xB5\r\n");
  EXPECT_EQ(decoded.codePage, 936);
}

TEST(DecodeSubtitleWithEncoderTest, GbkFileBecomesTraditionalBig5) {
  const DecodedSubtitle decoded =
      decodeSubtitleBytes("\xD6\xD0\xCB\xB5\r\n", TRADITIONAL, 编码转换类());  // 中说
  EXPECT_EQ(decoded.bytes, "\xA4\xA4\xBB\xA1\r\n");  // 中說
  EXPECT_EQ(decoded.codePage, 950);
}

TEST(DecodeSubtitleWithEncoderTest, CharacterBig5LacksDoesNotEndTheText) {
  // ㈠ (GBK A2 E5) has no Big5 code.
  const DecodedSubtitle decoded =
      decodeSubtitleBytes("a\xA2\xE5" "b\r\n2\r\n", TRADITIONAL, 编码转换类());
  EXPECT_TRUE(decoded.bytes.starts_with("a"));
  EXPECT_TRUE(decoded.bytes.ends_with("b\r\n2\r\n")) << decoded.bytes;
}

TEST(DecodeSubtitleWithEncoderTest, EmptyFileUnderTraditionalIsEmpty) {
  EXPECT_EQ(decodeSubtitleBytes("", TRADITIONAL, 编码转换类()).bytes, "");
}

TEST(Utf8ConversionTest, Utf8ToUtf16LeKeepsEveryByte) {
  EXPECT_EQ(utf8BytesToUtf16Le("a\0\xE4\xB8\xAD"s), "a\0\0\0\x2D\x4E"s);
  EXPECT_EQ(utf8BytesToUtf16Le("\xF0\x9F\x98\x80"), "\x3D\xD8\x00\xDE"s);
  EXPECT_EQ(utf8BytesToUtf16Le("\xC3"), "\xFD\xFF");
}

TEST(Utf8ConversionTest, Utf8ToGbk) {
  EXPECT_EQ(utf8BytesToGbk("\xE5\xAD\x97\xE5\xB9\x95"), "\xD7\xD6\xC4\xBB");  // 字幕
  EXPECT_EQ(utf8BytesToGbk("x\0y"s), "x");
  EXPECT_EQ(utf8BytesToGbk(""), "");
}

TEST(ReadSubtitleFileTest, ReadsWholeFileWithNulBytes) {
  const std::string path = testing::TempDir() + "quorvane_read_subtitle.srt";
  const std::string bytes = "\xFF\xFE" "1\0\r\0\n\0"s;
  std::ofstream(path, std::ios::binary) << bytes;
  EXPECT_EQ(readSubtitleFile(path), bytes);
  std::remove(path.c_str());
}

TEST(ReadSubtitleFileTest, MissingFileGivesEmptyBytes) {
  EXPECT_EQ(readSubtitleFile(testing::TempDir() + "no_such_subtitle.srt"), "");
}

}  // namespace
