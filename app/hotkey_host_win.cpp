#include "app/hotkey_host_win.h"

#include <memory>

namespace {

constexpr wchar_t WINDOW_CLASS[] = L"QuorvaneHotkeys";
constexpr UINT RUN_POSTED_WORK = WM_APP + 1;

}  // namespace

int16_t Win32KeyState::asyncKeyState(int virtualKey) {
  return static_cast<int16_t>(GetAsyncKeyState(virtualKey));
}

Win32HotkeyHost::Win32HotkeyHost(std::function<void()> poll) : poll_(std::move(poll)) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = WINDOW_CLASS;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
  window_ = CreateWindowExW(0, WINDOW_CLASS, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), this);
}

Win32HotkeyHost::~Win32HotkeyHost() {
  if (window_ == nullptr) return;
  KillTimer(window_, POLLING_TIMER_ID);
  // Work still queued is freed with the window's messages.
  MSG message;
  while (PeekMessageW(&message, window_, RUN_POSTED_WORK, RUN_POSTED_WORK, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(message.lParam);
  }
  DestroyWindow(window_);
}

void Win32HotkeyHost::startPolling(int32_t periodMs) {
  if (window_ != nullptr) SetTimer(window_, POLLING_TIMER_ID, static_cast<UINT>(periodMs), nullptr);
}

void Win32HotkeyHost::post(std::function<void()> work) {
  auto posted = std::make_unique<std::function<void()>>(std::move(work));
  if (window_ != nullptr &&
      PostMessageW(window_, RUN_POSTED_WORK, 0, reinterpret_cast<LPARAM>(posted.get()))) {
    posted.release();  // the window procedure runs and frees it
  }
}

LRESULT CALLBACK Win32HotkeyHost::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<Win32HotkeyHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      if (host != nullptr && wParam == POLLING_TIMER_ID) host->poll_();
      return 0;
    case RUN_POSTED_WORK: {
      const std::unique_ptr<std::function<void()>> work(
          reinterpret_cast<std::function<void()>*>(lParam));
      (*work)();
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}
