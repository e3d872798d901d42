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

// The addresses the pattern search walks: the main image at 0x400000 and what follows it.
inline constexpr uint32_t PATTERN_SEARCH_START = 0x400000;
inline constexpr uint32_t PATTERN_SEARCH_END = 0x10000000;

inline std::string_view timeBlockPattern() {
  return {reinterpret_cast<const char*>(TIME_BLOCK_PATTERN.data()), TIME_BLOCK_PATTERN.size()};
}
