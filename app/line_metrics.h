#pragma once

#include <cstdint>

struct LineMetrics {
  int32_t lineHeight = 0;  // pixels of one overlay line
  int32_t lineChars = 0;   // full-width characters per overlay line
};

// From the font-size slider position p (the font is 2p points) and the width slider
// position w (pixels): lineHeight is 8p/3 (the font in pixels) when whole, else the smallest
// even number above it; lineChars is w / lineHeight truncated, 0 when lineHeight is not
// positive.
LineMetrics computeLineMetrics(int32_t p, int32_t w);
