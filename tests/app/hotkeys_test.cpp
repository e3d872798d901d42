#include "app/hotkeys.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/control_panel.h"
#include "memory_settings_store.h"
#include "simulated_process.h"
#include "support/fake_panel_view.h"
#include "support/silent_player.h"
#include "support/recording_overlay.h"

namespace {

constexpr int ALT = 18, CTRL = 17, F1 = 112;

// Keys held down by the test; GetAsyncKeyState reads them as negative.
class HeldKeys final : public KeyState {
 public:
  int16_t asyncKeyState(int vk) override {
    asked.insert(vk);
    const auto found = states.find(vk);
    return found == states.end() ? 0 : found->second;
  }
  void press(int vk) { states[vk] = -32768; }
  void release(int vk) { states.erase(vk); }
  std::map<int, int16_t> states;
  std::set<int> asked;
};

// Queues posted work, as the user-interface thread's message queue does.
class QueuedHost final : public HotkeyHost {
 public:
  void startPolling(int32_t periodMs) override { periods.push_back(periodMs); }
  void post(std::function<void()> work) override { queue.push_back(std::move(work)); }
  void runQueued() {
    auto work = std::move(queue);
    queue.clear();
    for (auto& w : work) w();
  }
  std::vector<int32_t> periods;
  std::vector<std::function<void()>> queue;
};

class HotkeyTest : public testing::Test {
 protected:
  // Registers Alt+F1 counting its firings, as the program's first hotkey.
  void registerAltF1() {
    hotkeys.registerHotkey([this](int32_t id) { fired.push_back(id); }, F1, ALT_KEY);
  }
  // One poll, then whatever it posted runs on the "user-interface thread".
  void poll(int times = 1) {
    for (int i = 0; i < times; ++i) {
      hotkeys.poll(keys);
      host.runQueued();
    }
  }

  QueuedHost host;
  HotkeyTable hotkeys{host};
  HeldKeys keys;
  std::vector<int32_t> fired;
};

TEST_F(HotkeyTest, RegistrationGivesIdsAndStartsOneTimer) {
  EXPECT_EQ(hotkeys.registerHotkey([](int32_t) {}, F1, ALT_KEY), 1000001);
  EXPECT_EQ(hotkeys.registerHotkey([](int32_t) {}, 113, ALT_KEY, 0, 25), 1000002);
  EXPECT_EQ(host.periods, std::vector<int32_t>{10});
  // The same key, modifiers and second key again: the first id, one record.
  EXPECT_EQ(hotkeys.registerHotkey([](int32_t) {}, F1, ALT_KEY), 1000001);
  EXPECT_EQ(hotkeys.records().size(), 2u);
  EXPECT_EQ(host.periods.size(), 1u);
}

TEST_F(HotkeyTest, KeysWithoutAVirtualKeyAreRefused) {
  for (int32_t key : {0, 256, -512}) {
    EXPECT_EQ(hotkeys.registerHotkey([](int32_t) {}, key), 0) << key;
  }
  EXPECT_TRUE(hotkeys.records().empty());
  EXPECT_TRUE(host.periods.empty());
}

TEST_F(HotkeyTest, AHeldPressFiresOnce) {
  registerAltF1();
  keys.press(ALT);
  keys.press(F1);
  poll(100);  // a second of polls
  EXPECT_EQ(fired, std::vector<int32_t>{1000001});
  keys.release(F1);
  poll();
  keys.press(F1);
  poll();
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(HotkeyTest, ModifiersMustBeHeldFirstAndExactly) {
  registerAltF1();
  keys.press(F1);
  poll();
  keys.press(ALT);  // too late: the press was already judged
  poll(3);
  EXPECT_TRUE(fired.empty());
  keys.release(F1);
  keys.press(CTRL);
  poll();
  keys.press(F1);  // Alt + Ctrl + F1
  poll();
  EXPECT_TRUE(fired.empty());
}

TEST_F(HotkeyTest, ReleaseKeysFireWhenLetGo) {
  hotkeys.registerHotkey([this](int32_t id) { fired.push_back(id); }, -F1);
  keys.press(F1);
  poll(5);
  EXPECT_TRUE(fired.empty());
  keys.release(F1);
  poll();
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(HotkeyTest, SecondKeyMustBeDown) {
  hotkeys.registerHotkey([this](int32_t id) { fired.push_back(id); }, F1, 0, 'A');
  keys.press(F1);
  poll();
  EXPECT_TRUE(fired.empty());
  keys.release(F1);
  poll();
  keys.press('A');
  keys.press(F1);
  poll();
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(HotkeyTest, ActionsRunLaterOnTheUserInterfaceThread) {
  registerAltF1();
  keys.press(ALT);
  keys.press(F1);
  hotkeys.poll(keys);
  EXPECT_TRUE(fired.empty());  // the poller only posted it
  ASSERT_EQ(host.queue.size(), 1u);
  host.runQueued();
  EXPECT_EQ(fired.size(), 1u);
}

TEST_F(HotkeyTest, OnlyTheKeysThatMatterAreAsked) {
  registerAltF1();
  hotkeys.registerHotkey([](int32_t) {}, 119, 0, 'A');
  hotkeys.poll(keys);
  EXPECT_EQ(keys.asked, (std::set<int>{16, 17, 18, 'A', 91, 112, 119}));
}

TEST_F(HotkeyTest, DirectActionsRunInThePoll) {
  hotkeys.registerHotkey([this](int32_t id) { fired.push_back(id); }, F1, 0, 0, 0, 1);
  keys.press(F1);
  hotkeys.poll(keys);
  EXPECT_EQ(fired.size(), 1u);
  EXPECT_TRUE(host.queue.empty());
}

// The program's five hotkeys drive the control panel.
class ProgramHotkeys : public HotkeyTest {
 protected:
  void SetUp() override {
    panel.create(1033, 1080, [this] { registerProgramHotkeys(hotkeys, panel); });
  }
  void stroke(std::initializer_list<int> chord) {
    for (int vk : chord) keys.press(vk);
    poll();
    for (int vk : chord) keys.release(vk);
    poll();
  }

  SimulatedProcess process;
  ProgramState state{process, process};
  FakePanelView view;
  MemorySettingsStore settings;
  SilentPlayer player;
  StillTicks ticks;
  ControlPanel panel{state, view, settings, player, ticks};
  RecordingOverlay overlay;
};

TEST_F(ProgramHotkeys, RegisteredInOrder) {
  std::vector<std::pair<int32_t, int32_t>> keysAndModifiers;
  for (const HotkeyRecord& r : hotkeys.records()) keysAndModifiers.push_back({r.key, r.modifiers});
  EXPECT_EQ(keysAndModifiers, (std::vector<std::pair<int32_t, int32_t>>{
                                  {112, 1}, {113, 1}, {221, 1}, {219, 1}, {119, 0}}));
  EXPECT_EQ(hotkeys.records().back().id, 1000005);
}

TEST_F(ProgramHotkeys, ChangeSizeAndPosition) {
  stroke({ALT, 112});
  EXPECT_EQ(settings.readText(settingPath(SIZE_SETTING), ""), "38");
  stroke({ALT, 113});
  stroke({ALT, 113});
  EXPECT_EQ(settings.readText(settingPath(SIZE_SETTING), ""), "34");
  stroke({ALT, 221});
  EXPECT_EQ(settings.readText(settingPath(TOP_SETTING), ""), "971");
  stroke({ALT, 219});
  stroke({ALT, 219});
  EXPECT_EQ(settings.readText(settingPath(TOP_SETTING), ""), "969");
}

TEST_F(ProgramHotkeys, F8TogglesOnlyALoadedOverlay) {
  stroke({119});
  EXPECT_EQ(view.timerPeriod, 0);
  panel.attachOverlay(&overlay);
  view.timerPeriod = DISPLAY_PERIOD_MS;
  stroke({119});
  EXPECT_EQ(view.timerPeriod, 0);
  stroke({119});
  EXPECT_EQ(view.timerPeriod, DISPLAY_PERIOD_MS);
  EXPECT_EQ(overlay.calls, (std::vector<std::string>{"hidden", "shown"}));
}

}  // namespace
