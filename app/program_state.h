#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/line_metrics.h"
#include "app/ui_texts.h"
#include "encoding/text_encoder.h"
#include "memory/process_memory.h"
#include "overlay/display_tick.h"
#include "player/playback_clock.h"
#include "subtitles/subtitle_decoding.h"
#include "subtitles/subtitle_track.h"

// Everything that survives from one window event to the next. There is one instance,
// built by startUp() and freed by shutDown().
struct ProgramState {
  // memoryOps reaches the served process through these services.
  ProgramState(MemoryBackend& memoryBackend, ProcessControl& processControl)
      : memoryOps(memoryBackend, processControl) {}

  uint8_t overlayLoaded = 0;  // 1 while OverlayWindow is loaded
  uint8_t attached = 0;       // last select-and-start: 0 nothing, 1 time block found, 2 track loaded
  uint8_t playerMode = 0;     // PlayerMode: 1 PowerDVD, anything else universal
  int32_t playerPid = 0;      // the running player; 0 or less when none was found
  std::string playerExePath;
  int32_t playerExeSize = 0;
  内存操作类 memoryOps;  // opens the player, searches its image, closes it again
  uint32_t timeBlockAddress = 0;  // the seconds cell of the player's time block
  UiTextTable uiTexts;
  std::string subtitleBytes;  // the chosen file, converted to local text before parsing
  int32_t subtitleCodePage = ANSI_CODE_PAGE;  // the code page subtitleBytes is in
  LanguageMode languageMode = LanguageMode::ENGLISH;
  编码转换类 subtitleEncoder;
  SubtitleTrack track;        // cueStarts, cueEnds, cueTexts and cueCount, as cue records
  // cueIndex, shownCue, overlayShowing and lineCount of the display tick; cueIndex is 0
  // until a track is installed.
  DisplayCursor display{.cueIndex = 0};
  int32_t screenHeight = 0;   // pixels, taken when the overlay is loaded
  LineMetrics lineMetrics;    // lineHeight and lineChars, from the font-size and width sliders
  uintptr_t overlayHwnd = 0;  // the overlay's window handle
  uint16_t systemLangId = 0;
  编码转换类 textEncoder;  // converts the interface texts to Traditional Chinese
  // hotkeyTable goes here.
  PlaybackClockState clock;   // secondsByte ... displayTime, delayMs among them
  // The text of the cue shown and its lines are not kept: they follow from display.shownCue.
};

// Builds the single record with its initial values, and the process-memory class's progress
// cells; false when the record exists already.
bool startUp(MemoryBackend& memoryBackend, ProcessControl& processControl);

// Frees the record (memoryOps closes any handle it still holds), then the progress cells;
// nothing happens when there is no record.
void shutDown();

// The record between startUp() and shutDown(); null before and after.
ProgramState* programState();

// Installs a newly parsed track and restarts the display cursor on it, as one change.
void installTrack(ProgramState& state, SubtitleTrack track);

// Recomputes lineHeight and lineChars from the font-size and width slider positions.
void applyLineMetrics(ProgramState& state, int32_t fontSizePosition, int32_t widthPosition);
