// The simulated player's portable core: its film clock, its options and control lines, and
// what it writes into its image data, read back by the program's own playback clock.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "film_clock.h"
#include "memory/byte_search.h"
#include "player/playback_clock.h"
#include "player_control.h"
#include "player_image.h"
#include "simulated_player_layout.h"

namespace {

using namespace simulated_player;

// ---- film times

struct FilmTimeCase {
  const char* name;
  const char* text;
  std::optional<int32_t> ms;
};

void PrintTo(const FilmTimeCase& c, std::ostream* os) { *os << c.name; }

class ParseFilmTime : public testing::TestWithParam<FilmTimeCase> {};

TEST_P(ParseFilmTime, GivesMillisecondsOrNothing) {
  EXPECT_EQ(parseFilmTime(GetParam().text), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseFilmTime,
    testing::Values(FilmTimeCase{"Zero", "0", 0},
                    FilmTimeCase{"Seconds", "75", 75000},
                    FilmTimeCase{"SecondsWithTenths", "75.5", 75500},
                    FilmTimeCase{"OneMillisecond", "0.001", 1},
                    FilmTimeCase{"HoursMinutesSeconds", "1:02:03", 3723000},
                    FilmTimeCase{"HoursMinutesSecondsWithMilliseconds", "1:02:03.250", 3723250},
                    FilmTimeCase{"LastMoment", "9:59:59.999", LAST_FILM_MS},
                    FilmTimeCase{"LastMomentInSeconds", "35999.999", LAST_FILM_MS},
                    FilmTimeCase{"TenHours", "10:00:00", std::nullopt},
                    FilmTimeCase{"TenHoursInSeconds", "36000", std::nullopt},
                    FilmTimeCase{"Empty", "", std::nullopt},
                    FilmTimeCase{"Negative", "-5", std::nullopt},
                    FilmTimeCase{"LeadingBlank", " 5", std::nullopt},
                    FilmTimeCase{"OneDigitMinutes", "1:2:03", std::nullopt},
                    FilmTimeCase{"SixtyMinutes", "1:60:00", std::nullopt},
                    FilmTimeCase{"SixtySeconds", "1:00:60", std::nullopt},
                    FilmTimeCase{"MinutesAndSecondsOnly", "1:00", std::nullopt},
                    FilmTimeCase{"FourFields", "1:00:00:00", std::nullopt},
                    FilmTimeCase{"DotWithoutDigits", "75.", std::nullopt},
                    FilmTimeCase{"FourDecimals", "75.1234", std::nullopt},
                    FilmTimeCase{"TwoDots", "7.5.5", std::nullopt},
                    FilmTimeCase{"Hexadecimal", "0x10", std::nullopt},
                    FilmTimeCase{"ManyDigits", "99999999999999999999", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct CellsCase {
  const char* name;
  int32_t ms;
  std::array<uint8_t, 5> cells;
  const char* text;
};

void PrintTo(const CellsCase& c, std::ostream* os) { *os << c.name; }

class TimeCells : public testing::TestWithParam<CellsCase> {};

TEST_P(TimeCells, HoldTheWholeSecondsAsDigitsPlusOne) {
  EXPECT_EQ(timeCells(GetParam().ms), GetParam().cells);
  EXPECT_EQ(formatFilmTime(GetParam().ms), GetParam().text);
}

TEST_P(TimeCells, DecodeToTheWholeSeconds) {
  const std::array<uint8_t, 5> c = timeCells(GetParam().ms);
  EXPECT_EQ(decodeTimeBlock(c[0], c[1], c[2], c[3], c[4]), GetParam().ms / 1000 * 1000);
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeCells,
    testing::Values(CellsCase{"Start", 0, {1, 1, 1, 1, 1}, "0:00:00"},
                    CellsCase{"JustBeforeASecond", 999, {1, 1, 1, 1, 1}, "0:00:00"},
                    CellsCase{"OneHourThreeMinutes", 3809999, {2, 1, 4, 3, 10}, "1:03:29"},
                    CellsCase{"EndOfAMinute", 59999, {1, 1, 1, 6, 10}, "0:00:59"},
                    CellsCase{"LastMoment", LAST_FILM_MS, {10, 6, 10, 6, 10}, "9:59:59"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the film clock

TEST(FilmClock, RunsWithTheCounterWhilePlaying) {
  FilmClock clock(5000, true, 100000);
  EXPECT_EQ(clock.positionMs(100000), 5000);
  EXPECT_EQ(clock.positionMs(101234), 6234);
  EXPECT_TRUE(clock.isPlaying(101234));
  EXPECT_EQ(clock.msUntilNextSecond(101234), 766u);
}

TEST(FilmClock, HoldsWhilePausedAndResumesFromThere) {
  FilmClock clock(5000, true, 0);
  clock.pause(700);
  EXPECT_EQ(clock.positionMs(5000), 5700);
  EXPECT_FALSE(clock.isPlaying(5000));
  EXPECT_EQ(clock.msUntilNextSecond(5000), std::nullopt);
  clock.play(9000);
  EXPECT_EQ(clock.positionMs(9100), 5800);
  EXPECT_TRUE(clock.isPlaying(9100));
}

TEST(FilmClock, TogglesBetweenPlayingAndPaused) {
  FilmClock clock(0, false, 0);
  clock.togglePause(10);
  EXPECT_TRUE(clock.isPlaying(10));
  clock.togglePause(510);
  EXPECT_FALSE(clock.isPlaying(600));
  EXPECT_EQ(clock.positionMs(600), 500);
}

TEST(FilmClock, SeeksKeepThePlayState) {
  FilmClock playing(0, true, 0);
  playing.seek(3600000, 2000);
  EXPECT_EQ(playing.positionMs(2500), 3600500);
  FilmClock paused(0, false, 0);
  paused.seekBy(-10000, 2000);
  EXPECT_EQ(paused.positionMs(2500), 0);
  paused.seekBy(10000, 3000);
  EXPECT_EQ(paused.positionMs(9000), 10000);
}

TEST(FilmClock, StaysWithinTheFilm) {
  FilmClock clock(0, true, 0);
  clock.seek(-1, 0);
  EXPECT_EQ(clock.positionMs(0), 0);
  clock.seek(int64_t{LAST_FILM_MS} + 5000, 0);
  EXPECT_EQ(clock.positionMs(0), LAST_FILM_MS);
  EXPECT_EQ(FilmClock(-20, false, 0).positionMs(0), 0);
}

TEST(FilmClock, StopsAtTheEndOfTheFilm) {
  FilmClock clock(LAST_FILM_MS - 1500, true, 0);
  EXPECT_TRUE(clock.isPlaying(1000));
  EXPECT_EQ(clock.positionMs(uint64_t{1} << 40), LAST_FILM_MS);
  EXPECT_FALSE(clock.isPlaying(2000));
  EXPECT_EQ(clock.msUntilNextSecond(2000), std::nullopt);
  clock.seek(0, 3000);
  EXPECT_TRUE(clock.isPlaying(3000));
}

TEST(FilmClock, ACounterBehindTheAnchorCountsAsNoTime) {
  FilmClock clock(5000, true, 1000);
  EXPECT_EQ(clock.positionMs(500), 5000);
}

// ---- options

struct OptionsCase {
  const char* name;
  std::vector<std::string> args;
  PlayerOptions expected;
};

void PrintTo(const OptionsCase& c, std::ostream* os) { *os << c.name; }

PlayerOptions optionsWith(void (*change)(PlayerOptions&)) {
  PlayerOptions options;
  change(options);
  return options;
}

class ParseOptions : public testing::TestWithParam<OptionsCase> {};

TEST_P(ParseOptions, SetsTheFields) {
  const OptionsResult result = parsePlayerOptions(GetParam().args);
  ASSERT_EQ(result.error, "");
  const PlayerOptions& got = result.options;
  const PlayerOptions& want = GetParam().expected;
  EXPECT_EQ(got.startMs, want.startMs);
  EXPECT_EQ(got.paused, want.paused);
  EXPECT_EQ(got.fullscreen, want.fullscreen);
  EXPECT_EQ(got.hidden, want.hidden);
  EXPECT_EQ(got.withPattern, want.withPattern);
  EXPECT_EQ(got.limitSeconds, want.limitSeconds);
  EXPECT_EQ(got.helpAsked, want.helpAsked);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ParseOptions,
    testing::Values(
        OptionsCase{"None", {}, PlayerOptions{}},
        OptionsCase{"StartAsTime",
                    {"--start", "1:23:45"},
                    optionsWith([](PlayerOptions& o) { o.startMs = 5025000; })},
        OptionsCase{"StartInSecondsPaused",
                    {"--paused", "--start", "58.5"},
                    optionsWith([](PlayerOptions& o) {
                      o.startMs = 58500;
                      o.paused = true;
                    })},
        OptionsCase{"FullscreenWithLimit",
                    {"--fullscreen", "--limit", "30"},
                    optionsWith([](PlayerOptions& o) {
                      o.fullscreen = true;
                      o.limitSeconds = 30;
                    })},
        OptionsCase{"HiddenWithoutPatternNoLimit",
                    {"--hidden", "--no-pattern", "--limit", "0"},
                    optionsWith([](PlayerOptions& o) {
                      o.hidden = true;
                      o.withPattern = false;
                      o.limitSeconds = 0;
                    })},
        OptionsCase{"LaterStartWins",
                    {"--start", "5", "--start", "7"},
                    optionsWith([](PlayerOptions& o) { o.startMs = 7000; })},
        OptionsCase{"Help", {"--help"}, optionsWith([](PlayerOptions& o) { o.helpAsked = true; })}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadOptionsCase {
  const char* name;
  std::vector<std::string> args;
  const char* errorPart;
};

void PrintTo(const BadOptionsCase& c, std::ostream* os) { *os << c.name; }

class RejectOptions : public testing::TestWithParam<BadOptionsCase> {};

TEST_P(RejectOptions, SaysWhatIsWrong) {
  const OptionsResult result = parsePlayerOptions(GetParam().args);
  EXPECT_NE(result.error.find(GetParam().errorPart), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RejectOptions,
    testing::Values(
        BadOptionsCase{"UnknownOption", {"--loop"}, "unknown argument: --loop"},
        BadOptionsCase{"OldPositionalLimit", {"600", "play"}, "unknown argument: 600"},
        BadOptionsCase{"StartWithoutValue", {"--paused", "--start"}, "--start needs a value"},
        BadOptionsCase{"StartBeyondTheFilm", {"--start", "10:00:00"}, "--start: not a film time"},
        BadOptionsCase{"NegativeLimit", {"--limit", "-1"}, "--limit: not a whole number"},
        BadOptionsCase{"HugeLimit", {"--limit", "99999999999"}, "--limit: not a whole number"},
        BadOptionsCase{"HiddenFullscreen", {"--hidden", "--fullscreen"}, "exclude each other"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- control lines

struct CommandCase {
  const char* name;
  const char* line;
  CommandKind kind;
  int32_t filmMs;
  const char* errorPart;  // "" when the line is understood
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class ParseCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(ParseCommand, GivesTheCommandOrAnError) {
  const ControlCommand command = parseControlCommand(GetParam().line);
  EXPECT_EQ(command.kind, GetParam().kind);
  EXPECT_EQ(command.filmMs, GetParam().filmMs);
  if (*GetParam().errorPart == '\0') {
    EXPECT_EQ(command.error, "");
  } else {
    EXPECT_NE(command.error.find(GetParam().errorPart), std::string::npos) << command.error;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCommand,
    testing::Values(
        CommandCase{"Pause", "pause", CommandKind::pause, 0, ""},
        CommandCase{"PlayFromAWindowsPipe", "play\r", CommandKind::play, 0, ""},
        CommandCase{"Time", "  time  ", CommandKind::time, 0, ""},
        CommandCase{"Quit", "quit", CommandKind::quit, 0, ""},
        CommandCase{"SeekSeconds", "seek 90", CommandKind::seek, 90000, ""},
        CommandCase{"SeekTime", "seek\t1:00:00.5", CommandKind::seek, 3600500, ""},
        CommandCase{"Blank", " \r", CommandKind::none, 0, ""},
        CommandCase{"SeekWithoutTime", "seek", CommandKind::none, 0, "seek needs a film time"},
        CommandCase{"SeekBeyondTheFilm", "seek 10:00:00", CommandKind::none, 0, "seek needs"},
        CommandCase{"SeekTwoTimes", "seek 1 2", CommandKind::none, 0, "seek needs"},
        CommandCase{"PauseWithArgument", "pause now", CommandKind::none, 0, "takes no argument"},
        CommandCase{"UpperCase", "PAUSE", CommandKind::none, 0, "unknown command: PAUSE"},
        CommandCase{"Unknown", "rewind 5", CommandKind::none, 0, "unknown command: rewind"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StateLine, SaysTheTimeAndWhetherItPlays) {
  EXPECT_EQ(stateLine(3723250, true), "time 3723250 playing\n");
  EXPECT_EQ(stateLine(0, false), "time 0 paused\n");
}

// ---- the image data, as the program's playback clock reads it

// The player's image data as another process sees it, the data's first byte at DATA_ADDRESS.
constexpr uint32_t DATA_ADDRESS = IMAGE_BASE + 0x3000;
constexpr int32_t PID = 77;

class ImageMemory final : public PlayerMemory {
public:
  explicit ImageMemory(std::span<const uint8_t> data) : data(data) {}
  bool read(int32_t pid, uint32_t address, unsigned char* buffer, size_t length) override {
    if (pid != PID || address < DATA_ADDRESS || address - DATA_ADDRESS + length > data.size()) {
      return false;
    }
    std::memcpy(buffer, data.data() + (address - DATA_ADDRESS), length);
    return true;
  }

private:
  std::span<const uint8_t> data;
};

class FixedTicks final : public TickSource {
public:
  uint32_t nowMs() override { return now; }
  uint32_t now = 1000;
};

std::string_view asBytes(std::span<const uint8_t> data) {
  return {reinterpret_cast<const char*>(data.data()), data.size()};
}

class PlayerImage : public testing::Test {
protected:
  // Where the program finds the time block: past the pattern's only occurrence.
  uint32_t timeBlockAddress() const {
    const std::string_view bytes = asBytes(data);
    const size_t match = findBytes(bytes, timeBlockPattern());
    EXPECT_NE(match, std::string_view::npos);
    EXPECT_EQ(findBytes(bytes, timeBlockPattern(), match + 1), std::string_view::npos);
    return DATA_ADDRESS + static_cast<uint32_t>(match) + TIME_BLOCK_DISTANCE;
  }

  // Offsets of the bytes that differ from the image as built.
  std::vector<size_t> changedOffsets() const {
    std::vector<size_t> changed;
    for (size_t i = 0; i < data.size(); ++i) {
      if (data[i] != built[i]) changed.push_back(i);
    }
    return changed;
  }

  const std::array<uint8_t, DATA_SIZE> built = initialData();
  std::array<uint8_t, DATA_SIZE> data = initialData();
  ImageMemory memory{data};
  FixedTicks ticks;
  PlaybackClockState clock;
};

TEST_F(PlayerImage, TheProgramsClockReadsThePresentedTime) {
  presentFilmTime(data, 3723400, true);
  const PlayerClockSource source{memory, ticks, PID, timeBlockAddress()};
  updatePlaybackClock(clock, source);
  EXPECT_EQ(clock.displayTime, 3723000);
  ticks.now += 300;
  updatePlaybackClock(clock, source);
  EXPECT_EQ(clock.displayTime, 3723300);

  presentFilmTime(data, 3723700, false);
  ticks.now += 400;
  updatePlaybackClock(clock, source);
  ticks.now += 2000;
  updatePlaybackClock(clock, source);
  EXPECT_EQ(clock.displayTime, 3723000);

  presentFilmTime(data, 59000, false);
  updatePlaybackClock(clock, source);
  EXPECT_EQ(clock.displayTime, 59000);
}

TEST_F(PlayerImage, PresentingTouchesOnlyTheCellsAndThePlayStateWord) {
  presentFilmTime(data, 0, false);
  const uint32_t seconds = TIME_BLOCK_OFFSET;
  std::vector<size_t> cellsAndWord;
  for (uint32_t before = 4; before > 0; --before) {
    cellsAndWord.push_back(seconds - DIGIT_CELL_SPACING * before);
  }
  cellsAndWord.push_back(seconds);
  cellsAndWord.push_back(seconds + PLAY_STATE_OFFSET);  // only its low byte: 1 became 0
  EXPECT_EQ(changedOffsets(), cellsAndWord);
  EXPECT_EQ(timeBlockAddress(), DATA_ADDRESS + seconds);
}

TEST_F(PlayerImage, RemovingThePatternLeavesNoMatchAndTheRestAsItWas) {
  removePattern(data);
  EXPECT_EQ(findBytes(asBytes(data), timeBlockPattern()), std::string_view::npos);
  for (const size_t offset : changedOffsets()) {
    EXPECT_GE(offset, PATTERN_OFFSET);
    EXPECT_LT(offset, PATTERN_OFFSET + TIME_BLOCK_PATTERN.size());
  }
  EXPECT_EQ(asBytes(data).substr(0, MARKER.size()), MARKER);
}

TEST_F(PlayerImage, ThePointerCellHoldsTheValueAddress) {
  pointAtValue(data, DATA_ADDRESS + VALUE_OFFSET);
  const uint8_t* cell = &data[POINTER_OFFSET];
  EXPECT_EQ(uint32_t{cell[0]} | uint32_t{cell[1]} << 8 | uint32_t{cell[2]} << 16 |
                uint32_t{cell[3]} << 24,
            DATA_ADDRESS + VALUE_OFFSET);
}

}  // namespace
