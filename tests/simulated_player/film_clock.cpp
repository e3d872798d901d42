#include "film_clock.h"

#include <algorithm>
#include <cstdio>

namespace simulated_player {

namespace {

int32_t clampToFilm(int64_t filmMs) {
  return static_cast<int32_t>(std::clamp<int64_t>(filmMs, 0, LAST_FILM_MS));
}

// The digits of text, as a number; none when empty, not all digits or over maxDigits long.
std::optional<int64_t> digitsValue(std::string_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// ".fff" after a whole number of seconds, as milliseconds; "" gives 0.
std::optional<int64_t> fractionMs(std::string_view text) {
  if (text.empty()) return 0;
  if (text[0] != '.') return std::nullopt;
  const std::string_view digits = text.substr(1);
  const std::optional<int64_t> value = digitsValue(digits, 3);
  if (!value) return std::nullopt;
  int64_t ms = *value;
  for (size_t i = digits.size(); i < 3; ++i) ms *= 10;
  return ms;
}

}  // namespace

FilmClock::FilmClock(int32_t startMs, bool playing, uint64_t nowMs)
    : anchorMs(clampToFilm(startMs)), anchorTick(nowMs), running(playing) {}

int32_t FilmClock::positionMs(uint64_t nowMs) const {
  if (!running) return anchorMs;
  const uint64_t elapsed = nowMs > anchorTick ? nowMs - anchorTick : 0;
  return clampToFilm(anchorMs + static_cast<int64_t>(std::min<uint64_t>(elapsed, LAST_FILM_MS)));
}

bool FilmClock::isPlaying(uint64_t nowMs) const {
  return running && positionMs(nowMs) < LAST_FILM_MS;
}

void FilmClock::play(uint64_t nowMs) {
  anchorMs = positionMs(nowMs);
  anchorTick = nowMs;
  running = true;
}

void FilmClock::pause(uint64_t nowMs) {
  anchorMs = positionMs(nowMs);
  anchorTick = nowMs;
  running = false;
}

void FilmClock::togglePause(uint64_t nowMs) {
  if (isPlaying(nowMs)) {
    pause(nowMs);
  } else {
    play(nowMs);
  }
}

void FilmClock::seek(int64_t filmMs, uint64_t nowMs) {
  anchorMs = clampToFilm(filmMs);
  anchorTick = nowMs;
}

void FilmClock::seekBy(int64_t deltaMs, uint64_t nowMs) { seek(positionMs(nowMs) + deltaMs, nowMs); }

std::optional<uint64_t> FilmClock::msUntilNextSecond(uint64_t nowMs) const {
  if (!isPlaying(nowMs)) return std::nullopt;
  return static_cast<uint64_t>(1000 - positionMs(nowMs) % 1000);
}

std::array<uint8_t, 5> timeCells(int32_t filmMs) {
  const int32_t seconds = clampToFilm(filmMs) / 1000;
  const int32_t digits[5] = {seconds / 3600, seconds / 600 % 6, seconds / 60 % 10,
                             seconds / 10 % 6, seconds % 10};
  std::array<uint8_t, 5> cells{};
  for (size_t i = 0; i < cells.size(); ++i) cells[i] = static_cast<uint8_t>(digits[i] + 1);
  return cells;
}

std::string formatFilmTime(int32_t filmMs) {
  const int32_t seconds = clampToFilm(filmMs) / 1000;
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return text;
}

std::optional<int32_t> parseFilmTime(std::string_view text) {
  const size_t dot = std::min(text.find('.'), text.size());
  const std::optional<int64_t> fraction = fractionMs(text.substr(dot));
  const std::string_view whole = text.substr(0, dot);
  if (!fraction) return std::nullopt;

  int64_t seconds = 0;
  if (whole.find(':') == std::string_view::npos) {
    const std::optional<int64_t> value = digitsValue(whole, 6);
    if (!value) return std::nullopt;
    seconds = *value;
  } else {
    const size_t first = whole.find(':');
    const size_t second = whole.find(':', first + 1);
    if (second == std::string_view::npos || second != first + 3 || whole.size() != second + 3) {
      return std::nullopt;
    }
    const std::optional<int64_t> hours = digitsValue(whole.substr(0, first), 1);
    const std::optional<int64_t> minutes = digitsValue(whole.substr(first + 1, 2), 2);
    const std::optional<int64_t> secs = digitsValue(whole.substr(second + 1, 2), 2);
    if (!hours || !minutes || !secs || *minutes > 59 || *secs > 59) return std::nullopt;
    seconds = *hours * 3600 + *minutes * 60 + *secs;
  }
  const int64_t filmMs = seconds * 1000 + *fraction;
  if (filmMs > LAST_FILM_MS) return std::nullopt;
  return static_cast<int32_t>(filmMs);
}

}  // namespace simulated_player
