#include "player/playback_clock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int32_t PID = 4242;
constexpr uint32_t SECONDS_CELL = 0x00501000;

// A player process presenting only its time block: the five digit cells and the play-state
// word. Reads outside the block, of another pid or after exit fail.
class SimulatedPlayer final : public PlayerMemory {
 public:
  SimulatedPlayer() : memory_(TIME_DIGITS_OFFSET + PLAY_STATE_OFFSET + 4, '\x00') {}

  void setTime(int hours, int minutes, int seconds) {
    const uint8_t cells[TIME_DIGIT_CELL_COUNT] = {
        uint8_t(hours + 1), uint8_t(minutes / 10 + 1), uint8_t(minutes % 10 + 1),
        uint8_t(seconds / 10 + 1), uint8_t(seconds % 10 + 1)};
    for (uint32_t k = 0; k < TIME_DIGIT_CELL_COUNT; ++k) {
      memory_[k * TIME_DIGIT_CELL_SPACING] = char(cells[k]);
    }
  }
  void setPlayState(int32_t word) {
    std::memcpy(&memory_[TIME_DIGITS_OFFSET + PLAY_STATE_OFFSET], &word, 4);
  }
  void hidePlayState() { playStateReadable_ = false; }
  void exit() { running_ = false; }

  bool read(int32_t pid, uint32_t address, unsigned char* buffer, size_t length) override {
    reads.push_back({address, length});
    const uint64_t first = uint64_t{address} - (SECONDS_CELL - TIME_DIGITS_OFFSET);
    if (!running_ || pid != PID || address < SECONDS_CELL - TIME_DIGITS_OFFSET ||
        first + length > memory_.size()) {
      return false;
    }
    if (!playStateReadable_ && first + length > TIME_DIGITS_OFFSET + PLAY_STATE_OFFSET) {
      return false;
    }
    std::memcpy(buffer, memory_.data() + first, length);
    return true;
  }

  struct Read {
    uint32_t address;
    size_t length;
    bool operator==(const Read&) const = default;
  };
  std::vector<Read> reads;

 private:
  std::string memory_;  // from the hours cell to the end of the play-state word
  bool running_ = true;
  bool playStateReadable_ = true;
};

class ManualTicks final : public TickSource {
 public:
  uint32_t nowMs() override { return now; }
  uint32_t now = 0;
};

class PlaybackClock : public testing::Test {
 protected:
  void tick() { updatePlaybackClock(clock, {player, ticks, PID, SECONDS_CELL}); }

  SimulatedPlayer player;
  ManualTicks ticks;
  PlaybackClockState clock;
};

// ---- decodeTimeBlock

struct DecodeCase {
  const char* name;
  uint8_t cells[5];
  double ms;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeTimeBlock : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTimeBlock, GivesMilliseconds) {
  const uint8_t* c = GetParam().cells;
  EXPECT_EQ(decodeTimeBlock(c[0], c[1], c[2], c[3], c[4]), GetParam().ms);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DecodeTimeBlock,
    testing::Values(DecodeCase{"Zero", {1, 1, 1, 1, 1}, 0},
                    DecodeCase{"Latest", {10, 6, 10, 6, 10}, 35999000},
                    DecodeCase{"OneHourThreeMinutes", {2, 1, 4, 3, 10}, 3809000},
                    DecodeCase{"AllZeroBytes", {0, 0, 0, 0, 0}, -4271000},
                    DecodeCase{"AllHighBytes", {255, 255, 255, 255, 255},
                               254.0 * 3600000 + 2794.0 * 60000 + 2794.0 * 1000}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the clock step

TEST_F(PlaybackClock, DecodesOnChangeAndRunsOnWhilePlaying) {
  clock.delayMs = 500;
  player.setTime(1, 3, 29);
  player.setPlayState(1);
  ticks.now = 1000;
  tick();
  EXPECT_EQ(clock.secondsByte, 10);
  EXPECT_EQ(clock.lastSecondsByte, 10);
  EXPECT_EQ(clock.clockRefTick, 1000u);
  EXPECT_EQ(clock.timeBlockBytes.size(), TIME_DIGITS_LENGTH);
  EXPECT_EQ(clock.decodedTime, 3808500);
  EXPECT_EQ(clock.displayTime, 3808500);

  ticks.now = 1120;
  tick();
  EXPECT_EQ(clock.displayTime, 3808620);
  EXPECT_EQ(clock.decodedTime, 3808500);

  player.setTime(1, 3, 30);
  ticks.now = 1900;
  tick();
  EXPECT_EQ(clock.decodedTime, 3809500);
  EXPECT_EQ(clock.displayTime, 3809500);
  EXPECT_EQ(clock.clockRefTick, 1900u);
}

TEST_F(PlaybackClock, NegativeDelayShowsCuesEarlier) {
  clock.delayMs = -500;
  player.setTime(1, 3, 29);
  tick();
  EXPECT_EQ(clock.decodedTime, 3809500);
}

TEST_F(PlaybackClock, PauseHoldsAndResumeCountsFromTheLastPausedTick) {
  player.setTime(0, 0, 5);
  player.setPlayState(1);
  ticks.now = 10000;
  tick();
  ASSERT_EQ(clock.displayTime, 5000);

  player.setPlayState(0);
  for (uint32_t now : {10050u, 10100u, 10400u}) {
    ticks.now = now;
    tick();
    EXPECT_EQ(clock.displayTime, 5000);
    EXPECT_EQ(clock.clockRefTick, now);
  }
  player.setPlayState(7);
  ticks.now = 10450;
  tick();
  EXPECT_EQ(clock.displayTime, 5050);
}

TEST_F(PlaybackClock, UnreadablePlayStateRunsOn) {
  player.setTime(0, 0, 5);
  ticks.now = 100;
  tick();
  player.hidePlayState();
  ticks.now = 350;
  tick();
  EXPECT_EQ(clock.displayTime, 5250);
}

TEST_F(PlaybackClock, ExitedPlayerDecodesZeroCellsThenRunsOn) {
  clock.delayMs = 100;
  player.setTime(0, 10, 0);
  player.setPlayState(1);
  ticks.now = 5000;
  tick();
  ASSERT_EQ(clock.decodedTime, 599900);

  player.exit();
  ticks.now = 5050;
  tick();
  EXPECT_EQ(clock.secondsByte, 0);
  EXPECT_TRUE(clock.timeBlockBytes.empty());
  EXPECT_EQ(clock.decodedTime, -4271000 - 100);
  EXPECT_EQ(clock.displayTime, -4271100);

  ticks.now = 5300;
  tick();
  EXPECT_EQ(clock.displayTime, -4271100 + 250);
}

TEST_F(PlaybackClock, SteadyTickReadsOnlyTheSecondsCellAndThePlayState) {
  player.setTime(0, 0, 5);
  tick();
  player.reads.clear();
  tick();
  EXPECT_EQ(player.reads, (std::vector<SimulatedPlayer::Read>{
                              {SECONDS_CELL, 1}, {SECONDS_CELL + PLAY_STATE_OFFSET, 4}}));
}

TEST_F(PlaybackClock, ChangeReadsTheDigitBlockBeforeTheSecondsCell) {
  player.setTime(0, 0, 5);
  tick();
  EXPECT_EQ(player.reads,
            (std::vector<SimulatedPlayer::Read>{
                {SECONDS_CELL, 1}, {SECONDS_CELL - TIME_DIGITS_OFFSET, TIME_DIGITS_LENGTH}}));
}

TEST_F(PlaybackClock, UnchangedSecondsAtTimerStartRunsOnFromTheLastDecode) {
  player.setTime(0, 0, 9);
  player.setPlayState(1);
  ticks.now = 2000;
  tick();
  ticks.now = 2600;  // the display was paused and resumed; the digit has not changed
  tick();
  EXPECT_EQ(clock.displayTime, 9600);
}

struct WrapCase {
  const char* name;
  uint32_t decodeTick;
  uint32_t laterTick;
};

void PrintTo(const WrapCase& c, std::ostream* os) { *os << c.name; }

class PlaybackClockWrap : public PlaybackClock, public testing::WithParamInterface<WrapCase> {};

TEST_P(PlaybackClockWrap, RunOnAcrossTheCounterStaysRight) {
  player.setTime(0, 1, 0);
  player.setPlayState(1);
  ticks.now = GetParam().decodeTick;
  tick();
  ticks.now = GetParam().laterTick;
  tick();
  EXPECT_EQ(clock.displayTime, 60000 + 32);
}

INSTANTIATE_TEST_SUITE_P(
    UptimeCounter, PlaybackClockWrap,
    testing::Values(WrapCase{"Plain", 1000, 1032},
                    WrapCase{"SignChangeAfter24Days", 0x7FFFFFF0u, 0x80000010u},
                    WrapCase{"WrapAfter49Days", 0xFFFFFFF0u, 0x00000010u}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlaybackClock, ResultsKeepTheLow32Bits) {
  clock.delayMs = std::numeric_limits<int32_t>::min();
  player.setTime(1, 3, 29);
  tick();
  EXPECT_EQ(clock.decodedTime, static_cast<int32_t>(int64_t{3809000} + 2147483648LL));
}

// ---- the three reads

TEST(PlayerReads, GiveBytesOrTheirFailureValues) {
  SimulatedPlayer player;
  player.setTime(9, 0, 0);
  player.setPlayState(0x01020304);
  EXPECT_EQ(readPlayerByte(player, PID, SECONDS_CELL - TIME_DIGITS_OFFSET), 10);
  EXPECT_EQ(readPlayerInt32(player, PID, SECONDS_CELL + PLAY_STATE_OFFSET), 0x01020304);
  player.setPlayState(-2);
  EXPECT_EQ(readPlayerInt32(player, PID, SECONDS_CELL + PLAY_STATE_OFFSET), -2);
  const uint32_t hoursCell = SECONDS_CELL - TIME_DIGITS_OFFSET;
  EXPECT_EQ(readPlayerBlock(player, PID, hoursCell, TIME_DIGITS_LENGTH).size(),
            TIME_DIGITS_LENGTH);

  player.setPlayState(5);
  EXPECT_EQ(readPlayerByte(player, PID + 1, SECONDS_CELL), 0);
  EXPECT_EQ(readPlayerInt32(player, PID + 1, SECONDS_CELL + PLAY_STATE_OFFSET), -1);
  EXPECT_EQ(readPlayerBlock(player, PID + 1, hoursCell, TIME_DIGITS_LENGTH), "");
  EXPECT_EQ(readPlayerBlock(player, PID, hoursCell - 1, TIME_DIGITS_LENGTH), "");
}

}  // namespace
