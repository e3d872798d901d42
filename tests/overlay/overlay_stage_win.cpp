// overlay_stage BACKDROP [SECONDS [text|blank|tick]]: the overlay in place for the window
// tests, until select-and-start can load it. Shows the real control panel (MainWindow over
// the registry settings), then a full-screen backdrop window that takes the focus, then
// loads the overlay from the panel, attaches it to the control panel and shows a known text,
// as the display tick shows a cue. The panel's sliders and boxes then restyle the overlay as
// they would in the program. With "blank" no text is set; with "tick" a one-cue track is
// installed and the display timer 时钟1 started over a player paused at 0:00:00, so that the
// display tick shows the cue. Ends when the panel is closed, or after SECONDS (default 120).
//
// BACKDROP is a colour RRGGBB, or "picture" for a drawn landscape. The backdrop counts the
// left clicks it receives in its title, "clicks=N".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "app/main_window_win.h"
#include "app/program_state.h"
#include "app/settings_store.h"
#include "encoding/code_page.h"
#include "memory/memory_backend.h"
#include "memory/process_control.h"
#include "player/player_memory.h"

namespace {

constexpr wchar_t BACKDROP_CLASS[] = L"QuorvaneTestBackdrop";
constexpr char16_t STAGE_TEXT[] = u"字幕测试 Quorvane\r\n第二行 Second line";
// ASCII, so that it reads the same in whatever code page the track is taken to be.
constexpr char TICK_TEXT[] = "Shown by the display tick";
constexpr UINT_PTR STOP_TIMER_ID = 7;

struct Backdrop {
  bool picture = false;
  COLORREF colour = RGB(0, 0, 255);
  int clicks = 0;
};

Backdrop backdrop;

// A player paused at the very start: every read succeeds with zero bytes, so the display
// tick's clock stays at 0 ms, inside the one cue of the "tick" mode.
class PausedPlayer final : public PlayerMemory {
 public:
  bool read(int32_t, uint32_t, unsigned char* buffer, size_t length) override {
    std::fill(buffer, buffer + length, 0);
    return true;
  }
};

void paintPicture(HDC dc, const RECT& area) {
  // A sky fading to the horizon over a dark hill and a bright field, so the text passes over
  // light and dark parts.
  const int horizon = area.bottom * 3 / 5;
  for (int y = 0; y < horizon; ++y) {
    const int shade = 60 + 160 * y / horizon;
    SetDCBrushColor(dc, RGB(shade / 2, shade * 3 / 4, std::min(255, shade + 60)));
    const RECT band{area.left, y, area.right, y + 1};
    FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  }
  SetDCBrushColor(dc, RGB(235, 225, 170));
  const RECT field{area.left, horizon, area.right, area.bottom};
  FillRect(dc, &field, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SelectObject(dc, GetStockObject(NULL_PEN));
  SetDCBrushColor(dc, RGB(20, 50, 30));
  Ellipse(dc, area.right / 3, horizon - area.bottom / 4, area.right + area.right / 3,
          horizon + area.bottom / 2);
  SetDCBrushColor(dc, RGB(255, 240, 200));
  Ellipse(dc, area.right / 6, area.bottom / 8, area.right / 6 + 120, area.bottom / 8 + 120);
}

LRESULT CALLBACK backdropProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      if (backdrop.picture) {
        paintPicture(dc, area);
      } else {
        SetDCBrushColor(dc, backdrop.colour);
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      ++backdrop.clicks;
      SetWindowTextW(window, (L"clicks=" + std::to_wstring(backdrop.clicks)).c_str());
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Closes the panel when the stage's time is up, so that no run outlives its test.
void CALLBACK stopStage(HWND panel, UINT, UINT_PTR, DWORD) { PostMessageW(panel, WM_CLOSE, 0, 0); }

HWND showBackdrop(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = backdropProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.lpszClassName = BACKDROP_CLASS;
  RegisterClassExW(&windowClass);
  const HWND window = CreateWindowExW(
      0, BACKDROP_CLASS, L"clicks=0", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
      GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  return window;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: overlay_stage RRGGBB|picture [SECONDS [text|blank|tick]]\n");
    return 2;
  }
  const std::wstring choice = argv[1];
  if (choice == L"picture") {
    backdrop.picture = true;
  } else {
    const unsigned long rgb = std::wcstoul(choice.c_str(), nullptr, 16);
    backdrop.colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  const UINT seconds = argc > 2 ? static_cast<UINT>(_wtoi(argv[2])) : 120;
  const std::wstring mode = argc > 3 ? argv[3] : L"text";

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!startUp(win32MemoryBackend(), win32ProcessControl())) return 1;
  int result = 1;
  {
    RegistrySettingsStore settings;
    PausedPlayer player;
    MainWindow panel(*programState(), settings, player);
    if (panel.create(instance)) {
      const HWND stage = showBackdrop(instance);
      UpdateWindow(stage);
      ControlPanel& controls = panel.controlPanel();
      OverlayView* overlay = panel.loadOverlay(controls.overlaySettings());
      if (overlay != nullptr) {
        controls.attachOverlay(overlay);
        if (mode == L"text") {
          overlay->setText(encodeCodePage(CodePage::GBK, STAGE_TEXT), CodePage::GBK);
          overlay->raise();
        } else if (mode == L"tick") {
          ProgramState& state = *programState();
          installTrack(state, SubtitleTrack({{0, 2000000000, TICK_TEXT}}));
          state.screenHeight = GetSystemMetrics(SM_CYSCREEN);
          panel.setDisplayTimerPeriod(DISPLAY_PERIOD_MS);
        }
        SetTimer(panel.handle(), STOP_TIMER_ID, seconds * 1000, stopStage);
        std::printf("stage ready\n");
        std::fflush(stdout);
        result = runMessageLoop(panel.handle());
      }
      DestroyWindow(stage);
    }
  }
  shutDown();
  return result;
}
