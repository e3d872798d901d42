#pragma once
// select-and-start, behind the button 按钮3: attach to the running player, let the user
// choose a subtitle file, load it and start the display.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/control_panel.h"
#include "app/window_services.h"
#include "player/process_finder.h"

// What select-and-start asks of the user and the file system.
class StartDialogs {
 public:
  virtual ~StartDialogs() = default;
  // The player-not-running message box (OK only).
  virtual void showMessage(std::u16string_view text, std::u16string_view title) = 0;
  virtual void setInitialFolder(std::string_view folder) = 0;
  // The open-file dialog; the chosen file's full path, nothing when cancelled.
  virtual std::optional<std::string> chooseFile() = 0;
  // The whole file when it can be read and holds at most `maxBytes`; empty otherwise.
  virtual std::string readFile(const std::string& path, size_t maxBytes) = 0;
  virtual int32_t screenHeight() = 0;
};

// Below this size the player's executable may still be loading: look again after a pause.
inline constexpr int32_t PLAYER_EXE_SIZE_THRESHOLD = 204800;
inline constexpr int32_t PLAYER_LOAD_PAUSE_MS = 500;
inline constexpr int32_t OVERLAY_REPLACE_PAUSE_MS = 100;
// A larger file is not a subtitle file; it loads as an empty track.
inline constexpr size_t MAX_SUBTITLE_FILE_BYTES = 32u << 20;

class SelectAndStart {
 public:
  // `programFolder` is the dialog's first folder while no "directory" is stored.
  SelectAndStart(ControlPanel& panel, ProcessFinder& processes, StartDialogs& dialogs,
                 MessagePump& pump, OverlayHost& overlays, std::string programFolder);

  // One run. A press while a run is still inside a pause, the search or the dialog is
  // refused, so there is never a nested run or a second overlay.
  void run();
  bool running() const { return running_; }

 private:
  bool attach();
  void load(const std::string& file);

  ControlPanel& panel_;
  ProcessFinder& processes_;
  StartDialogs& dialogs_;
  MessagePump& pump_;
  OverlayHost& overlays_;
  std::string programFolder_;
  bool running_ = false;
};
