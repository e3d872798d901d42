#pragma once

#include "player/tick_source.h"

// GetTickCount.
class Win32TickSource final : public TickSource {
 public:
  uint32_t nowMs() override;
};
