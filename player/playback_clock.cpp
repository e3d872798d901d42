#include "player/playback_clock.h"

namespace {

// Keeps the low 32 bits, as the clock's arithmetic is defined (modular since C++20).
int32_t low32(int64_t value) { return static_cast<int32_t>(value); }

uint8_t byteAt(const std::string& bytes, size_t position) {
  return position < bytes.size() ? static_cast<uint8_t>(bytes[position]) : 0;
}

}  // namespace

double decodeTimeBlock(uint8_t hours, uint8_t tensOfMinutes, uint8_t minutes,
                       uint8_t tensOfSeconds, uint8_t seconds) {
  const double hoursPart = (hours - 1.0) * 3600000.0;
  const double minutesPart = (10.0 * tensOfMinutes + minutes - 11.0) * 60000.0;
  const double secondsPart = (10.0 * tensOfSeconds + seconds - 11.0) * 1000.0;
  return hoursPart + minutesPart + secondsPart;
}

uint8_t readPlayerByte(PlayerMemory& memory, int32_t pid, uint32_t address) {
  unsigned char byte = 0;
  return memory.read(pid, address, &byte, 1) ? byte : 0;
}

std::string readPlayerBlock(PlayerMemory& memory, int32_t pid, uint32_t address,
                            uint32_t length) {
  std::string bytes(length, '\0');
  if (!memory.read(pid, address, reinterpret_cast<unsigned char*>(bytes.data()), length)) {
    return {};
  }
  return bytes;
}

int32_t readPlayerInt32(PlayerMemory& memory, int32_t pid, uint32_t address) {
  unsigned char b[4] = {};
  if (!memory.read(pid, address, b, sizeof b)) return -1;
  return static_cast<int32_t>(uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 |
                              uint32_t{b[3]} << 24);
}

void updatePlaybackClock(PlaybackClockState& clock, const PlayerClockSource& source) {
  // Player addresses wrap in 32 bits; a wrapped address simply fails to read.
  const uint32_t secondsCell = source.timeBlockAddress;
  const uint8_t seconds = readPlayerByte(source.memory, source.playerPid, secondsCell);
  clock.secondsByte = seconds;

  if (seconds != clock.lastSecondsByte) {
    clock.clockRefTick = source.ticks.nowMs();
    clock.timeBlockBytes = readPlayerBlock(source.memory, source.playerPid,
                                           secondsCell - TIME_DIGITS_OFFSET, TIME_DIGITS_LENGTH);
    // Cell k of the four upper ones lies k cell spacings into the read.
    const auto upperCell = [&](uint32_t k) {
      return byteAt(clock.timeBlockBytes, k * TIME_DIGIT_CELL_SPACING);
    };
    const double decoded =
        decodeTimeBlock(upperCell(0), upperCell(1), upperCell(2), upperCell(3), seconds);
    // decoded is a whole number of milliseconds within +-2^31.
    clock.decodedTime = low32(static_cast<int64_t>(decoded) - clock.delayMs);
    clock.displayTime = clock.decodedTime;
    clock.lastSecondsByte = seconds;
    return;
  }

  const int32_t playState =
      readPlayerInt32(source.memory, source.playerPid, secondsCell + PLAY_STATE_OFFSET);
  const uint32_t now = source.ticks.nowMs();
  if (playState == 0) {
    clock.displayTime = clock.decodedTime;
    clock.clockRefTick = now;
  } else {
    const uint32_t elapsed = now - clock.clockRefTick;
    clock.displayTime = low32(int64_t{clock.decodedTime} + elapsed);
  }
}
