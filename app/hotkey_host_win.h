#pragma once
// The hotkeys' Win32 services: GetAsyncKeyState, and a message-only window that owns the
// polling timer and runs posted work on the user-interface thread. Windows builds only.
#include <windows.h>

#include "app/hotkeys.h"

class Win32KeyState final : public KeyState {
 public:
  int16_t asyncKeyState(int virtualKey) override;
};

class Win32HotkeyHost final : public HotkeyHost {
 public:
  // The polling timer's number, as the program has always used it.
  static constexpr UINT_PTR POLLING_TIMER_ID = 16661;

  // `poll` runs at each tick of the polling timer.
  explicit Win32HotkeyHost(std::function<void()> poll);
  ~Win32HotkeyHost() override;
  Win32HotkeyHost(const Win32HotkeyHost&) = delete;
  Win32HotkeyHost& operator=(const Win32HotkeyHost&) = delete;

  void startPolling(int32_t periodMs) override;
  // Posted work runs even while a message box or the file dialog has its own loop, since
  // those loops dispatch to every window of the thread.
  void post(std::function<void()> work) override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::function<void()> poll_;
  HWND window_ = nullptr;
};
