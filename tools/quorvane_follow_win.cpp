// quorvane-follow FILE [SECONDS]: the tool's main job without its windows. Finds the running
// PowerDVD.exe, locates its time block, loads FILE as select-and-start does for the English
// interface, then runs the display tick every 50 ms for SECONDS (default 20) and prints, in
// UTF-8, each time the overlay would show a cue or clear its text. The control panel stands
// at its defaults on a screen 1080 pixels high.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "app/control_panel.h"
#include "app/select_and_start.h"
#include "encoding/code_page.h"
#include "player/player_memory_win.h"
#include "player/process_finder_win.h"
#include "player/tick_source_win.h"
#include "subtitles/subtitle_decoding.h"

namespace {

constexpr int32_t SCREEN_HEIGHT = 1080;

// The control panel's controls, held in memory at the values the settings give them.
class HeadlessPanel final : public PanelView {
 public:
  int32_t sliderPosition(PanelSlider slider) const override { return positions_.at(slider); }
  void setSliderPosition(PanelSlider slider, int32_t position) override {
    positions_[slider] = position;
  }
  bool isChecked(PanelCheckBox box) const override { return checks_.at(box); }
  void setChecked(PanelCheckBox box, bool checked) override { checks_[box] = checked; }
  void setCaption(PanelCaption, std::u16string_view) override {}
  void setValueLabel(PanelSlider, std::u16string_view) override {}
  void setTooltips(std::u16string_view, std::u16string_view) override {}
  void setFileFilter(std::u16string_view) override {}
  std::string fontBoxText() const override { return font_; }
  void setFontBoxText(std::string_view text) override { font_ = text; }
  void setFontBoxFace(std::string_view) override {}
  std::string delayBoxText() const override { return "0"; }
  int32_t displayTimerPeriod() const override { return period_; }
  void setDisplayTimerPeriod(int32_t periodMs) override { period_ = periodMs; }

 private:
  std::map<PanelSlider, int32_t> positions_;
  std::map<PanelCheckBox, bool> checks_;
  std::string font_;
  int32_t period_ = 0;
};

// Settings nobody stores: every value takes its default.
class DefaultSettings final : public SettingsStore {
 public:
  std::string readText(std::string_view, std::string_view defaultText) const override {
    return std::string(defaultText);
  }
  void writeText(std::string_view, std::string_view) override {}
};

std::string inUtf8(std::string_view text, CodePage codePage) {
  // Text in the system's ANSI code page is printed as it is.
  std::string utf8 = codePage == CodePage::ANSI ? std::string(text)
                                                : utf16UnitsToUtf8(decodeCodePage(codePage, text));
  for (size_t at = utf8.find("\r\n"); at != std::string::npos; at = utf8.find("\r\n", at)) {
    utf8.replace(at, 2, " / ");
  }
  return utf8;
}

// Prints what the overlay would show.
class PrintedOverlay final : public OverlayView {
 public:
  explicit PrintedOverlay(const ProgramState& state) : state_(state) {}
  void setText(std::string_view text, CodePage codePage) override {
    const double seconds = state_.clock.displayTime / 1000.0;
    if (text.empty()) {
      std::printf("%8.3f s  clear\n", seconds);
    } else {
      std::printf("%8.3f s  show %d: %s\n", seconds, state_.display.shownCue,
                  inUtf8(text, codePage).c_str());
    }
    std::fflush(stdout);
  }
  void setLeft(int32_t) override {}
  void setTop(int32_t) override {}
  void raise() override {}
  void setFontName(std::string_view) override {}
  void setFontSize(int32_t) override {}
  void setWidth(int32_t) override {}
  void setCentred(bool) override {}
  void setShadow(bool) override {}
  void setVisible(bool) override {}

 private:
  const ProgramState& state_;
};

// The file named on the command line stands in for the dialog; messages go to stderr.
class CommandLineDialogs final : public StartDialogs, public MessagePump, public OverlayHost {
 public:
  CommandLineDialogs(std::string file, PrintedOverlay& overlay)
      : file_(std::move(file)), overlay_(overlay) {}
  void showMessage(std::u16string_view text, std::u16string_view) override {
    std::fprintf(stderr, "quorvane-follow: %s\n", utf16UnitsToUtf8(text).c_str());
  }
  void setInitialFolder(std::string_view) override {}
  std::optional<std::string> chooseFile() override { return file_; }
  std::string readFile(const std::string& path, size_t maxBytes) override {
    std::string bytes = readSubtitleFile(path);
    return bytes.size() <= maxBytes ? bytes : std::string();
  }
  int32_t screenHeight() override { return SCREEN_HEIGHT; }
  void pauseMs(int32_t milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  OverlayView* loadOverlay(const OverlaySettings&) override { return &overlay_; }
  void destroyOverlay() override {}

 private:
  std::string file_;
  PrintedOverlay& overlay_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quorvane-follow FILE [SECONDS]\n");
    return 1;
  }
  const uint32_t runMs = (argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 20) * 1000;

  ProgramState state(win32MemoryBackend(), win32ProcessControl());
  HeadlessPanel view;
  DefaultSettings settings;
  Win32PlayerMemory playerMemory;
  Win32TickSource ticks;
  ControlPanel panel(state, view, settings, playerMemory, ticks);
  panel.create(1033, SCREEN_HEIGHT, [] {});

  PrintedOverlay overlay(state);
  CommandLineDialogs dialogs(argv[1], overlay);
  Win32ProcessFinder processes;
  SelectAndStart(panel, processes, dialogs, dialogs, dialogs, "").run();
  if (state.attached != 2) return 1;
  std::printf("player %d, time block at 0x%X\n%d cues\n", state.playerPid,
              state.timeBlockAddress, state.track.cueCount());
  std::fflush(stdout);

  for (const uint32_t started = ticks.nowMs(); ticks.nowMs() - started < runMs; Sleep(50)) {
    panel.displayTick();
  }
  return 0;
}
