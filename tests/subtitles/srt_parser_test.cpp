#include "subtitles/srt_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr int32_t INT32_MAX_ = std::numeric_limits<int32_t>::max();
constexpr int32_t INT32_MIN_ = std::numeric_limits<int32_t>::min();

// The real cues of a parsed track, after checking the two sentinels that close it.
std::vector<SubtitleCue> realCues(const SubtitleTrack& track) {
  const auto& entries = track.entries();
  EXPECT_EQ(entries.size(), static_cast<size_t>(track.cueCount()) + 2);
  const int32_t n = track.cueCount();
  EXPECT_EQ(track.cue(n + 1), (SubtitleCue{2147483640, 2147483641, ""}));
  EXPECT_EQ(track.cue(n + 2), (SubtitleCue{2147483642, 2147483643, ""}));
  return {entries.begin(), entries.begin() + n};
}

// ---- parseSrtTime

struct TimeCase {
  const char* name;
  std::string field;
  int32_t ms;
};

void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.name; }

class ParseSrtTime : public testing::TestWithParam<TimeCase> {};

TEST_P(ParseSrtTime, ReadsField) { EXPECT_EQ(parseSrtTime(GetParam().field), GetParam().ms); }

INSTANTIATE_TEST_SUITE_P(
    Fields, ParseSrtTime,
    testing::Values(
        TimeCase{"Full", "00:01:02,500", 62500},
        TimeCase{"NoComma", "00:01:02", 62000},
        TimeCase{"ShortFieldsGetLeadingColons", "1:02,5", 62005},
        TimeCase{"DotIsNotAComma", "00:01:02.500", 62000},
        TimeCase{"FourthFieldIsMillisecondsAsWritten", "00:00:01,5000", 6000},
        TimeCase{"OnlySpaces", "   ", 0},
        TimeCase{"Empty", "", 0},
        TimeCase{"SpacesRemovedEverywhere", " 01 : 02 : 03 , 004 ", 3723004},
        TimeCase{"LeadingTabSkippedByAtoi", "\t5:0:0,0", 18000000},
        TimeCase{"PositionCoordinatesAfterTime", "00:00:02,500 X1:100 X2:200", 2500},
        TimeCase{"MoreThanFourFieldsIgnored", "1:2:3:4:5,6", 3723004},
        TimeCase{"LastCommaCounts", "1,2,3", 1003},
        TimeCase{"BareNumberIsSeconds", "5", 5000},
        TimeCase{"NegativeHours", "-1:00:00,000", -3600000},
        TimeCase{"TextEndsAtNul", "00:00:01,000\0:99:99"s, 1000},
        TimeCase{"NonDigitsReadAsZero", "aa:bb:cc,dd", 0},
        TimeCase{"LargestTime", "596:31:23,647", INT32_MAX_},
        TimeCase{"JustPastLargestSaturates", "596:31:23,648", INT32_MAX_},
        TimeCase{"HugeHoursSaturate", "99999999999999999999:00:00,000", INT32_MAX_},
        TimeCase{"HugeNegativeHoursSaturate", "-99999999999999999999:00:00,000", INT32_MIN_},
        TimeCase{"HugeMillisecondsSaturate", "0:0:0,99999999999999", INT32_MAX_},
        TimeCase{"NegativeHoursAndHugeMinutesCancel", "-2147483648:2147483647:0,0",
                 INT32_MIN_}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- trimCueText

struct TrimCase {
  const char* name;
  std::string raw;
  std::string trimmed;
};

void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }

class TrimCueText : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimCueText, StripsEnds) { EXPECT_EQ(trimCueText(GetParam().raw), GetParam().trimmed); }

INSTANTIATE_TEST_SUITE_P(
    Texts, TrimCueText,
    testing::Values(TrimCase{"SpacesTabsAndBreaks", " \t\r\nHello\r\n \t\r\n", "Hello"},
                    TrimCase{"OnlyBreaks", "\r\n\r\n", ""},
                    TrimCase{"OnlyBlanks", " \t ", ""},
                    TrimCase{"InnerBlankLineStays", "A\r\n\r\nB", "A\r\n\r\nB"},
                    TrimCase{"LoneLfAndCrStay", "\nA\r", "\nA\r"},
                    TrimCase{"CrThenSpaceIsNotABreak", "\r \nA", "\r \nA"},
                    TrimCase{"Nothing", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- parseSrt

struct ParseCase {
  const char* name;
  std::string file;
  std::vector<SubtitleCue> cues;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseSrt : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseSrt, GivesCues) { EXPECT_EQ(realCues(parseSrt(GetParam().file)), GetParam().cues); }

INSTANTIATE_TEST_SUITE_P(
    Files, ParseSrt,
    testing::Values(
        ParseCase{"Standard",
                  "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\nworld\r\n\r\n"
                  "2\r\n00:00:03,000 --> 00:00:04,000\r\nBye\r\n\r\n",
                  {{970, 2470, "Hello\r\nworld"}, {2970, 3970, "Bye"}}},
        ParseCase{"LastCueKeepsLinesAfterIt",
                  "1\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n\r\nextra line\r\n  \r\n",
                  {{970, 1970, "A\r\n\r\nextra line"}}},
        ParseCase{"CueWithoutText",
                  "1\r\n00:00:01,000 --> 00:00:02,000\r\n\r\n2\r\n00:00:03,000 --> "
                  "00:00:04,000\r\nB\r\n",
                  {{970, 1970, ""}, {2970, 3970, "B"}}},
        ParseCase{"TwoLinesNoNumberLineLosesSecond",
                  "00:00:01,000 --> 00:00:02,000\r\nA\r\nB\r\n00:00:03,000 --> "
                  "00:00:04,000\r\nC",
                  {{970, 1970, "A"}, {2970, 3970, "C"}}},
        ParseCase{"OneLineNoNumberLineIsText",
                  "00:00:01,000 --> 00:00:02,000\r\nA\r\n00:00:03,000 --> 00:00:04,000\r\nC",
                  {{970, 1970, "A"}, {2970, 3970, "C"}}},
        ParseCase{"TimeLineFollowedByTimeLine",
                  "00:00:01,000 --> 00:00:02,000\r\n00:00:03,000 --> 00:00:04,000\r\nX",
                  {{970, 1970, "00:00:03,000 --> 00:00:04,000"}, {2970, 3970, "X"}}},
        ParseCase{"ArrowInTextIsATimeLine",
                  "1\r\n00:00:01,000 --> 00:00:02,000\r\nsee --> here\r\n",
                  {{-30, -30, ""}, {970, 1970, "see --> here"}}},
        ParseCase{"TimeLineAtFileStart", "00:00:01,000 --> 00:00:02,000\r\nA",
                  {{970, 1970, "A"}}},
        ParseCase{"ZeroTimeIsMinus30", "1\r\n00:00:00,000 --> 00:00:00,000\r\nA\r\n",
                  {{-30, -30, "A"}}},
        ParseCase{"EndBeforeStartKept", "1\r\n00:00:05,000 --> 00:00:01,000\r\nA\r\n",
                  {{4970, 970, "A"}}},
        ParseCase{"PositionCoordinates",
                  "1\r\n00:00:01,000 --> 00:00:02,500 X1:100 X2:200\r\nA\r\n",
                  {{970, 2470, "A"}}},
        ParseCase{"EqualStartsInSelectionSortOrder",
                  "1\r\n00:00:05,000 --> 00:00:06,000\r\nfirst five\r\n\r\n"
                  "2\r\n00:00:03,000 --> 00:00:04,000\r\nthree\r\n\r\n"
                  "3\r\n00:00:05,000 --> 00:00:07,000\r\nsecond five\r\n\r\n"
                  "4\r\n00:00:01,000 --> 00:00:02,000\r\none\r\n",
                  {{970, 1970, "one"},
                   {2970, 3970, "three"},
                   {4970, 6970, "second five"},
                   {4970, 5970, "first five"}}},
        ParseCase{"HeaderBeforeFirstNumberIsStartField",
                  "header\r\n00:00:01,000 --> 00:00:02,000\r\nA\r\n", {{970, 1970, "A"}}},
        // Bad input: each gives a defined track.
        ParseCase{"Empty", "", {}},
        ParseCase{"NoArrow", "1\r\n00:00:01,000 - 00:00:02,000\r\nA\r\n", {}},
        ParseCase{"Utf16Unconverted",
                  "0\0:\0"s "0\0-\0-\0>\0"s, {}},
        ParseCase{"OnlyArrow", "-->", {{-30, -30, ""}}},
        ParseCase{"TwoArrowsTouching", "-->-->", {{-30, -30, ""}, {-30, -30, ""}}},
        ParseCase{"ArrowAtStart", "--> 00:00:02,000\r\nA", {{-30, 1970, "A"}}},
        ParseCase{"ArrowAtEnd", "00:00:01,000 -->", {{970, -30, ""}}},
        ParseCase{"ArrowBetweenBreaks", "\r\n-->\r\n", {{-30, -30, ""}}},
        ParseCase{"CrAtEnd", "00:00:01,000 --> 00:00:02,000\r", {{970, 1970, ""}}},
        ParseCase{"NulsInFieldsAndText",
                  "00:00:01,000\0junk --> 00:00:02,000\0\r\nA\0B\r\n"s,
                  {{970, 1970, "A\0B"s}}},
        ParseCase{"TimeFieldReadToItsFirst256Bytes",
                  "00:00:01," + std::string(240, ' ') + "5 --> " + std::string(256, 'x') +
                      ",5\r\nA",
                  {{975, -30, "A"}}},
        ParseCase{"HugeNumbersSaturate",
                  "99999999999999999999:0:0,0 --> -99999999999999999999:0:0,0\r\nA",
                  {{INT32_MAX_ - 30, INT32_MIN_, "A"}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each CR LF of the file replaced by the line breaks given, in turn.
std::string withBreaks(const std::string& crlfFile, const std::vector<std::string>& breaks) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < crlfFile.size(); ++i) {
    if (crlfFile.compare(i, 2, "\r\n") == 0) {
      out += breaks[next++ % breaks.size()];
      ++i;
    } else {
      out += crlfFile[i];
    }
  }
  return out;
}

TEST(ParseSrtLineBreaks, LoneLfAndCrParseAsCrLf) {
  const std::string crlf =
      "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\nworld\r\n\r\n"
      "2\r\n00:00:03,000 --> 00:00:04,000\r\nBye\r\n\r\n"
      "3\r\n00:00:05,000 --> 00:00:06,000\r\nA\r\nB\r\n00:00:07,000 --> 00:00:08,000\r\nC\r\n";
  const SubtitleTrack expected = parseSrt(crlf);
  ASSERT_EQ(expected.cueCount(), 4);
  ASSERT_EQ(expected.text(1), "Hello\r\nworld");

  const std::vector<std::vector<std::string>> forms = {
      {"\n"}, {"\r"}, {"\n", "\r", "\r\n"}, {"\r", "\r\n", "\n"}};
  for (const auto& form : forms) {
    const std::string file = withBreaks(crlf, form);
    SCOPED_TRACE(testing::PrintToString(file));
    EXPECT_EQ(parseSrt(file), expected);
  }
}

TEST(ParseSrtLineBreaks, LfThenCrIsTwoBreaks) {
  EXPECT_EQ(normaliseLineBreaks("a\n\rb\r\nc\r\r\nd\r"), "a\r\n\r\nb\r\nc\r\n\r\nd\r\n");
}

TEST(ParseSrtLimits, NoRealCueReachesTheSentinels) {
  const SubtitleTrack track = parseSrt("9999999:0:0,0 --> 9999999:0:0,0\r\nlate\r\n");
  ASSERT_EQ(track.cueCount(), 1);
  EXPECT_LT(track.start(1), track.start(2));
  EXPECT_LT(track.end(1), track.start(2));
}

// ---- sortCues

// The selection sort the order is defined by.
void selectionSort(std::vector<SubtitleCue>& cues) {
  for (size_t i = 0; i < cues.size(); ++i) {
    size_t m = i;
    for (size_t j = i + 1; j < cues.size(); ++j) {
      if (cues[j].start < cues[m].start) m = j;
    }
    if (m > i) std::swap(cues[i], cues[m]);
  }
}

TEST(SortCues, MatchesSelectionSortOnRandomTracksWithRepeatedStarts) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 2000; ++round) {
    const int size = static_cast<int>(random() % 40);
    const int distinctStarts = 1 + static_cast<int>(random() % 6);
    std::vector<SubtitleCue> cues;
    for (int k = 0; k < size; ++k) {
      const int32_t start = static_cast<int32_t>(random() % distinctStarts) - 2;
      cues.push_back({start, k, "cue " + std::to_string(k)});
    }
    std::vector<SubtitleCue> expected = cues;
    selectionSort(expected);
    sortCues(cues);
    ASSERT_EQ(cues, expected) << "round " << round;
  }
}

TEST(SortCues, MatchesSelectionSortOnALargeTrack) {
  std::mt19937 random(7);
  std::vector<SubtitleCue> cues;
  for (int k = 0; k < 3000; ++k) {
    cues.push_back({static_cast<int32_t>(random() % 200), k, std::to_string(k)});
  }
  cues.push_back({INT32_MIN_, -1, "min"});
  cues.push_back({INT32_MAX_, -2, "max"});
  std::vector<SubtitleCue> expected = cues;
  selectionSort(expected);
  sortCues(cues);
  EXPECT_EQ(cues, expected);
}

TEST(SortCues, EmptyAndSingle) {
  std::vector<SubtitleCue> none;
  sortCues(none);
  EXPECT_TRUE(none.empty());
  std::vector<SubtitleCue> one = {{5, 6, "x"}};
  sortCues(one);
  EXPECT_EQ(one, (std::vector<SubtitleCue>{{5, 6, "x"}}));
}

TEST(SubtitleTrackDefault, HoldsOnlyTheSentinels) {
  const SubtitleTrack track;
  EXPECT_EQ(track.cueCount(), 0);
  EXPECT_TRUE(realCues(track).empty());
  EXPECT_EQ(track.codePage(), CodePage::ANSI);
}

// UTF-8 never puts a byte below 0x80 inside a character, so the byte rules read it as they
// read GBK: LF breaks, trimming and the arrow work unchanged around multi-byte characters.
TEST(ParseSrtUtf8, CuesAreAsWrittenAndTheTrackKeepsItsCodePage) {
  const char8_t file[] =
      u8"1\n00:00:01,000 --> 00:00:02,000\n  Ça, « déjà » ?\t\nÜber 한국어 😀\n\n"
      u8"2\n00:00:03,000 --> 00:00:04,000 한\n→ 終わり\n";
  const std::string bytes(reinterpret_cast<const char*>(file), sizeof file - 1);
  const SubtitleTrack track = parseSrt(bytes, CodePage::UTF8);
  EXPECT_EQ(track.codePage(), CodePage::UTF8);
  const char8_t first[] = u8"Ça, « déjà » ?\t\r\nÜber 한국어 😀";
  const char8_t second[] = u8"→ 終わり";
  EXPECT_EQ(realCues(track),
            (std::vector<SubtitleCue>{{970, 1970, std::string(reinterpret_cast<const char*>(first), sizeof first - 1)},
                                      {2970, 3970, std::string(reinterpret_cast<const char*>(second), sizeof second - 1)}}));
}

}  // namespace
