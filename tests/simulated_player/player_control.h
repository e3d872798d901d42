#pragma once
// How the simulated player is told what to do: its command line, and the lines of its
// control channel (standard input).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace simulated_player {

inline constexpr uint32_t DEFAULT_LIMIT_SECONDS = 3600;

struct PlayerOptions {
  int32_t startMs = 0;
  bool paused = false;
  bool fullscreen = false;
  bool hidden = false;       // no window at all
  bool withPattern = true;   // false: the time-block pattern is removed at start-up
  uint32_t limitSeconds = DEFAULT_LIMIT_SECONDS;  // 0: no limit
  bool helpAsked = false;
};

struct OptionsResult {
  PlayerOptions options;
  std::string error;  // empty when the arguments were understood
};

inline constexpr std::string_view USAGE =
    "usage: PowerDVD.exe [--start TIME] [--paused] [--fullscreen | --hidden] [--no-pattern]\n"
    "                    [--limit SECONDS]\n"
    "  --start TIME      film time to start at: seconds (75, 75.5) or H:MM:SS (0:01:15)\n"
    "  --paused          start paused\n"
    "  --fullscreen      a borderless window over the primary screen (F11 toggles)\n"
    "  --hidden          no window; the clock and the control channel only\n"
    "  --no-pattern      present no time-block pattern\n"
    "  --limit SECONDS   exit after this many seconds; 0 for never (default 3600)\n"
    "Keys: Space pause/play, Left/Right -/+10 s, Home to 0:00:00, F11 full screen, Esc\n"
    "leaves full screen.\n"
    "Standard input (a pipe), one command a line: pause, play, seek TIME, time, quit; each\n"
    "but quit replies \"time MS playing|paused\". The player exits when the pipe closes.\n";

// args without the program's name.
OptionsResult parsePlayerOptions(std::span<const std::string> args);

enum class CommandKind { none, pause, play, seek, time, quit };

struct ControlCommand {
  CommandKind kind = CommandKind::none;  // none: a blank line, or error says what was wrong
  int32_t filmMs = 0;                    // seek's target
  std::string error;
};

// One line, without its line break; surrounding blanks and a trailing '\r' are ignored.
ControlCommand parseControlCommand(std::string_view line);

// The reply to a command: "time MS playing\n" or "time MS paused\n".
std::string stateLine(int32_t filmMs, bool playing);

}  // namespace simulated_player
