#include "app/program_state.h"

#include <gtest/gtest.h>

namespace {

class ProgramStateLifetime : public testing::Test {
 protected:
  void TearDown() override { shutDown(); }
};

TEST_F(ProgramStateLifetime, StartUpBuildsOneRecordWithInitialValues) {
  ASSERT_TRUE(startUp());
  const ProgramState& state = programState();
  EXPECT_EQ(state.overlayLoaded, 0);
  EXPECT_EQ(state.playerPid, 0);
  EXPECT_EQ(state.cueIndex, 0);
  EXPECT_EQ(state.track.cueCount(), 0);
  EXPECT_EQ(state.track.entries().size(), 2u);  // the sentinels only
  EXPECT_EQ(state.uiTexts.size(), 24u);
  EXPECT_EQ(state.clock.displayTime, 0);
  EXPECT_TRUE(state.cueLines.empty());

  EXPECT_FALSE(startUp());
  EXPECT_EQ(&programState(), &state);
}

TEST_F(ProgramStateLifetime, ShutDownFreesAndAllowsANewRecord) {
  ASSERT_TRUE(startUp());
  programState().subtitleBytes = "bytes";
  shutDown();
  shutDown();  // nothing left to free
  ASSERT_TRUE(startUp());
  EXPECT_EQ(programState().subtitleBytes, "");
}

TEST(ProgramStateTrack, InstallingATrackRestartsTheCursor) {
  ProgramState state;
  state.cueIndex = 7;
  state.shownCue = 6;
  state.overlayShowing = 1;
  installTrack(state, SubtitleTrack({{0, 10, "a"}}));
  EXPECT_EQ(state.track.cueCount(), 1);
  EXPECT_EQ(state.cueIndex, 1);
  EXPECT_EQ(state.shownCue, 0);
  EXPECT_EQ(state.overlayShowing, 1);  // a load keeps what the overlay shows
}

TEST(ProgramStateMetrics, ApplyingMetricsSetsBothFields) {
  ProgramState state;
  applyLineMetrics(state, 18, 1440);
  EXPECT_EQ(state.lineHeight, 48);
  EXPECT_EQ(state.lineChars, 30);
}

}  // namespace
