#include "app/select_and_start.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "memory_settings_store.h"
#include "player/time_block.h"
#include "simulated_process.h"
#include "support/fake_panel_view.h"
#include "support/silent_player.h"
#include "support/recording_overlay.h"

namespace {

using Calls = std::vector<std::string>;
using namespace std::string_literals;

constexpr uint32_t PLAYER_PID = 1234;  // the simulated process opens only this id
constexpr Address PATTERN_AT = SimulatedProcess::IMAGE_DATA + 0x100;
const std::string SRT = "1\r\n00:00:01,000 --> 00:00:02,000\r\nHello\r\n";

// The running processes: at most one player, with its executable's size.
class FakeProcesses final : public ProcessFinder {
 public:
  int32_t findProcessId(std::string_view exeName) override {
    lookups.push_back("id " + std::string(exeName));
    return pids.empty() ? 0 : pids.at(std::min(idLookups++, pids.size() - 1));
  }
  std::string findProcessExePath(std::string_view exeName) override {
    lookups.push_back("path " + std::string(exeName));
    return pids.empty() ? "" : "C:\\Player\\PowerDVD.exe";
  }
  int32_t fileSize(std::string_view path) override { return path.empty() ? -1 : exeSize; }

  std::vector<int32_t> pids = {PLAYER_PID};  // one answer per id lookup, the last repeated
  size_t idLookups = 0;
  int32_t exeSize = 4 << 20;
  Calls lookups;
};

// The user, the file system and the window system, recorded in one sequence.
class Desktop final : public StartDialogs, public MessagePump, public OverlayHost {
 public:
  explicit Desktop(FakePanelView& view) : view_(view) {}

  void showMessage(std::u16string_view text, std::u16string_view title) override {
    events.push_back("message " + utf16UnitsToUtf8(title) + ": " + utf16UnitsToUtf8(text));
  }
  void setInitialFolder(std::string_view folder) override {
    events.push_back("folder " + std::string(folder));
  }
  std::optional<std::string> chooseFile() override {
    events.push_back("dialog");
    if (onDialog) onDialog();
    return chosen;
  }
  std::string readFile(const std::string& path, size_t maxBytes) override {
    events.push_back("read " + path);
    return files.count(path) && files[path].size() <= maxBytes ? files[path] : "";
  }
  int32_t screenHeight() override { return 1080; }
  void pauseMs(int32_t ms) override {
    events.push_back("pause " + std::to_string(ms) + " timer " + std::to_string(view_.timerPeriod));
    if (onPause) onPause();
  }
  OverlayView* loadOverlay(const OverlaySettings&) override {
    overlays.emplace_back();
    ++alive;
    events.push_back("load overlay");
    return &overlays.back();
  }
  void destroyOverlay() override {
    --alive;
    events.push_back("destroy overlay");
  }

  std::optional<std::string> chosen = "D:\\Movies\\film.srt";
  std::map<std::string, std::string> files = {{"D:\\Movies\\film.srt", SRT}};
  std::function<void()> onDialog, onPause;
  std::deque<RecordingOverlay> overlays;
  int alive = 0;
  Calls events;

 private:
  FakePanelView& view_;
};

class SelectAndStartTest : public testing::Test {
 protected:
  SelectAndStartTest() {
    player.addMainImage();
    player.place(PATTERN_AT, timeBlockPattern());
    panel.create(1033, 1080, [] {});
  }

  SimulatedProcess player;
  ProgramState state{player, player};
  FakePanelView view;
  MemorySettingsStore settings;
  SilentPlayer playerMemory;
  StillTicks ticks;
  ControlPanel panel{state, view, settings, playerMemory, ticks};
  FakeProcesses processes;
  Desktop desktop{view};
  SelectAndStart selectAndStart{panel, processes, desktop, desktop, desktop, "C:\\Quorvane\\"};
};

TEST_F(SelectAndStartTest, AttachesLoadsAndStartsTheDisplay) {
  selectAndStart.run();
  EXPECT_EQ(state.attached, 2);
  EXPECT_EQ(state.playerPid, int32_t(PLAYER_PID));
  EXPECT_EQ(state.timeBlockAddress, PATTERN_AT + 376);
  EXPECT_EQ(state.playerExePath, "C:\\Player\\PowerDVD.exe");
  EXPECT_EQ(state.track.cueCount(), 1);
  EXPECT_EQ(state.display.cueIndex, 1);
  EXPECT_EQ(state.display.shownCue, 0);
  EXPECT_EQ(state.overlayLoaded, 1);
  EXPECT_EQ(view.timerPeriod, DISPLAY_PERIOD_MS);
  EXPECT_EQ(state.screenHeight, 1080);
  EXPECT_EQ(state.lineMetrics.lineHeight, 48);
  EXPECT_EQ(state.lineMetrics.lineChars, 30);
  EXPECT_EQ(desktop.events, (Calls{"folder C:\\Quorvane\\", "dialog", "read D:\\Movies\\film.srt",
                                   "load overlay"}));
  // The player is opened for the search only.
  EXPECT_EQ(player.openHandles.size(), 0u);
  EXPECT_EQ(processes.lookups, (Calls{"id PowerDVD.exe", "path PowerDVD.exe", "id PowerDVD.exe"}));
}

TEST_F(SelectAndStartTest, ASmallExecutableIsLookedAtAgainAfterAPause) {
  processes.exeSize = 100000;
  selectAndStart.run();
  EXPECT_EQ(processes.lookups, (Calls{"id PowerDVD.exe", "path PowerDVD.exe", "path PowerDVD.exe",
                                      "id PowerDVD.exe"}));
  EXPECT_EQ(desktop.events.front(), "pause 500 timer 0");
  EXPECT_EQ(state.attached, 2);
}

TEST_F(SelectAndStartTest, NoPlayerGivesTheMessageAndNoDialog) {
  processes.pids.clear();
  selectAndStart.run();
  EXPECT_EQ(desktop.events,
            (Calls{"pause 500 timer 0",
                   "message Marrowby say: Please launch CyberLink PowerDVD Ultra and Play in BD/DVD Mode",
                   "folder C:\\Quorvane\\"}));
  EXPECT_EQ(state.attached, 0);
  EXPECT_EQ(state.playerPid, 0);
}

TEST_F(SelectAndStartTest, PlayerWithoutThePatternGivesTheMessageToo) {
  player.place(PATTERN_AT, std::string(49, '\0'));
  selectAndStart.run();
  EXPECT_EQ(desktop.events.front().rfind("message Marrowby say", 0), 0u);
  EXPECT_EQ(state.attached, 0);
  EXPECT_EQ(state.timeBlockAddress, 0u);
  EXPECT_EQ(desktop.alive, 0);
}

TEST_F(SelectAndStartTest, PlayerThatCannotBeOpenedGivesTheMessage) {
  player.openableIds.clear();
  selectAndStart.run();
  EXPECT_EQ(desktop.events.front().rfind("message", 0), 0u);
  EXPECT_EQ(state.attached, 0);
}

TEST_F(SelectAndStartTest, AFailedAttachLeavesTheEarlierDisplayRunning) {
  selectAndStart.run();
  player.place(PATTERN_AT, std::string(49, '\0'));
  desktop.events.clear();
  selectAndStart.run();
  EXPECT_EQ(state.playerPid, int32_t(PLAYER_PID));
  EXPECT_EQ(state.timeBlockAddress, PATTERN_AT + 376);
  EXPECT_EQ(state.overlayLoaded, 1);
  EXPECT_EQ(view.timerPeriod, DISPLAY_PERIOD_MS);
  EXPECT_EQ(desktop.alive, 1);
}

TEST_F(SelectAndStartTest, ASecondLoadReplacesTheOverlay) {
  selectAndStart.run();
  desktop.events.clear();
  state.display = {3, 2, 1, 1};
  selectAndStart.run();
  EXPECT_EQ(desktop.events, (Calls{"folder C:\\Quorvane\\", "dialog", "read D:\\Movies\\film.srt",
                                   "pause 100 timer 0", "destroy overlay", "load overlay"}));
  EXPECT_EQ(desktop.alive, 1);
  EXPECT_EQ(state.overlayLoaded, 1);
  EXPECT_EQ(panel.overlay(), &desktop.overlays.back());
  EXPECT_EQ(view.timerPeriod, DISPLAY_PERIOD_MS);
  EXPECT_EQ(state.display.cueIndex, 1);
  EXPECT_EQ(state.display.shownCue, 0);
}

TEST_F(SelectAndStartTest, CancellingKeepsTheEarlierTrackWithTheNewAttachment) {
  selectAndStart.run();
  desktop.chosen.reset();
  desktop.events.clear();
  selectAndStart.run();
  EXPECT_EQ(state.attached, 1);
  EXPECT_EQ(state.track.cueCount(), 1);
  EXPECT_EQ(desktop.events, (Calls{"folder C:\\Quorvane\\", "dialog"}));
}

TEST_F(SelectAndStartTest, TheStoredFolderOpensTheDialog) {
  settings.writeText(settingPath(DIRECTORY_SETTING), "E:\\Subs\\");
  selectAndStart.run();
  EXPECT_EQ(desktop.events.front(), "folder E:\\Subs\\");
}

TEST_F(SelectAndStartTest, UniversalModeOnlySetsTheFolder) {
  state.playerMode = 0;
  selectAndStart.run();
  EXPECT_EQ(desktop.events, Calls{"folder C:\\Quorvane\\"});
  EXPECT_TRUE(processes.lookups.empty());
  EXPECT_EQ(state.attached, 0);
}

struct UnreadableCase {
  const char* name;
  std::optional<std::string> contents;  // nothing: the file cannot be read
};

class SelectAndStartUnreadable : public SelectAndStartTest,
                                 public testing::WithParamInterface<UnreadableCase> {};

TEST_P(SelectAndStartUnreadable, LoadsAnEmptyTrackAndStartsAllTheSame) {
  if (GetParam().contents) {
    desktop.files["D:\\Movies\\film.srt"] = *GetParam().contents;
  } else {
    desktop.files.clear();
  }
  selectAndStart.run();
  EXPECT_EQ(state.track.cueCount(), 0);
  EXPECT_EQ(state.attached, 2);
  EXPECT_EQ(state.overlayLoaded, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SelectAndStartUnreadable,
    testing::Values(UnreadableCase{"Missing", std::nullopt}, UnreadableCase{"Empty", ""s},
                    UnreadableCase{"OverTheSizeLimit", SRT + std::string(MAX_SUBTITLE_FILE_BYTES, ' ')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SelectAndStartTest, APressDuringARunIsRefused) {
  int nested = 0;
  const auto pressAgain = [&] {
    ++nested;
    selectAndStart.run();
  };
  processes.exeSize = 1;  // a pause, then the dialog: both let a second press in
  desktop.onPause = pressAgain;
  desktop.onDialog = pressAgain;
  selectAndStart.run();
  EXPECT_GE(nested, 2);
  EXPECT_EQ(desktop.alive, 1);
  EXPECT_EQ(std::count(desktop.events.begin(), desktop.events.end(), "dialog"), 1);
  EXPECT_FALSE(selectAndStart.running());
}

TEST_F(SelectAndStartTest, ThePlayerExitingTakesItsSubtitleDown) {
  // A player whose block reads 0:00:01, then goes away.
  struct Vanishing final : PlayerMemory {
    bool read(int32_t, uint32_t address, unsigned char* buffer, size_t length) override {
      if (gone) return false;
      for (size_t i = 0; i < length; ++i) buffer[i] = 1;
      if (address == seconds) buffer[0] = 2;
      return true;
    }
    uint32_t seconds = 0;
    bool gone = false;
  } vanishing;
  struct Clock final : TickSource {
    uint32_t nowMs() override { return now; }
    uint32_t now = 5000;
  } clock;
  ControlPanel followed(state, view, settings, vanishing, clock);
  followed.attachOverlay(panel.overlay());
  selectAndStart.run();
  followed.attachOverlay(panel.overlay());
  vanishing.seconds = state.timeBlockAddress;
  followed.displayTick();
  auto& shown = desktop.overlays.back().calls;
  ASSERT_EQ(shown.size(), 3u);  // left, text, raise
  vanishing.gone = true;
  for (int i = 0; i < 20; ++i) {  // 950 ms of failed reads: the cue stays
    clock.now += 50;
    followed.displayTick();
    if (i < 19) {
      EXPECT_EQ(shown.size(), 3u);
    }
  }
  clock.now += 50;
  followed.displayTick();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[3], "text  @0");
  followed.displayTick();
  EXPECT_EQ(shown.size(), 5u);
}

}  // namespace
