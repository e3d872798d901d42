#include "app/program_state.h"

#include <gtest/gtest.h>

#include "simulated_process.h"

namespace {

class ProgramStateLifetime : public testing::Test {
 protected:
  void TearDown() override { shutDown(); }

  SimulatedProcess player;
};

TEST_F(ProgramStateLifetime, StartUpBuildsOneRecordWithInitialValues) {
  ASSERT_TRUE(startUp(player, player));
  const ProgramState& state = *programState();
  EXPECT_EQ(state.overlayLoaded, 0);
  EXPECT_EQ(state.playerPid, 0);
  EXPECT_EQ(state.display.cueIndex, 0);
  EXPECT_EQ(state.track.cueCount(), 0);
  EXPECT_EQ(state.track.entries().size(), 2u);  // the sentinels only
  EXPECT_EQ(state.uiTexts.size(), 24u);
  EXPECT_EQ(state.clock.displayTime, 0);
  EXPECT_EQ(state.languageMode, LanguageMode::ENGLISH);
  EXPECT_EQ(state.subtitleCodePage, ANSI_CODE_PAGE);
  EXPECT_EQ(state.memoryOps.getProcessHandle(), CURRENT_PROCESS);

  EXPECT_FALSE(startUp(player, player));
  EXPECT_EQ(programState(), &state);
}

TEST_F(ProgramStateLifetime, ShutDownFreesAndAllowsANewRecord) {
  ASSERT_TRUE(startUp(player, player));
  programState()->subtitleBytes = "bytes";
  shutDown();
  EXPECT_EQ(programState(), nullptr);
  shutDown();  // nothing left to free
  ASSERT_TRUE(startUp(player, player));
  EXPECT_EQ(programState()->subtitleBytes, "");
}

TEST_F(ProgramStateLifetime, ShutDownClosesThePlayerHandleAndClearsTheProgressCells) {
  ASSERT_TRUE(startUp(player, player));
  ASSERT_EQ(programState()->memoryOps.openProcess(1234, 1), 1);
  const ProcessHandle handle = programState()->memoryOps.getProcessHandle();
  progressCells[FIND_PATTERN_CELL] = 100;

  shutDown();

  ASSERT_FALSE(player.closedHandles.empty());
  EXPECT_EQ(player.closedHandles.back(), handle);
  EXPECT_TRUE(player.openHandles.empty());
  EXPECT_EQ(progressCells[FIND_PATTERN_CELL], 0);
}

TEST(ProgramStateTrack, InstallingATrackRestartsTheCursor) {
  SimulatedProcess player;
  ProgramState state(player, player);
  state.display.cueIndex = 7;
  state.display.shownCue = 6;
  state.display.overlayShowing = 1;
  installTrack(state, SubtitleTrack({{0, 10, "a"}}));
  EXPECT_EQ(state.track.cueCount(), 1);
  EXPECT_EQ(state.display.cueIndex, 1);
  EXPECT_EQ(state.display.shownCue, 0);
  EXPECT_EQ(state.display.overlayShowing, 1);  // a load keeps what the overlay shows
}

TEST(ProgramStateMetrics, ApplyingMetricsSetsBothFields) {
  SimulatedProcess player;
  ProgramState state(player, player);
  applyLineMetrics(state, 18, 1440);
  EXPECT_EQ(state.lineMetrics.lineHeight, 48);
  EXPECT_EQ(state.lineMetrics.lineChars, 30);
}

}  // namespace
