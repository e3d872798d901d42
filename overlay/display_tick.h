#pragma once

#include <cstdint>
#include <string_view>

#include "encoding/code_page.h"
#include "subtitles/subtitle_track.h"

// The display tick's own state, carried from one tick to the next.
struct DisplayCursor {
  int32_t cueIndex = 1;        // cue under examination, 1 to cueCount + 1
  int32_t shownCue = 0;        // cue last shown; 0 before the first show of a track
  int32_t overlayShowing = 0;  // 1 while the overlay shows a cue's text
  int32_t lineCount = 0;       // wrapped lines of the cue last shown
};

// Layout values read when a cue is shown or cleared, in pixels and characters.
struct DisplayLayout {
  int32_t lineChars = 0;
  int32_t lineHeight = 0;
  int32_t screenHeight = 0;
  int32_t baseLeft = 0;
  int32_t baseTop = 0;
};

enum class DisplayAction { none, show, clear };

// What the overlay must do after one tick.
// show:  setOverlayLeft(left); setOverlayTop(top) only when moveTop; setOverlayText(text of
//        cue, up to its first NUL); raiseOverlay().
// clear: setOverlayText(empty); setOverlayTop(top).
struct DisplayOutcome {
  DisplayAction action = DisplayAction::none;
  int32_t cue = 0;
  int32_t left = 0;
  bool moveTop = false;
  int32_t top = 0;

  bool operator==(const DisplayOutcome&) const = default;
};

// Times at or past the first sentinel's start are treated as this time: the gap after the
// last real cue. They arise only from an extreme delay.
inline constexpr int32_t LATEST_DISPLAY_TIME = SENTINEL_CUES[0].start - 1;

// One tick's selection for displayTime: updates the cursor and says what to show.
// Precondition: cursor.shownCue is 0 or a position of this track (a new track comes with a
// fresh cursor). A cueIndex outside 1 to cueCount + 1 restarts at the first cue.
DisplayOutcome selectDisplayCue(int32_t displayTime, const SubtitleTrack& track,
                                DisplayCursor& cursor, const DisplayLayout& layout);

// Overlay lines a cue text in codePage takes: its CR LF-separated pieces (up to the first
// NUL), each ceil(width / lineChars) lines and at least 1, the width in full-width cells
// being half its bytes as GBK counts them. GBK, Big5 and ANSI texts count their own bytes; a
// UTF-8 text counts each character as GBK would: its GBK bytes when GBK holds it, otherwise
// 2 for an East Asian wide or fullwidth character and 1 for any other. Every piece takes
// 1 line when lineChars is 0 or less; an empty text takes 0.
int32_t countWrappedLines(std::string_view cueText, int32_t lineChars, CodePage codePage);
