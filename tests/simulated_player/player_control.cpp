#include "player_control.h"

#include <optional>

#include "film_clock.h"

namespace simulated_player {

namespace {

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<uint32_t> parseSeconds(std::string_view text) {
  if (text.empty() || text.size() > 7) return std::nullopt;
  uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return value;
}

}  // namespace

OptionsResult parsePlayerOptions(std::span<const std::string> args) {
  OptionsResult result;
  PlayerOptions& options = result.options;
  for (size_t i = 0; i < args.size() && result.error.empty(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--start" || arg == "--limit";
    if (takesValue && i + 1 == args.size()) {
      result.error = arg + " needs a value";
    } else if (arg == "--start") {
      const std::optional<int32_t> start = parseFilmTime(args[++i]);
      if (start) {
        options.startMs = *start;
      } else {
        result.error = "--start: not a film time up to 9:59:59: " + args[i];
      }
    } else if (arg == "--limit") {
      const std::optional<uint32_t> limit = parseSeconds(args[++i]);
      if (limit) {
        options.limitSeconds = *limit;
      } else {
        result.error = "--limit: not a whole number of seconds: " + args[i];
      }
    } else if (arg == "--paused") {
      options.paused = true;
    } else if (arg == "--fullscreen") {
      options.fullscreen = true;
    } else if (arg == "--hidden") {
      options.hidden = true;
    } else if (arg == "--no-pattern") {
      options.withPattern = false;
    } else if (arg == "--help" || arg == "-h" || arg == "/?") {
      options.helpAsked = true;
    } else {
      result.error = "unknown argument: " + arg;
    }
  }
  if (result.error.empty() && options.hidden && options.fullscreen) {
    result.error = "--hidden and --fullscreen exclude each other";
  }
  return result;
}

ControlCommand parseControlCommand(std::string_view line) {
  const std::string_view text = trimmed(line);
  const size_t space = text.find_first_of(" \t");
  const std::string_view word = text.substr(0, space);
  const std::string_view argument =
      space == std::string_view::npos ? std::string_view{} : trimmed(text.substr(space));

  ControlCommand command;
  if (word.empty()) return command;
  if (word == "seek") {
    const std::optional<int32_t> target = parseFilmTime(argument);
    if (target) {
      command.kind = CommandKind::seek;
      command.filmMs = *target;
    } else {
      command.error = "seek needs a film time up to 9:59:59";
    }
    return command;
  }
  static constexpr std::pair<std::string_view, CommandKind> bare[] = {
      {"pause", CommandKind::pause},
      {"play", CommandKind::play},
      {"time", CommandKind::time},
      {"quit", CommandKind::quit}};
  for (const auto& [name, kind] : bare) {
    if (word == name) {
      if (argument.empty()) {
        command.kind = kind;
      } else {
        command.error = std::string(name) + " takes no argument";
      }
      return command;
    }
  }
  command.error = "unknown command: " + std::string(word.substr(0, 40));
  return command;
}

std::string stateLine(int32_t filmMs, bool playing) {
  return "time " + std::to_string(filmMs) + (playing ? " playing\n" : " paused\n");
}

}  // namespace simulated_player
