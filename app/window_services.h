#pragma once
// Services of the windowing system that the control panel's behaviour needs beyond its own
// view: the overlay window's lifetime and pauses that keep window messages flowing.
#include <cstdint>

#include "overlay/overlay_view.h"

// Creates and destroys the one OverlayWindow.
class OverlayHost {
 public:
  virtual ~OverlayHost() = default;
  // Creates and shows the window laid out from `settings`; null when it cannot be created.
  virtual OverlayView* loadOverlay(const OverlaySettings& settings) = 0;
  virtual void destroyOverlay() = 0;
};

// Waits while window messages go on being dispatched, so timers and handlers run meanwhile.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void pauseMs(int32_t milliseconds) = 0;
};
