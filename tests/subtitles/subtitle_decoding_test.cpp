#include "subtitles/subtitle_decoding.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <tuple>
#include <vector>

#include "subtitles/srt_parser.h"

namespace {

using namespace std::string_literals;

// UTF-8 literal text as bytes.
template <size_t N>
std::string u8s(const char8_t (&text)[N]) {
  return std::string(reinterpret_cast<const char*>(text), N - 1);
}

constexpr auto ENGLISH = LanguageMode::ENGLISH;
constexpr auto SIMPLIFIED = LanguageMode::SIMPLIFIED_CHINESE;
constexpr auto TRADITIONAL = LanguageMode::TRADITIONAL_CHINESE;
constexpr auto ANSI = CodePage::ANSI;
constexpr auto GBK = CodePage::GBK;
constexpr auto BIG5 = CodePage::BIG5;
constexpr auto UTF8 = CodePage::UTF8;

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
  CodePage codePage;
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
        DecodeCase{"Utf16Le", "\xFF\xFE" "A\0B\0"s, ENGLISH, "AB", GBK},
        DecodeCase{"Utf16LeChinese", "\xFF\xFE" "\x2D\x4E" "1\0"s, ENGLISH, "\xD6\xD0" "1", GBK},
        DecodeCase{"Utf16LeOddByteIgnored", "\xFF\xFE" "A\0B\0C"s, ENGLISH, "AB", GBK},
        DecodeCase{"Utf16LeNulEndsText", "\xFF\xFE" "A\0\0\0B\0"s, ENGLISH, "A", GBK},
        // ก (U+0E01): GBK lacks it, so the file stays Unicode.
        DecodeCase{"Utf16LeCharacterGbkLacksKeptAsUtf8", "\xFF\xFE" "A\0\x01\x0E" "B\0"s,
                   ENGLISH, "A\xE0\xB8\x81" "B", UTF8},
        DecodeCase{"Utf16LeEmojiKeptAsUtf8", "\xFF\xFE" "\x3D\xD8\x00\xDE" "\x2D\x4E"s, ENGLISH,
                   "\xF0\x9F\x98\x80\xE4\xB8\xAD", UTF8},
        DecodeCase{"Utf16LeLoneSurrogateRepaired", "\xFF\xFE" "a\0\x00\xD8" "b\0"s, ENGLISH,
                   "a\xEF\xBF\xBD" "b", UTF8},
        DecodeCase{"Utf16LeNulEndsUtf8Text", "\xFF\xFE" "\x01\x0E\0\0" "\x01\x0E"s, ENGLISH,
                   "\xE0\xB8\x81", UTF8},
        // Only what follows the first U+0000 lacks a GBK code: the text ends before it.
        DecodeCase{"Utf16LeCharacterAfterNulIgnored", "\xFF\xFE" "a\0\0\0\x01\x0E"s, ENGLISH,
                   "a", GBK},
        DecodeCase{"Utf16LeCompositeJoined", "\xFF\xFE" "e\0\x01\x03"s, ENGLISH, "\xA8\xA6", GBK},
        // Â is not in GBK: joining A and U+0302 gives nothing GBK holds, nor does the mark.
        DecodeCase{"Utf16LeMarkWithoutGbkCompositeKeptAsUtf8", "\xFF\xFE" "A\0\x02\x03"s, ENGLISH,
                   "A\xCC\x82", UTF8},
        DecodeCase{"Utf16LeSignatureOnly", "\xFF\xFE", SIMPLIFIED, "", GBK},
        DecodeCase{"Utf16LeUnderTraditionalStaysGbk", "\xFF\xFE" "\x2D\x4E"s, TRADITIONAL,
                   "\xD6\xD0", GBK},
        DecodeCase{"Utf8Signed", "\xEF\xBB\xBF" "\xE4\xB8\xAD" "1", ENGLISH, "\xD6\xD0" "1", GBK},
        DecodeCase{"Utf8SignatureOnly", "\xEF\xBB\xBF", ENGLISH, "", GBK},
        DecodeCase{"Utf8SignedUnderTraditionalStaysGbk", "\xEF\xBB\xBF" "\xE4\xB8\xAD",
                   TRADITIONAL, "\xD6\xD0", GBK},
        DecodeCase{"Utf8SignedAsciiOnly", "\xEF\xBB\xBF" "abc", TRADITIONAL, "abc", GBK},
        // U+FFFD, which repairs the sequence, has no GBK code.
        DecodeCase{"Utf8SignedMalformedRepairedAsUtf8", "\xEF\xBB\xBF" "a\xFF" "b", ENGLISH,
                   "a\xEF\xBF\xBD" "b", UTF8},
        DecodeCase{"Utf8SignedNulEndsText", "\xEF\xBB\xBF" "a\0b"s, ENGLISH, "a", GBK},
        DecodeCase{"Utf8SignedNulEndsUtf8Text", "\xEF\xBB\xBF" "\xC3\xA7" "a\0\xC3\xA7"s, ENGLISH,
                   "\xC3\xA7" "a", UTF8},
        DecodeCase{"Utf8SignedFrenchKept", "\xEF\xBB\xBF" "\xC3\xA7" "a", SIMPLIFIED, "\xC3\xA7" "a",
                   UTF8},
        // â: GBK's best fit would give "a".
        DecodeCase{"Utf8SignedBestFitAvoided", "\xEF\xBB\xBF" "\xC3\xA2", ENGLISH, "\xC3\xA2", UTF8},
        DecodeCase{"Utf8SignedCompositeJoined", "\xEF\xBB\xBF" "e\xCC\x81", ENGLISH, "\xA8\xA6", GBK},
        // GBK holds the euro sign in one byte.
        DecodeCase{"Utf8SignedEuroSignStaysGbk", "\xEF\xBB\xBF" "\xE2\x82\xAC" "1", ENGLISH, "\x80" "1",
                   GBK},
        DecodeCase{"Utf8SignedChineseWithOneEmojiKeptAsUtf8",
                   "\xEF\xBB\xBF" "\xE4\xB8\xAD\r\n\xF0\x9F\x98\x80", ENGLISH,
                   "\xE4\xB8\xAD\r\n\xF0\x9F\x98\x80", UTF8},
        DecodeCase{"Utf8UnsignedEnglish", "1\r\n\xE4\xB8\xAD", ENGLISH, "1\r\n\xD6\xD0", GBK},
        DecodeCase{"Utf8UnsignedSimplified", "1\r\n\xE4\xB8\xAD", SIMPLIFIED, "1\r\n\xD6\xD0", GBK},
        DecodeCase{"Utf8UnsignedTraditionalStaysGbk", "1\r\n\xE4\xB8\xAD", TRADITIONAL,
                   "1\r\n\xD6\xD0", GBK},
        DecodeCase{"Utf8UnsignedGermanKept", "1\r\n\xC3\x9F", TRADITIONAL, "1\r\n\xC3\x9F", UTF8},
        DecodeCase{"Utf8UnsignedNulEndsUtf8Text", "\xC3\x9F\0" "b"s, ENGLISH, "\xC3\x9F", UTF8},
        DecodeCase{"Utf16Be", "\xFE\xFF\0A\0B"s, ENGLISH, "AB", GBK},
        DecodeCase{"Utf16BeChinese", "\xFE\xFF" "\x4E\x2D\0" "1"s, TRADITIONAL, "\xD6\xD0" "1", GBK},
        DecodeCase{"Utf16BeOddByteIgnored", "\xFE\xFF\0A\0B\0"s, ENGLISH, "AB", GBK},
        DecodeCase{"Utf16BeNulEndsText", "\xFE\xFF\0A\0\0\xAC\0"s, ENGLISH, "A", GBK},
        DecodeCase{"Utf16BeKoreanKeptAsUtf8", "\xFE\xFF\xD5\x5C\0!"s, ENGLISH, "\xED\x95\x9C!", UTF8},
        DecodeCase{"Utf16BeSignatureOnly", "\xFE\xFF", ENGLISH, "", GBK},
        DecodeCase{"AsciiEnglishUnchanged", "1\r\nabc", ENGLISH, "1\r\nabc", ANSI},
        DecodeCase{"AsciiSimplifiedUnchanged", "1\r\nabc", SIMPLIFIED, "1\r\nabc", ANSI},
        DecodeCase{"AsciiTraditionalConverted", "1\r\nabc", TRADITIONAL, "T:1\r\nabc", BIG5},
        DecodeCase{"Big5MarkSimplifiedConverted", "\xAA\xBA\xBB\xA1" "abc", SIMPLIFIED,
                   "S:\xAA\xBA\xBB\xA1" "abc", GBK},
        DecodeCase{"Big5WithoutMarkSimplifiedUnchanged", "\xBB\xA1\xA4\xA4" "abc", SIMPLIFIED,
                   "\xBB\xA1\xA4\xA4" "abc", ANSI},
        DecodeCase{"Big5MarkTraditionalUnchanged", "\xAA\xBA\xBB\xA1" "abc", TRADITIONAL,
                   "\xAA\xBA\xBB\xA1" "abc", ANSI},
        DecodeCase{"Big5MarkEnglishUnchanged", "\xAA\xBA\xBB\xA1" "abc", ENGLISH,
                   "\xAA\xBA\xBB\xA1" "abc", ANSI},
        DecodeCase{"GbkTraditionalConverted", "\xCB\xB5\xD6\xD0" "abc", TRADITIONAL,
                   "T:\xCB\xB5\xD6\xD0" "abc", BIG5},
        DecodeCase{"ShortFileSimplifiedUnchanged", "\xAA\xBA" "a", SIMPLIFIED, "\xAA\xBA" "a",
                   ANSI},
        DecodeCase{"ShortFileTraditionalConverted", "\xAA\xBA" "a", TRADITIONAL,
                   "T:\xAA\xBA" "a", BIG5},
        DecodeCase{"NulEndsConvertedText", "\xD6\xD0" "a\0b"s, TRADITIONAL, "T:\xD6\xD0" "a", BIG5},
        DecodeCase{"NulEndsConvertedBig5Text", "\xAA\xBA" "a\0b"s, SIMPLIFIED, "S:\xAA\xBA" "a",
                   GBK},
        DecodeCase{"NulKeptInUnchangedFile", "\xD6\xD0" "a\0b"s, ENGLISH, "\xD6\xD0" "a\0b"s,
                   ANSI},
        DecodeCase{"EmptySimplified", "", SIMPLIFIED, "", ANSI},
        DecodeCase{"ModeOutOfRangeUnchanged", "\xD6\xD0", static_cast<LanguageMode>(9),
                   "\xD6\xD0", ANSI},
        // 说 in GBK (CB B5) is also well-formed UTF-8 (U+02F5): text made only of such
        // pairs cannot be told apart and is read as UTF-8, which GBK cannot hold.
        DecodeCase{"GbkThatIsAlsoUtf8ReadAsUtf8", "\xCB\xB5", TRADITIONAL, "\xCB\xB5", UTF8}),
    [](const auto& info) { return std::string(info.param.label); });

// The same paths through the real conversions.
TEST(DecodeSubtitleWithEncoderTest, Big5FileWithMarkBecomesSimplifiedGbk) {
  const std::string big5 = "1\r\n00:00:01,000 --> 00:00:02,000\r\n\xAA\xBA\xBB\xA1\r\n";
  const DecodedSubtitle decoded = decodeSubtitleBytes(big5, SIMPLIFIED, 编码转换类());
  EXPECT_EQ(decoded.bytes, "1\r\n00:00:01,000 --> 00:00:02,000\r\n\xB5\xC4\xCB\xB5\r\n");
  EXPECT_EQ(decoded.codePage, CodePage::GBK);
}

TEST(DecodeSubtitleWithEncoderTest, GbkFileBecomesTraditionalBig5) {
  const DecodedSubtitle decoded =
      decodeSubtitleBytes("\xD6\xD0\xCB\xB5\r\n", TRADITIONAL, 编码转换类());  // 中说
  EXPECT_EQ(decoded.bytes, "\xA4\xA4\xBB\xA1\r\n");  // 中說
  EXPECT_EQ(decoded.codePage, CodePage::BIG5);
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

// ---- Unicode fixtures: <language>.srt is the text as written, in UTF-8 without a signature;
// <language>_utf8_signed.srt, _utf16le.srt and _utf16be.srt hold the same text, signed.

std::string fixture(const std::string& name) {
  std::ifstream file(std::string(QUORVANE_UNICODE_FIXTURES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(file) << name;
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const char* const FIXTURE_FORMS[] = {"", "_utf8_signed", "_utf16le", "_utf16be"};

std::string formName(const char* form) { return *form ? std::string(form + 1) : "utf8_unsigned"; }

class UnicodeFixtureTest : public testing::TestWithParam<std::tuple<const char*, const char*>> {
protected:
  std::string language() const { return std::get<0>(GetParam()); }
  std::string file() const { return fixture(language() + std::get<1>(GetParam()) + ".srt"); }
};

TEST_P(UnicodeFixtureTest, KeepsEveryCharacterAsUtf8) {
  const std::string asWritten = fixture(language() + ".srt");
  ASSERT_FALSE(asWritten.empty());
  for (const LanguageMode mode : {ENGLISH, SIMPLIFIED, TRADITIONAL}) {
    const DecodedSubtitle decoded = decodeSubtitleBytes(file(), mode, 编码转换类());
    EXPECT_EQ(decoded.bytes, asWritten);
    EXPECT_EQ(decoded.codePage, UTF8);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, UnicodeFixtureTest,
                         testing::Combine(testing::Values("french", "german", "korean", "emoji"),
                                          testing::ValuesIn(FIXTURE_FORMS)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param)) + "_" + formName(std::get<1>(info.param));
                         });

class ChineseUnicodeFixtureTest : public testing::TestWithParam<const char*> {};

// chinese_gbk.srt is the same text converted by iconv (CP936).
TEST_P(ChineseUnicodeFixtureTest, BecomesGbkAsBefore) {
  const std::string gbk = fixture("chinese_gbk.srt");
  ASSERT_FALSE(gbk.empty());
  const std::string file = fixture(std::string("chinese") + GetParam() + ".srt");
  for (const LanguageMode mode : {ENGLISH, SIMPLIFIED, TRADITIONAL}) {
    const DecodedSubtitle decoded = decodeSubtitleBytes(file, mode, 编码转换类());
    EXPECT_EQ(decoded.bytes, gbk);
    EXPECT_EQ(decoded.codePage, GBK);
  }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ChineseUnicodeFixtureTest, testing::ValuesIn(FIXTURE_FORMS),
                         [](const auto& info) { return formName(info.param); });

// The parser reads UTF-8 text as it reads GBK: no byte of a multi-byte UTF-8 character is
// a CR, an LF or a byte of "-->".
TEST(UnicodeFixtureParseTest, CueTextsAreAsWritten) {
  const DecodedSubtitle decoded = decodeSubtitleBytes(fixture("french_utf16be.srt"), ENGLISH, 编码转换类());
  const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
  EXPECT_EQ(track.codePage(), UTF8);
  ASSERT_EQ(track.cueCount(), 3);
  EXPECT_EQ(track.cue(1), (SubtitleCue{970, 3470, u8s(u8"Ça va ? « Très bien », dit François.")}));
  EXPECT_EQ(track.cue(2), (SubtitleCue{3970, 5970, u8s(u8"Où est l'hôtel ? C'est là-bas,\r\n"
                                                       "près du château où la naïve Chloé ôte son cœur.")}));
  EXPECT_EQ(track.cue(3), (SubtitleCue{6970, 7970, u8s(u8"ÉTÉ À L'ÎLE : Ç Â Ê Ô Û Ë Ï Ü Ÿ Æ Œ")}));
}

TEST(UnicodeFixtureParseTest, KoreanAndEmojiCueTextsAreAsWritten) {
  const auto texts = [](const char* name) {
    const DecodedSubtitle decoded = decodeSubtitleBytes(fixture(name), ENGLISH, 编码转换类());
    const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
    std::vector<std::string> texts;
    for (const SubtitleCue& cue : track.entries()) texts.push_back(cue.text);
    return texts;
  };
  EXPECT_EQ(texts("korean_utf16le.srt"),
            (std::vector<std::string>{u8s(u8"안녕하세요? 만나서 반갑습니다."),
                                      u8s(u8"한국어 자막입니다.\r\n\"괜찮아요\" — 네, 괜찮아요!"), "", ""}));
  EXPECT_EQ(texts("emoji_utf8_signed.srt"),
            (std::vector<std::string>{u8s(u8"Party time 🎉🥳"),
                                      u8s(u8"I ❤️ subtitles 👍🏽\r\nFamily 👨‍👩‍👧 and a flag 🇫🇷"), "", ""}));
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
