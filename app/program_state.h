#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "player/playback_clock.h"
#include "subtitles/subtitle_track.h"

// Everything that survives from one window event to the next. There is one instance,
// built by startUp() and freed by shutDown().
struct ProgramState {
  uint8_t overlayLoaded = 0;  // 1 while OverlayWindow is loaded
  uint8_t attached = 0;       // last select-and-start: 0 nothing, 1 time block found, 2 track loaded
  uint8_t playerMode = 0;     // PlayerMode: 1 PowerDVD, anything else universal
  int32_t playerPid = 0;      // the running player; 0 or less when none was found
  std::string playerExePath;
  int32_t playerExeSize = 0;
  // memoryOps (内存操作类) goes here.
  uint32_t timeBlockAddress = 0;  // the seconds cell of the player's time block
  std::array<std::string, 24> uiTexts;
  std::string subtitleBytes;  // the chosen file, converted to local text before parsing
  int32_t languageMode = 0;   // 0 English, 1 Simplified Chinese, 2 Traditional Chinese
  // subtitleEncoder (编码转换类) goes here.
  SubtitleTrack track;        // cueStarts, cueEnds, cueTexts and cueCount, as cue records
  int32_t lineCount = 0;      // wrapped lines of the cue now shown
  int32_t cueIndex = 0;       // cue under examination by the display tick
  int32_t shownCue = 0;       // cue now shown; 0 before the first show of a track
  int32_t screenHeight = 0;   // pixels, taken when the overlay is loaded
  int32_t lineChars = 0;
  int32_t lineHeight = 0;
  uintptr_t overlayHwnd = 0;  // the overlay's window handle
  uint16_t systemLangId = 0;
  // textEncoder (编码转换类) goes here.
  // hotkeyTable goes here.
  PlaybackClockState clock;   // secondsByte ... displayTime, delayMs among them
  std::string cueText;        // text of the cue last shown
  std::vector<std::string> cueLines;  // cueText split at its CR LF pairs
  int32_t overlayShowing = 0;  // 1 while a cue is shown
};

// Builds the single record with its initial values; false when it exists already.
bool startUp();

// Frees the record; nothing happens when there is none.
void shutDown();

// The record; only between startUp() and shutDown().
ProgramState& programState();

// Installs a newly parsed track and restarts the display cursor on it, as one change.
void installTrack(ProgramState& state, SubtitleTrack track);

// Recomputes lineHeight and lineChars from the font-size and width slider positions.
void applyLineMetrics(ProgramState& state, int32_t fontSizePosition, int32_t widthPosition);
