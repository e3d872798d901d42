#include "app/control_panel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "memory_settings_store.h"
#include "simulated_process.h"
#include "support/fake_panel_view.h"
#include "support/recording_overlay.h"

namespace {

using Calls = std::vector<std::string>;

constexpr uint16_t ENGLISH_ID = 1033;
constexpr uint16_t PRC_ID = 2052;
constexpr uint16_t TAIWAN_ID = 1028;
constexpr int32_t SCREEN_HEIGHT = 1080;

constexpr int32_t PID = 77;
constexpr uint32_t SECONDS_CELL = 0x402000;

// The player's time block, standing at a time set by the test and playing.
class FixedPlayer final : public PlayerMemory {
 public:
  void setTime(int seconds) {
    const uint8_t digits[5] = {uint8_t(seconds / 3600 + 1), uint8_t(seconds / 600 % 6 + 1),
                               uint8_t(seconds / 60 % 10 + 1), uint8_t(seconds / 10 % 6 + 1),
                               uint8_t(seconds % 10 + 1)};
    for (int k = 0; k < 5; ++k) cells_[SECONDS_CELL - 320 + 80 * k] = digits[k];
  }
  bool read(int32_t pid, uint32_t address, unsigned char* buffer, size_t length) override {
    if (pid != PID) return false;
    for (size_t i = 0; i < length; ++i) {
      const auto found = cells_.find(address + uint32_t(i));
      buffer[i] = found == cells_.end() ? 0 : found->second;
    }
    if (address == SECONDS_CELL + 1120) buffer[0] = 1;  // playing
    return true;
  }

 private:
  std::map<uint32_t, uint8_t> cells_;
};

class ManualTicks final : public TickSource {
 public:
  uint32_t nowMs() override { return now; }
  uint32_t now = 100000;
};

class NoFolders final : public FolderLister {
 public:
  std::vector<std::string> folderNames(std::string_view) const override { return {}; }
};

class MoviesFolder final : public FolderLister {
 public:
  std::vector<std::string> folderNames(std::string_view parent) const override {
    if (parent == "D:\\") return {".", "..", "Movies"};
    return {};
  }
};

// Pauses and overlay lifetime recorded in one sequence with the panel's timer.
struct WindowEvents final : MessagePump, OverlayHost {
  explicit WindowEvents(FakePanelView& view) : view(view) {}
  void pauseMs(int32_t ms) override {
    events.push_back("timer " + std::to_string(view.timerPeriod));
    events.push_back("pause " + std::to_string(ms));
  }
  OverlayView* loadOverlay(const OverlaySettings&) override { return &overlay; }
  void destroyOverlay() override { events.push_back("destroy"); }

  FakePanelView& view;
  RecordingOverlay overlay;
  Calls events;
};

class ControlPanelTest : public testing::Test {
 protected:
  void create(uint16_t langId = ENGLISH_ID) {
    panel.create(langId, SCREEN_HEIGHT, [this] { hotkeysRegistered = true; });
  }
  void loadOverlay() { panel.attachOverlay(&overlay); }
  std::string stored(std::string_view name) const {
    return settings.readText(settingPath(name), "<missing>");
  }

  SimulatedProcess process;
  ProgramState state{process, process};
  FakePanelView view;
  MemorySettingsStore settings;
  FixedPlayer player;
  ManualTicks ticks;
  ControlPanel panel{state, view, settings, player, ticks};
  RecordingOverlay overlay;
  bool hotkeysRegistered = false;
};

TEST_F(ControlPanelTest, FirstRunShowsDefaultsAndStoresNothing) {
  create();
  EXPECT_TRUE(hotkeysRegistered);
  EXPECT_TRUE(view.checks[PanelCheckBox::CENTRED]);
  EXPECT_FALSE(view.checks[PanelCheckBox::SHADOW]);
  EXPECT_EQ(state.playerMode, 1);
  EXPECT_EQ(view.fontBox, "Bold");
  EXPECT_EQ(view.fontBoxFace, "Bold");
  EXPECT_EQ(view.positions[PanelSlider::FONT_SIZE], 18);
  EXPECT_EQ(view.positions[PanelSlider::WIDTH], 1440);
  EXPECT_EQ(view.positions[PanelSlider::LEFT], 240);
  EXPECT_EQ(view.positions[PanelSlider::TOP], SCREEN_HEIGHT - 110);
  EXPECT_EQ(view.valueLabels[PanelSlider::FONT_SIZE], "Font size = 36");
  EXPECT_EQ(view.valueLabels[PanelSlider::WIDTH], "Sub width = 1440");
  EXPECT_EQ(view.valueLabels[PanelSlider::LEFT], "Left = 240");
  EXPECT_EQ(view.valueLabels[PanelSlider::TOP], "Top = 970");
  EXPECT_EQ(settings.writeCount(), 0);
}

TEST_F(ControlPanelTest, StoredSettingsStartTheControls) {
  settings.writeText(settingPath(CENTRED_SETTING), "0");
  settings.writeText(settingPath(SHADOW_SETTING), "1");
  settings.writeText(settingPath(MODE_SETTING), "257");
  settings.writeText(settingPath(FONT_SETTING), "Arial");
  settings.writeText(settingPath(SIZE_SETTING), "37");
  settings.writeText(settingPath(WIDTH_SETTING), "5000");
  settings.writeText(settingPath(TOP_SETTING), "94");
  create();
  EXPECT_FALSE(view.checks[PanelCheckBox::CENTRED]);
  EXPECT_TRUE(view.checks[PanelCheckBox::SHADOW]);
  EXPECT_EQ(state.playerMode, 1);
  EXPECT_EQ(view.fontBox, "Arial");
  EXPECT_EQ(view.valueLabels[PanelSlider::FONT_SIZE], "Font size = 36");
  EXPECT_EQ(view.valueLabels[PanelSlider::WIDTH], "Sub width = 2560");
  EXPECT_EQ(view.valueLabels[PanelSlider::TOP], "Top = 94");
}

struct LanguageCase {
  const char* name;
  uint16_t langId;
  std::string title, button, group, sizeLabel, filter;
};

class ControlPanelLanguage : public ControlPanelTest,
                             public testing::WithParamInterface<LanguageCase> {};

TEST_P(ControlPanelLanguage, CaptionsInTheSystemsLanguage) {
  const LanguageCase& c = GetParam();
  create(c.langId);
  EXPECT_EQ(view.captions[PanelCaption::WINDOW_TITLE], c.title);
  EXPECT_EQ(view.captions[PanelCaption::SELECT_AND_START], c.button);
  EXPECT_EQ(view.captions[PanelCaption::PLAYER_GROUP], c.group);
  EXPECT_EQ(view.valueLabels[PanelSlider::FONT_SIZE], c.sizeLabel);
  EXPECT_EQ(view.fileFilter, c.filter);
  EXPECT_EQ(view.captions.size(), 13u);  // every captioned control
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ControlPanelLanguage,
    testing::Values(
        LanguageCase{"English", ENGLISH_ID, "Quorvane", "Select and Start", "Select Player",
                     "Font size = 36", "Subtitles(*.srt)"},
        LanguageCase{"Simplified", PRC_ID, "Quorvanev1.3", "选择字幕并执行", "播放器选择",
                     "字体大小 = 36", "字幕文件(*.srt)"},
        LanguageCase{"Traditional", TAIWAN_ID, "Quorvanev1.3", "選擇字幕並執行", "播放器選擇",
                     "字體大小 = 36", "字幕文件(*.srt)"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SliderCase {
  const char* name;
  PanelSlider slider;
  int32_t position;
  std::string_view setting;
  std::string storedText;
  std::string label;
  std::string overlayCall;
};

class ControlPanelSlider : public ControlPanelTest,
                           public testing::WithParamInterface<SliderCase> {};

TEST_P(ControlPanelSlider, StoresShowsAndForwards) {
  const SliderCase& c = GetParam();
  create();
  loadOverlay();
  view.setSliderPosition(c.slider, c.position);
  panel.onSliderChanged(c.slider);
  EXPECT_EQ(stored(c.setting), c.storedText);
  EXPECT_EQ(view.valueLabels[c.slider], c.label);
  EXPECT_EQ(overlay.calls, Calls{c.overlayCall});
}

INSTANTIATE_TEST_SUITE_P(
    Sliders, ControlPanelSlider,
    testing::Values(
        SliderCase{"FontSize19", PanelSlider::FONT_SIZE, 19, SIZE_SETTING, "38",
                   "Font size = 38", "size 38"},
        SliderCase{"WidthZero", PanelSlider::WIDTH, 0, WIDTH_SETTING, "0", "Sub width = 0",
                   "width 0"},
        SliderCase{"Left", PanelSlider::LEFT, 2560, LEFT_SETTING, "2560", "Left = 2560",
                   "left 2560"},
        SliderCase{"TopClamped", PanelSlider::TOP, 5000, TOP_SETTING, "1440", "Top = 1440",
                   "top 1440"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlPanelTest, SizeAndWidthRecomputeTheLineMetrics) {
  create();
  view.setSliderPosition(PanelSlider::FONT_SIZE, 19);
  panel.onSliderChanged(PanelSlider::FONT_SIZE);
  EXPECT_EQ(state.lineMetrics.lineHeight, 52);
  EXPECT_EQ(state.lineMetrics.lineChars, 1440 / 52);
  view.setSliderPosition(PanelSlider::WIDTH, 0);
  panel.onSliderChanged(PanelSlider::WIDTH);
  EXPECT_EQ(state.lineMetrics.lineChars, 0);
}

TEST_F(ControlPanelTest, WithoutOverlayChangesAreOnlyStored) {
  create();
  view.checks[PanelCheckBox::SHADOW] = true;
  panel.onShadowClicked();
  view.setSliderPosition(PanelSlider::LEFT, 10);
  panel.onSliderChanged(PanelSlider::LEFT);
  EXPECT_EQ(stored(SHADOW_SETTING), "1");
  EXPECT_EQ(stored(LEFT_SETTING), "10");
  EXPECT_EQ(state.overlayLoaded, 0);
  EXPECT_TRUE(overlay.calls.empty());
  // An overlay created later starts from the panel as it is now.
  EXPECT_TRUE(panel.overlaySettings().shadow);
  EXPECT_EQ(panel.overlaySettings().leftPosition, 10);
}

TEST_F(ControlPanelTest, CheckBoxesStoreAndForward) {
  create();
  loadOverlay();
  view.checks[PanelCheckBox::CENTRED] = false;
  panel.onCentredClicked();
  view.checks[PanelCheckBox::SHADOW] = true;
  panel.onShadowClicked();
  view.checks[PanelCheckBox::SHADOW] = false;
  panel.onShadowClicked();
  EXPECT_EQ(stored(CENTRED_SETTING), "0");
  EXPECT_EQ(stored(SHADOW_SETTING), "0");
  EXPECT_EQ(overlay.calls, (Calls{"not centred", "shadow", "no shadow"}));
}

TEST_F(ControlPanelTest, FontBoxStoresEachKeystroke) {
  create();
  loadOverlay();
  for (const char* typed : {"A", "Ar"}) {
    view.fontBox = typed;
    panel.onFontBoxChanged();
  }
  EXPECT_EQ(stored(FONT_SETTING), "Ar");
  EXPECT_EQ(view.fontBoxFace, "Ar");
  EXPECT_EQ(overlay.calls, (Calls{"font A", "font Ar"}));
}

TEST_F(ControlPanelTest, DelayBoxGivesWholeMilliseconds) {
  create();
  for (const auto& [text, delay] : {std::pair{"12", 12}, {"-", 0}, {"-1500", -1500},
                                     {"", 0}, {"99999999", 99999999}}) {
    view.delayBox = text;
    panel.onDelayBoxChanged();
    EXPECT_EQ(state.clock.delayMs, delay) << text;
  }
  EXPECT_FALSE(settings.holds(settingPath("delay")));
}

TEST_F(ControlPanelTest, FontSizeHotkeysStopAtTheRangeAndStillStore) {
  create();
  view.setSliderPosition(PanelSlider::FONT_SIZE, 36);
  panel.fontSizeUp();
  EXPECT_EQ(view.positions[PanelSlider::FONT_SIZE], 36);
  EXPECT_EQ(stored(SIZE_SETTING), "72");
  panel.fontSizeDown();
  EXPECT_EQ(stored(SIZE_SETTING), "70");
}

TEST_F(ControlPanelTest, PositionHotkeysMoveByOnePixel) {
  create();
  loadOverlay();
  panel.positionDown();
  panel.positionDown();
  panel.positionUp();
  EXPECT_EQ(stored(TOP_SETTING), "971");
  EXPECT_EQ(overlay.calls, (Calls{"top 971", "top 972", "top 971"}));
}

TEST_F(ControlPanelTest, ToggleHidesAndShowsOnlyALoadedOverlay) {
  create();
  panel.toggleSubtitles();
  EXPECT_EQ(view.timerPeriod, 0);
  loadOverlay();
  view.timerPeriod = DISPLAY_PERIOD_MS;
  panel.toggleSubtitles();
  EXPECT_EQ(view.timerPeriod, 0);
  panel.toggleSubtitles();
  EXPECT_EQ(view.timerPeriod, DISPLAY_PERIOD_MS);
  EXPECT_EQ(overlay.calls, (Calls{"hidden", "shown"}));
}

TEST_F(ControlPanelTest, DisplayTickShowsLiftsAndClears) {
  create();
  state.playerPid = PID;
  state.timeBlockAddress = SECONDS_CELL;
  state.screenHeight = SCREEN_HEIGHT;
  applyLineMetrics(state, 18, 1440);  // 48-pixel lines, 30 full-width characters
  // Three lines at top 970 reach below 1080: the overlay is lifted to 1080 - 144.
  installTrack(state, SubtitleTrack({{1000, 3000, "one\r\ntwo\r\nthree"}}));
  state.subtitleCodePage = 936;
  loadOverlay();

  player.setTime(0);
  panel.displayTick();
  EXPECT_TRUE(overlay.calls.empty());
  player.setTime(1);
  panel.displayTick();
  EXPECT_EQ(overlay.calls, (Calls{"left 240", "top 936", "text one\r\ntwo\r\nthree @936", "raise"}));
  overlay.calls.clear();
  panel.displayTick();  // still the same second: nothing redrawn
  EXPECT_TRUE(overlay.calls.empty());
  player.setTime(3);
  panel.displayTick();
  EXPECT_EQ(overlay.calls, (Calls{"text  @936", "top 970"}));
}

TEST_F(ControlPanelTest, DisplayTickNeedsAnOverlay) {
  create();
  installTrack(state, SubtitleTrack({{0, 3000, "a"}}));
  panel.displayTick();
  EXPECT_EQ(state.display.shownCue, 0);
}

TEST_F(ControlPanelTest, ClosingStopsTheTimerBeforeDestroyingTheOverlay) {
  create();
  WindowEvents windows(view);
  panel.attachOverlay(windows.loadOverlay({}));
  view.timerPeriod = DISPLAY_PERIOD_MS;
  EXPECT_EQ(panel.close("D:\\Movies\\a.srt", MoviesFolder(), windows, windows), "D:\\Movies\\");
  EXPECT_EQ(windows.events, (Calls{"timer 0", "pause 200", "destroy"}));
  EXPECT_EQ(stored(DIRECTORY_SETTING), "D:\\Movies\\");
}

TEST_F(ControlPanelTest, ClosingWithoutOverlayOrFileTouchesNothing) {
  create();
  WindowEvents windows(view);
  EXPECT_EQ(panel.close("", NoFolders(), windows, windows), "");
  EXPECT_EQ(panel.close("D:\\a.srt", MoviesFolder(), windows, windows), "D:\\");
  EXPECT_TRUE(windows.events.empty());
  EXPECT_FALSE(settings.holds(settingPath(DIRECTORY_SETTING)));
}

}  // namespace
