#pragma once
// The simulated player's film clock: a position in milliseconds that runs with a millisecond
// counter while playing and holds while paused.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace simulated_player {

// The last moment the five digit cells can show, 9:59:59.999; the film ends there.
inline constexpr int32_t LAST_FILM_MS = 10 * 3600 * 1000 - 1;

class FilmClock {
public:
  // nowMs: a monotonic millisecond counter, the same for every call.
  FilmClock(int32_t startMs, bool playing, uint64_t nowMs);

  // Between 0 and LAST_FILM_MS.
  int32_t positionMs(uint64_t nowMs) const;
  // False while paused and once the film has reached its end.
  bool isPlaying(uint64_t nowMs) const;
  void play(uint64_t nowMs);
  void pause(uint64_t nowMs);
  void togglePause(uint64_t nowMs);
  // Clamped to the film; keeps playing or paused as it was.
  void seek(int64_t filmMs, uint64_t nowMs);
  void seekBy(int64_t deltaMs, uint64_t nowMs);
  // Milliseconds until the whole second shown changes; none while it cannot change.
  std::optional<uint64_t> msUntilNextSecond(uint64_t nowMs) const;

private:
  int32_t anchorMs;     // position at anchorTick
  uint64_t anchorTick;  // counter value at the last play, pause or seek
  bool running;
};

// The five digit cells of a film time in whole seconds, H:MM:SS, each digit plus one.
std::array<uint8_t, 5> timeCells(int32_t filmMs);

// "H:MM:SS", whole seconds.
std::string formatFilmTime(int32_t filmMs);

// A film time written as seconds ("75", "75.5") or as H:MM:SS ("0:01:15", "1:02:03.250"), at
// most three decimals; none when malformed or beyond LAST_FILM_MS.
std::optional<int32_t> parseFilmTime(std::string_view text);

}  // namespace simulated_player
