#include <windows.h>

#include "overlay/window_dpi_win.h"

namespace {

constexpr int DEFAULT_DPI = 96;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// A function of user32 that older systems lack; null there.
template <typename Function>
Function user32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const FARPROC address = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
  // Through void(*)(), the one function type a cast to any other does not warn about.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

GetDpiForWindowFunction getDpiForWindow() {
  static const auto function = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  return function;
}

AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi() {
  static const auto function =
      user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
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

void adjustWindowRectForDpi(RECT& area, DWORD style, DWORD exStyle, int dpi) {
  if (const AdjustWindowRectExForDpiFunction function = adjustWindowRectExForDpi()) {
    if (function(&area, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  }
  AdjustWindowRectEx(&area, style, FALSE, exStyle);
}
