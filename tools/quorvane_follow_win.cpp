// quorvane-follow FILE [SECONDS]: the tool's main job without its windows. Finds the running
// PowerDVD.exe, locates its time block, loads FILE as select-and-start does for the English
// interface, then runs the display tick every 50 ms for SECONDS (default 20) and prints, in
// UTF-8, each time the overlay would show a cue or clear its text.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/line_metrics.h"
#include "encoding/code_page.h"
#include "memory/process_memory.h"
#include "overlay/display_tick.h"
#include "player/playback_clock.h"
#include "player/player_memory_win.h"
#include "player/process_lookup_win.h"
#include "player/tick_source_win.h"
#include "player/time_block.h"
#include "subtitles/srt_parser.h"
#include "subtitles/subtitle_decoding.h"

namespace {

// The control panel's defaults: 36-point font, 1440 pixels wide, left 240, top 970 of 1080.
constexpr int32_t FONT_SIZE_POSITION = 18;
constexpr int32_t WIDTH_POSITION = 1440;
constexpr DisplayLayout layoutFor(LineMetrics metrics) {
  return {metrics.lineChars, metrics.lineHeight, 1080, 240, 970};
}

// decodeCodePage reads text passed on in the system's code page (ANSI) as GBK.
std::string inUtf8(std::string_view text, CodePage codePage) {
  std::string utf8 = utf16UnitsToUtf8(decodeCodePage(codePage, text));
  for (size_t at = utf8.find("\r\n"); at != std::string::npos; at = utf8.find("\r\n", at)) {
    utf8.replace(at, 2, " / ");
  }
  return utf8;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: quorvane-follow FILE [SECONDS]\n");
    return 1;
  }
  const uint32_t runMs = (argc > 2 ? static_cast<uint32_t>(std::atoi(argv[2])) : 20) * 1000;

  const int32_t pid = findProcessId(PLAYER_EXE_NAME);
  if (pid <= 0) {
    std::fprintf(stderr, "quorvane-follow: %s is not running\n", PLAYER_EXE_NAME.data());
    return 1;
  }
  内存操作类 memoryOps(win32MemoryBackend(), win32ProcessControl());
  memoryOps.openProcess(static_cast<uint32_t>(pid), 1);
  const Address hit = memoryOps.findPattern(timeBlockPattern(), {}, PATTERN_SEARCH_START,
                                            PATTERN_SEARCH_END);
  memoryOps.closeProcess();
  if (hit == 0) {
    std::fprintf(stderr, "quorvane-follow: no time block in process %d\n", pid);
    return 1;
  }
  std::printf("player %d, time block at 0x%X\n", pid, hit + TIME_BLOCK_DISTANCE);

  const DecodedSubtitle decoded =
      decodeSubtitleBytes(readSubtitleFile(argv[1]), LanguageMode::ENGLISH, 编码转换类());
  const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
  std::printf("%d cues\n", track.cueCount());
  std::fflush(stdout);

  Win32PlayerMemory memory;
  Win32TickSource ticks;
  const PlayerClockSource source{memory, ticks, pid, hit + TIME_BLOCK_DISTANCE};
  const DisplayLayout layout = layoutFor(computeLineMetrics(FONT_SIZE_POSITION, WIDTH_POSITION));
  PlaybackClockState clock;
  DisplayCursor cursor;
  for (const uint32_t started = ticks.nowMs(); ticks.nowMs() - started < runMs; Sleep(50)) {
    updatePlaybackClock(clock, source);
    const DisplayOutcome outcome = selectDisplayCue(clock.displayTime, track, cursor, layout);
    if (outcome.action == DisplayAction::show) {
      std::printf("%8.3f s  show %d: %s\n", clock.displayTime / 1000.0, outcome.cue,
                  inUtf8(track.text(outcome.cue), track.codePage()).c_str());
    } else if (outcome.action == DisplayAction::clear) {
      std::printf("%8.3f s  clear\n", clock.displayTime / 1000.0);
    }
    std::fflush(stdout);
  }
  return 0;
}
