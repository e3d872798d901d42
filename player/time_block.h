#pragma once
// The served player and where its playback time lies in its memory.
#include <array>
#include <cstdint>
#include <string_view>

inline constexpr std::string_view PLAYER_EXE_NAME = "PowerDVD.exe";

// The player's main image holds these 49 bytes TIME_BLOCK_DISTANCE bytes before the seconds
// cell of its time block. Matched exactly, no wildcards.
inline constexpr std::array<uint8_t, 49> TIME_BLOCK_PATTERN = {
    0x03, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        //
    0x03, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        //
    0x49, 0x27, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
    0x13};
inline constexpr uint32_t TIME_BLOCK_DISTANCE = 376;

// The time block: five cells, hours, tens of minutes, minutes, tens of seconds and seconds,
// each the digit plus one, TIME_DIGIT_CELL_SPACING bytes apart and ending at the seconds
// cell; and a 32-bit little-endian play-state word PLAY_STATE_OFFSET bytes after that cell.
inline constexpr uint32_t TIME_DIGIT_CELL_SPACING = 80;
inline constexpr uint32_t TIME_DIGIT_CELL_COUNT = 5;
inline constexpr uint32_t PLAY_STATE_OFFSET = 1120;
// From the seconds cell back to the hours cell.
inline constexpr uint32_t TIME_DIGITS_OFFSET =
    (TIME_DIGIT_CELL_COUNT - 1) * TIME_DIGIT_CELL_SPACING;
// One read from the hours cell through the tens-of-seconds cell: the four upper digits.
inline constexpr uint32_t TIME_DIGITS_LENGTH =
    (TIME_DIGIT_CELL_COUNT - 2) * TIME_DIGIT_CELL_SPACING + 1;
static_assert(TIME_DIGITS_OFFSET == 320 && TIME_DIGITS_LENGTH == 241, "the player's figures");

// The addresses the pattern search walks: the main image at 0x400000 and what follows it.
inline constexpr uint32_t PATTERN_SEARCH_START = 0x400000;
inline constexpr uint32_t PATTERN_SEARCH_END = 0x10000000;

inline std::string_view timeBlockPattern() {
  return {reinterpret_cast<const char*>(TIME_BLOCK_PATTERN.data()), TIME_BLOCK_PATTERN.size()};
}
