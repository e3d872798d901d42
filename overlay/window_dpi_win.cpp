#include <windows.h>

#include "overlay/window_dpi_win.h"

namespace {

constexpr int DEFAULT_DPI = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction getDpiForWindow() {
  static const GetDpiForWindowFunction function = [] {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const FARPROC address = user32 != nullptr ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
    // Through void(*)(), the one function type a cast to any other does not warn about.
    return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(address));
  }();
  return function;
}

}  // namespace

int systemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : DEFAULT_DPI;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : DEFAULT_DPI;
}

int windowDpi(HWND window) {
  if (const GetDpiForWindowFunction function = getDpiForWindow()) {
    const UINT dpi = function(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return systemDpi();
}
