#pragma once

#include "player/player_memory.h"

// Opens the process with all access rights, reads and closes it again for every read.
class Win32PlayerMemory final : public PlayerMemory {
 public:
  bool read(int32_t pid, uint32_t address, unsigned char* buffer, size_t length) override;
};
