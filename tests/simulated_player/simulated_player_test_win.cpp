// The simulated player under Wine, read as the program reads the real one: the pattern
// search of the process-memory class and the playback clock's reads of the time block.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "film_clock.h"
#include "memory/byte_search.h"
#include "memory/process_memory.h"
#include "player/playback_clock.h"
#include "player/player_memory_win.h"
#include "player/time_block.h"
#include "running_player_win.h"
#include "simulated_player_layout.h"

namespace {

using namespace simulated_player;

constexpr uint32_t FOUR_MIB = 4 << 20;
// How late the player may write a new second, or this test notice it, on a busy machine.
constexpr uint64_t LATENESS_MS = 150;

const std::string PLAYER = besideThisProgram("PowerDVD.exe");
const std::string LARGE_PLAYER = besideThisProgram("4mb\\PowerDVD.exe");

std::string fileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

size_t occurrences(std::string_view bytes, std::string_view pattern) {
  size_t count = 0;
  for (size_t at = findBytes(bytes, pattern); at != std::string_view::npos;
       at = findBytes(bytes, pattern, at + 1)) {
    ++count;
  }
  return count;
}

// What the time block shows: the decoded cells and the play-state word.
struct Shown {
  int32_t ms = -1;
  int32_t playState = -1;
};

// The running player as the program sees it: the time block found by the pattern search,
// then read through the playback clock's own reads.
class PlayerView {
public:
  explicit PlayerView(const RunningPlayer& player) : pid(static_cast<int32_t>(player.id)) {
    memoryOps.openProcess(player.id, 1);
    const Address match = findPattern();
    block = match == 0 ? 0 : match + TIME_BLOCK_DISTANCE;
  }

  Address findPattern() {
    return memoryOps.findPattern(timeBlockPattern(), {}, PATTERN_SEARCH_START, PATTERN_SEARCH_END);
  }

  // The cells from the hours cell to the seconds cell, read until two reads agree, so that
  // a second turning over during a read is not taken for a time.
  Shown shown() {
    std::string cells = readCells();
    for (int tries = 0; tries < 20; ++tries) {
      Sleep(1);
      std::string again = readCells();
      if (again == cells) break;
      cells = std::move(again);
    }
    if (cells.empty()) return {};
    const auto cell = [&](uint32_t index) {
      return static_cast<uint8_t>(cells[index * DIGIT_CELL_SPACING]);
    };
    return {static_cast<int32_t>(decodeTimeBlock(cell(0), cell(1), cell(2), cell(3), cell(4))),
            readPlayerInt32(reader, pid, block + PLAY_STATE_OFFSET)};
  }

  内存操作类 memoryOps{win32MemoryBackend(), win32ProcessControl()};
  Address block = 0;

private:
  std::string readCells() {
    return readPlayerBlock(reader, pid, block - TIME_DIGITS_OFFSET, TIME_DIGITS_OFFSET + 1);
  }

  int32_t pid;
  Win32PlayerMemory reader;
};

std::string state(int32_t ms, const char* playState) {
  return "time " + std::to_string(ms) + " " + playState;
}

int32_t replyMs(const std::string& reply) {
  std::istringstream words(reply);
  std::string word;
  int32_t ms = -1;
  words >> word >> ms;
  return word == "time" ? ms : -1;
}

// ---- the image file

struct BuildCase {
  const char* name;
  const std::string* program;
  size_t leastSize;
};

void PrintTo(const BuildCase& c, std::ostream* os) { *os << c.name; }

class ImageFile : public testing::TestWithParam<BuildCase> {};

TEST_P(ImageFile, HoldsThePatternExactlyOnce) {
  const std::string bytes = fileBytes(*GetParam().program);
  ASSERT_GE(bytes.size(), GetParam().leastSize);
  EXPECT_EQ(occurrences(bytes, timeBlockPattern()), 1u);
}

INSTANTIATE_TEST_SUITE_P(Builds, ImageFile,
                         testing::Values(BuildCase{"Ordinary", &PLAYER, 4096},
                                         BuildCase{"FourMegabytes", &LARGE_PLAYER, FOUR_MIB}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the running player

TEST(SimulatedPlayer, PresentsItsStartTimeOnceInItsImageAndHoldsItWhilePaused) {
  RunningPlayer player(PLAYER, "--hidden --start 1:02:03 --paused --limit 60");
  ASSERT_TRUE(player.ready);
  PlayerView view(player);
  ASSERT_NE(view.block, 0u);

  const Address data = view.memoryOps.findPattern(MARKER, {}, PATTERN_SEARCH_START,
                                                  PATTERN_SEARCH_END);
  EXPECT_EQ(view.block, data + PATTERN_OFFSET + TIME_BLOCK_DISTANCE);
  const ModuleInfo image = view.memoryOps.getModuleInfo(IMAGE_BASE);
  ASSERT_GT(image.imageSize, 0u);
  std::vector<Address> found;
  EXPECT_EQ(view.memoryOps.findAll(timeBlockPattern(), found, {}, IMAGE_BASE,
                                   IMAGE_BASE + image.imageSize - 1, 1),
            1);

  EXPECT_EQ(view.shown().ms, 3723000);
  EXPECT_EQ(view.shown().playState, PLAY_STATE_PAUSED);
  EXPECT_EQ(player.command("time"), state(3723000, "paused"));
  Sleep(1500);
  EXPECT_EQ(view.shown().ms, 3723000);
  EXPECT_EQ(player.command("time"), state(3723000, "paused"));
}

TEST(SimulatedPlayer, PlaysInRealTime) {
  RunningPlayer player(PLAYER, "--hidden --start 0:00:58 --limit 60");
  ASSERT_TRUE(player.ready);
  PlayerView view(player);
  ASSERT_NE(view.block, 0u);

  const uint64_t sent0 = GetTickCount64();
  const int32_t ms0 = replyMs(player.command("time"));
  const uint64_t received0 = GetTickCount64();
  ASSERT_GE(ms0, 58000);
  ASSERT_LT(ms0, 60000) << "the machine is too slow for this test";
  EXPECT_EQ(view.shown().playState, PLAY_STATE_PLAYING);

  // The cells turn to 0:01:00, a carry into the minutes, when the clock says they should.
  uint64_t before = GetTickCount64();
  Shown now = view.shown();
  uint64_t at = GetTickCount64();
  while (now.ms < 60000 && at < received0 + 5000) {
    before = at;
    Sleep(5);
    now = view.shown();
    at = GetTickCount64();
  }
  EXPECT_EQ(now.ms, 60000);
  const uint64_t earliest = sent0 + static_cast<uint64_t>(60000 - ms0);
  const uint64_t latest = received0 + static_cast<uint64_t>(60000 - ms0);
  EXPECT_GE(at + LATENESS_MS, earliest);
  EXPECT_LE(before, latest + LATENESS_MS);

  // Its millisecond clock keeps pace with this process's counter.
  const uint64_t sent1 = GetTickCount64();
  const int32_t ms1 = replyMs(player.command("time"));
  const uint64_t received1 = GetTickCount64();
  EXPECT_GE(ms1 - ms0 + 20, static_cast<int64_t>(sent1 - received0));
  EXPECT_LE(ms1 - ms0, static_cast<int64_t>(received1 - sent0) + 20);
}

TEST(SimulatedPlayer, HoldsWhilePausedAndRunsOnFromThereWhenPlayed) {
  RunningPlayer player(PLAYER, "--hidden --start 0:10:00 --limit 60");
  ASSERT_TRUE(player.ready);
  PlayerView view(player);
  ASSERT_NE(view.block, 0u);

  const std::string paused = player.command("pause");
  const int32_t pausedMs = replyMs(paused);
  EXPECT_EQ(paused, state(pausedMs, "paused"));
  EXPECT_EQ(view.shown().playState, PLAY_STATE_PAUSED);
  EXPECT_EQ(view.shown().ms, pausedMs / 1000 * 1000);
  Sleep(1500);
  EXPECT_EQ(view.shown().ms, pausedMs / 1000 * 1000);
  EXPECT_EQ(player.command("time"), state(pausedMs, "paused"));

  EXPECT_EQ(player.command("play"), state(pausedMs, "playing"));
  EXPECT_EQ(view.shown().playState, PLAY_STATE_PLAYING);
  Sleep(1200);
  EXPECT_GE(view.shown().ms, pausedMs / 1000 * 1000 + 1000);
}

struct SeekStep {
  const char* line;
  std::string reply;
  int32_t shownMs;  // what the cells show right after the reply
};

TEST(SimulatedPlayer, SeeksWhereTheControlChannelSays) {
  RunningPlayer player(PLAYER, "--hidden --start 0:00:05 --paused --limit 60");
  ASSERT_TRUE(player.ready);
  PlayerView view(player);
  ASSERT_NE(view.block, 0u);

  const SeekStep steps[] = {
      {"seek 1:00:00", state(3600000, "paused"), 3600000},
      {"seek 75.5", state(75500, "paused"), 75000},
      {"seek 9:59:59.999", state(LAST_FILM_MS, "paused"), 35999000},
      {"seek 10:00:00", "error seek needs a film time up to 9:59:59", 35999000},
      {"seek 0", state(0, "paused"), 0},
      {"rewind", "error unknown command: rewind", 0},
      {"seek 2:00:00", state(7200000, "paused"), 7200000},
  };
  for (const SeekStep& step : steps) {
    SCOPED_TRACE(step.line);
    EXPECT_EQ(player.command(step.line), step.reply);
    EXPECT_EQ(view.shown().ms, step.shownMs);
  }

  EXPECT_EQ(player.command("play"), state(7200000, "playing"));
  EXPECT_EQ(player.command("seek 3:00:00"), state(10800000, "playing"));
  const int32_t shown = view.shown().ms;
  EXPECT_GE(shown, 10800000);
  EXPECT_LE(shown, 10801000);
}

TEST(SimulatedPlayer, WithoutThePatternOffersNoMatch) {
  RunningPlayer player(PLAYER, "--hidden --no-pattern --limit 60");
  ASSERT_TRUE(player.ready);
  PlayerView view(player);
  EXPECT_EQ(view.findPattern(), 0u);
  EXPECT_NE(view.memoryOps.findPattern(MARKER, {}, PATTERN_SEARCH_START, PATTERN_SEARCH_END), 0u)
      << "the searched process is the player";
}

TEST(SimulatedPlayer, LargeImageHoldsTheTimeBlockPastItsBallast) {
  RunningPlayer player(LARGE_PLAYER, "--hidden --start 0:00:07 --paused --limit 60");
  ASSERT_TRUE(player.ready);
  PlayerView view(player);
  ASSERT_NE(view.block, 0u);
  EXPECT_GE(view.block - IMAGE_BASE, FOUR_MIB);
  EXPECT_GE(view.memoryOps.getModuleInfo(IMAGE_BASE).imageSize, FOUR_MIB);
  EXPECT_EQ(view.shown().ms, 7000);
}

// ---- how it ends

struct EndingCase {
  const char* name;
  const char* arguments;
  void (*act)(RunningPlayer&);
};

void PrintTo(const EndingCase& c, std::ostream* os) { *os << c.name; }

class Ending : public testing::TestWithParam<EndingCase> {};

TEST_P(Ending, EndsWithExitCodeZero) {
  RunningPlayer player(PLAYER, GetParam().arguments);
  ASSERT_TRUE(player.ready);
  GetParam().act(player);
  EXPECT_TRUE(player.hasEnded(10000));
  EXPECT_EQ(player.exitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Ending,
    testing::Values(
        EndingCase{"InputClosed", "--hidden", [](RunningPlayer& p) { p.closeInput(); }},
        EndingCase{"QuitCommand", "--hidden", [](RunningPlayer& p) { p.command("quit"); }},
        EndingCase{"TimeLimitWhilePaused", "--hidden --paused --limit 1", [](RunningPlayer&) {}},
        EndingCase{"TimeLimitWhilePlaying", "--hidden --limit 1", [](RunningPlayer&) {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadArgumentsCase {
  const char* name;
  const char* arguments;
};

void PrintTo(const BadArgumentsCase& c, std::ostream* os) { *os << c.name; }

class BadArguments : public testing::TestWithParam<BadArgumentsCase> {};

TEST_P(BadArguments, EndTheProgramBeforeItIsReady) {
  RunningPlayer player(PLAYER, GetParam().arguments);
  EXPECT_FALSE(player.ready);
  EXPECT_TRUE(player.hasEnded(10000));
  EXPECT_EQ(player.exitCode(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, BadArguments,
    testing::Values(BadArgumentsCase{"StartBeyondTheFilm", "--start 10:00:00"},
                    BadArgumentsCase{"LimitInWords", "--limit soon"},
                    BadArgumentsCase{"OldPositionalForm", "600 play"},
                    BadArgumentsCase{"HiddenAndFullscreen", "--hidden --fullscreen"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
