#pragma once

#include <cstdint>

// The system's millisecond uptime counter. It wraps to 0 after about 49.7 days.
class TickSource {
 public:
  virtual ~TickSource() = default;
  virtual uint32_t nowMs() = 0;
};
