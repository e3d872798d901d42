#include "app/select_and_start.h"

#include <new>

#include "player/time_block.h"
#include "subtitles/srt_parser.h"
#include "subtitles/subtitle_decoding.h"

namespace {

// Clears the flag however the run ends.
class RunGuard {
 public:
  explicit RunGuard(bool& running) : running_(running) { running_ = true; }
  ~RunGuard() { running_ = false; }
  RunGuard(const RunGuard&) = delete;
  RunGuard& operator=(const RunGuard&) = delete;

 private:
  bool& running_;
};

}  // namespace

SelectAndStart::SelectAndStart(ControlPanel& panel, ProcessFinder& processes,
                               StartDialogs& dialogs, MessagePump& pump, OverlayHost& overlays,
                               std::string programFolder)
    : panel_(panel),
      processes_(processes),
      dialogs_(dialogs),
      pump_(pump),
      overlays_(overlays),
      programFolder_(std::move(programFolder)) {}

void SelectAndStart::run() {
  if (running_) return;
  const RunGuard guard(running_);
  ProgramState& state = panel_.state();
  state.attached = 0;
  const bool powerDvdMode = state.playerMode == 1;
  if (powerDvdMode && !attach()) {
    dialogs_.showMessage(panel_.uiText(PLAYER_MISSING_TEXT),
                         panel_.uiText(PLAYER_MISSING_TITLE_TEXT));
  }
  dialogs_.setInitialFolder(loadDirectorySetting(panel_.settings(), programFolder_));
  if (state.attached == 0) return;
  const std::optional<std::string> file = dialogs_.chooseFile();
  if (file) load(*file);
}

// Finds the player and its time block. The state changes only when both are found, so a
// failed attempt leaves an earlier display following the player it followed. The clock
// follows the process whose memory was searched.
bool SelectAndStart::attach() {
  ProgramState& state = panel_.state();
  const int32_t pid = processes_.findProcessId(PLAYER_EXE_NAME);
  std::string exePath = processes_.findProcessExePath(PLAYER_EXE_NAME);
  int32_t exeSize = processes_.fileSize(exePath);
  if (exeSize < PLAYER_EXE_SIZE_THRESHOLD) {
    pump_.pauseMs(PLAYER_LOAD_PAUSE_MS);
    exeSize = processes_.fileSize(processes_.findProcessExePath(PLAYER_EXE_NAME));
  }
  state.playerExePath = std::move(exePath);
  state.playerExeSize = exeSize;
  if (pid <= 0) return false;

  const int32_t searchedPid = processes_.findProcessId(PLAYER_EXE_NAME);
  Address hit = 0;
  if (searchedPid > 0 && state.memoryOps.openProcess(static_cast<uint32_t>(searchedPid), 1) != 0) {
    hit = state.memoryOps.findPattern(timeBlockPattern(), {}, PATTERN_SEARCH_START,
                                      PATTERN_SEARCH_END);
  }
  state.memoryOps.closeProcess();
  if (hit == 0) return false;
  state.playerPid = searchedPid;
  state.timeBlockAddress = hit + TIME_BLOCK_DISTANCE;
  state.attached = 1;
  return true;
}

void SelectAndStart::load(const std::string& file) {
  ProgramState& state = panel_.state();
  // Memory runs out only for a file no subtitle file resembles (a 32-bit process may hold
  // too little for its millions of cues): it loads as an unreadable file does.
  try {
    DecodedSubtitle decoded = decodeSubtitleBytes(dialogs_.readFile(file, MAX_SUBTITLE_FILE_BYTES),
                                                  state.languageMode, state.subtitleEncoder);
    SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
    state.subtitleBytes = std::move(decoded.bytes);
    installTrack(state, std::move(track));
  } catch (const std::bad_alloc&) {
    state.subtitleBytes.clear();
    installTrack(state, SubtitleTrack());
  }
  state.attached = 2;

  PanelView& view = panel_.view();
  if (panel_.overlay() != nullptr) {
    view.setDisplayTimerPeriod(0);
    pump_.pauseMs(OVERLAY_REPLACE_PAUSE_MS);
    overlays_.destroyOverlay();
    panel_.attachOverlay(nullptr);
  }
  OverlayView* overlay = overlays_.loadOverlay(panel_.overlaySettings());
  if (overlay == nullptr) return;
  panel_.attachOverlay(overlay);
  view.setDisplayTimerPeriod(DISPLAY_PERIOD_MS);
  state.screenHeight = dialogs_.screenHeight();
  applyLineMetrics(state, view.sliderPosition(PanelSlider::FONT_SIZE),
                   view.sliderPosition(PanelSlider::WIDTH));
}
