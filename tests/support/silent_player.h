#pragma once
// A player whose every read fails, and an uptime counter that stands still: for tests of the
// control panel that never reach the clock.
#include "player/player_memory.h"
#include "player/tick_source.h"

class SilentPlayer final : public PlayerMemory {
 public:
  bool read(int32_t, uint32_t, unsigned char*, size_t) override { return false; }
};

class StillTicks final : public TickSource {
 public:
  uint32_t nowMs() override { return 0; }
};
