#pragma once
// Pauses that keep the user interface alive. Include only from *_win files.
#include <windows.h>

#include "app/window_services.h"

// Lets window messages of this thread run for `milliseconds`, then returns. A WM_QUIT met
// on the way is posted again, so the message loop still ends.
void pumpMessagesFor(DWORD milliseconds);

class Win32MessagePump final : public MessagePump {
 public:
  void pauseMs(int32_t milliseconds) override {
    pumpMessagesFor(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
  }
};
