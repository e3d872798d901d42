#pragma once
// What the simulated player holds in its writable image data, at fixed offsets from the
// start of that data; the tests find the start by the marker.
#include <array>
#include <cstdint>
#include <string_view>

#include "player/time_block.h"

namespace simulated_player {

inline constexpr uint32_t IMAGE_BASE = 0x400000;
inline constexpr uint32_t DATA_SIZE = 3 * 4096;  // more than one page, so it is searched

inline constexpr std::string_view MARKER = "Quorvane simulated player: image data";

// The player's time-block signature and, TIME_BLOCK_DISTANCE bytes past it, the block itself.
inline constexpr uint32_t PATTERN_OFFSET = 0x400;
using ::TIME_BLOCK_PATTERN;
inline constexpr uint32_t TIME_BLOCK_OFFSET = PATTERN_OFFSET + TIME_BLOCK_DISTANCE;
inline constexpr int32_t DIGIT_CELL_SPACING = TIME_DIGIT_CELL_SPACING;
inline constexpr int32_t PLAY_STATE_DISTANCE = PLAY_STATE_OFFSET;
// The image holds 1:23:45 (each digit stored plus one), playing, until start-up writes the
// film clock's time and state.
inline constexpr std::array<uint8_t, TIME_DIGIT_CELL_COUNT> TIME_DIGITS = {1, 2, 3, 4, 5};
inline constexpr int32_t PLAY_STATE_PLAYING = 1;
inline constexpr int32_t PLAY_STATE_PAUSED = 0;

// A 32-bit pointer the player sets at start-up to the value cell.
inline constexpr uint32_t POINTER_OFFSET = 0x1000;
inline constexpr uint32_t VALUE_OFFSET = 0x1100;
inline constexpr uint32_t INITIAL_VALUE = 0x12345678;

inline constexpr std::string_view READY_LINE = "ready\n";

// The data as the image holds it before start-up; the filler keeps it out of .bss.
constexpr std::array<uint8_t, DATA_SIZE> initialData() {
  std::array<uint8_t, DATA_SIZE> data{};
  for (uint32_t i = 0; i < DATA_SIZE; ++i) data[i] = static_cast<uint8_t>(0xA0 + i % 7);
  for (uint32_t i = 0; i < MARKER.size(); ++i) data[i] = static_cast<uint8_t>(MARKER[i]);
  for (uint32_t i = 0; i < TIME_BLOCK_PATTERN.size(); ++i) {
    data[PATTERN_OFFSET + i] = TIME_BLOCK_PATTERN[i];
  }
  for (uint32_t i = 0; i < TIME_DIGITS.size(); ++i) {
    data[TIME_BLOCK_OFFSET - DIGIT_CELL_SPACING * (4 - i)] = static_cast<uint8_t>(TIME_DIGITS[i] + 1);
  }
  const uint32_t playState = TIME_BLOCK_OFFSET + PLAY_STATE_DISTANCE;
  for (uint32_t i = 0; i < 4; ++i) {
    data[playState + i] = static_cast<uint8_t>(static_cast<uint32_t>(PLAY_STATE_PLAYING) >> (8 * i));
    data[POINTER_OFFSET + i] = 0;
    data[VALUE_OFFSET + i] = static_cast<uint8_t>(INITIAL_VALUE >> (8 * i));
  }
  return data;
}

}  // namespace simulated_player
