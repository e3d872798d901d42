#pragma once

#include <cstdint>
#include <string>

#include "player/player_memory.h"
#include "player/tick_source.h"
#include "player/time_block.h"

// The clock's fields of the program state, in milliseconds unless said otherwise.
struct PlaybackClockState {
  uint8_t secondsByte = 0;      // seconds cell read on this tick
  int32_t lastSecondsByte = 0;  // seconds cell of the previous tick
  uint32_t clockRefTick = 0;    // uptime counter at the last decode or the last paused tick
  std::string timeBlockBytes;   // last read of the upper four digit cells; empty on failure
  int32_t decodedTime = 0;      // time decoded at the last change of the seconds cell, delay applied
  int32_t delayMs = 0;          // user delay: positive shows cues later
  int32_t displayTime = 0;      // the time that chooses the cue
};

// Where the clock reads the player's time.
struct PlayerClockSource {
  PlayerMemory& memory;
  TickSource& ticks;
  int32_t playerPid = 0;
  uint32_t timeBlockAddress = 0;  // the seconds cell, in the player's address space
};

// One clock step: decodes the time block when the seconds cell changed, else runs the time
// on with the uptime counter unless the play-state word is 0. Time elapses as the unsigned
// 32-bit difference of two counter values, so it stays right across the counter's wrap.
// Results keep the low 32 bits.
void updatePlaybackClock(PlaybackClockState& clock, const PlayerClockSource& source);

// Milliseconds of H:MM:SS given as five cells, each a digit plus one (0 to 255, unchecked).
double decodeTimeBlock(uint8_t hours, uint8_t tensOfMinutes, uint8_t minutes,
                       uint8_t tensOfSeconds, uint8_t seconds);

// One byte of the player; 0 when the read fails.
uint8_t readPlayerByte(PlayerMemory& memory, int32_t pid, uint32_t address);
// length bytes of the player; empty when the read fails.
std::string readPlayerBlock(PlayerMemory& memory, int32_t pid, uint32_t address, uint32_t length);
// A little-endian 32-bit integer of the player; -1 when the read fails.
int32_t readPlayerInt32(PlayerMemory& memory, int32_t pid, uint32_t address);
