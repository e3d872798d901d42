#include "overlay/display_tick.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr DisplayLayout LAYOUT{30, 48, 1080, 100, 970};

// A = [1000, 3000), B = [3000, 5000), C = [8000, 9000).
SubtitleTrack threeCues() {
  return SubtitleTrack({{1000, 3000, "A"}, {3000, 5000, "B"}, {8000, 9000, "C"}});
}

DisplayOutcome showing(int32_t cue) { return {DisplayAction::show, cue, LAYOUT.baseLeft}; }
DisplayOutcome clearing() { return {DisplayAction::clear, 0, 0, true, LAYOUT.baseTop}; }
DisplayOutcome nothing() { return {}; }

struct Step {
  int32_t time;
  DisplayOutcome outcome;
  int32_t cueIndex;
  int32_t shownCue;
  int32_t overlayShowing;
};

struct Scenario {
  const char* name;
  DisplayCursor start;
  std::vector<Step> steps;
};

void PrintTo(const Scenario& c, std::ostream* os) { *os << c.name; }

class DisplayTickSteps : public testing::TestWithParam<Scenario> {};

TEST_P(DisplayTickSteps, FollowTheTime) {
  const SubtitleTrack track = threeCues();
  DisplayCursor cursor = GetParam().start;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE("t = " + std::to_string(step.time));
    EXPECT_EQ(selectDisplayCue(step.time, track, cursor, LAYOUT), step.outcome);
    EXPECT_EQ(cursor.cueIndex, step.cueIndex);
    EXPECT_EQ(cursor.shownCue, step.shownCue);
    EXPECT_EQ(cursor.overlayShowing, step.overlayShowing);
  }
}

constexpr DisplayCursor FRESH{1, 0, 0, 0};
constexpr int32_t MAX_TIME = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    ThreeCues, DisplayTickSteps,
    testing::Values(
        Scenario{"PlaysThrough",
                 FRESH,
                 {{500, nothing(), 1, 0, 0},
                  {1000, showing(1), 1, 1, 1},
                  {2999, nothing(), 1, 1, 1},
                  {3000, showing(2), 2, 2, 1},
                  {5000, clearing(), 2, 2, 0},
                  {6000, nothing(), 2, 2, 0},
                  {8000, showing(3), 3, 3, 1},
                  {9000, clearing(), 3, 3, 0},
                  {20000, nothing(), 3, 3, 0}}},
        Scenario{"JumpForwardPastTheLastCue",
                 FRESH,
                 {{1000, showing(1), 1, 1, 1},
                  {8500, nothing(), 3, 1, 1},
                  {8550, showing(3), 3, 3, 1}}},
        Scenario{"JumpForwardIntoAGap",
                 FRESH,
                 {{1000, showing(1), 1, 1, 1},
                  {6000, nothing(), 2, 1, 1},
                  {6050, clearing(), 2, 1, 0}}},
        Scenario{"ClearedCueIsNotRedrawnWhenTimeFallsBack",
                 FRESH,
                 {{3000, showing(2), 2, 2, 1},
                  {5000, clearing(), 2, 2, 0},
                  {4950, nothing(), 2, 2, 0}}},
        Scenario{"SeekBackwards",
                 {3, 3, 1, 1},
                 {{2000, nothing(), 1, 3, 1}, {2050, showing(1), 1, 1, 1}}},
        Scenario{"ScanStopsBeforeACueStartingExactlyNow",
                 FRESH,
                 {{1000, showing(1), 1, 1, 1},
                  {8000, nothing(), 2, 1, 1},
                  {8000, showing(3), 3, 3, 1}}},
        Scenario{"TimesAtTheSentinelsClearLikeTheGapAfterTheLastCue",
                 FRESH,
                 {{8000, nothing(), 2, 0, 0},
                  {8000, showing(3), 3, 3, 1},
                  {2147483640, clearing(), 3, 3, 0},
                  {2147483642, nothing(), 3, 3, 0},
                  {MAX_TIME, nothing(), 3, 3, 0}}},
        Scenario{"ExtremeTimeFromTheStartScansToTheLastCue",
                 FRESH,
                 {{MAX_TIME, nothing(), 3, 0, 0},
                  {MAX_TIME, nothing(), 3, 0, 0},
                  {8100, showing(3), 3, 3, 1}}},
        Scenario{"CursorOutOfRangeRestarts",
                 {0, 7, 0, 0},
                 {{1000, showing(1), 1, 1, 1}}},
        Scenario{"CursorAtZeroWithNothingShownRestarts",
                 {0, 0, 0, 0},
                 {{1000, showing(1), 1, 1, 1}}},
        Scenario{"CursorPastTheTrackRestarts",
                 {9, 0, 1, 0},
                 {{MAX_TIME, nothing(), 3, 0, 1}, {MAX_TIME, clearing(), 3, 0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayTick, EmptyTrackNeverShows) {
  const SubtitleTrack empty;
  DisplayCursor cursor = FRESH;
  for (int32_t t : {-4271000, 0, 1000, 2147483639, 2147483640, 2147483642, MAX_TIME}) {
    EXPECT_EQ(selectDisplayCue(t, empty, cursor, LAYOUT), nothing()) << t;
    EXPECT_EQ(cursor.cueIndex, 1);
  }
}

TEST(DisplayTick, EmptyTextShowsWithNoLines) {
  const SubtitleTrack track({{0, 100, ""}});
  DisplayCursor cursor = FRESH;
  cursor.lineCount = 5;
  EXPECT_EQ(selectDisplayCue(50, track, cursor, LAYOUT), showing(1));
  EXPECT_EQ(cursor.lineCount, 0);
  EXPECT_EQ(cursor.overlayShowing, 1);
}

// ---- the lift rule

struct LiftCase {
  const char* name;
  int32_t baseTop;
  std::string text;
  int32_t lineCount;
  bool moveTop;
  int32_t top;
};

void PrintTo(const LiftCase& c, std::ostream* os) { *os << c.name; }

class DisplayTickLift : public testing::TestWithParam<LiftCase> {};

TEST_P(DisplayTickLift, KeepsTextAboveTheScreenBottom) {
  const LiftCase& c = GetParam();
  const SubtitleTrack track({{0, 100, c.text}});
  DisplayCursor cursor = FRESH;
  DisplayLayout layout = LAYOUT;
  layout.baseTop = c.baseTop;
  const DisplayOutcome outcome = selectDisplayCue(0, track, cursor, layout);
  EXPECT_EQ(outcome.action, DisplayAction::show);
  EXPECT_EQ(cursor.lineCount, c.lineCount);
  EXPECT_EQ(outcome.moveTop, c.moveTop);
  if (c.moveTop) {
    EXPECT_EQ(outcome.top, c.top);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Screen1080, DisplayTickLift,
    testing::Values(LiftCase{"TwoLinesFit", 970, "one\r\ntwo", 2, false, 0},
                    LiftCase{"ThreeLinesLift", 970, "one\r\ntwo\r\nthree", 3, true, 936},
                    LiftCase{"BaseTopBelowScreen", 1200, "one", 1, true, 1032},
                    LiftCase{"ExactFitStays", 984, "one\r\ntwo", 2, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- wrapped lines

struct WrapCase {
  const char* name;
  std::string text;
  int32_t lineChars;
  int32_t lines;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }

class CountWrappedLines : public testing::TestWithParam<WrapCase> {};

TEST_P(CountWrappedLines, EstimatesLines) {
  EXPECT_EQ(countWrappedLines(GetParam().text, GetParam().lineChars, CodePage::GBK), GetParam().lines);
}

const std::string DOUBLE_BYTE = "\xc4\xe3";

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CountWrappedLines,
    testing::Values(WrapCase{"TwoDoubleByteChars", repeat(DOUBLE_BYTE, 2), 30, 1},
                    WrapCase{"SixtyDoubleByteCharsFillTwoLines", repeat(DOUBLE_BYTE, 60), 30, 2},
                    WrapCase{"SixtyOneDoubleByteChars", repeat(DOUBLE_BYTE, 61), 30, 3},
                    WrapCase{"SixtyOneSingleByteChars", repeat("a", 61), 30, 2},
                    WrapCase{"SixtySingleByteCharsFillOneLine", repeat("a", 60), 30, 1},
                    WrapCase{"EmptyText", "", 30, 0},
                    WrapCase{"OnlyABreakIsOneEmptyPiece", "\r\n", 30, 1},
                    WrapCase{"InnerEmptyPieceCounts", "a\r\n\r\nb", 30, 3},
                    WrapCase{"LeadingBreakGivesEmptyFirstPiece", "\r\na", 30, 2},
                    WrapCase{"TrailingBreakAddsNothing", "a\r\n", 30, 1},
                    WrapCase{"LoneLfDoesNotSplit", "a\nb", 30, 1},
                    WrapCase{"StopsAtNul", "a\0\r\nb\r\nc"s, 30, 1},
                    WrapCase{"ZeroLineCharsOneLineEachPiece", repeat("a", 500) + "\r\nb", 0, 2},
                    WrapCase{"NegativeLineCharsOneLineEachPiece", repeat("a", 500), -3, 1},
                    WrapCase{"OneCharPerLine", repeat(DOUBLE_BYTE, 7), 1, 7}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- wrapped lines of a UTF-8 track

// UTF-8 literal text as bytes.
template <size_t N>
std::string u8s(const char8_t (&text)[N]) {
  return std::string(reinterpret_cast<const char*>(text), N - 1);
}

// A UTF-8 text and a GBK text as wide: the same text where GBK holds it; otherwise GBK
// characters as wide as the UTF-8 ones are drawn (a Latin letter for ç, a Han character for
// a Hangul syllable or an emoji).
struct TwinCase {
  const char* name;
  std::string utf8;
  std::string gbk;
  int32_t lineChars;
  int32_t lines;
};

void PrintTo(const TwinCase& c, std::ostream* os) { *os << c.name; }

class CountWrappedUtf8Lines : public testing::TestWithParam<TwinCase> {};

TEST_P(CountWrappedUtf8Lines, CountsAsItsGbkTwin) {
  const TwinCase& c = GetParam();
  EXPECT_EQ(countWrappedLines(c.utf8, c.lineChars, CodePage::UTF8), c.lines);
  EXPECT_EQ(countWrappedLines(c.gbk, c.lineChars, CodePage::GBK), c.lines);
}

const std::string NI = "\xC4\xE3";  // 你 in GBK

INSTANTIATE_TEST_SUITE_P(
    Texts, CountWrappedUtf8Lines,
    testing::Values(
        // UTF-8 takes 3 bytes for each, GBK 2: 60 fill two lines, 61 take three.
        TwinCase{"SixtyChineseCharsFillTwoLines", repeat(u8s(u8"你"), 60), repeat(NI, 60), 30, 2},
        TwinCase{"SixtyOneChineseChars", repeat(u8s(u8"你"), 61), repeat(NI, 61), 30, 3},
        TwinCase{"AsciiAndChinese", u8s(u8"OK你好"), "OK" + NI + NI, 2, 2},
        // GBK holds é in two bytes and € in one; UTF-8 takes two and three.
        TwinCase{"AccentedLatinGbkHolds", repeat(u8s(u8"é"), 31), repeat("\xA8\xA6", 31), 30, 2},
        TwinCase{"EuroSignsOneByteEach", repeat(u8s(u8"€"), 61), repeat("\x80", 61), 30, 2},
        TwinCase{"FrenchLettersGbkLacksAreNarrow", repeat(u8s(u8"ç"), 60), repeat("c", 60), 30, 1},
        TwinCase{"SixtyOneFrenchLetters", repeat(u8s(u8"ç"), 61), repeat("c", 61), 30, 2},
        TwinCase{"HangulIsWide", repeat(u8s(u8"한"), 30), repeat(NI, 30), 30, 1},
        TwinCase{"ThirtyOneHangul", repeat(u8s(u8"한"), 31), repeat(NI, 31), 30, 2},
        TwinCase{"EmojiIsWide", repeat(u8s(u8"😀"), 30), repeat(NI, 30), 30, 1},
        TwinCase{"ThirtyOneEmoji", repeat(u8s(u8"😀"), 31), repeat(NI, 31), 30, 2},
        TwinCase{"FullwidthFormGbkLacks", repeat(u8s(u8"￦"), 31), repeat(NI, 31), 30, 2},
        // Each piece between CR LF pairs is counted on its own, as in GBK.
        TwinCase{"LinesSplitAtCrLf", u8s(u8"한국어\r\n\r\nça"), NI + NI + NI + "\r\n\r\nca", 1, 3 + 1 + 1},
        TwinCase{"StopsAtNul", u8s(u8"ç\r\n") + "\0"s + u8s(u8"한\r\n"), "c\r\n\0\xC4\xE3\r\n"s, 30, 1},
        TwinCase{"EmptyText", "", "", 30, 0},
        // Never from the decoder: a malformed sequence counts as the one narrow U+FFFD.
        TwinCase{"MalformedBytesNarrow", repeat("\xFF", 61), repeat("?", 61), 30, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// Two lines of 25 Chinese characters fit the screen; counted by their UTF-8 bytes, they
// would take four lines and lift the overlay.
TEST(DisplayTickLift, Utf8TrackLiftsAsItsGbkTwin) {
  const SubtitleTrack utf8({{0, 100, repeat(u8s(u8"你"), 25) + "\r\n" + repeat(u8s(u8"好"), 25)}}, CodePage::UTF8);
  const SubtitleTrack gbk({{0, 100, repeat(NI, 25) + "\r\n" + repeat("\xBA\xC3", 25)}}, CodePage::GBK);
  DisplayCursor utf8Cursor = FRESH, gbkCursor = FRESH;
  const DisplayOutcome utf8Outcome = selectDisplayCue(0, utf8, utf8Cursor, LAYOUT);
  EXPECT_EQ(utf8Outcome, selectDisplayCue(0, gbk, gbkCursor, LAYOUT));
  EXPECT_FALSE(utf8Outcome.moveTop);
  EXPECT_EQ(utf8Cursor.lineCount, 2);
  EXPECT_EQ(gbkCursor.lineCount, 2);
}

}  // namespace
