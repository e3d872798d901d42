#include "player_window_win.h"

#include <algorithm>

#include "film_clock.h"

namespace simulated_player {

namespace {

constexpr const wchar_t* WINDOW_CLASS = L"QuorvaneSimulatedPlayer";
constexpr DWORD WINDOWED_STYLE = WS_OVERLAPPEDWINDOW;
constexpr DWORD FULLSCREEN_STYLE = WS_POPUP;
constexpr int32_t SEEK_STEP_MS = 10000;

constexpr COLORREF BACKGROUND = RGB(12, 12, 20);
constexpr COLORREF TIME_COLOUR = RGB(235, 235, 235);
constexpr COLORREF PLAYING_COLOUR = RGB(110, 200, 120);
constexpr COLORREF PAUSED_COLOUR = RGB(235, 180, 70);
constexpr COLORREF HINT_COLOUR = RGB(120, 120, 145);

constexpr const wchar_t* KEY_HINTS =
    L"Space pause/play    Left/Right 10 s    Home start    F11 full screen";

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// Selects an object into a device context for the scope, then restores the previous one.
class Selection {
public:
  Selection(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { SelectObject(dc, previous); }

private:
  HDC dc;
  HGDIOBJ previous;
};

GdiObject<HFONT> makeFont(int height, int weight) {
  return GdiObject<HFONT>(CreateFontW(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial"));
}

void drawLine(HDC dc, HFONT font, COLORREF colour, const wchar_t* text, RECT box) {
  Selection selected(dc, font);
  SetTextColor(dc, colour);
  DrawTextW(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

RECT primaryScreen() {
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

bool registerClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = WINDOW_CLASS;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

std::unique_ptr<PlayerWindow> PlayerWindow::create(HINSTANCE instance, PlayerActions& actions,
                                                   bool fullscreen) {
  if (!registerClass(instance, windowProcedure)) return nullptr;
  std::unique_ptr<PlayerWindow> player(new PlayerWindow(actions));
  HWND window = CreateWindowExW(0, WINDOW_CLASS, PLAYER_WINDOW_TITLE, WINDOWED_STYLE,
                                CW_USEDEFAULT, CW_USEDEFAULT, 960, 540, nullptr, nullptr,
                                instance, player.get());
  if (window == nullptr) return nullptr;
  GetWindowRect(window, &player->windowedRect);
  if (fullscreen) player->setFullscreen(true);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return player;
}

PlayerWindow::~PlayerWindow() {
  if (window != nullptr) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
  }
}

void PlayerWindow::show(int32_t filmMs, bool nowPlaying) {
  std::string text = formatFilmTime(filmMs);
  std::wstring wide(text.begin(), text.end());
  if (wide == timeText && nowPlaying == playing) return;
  timeText = std::move(wide);
  playing = nowPlaying;
  InvalidateRect(window, nullptr, FALSE);
}

void PlayerWindow::setFullscreen(bool wanted) {
  if (wanted == fullscreen) return;
  fullscreen = wanted;
  if (fullscreen) {
    GetWindowRect(window, &windowedRect);
    const RECT screen = primaryScreen();
    SetWindowLongPtrW(window, GWL_STYLE, FULLSCREEN_STYLE | WS_VISIBLE);
    SetWindowPos(window, HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  } else {
    SetWindowLongPtrW(window, GWL_STYLE, WINDOWED_STYLE | WS_VISIBLE);
    SetWindowPos(window, HWND_TOP, windowedRect.left, windowedRect.top,
                 windowedRect.right - windowedRect.left, windowedRect.bottom - windowedRect.top,
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  }
}

LRESULT CALLBACK PlayerWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* player = static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    player->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(player));
  }
  auto* player = reinterpret_cast<PlayerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (player == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return player->handleMessage(message, wParam, lParam);
}

LRESULT PlayerWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      onKeyDown(wParam);
      return 0;
    case WM_SIZE:
      onSize();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // paint() covers every pixel
    case WM_PAINT:
      paint();
      return 0;
    case WM_DESTROY:
      window = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void PlayerWindow::onKeyDown(WPARAM key) {
  switch (key) {
    case VK_SPACE:
      actions.togglePause();
      break;
    case VK_LEFT:
      actions.seekBy(-SEEK_STEP_MS);
      break;
    case VK_RIGHT:
      actions.seekBy(SEEK_STEP_MS);
      break;
    case VK_HOME:
      actions.seekTo(0);
      break;
    case VK_F11:
      setFullscreen(!fullscreen);
      break;
    case VK_ESCAPE:
      setFullscreen(false);
      break;
    default:
      break;
  }
}

void PlayerWindow::onSize() {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  // "0:00:00" is about four ems wide in a proportional face.
  const int timeHeight = std::max(8, std::min(height * 2 / 5, width * 2 / 9));
  timeFont = makeFont(timeHeight, FW_BOLD);
  stateFont = makeFont(std::max(8, timeHeight / 6), FW_NORMAL);
  // The hint line is about 30 ems wide.
  hintFont = makeFont(std::max(8, std::min(height / 22, width / 40)), FW_NORMAL);
  InvalidateRect(window, nullptr, FALSE);
}

void PlayerWindow::paint() {
  PAINTSTRUCT ps;
  HDC screenDc = BeginPaint(window, &ps);
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right;
  const int height = client.bottom;
  // Drawn off screen and copied at once, so the digits never flicker.
  std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc(CreateCompatibleDC(screenDc));
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screenDc, std::max(width, 1), std::max(height, 1)));
  if (dc && bitmap && timeFont && stateFont && hintFont) {
    Selection target(dc.get(), bitmap.get());
    GdiObject<HBRUSH> background(CreateSolidBrush(BACKGROUND));
    FillRect(dc.get(), &client, background.get());
    SetBkMode(dc.get(), TRANSPARENT);
    const int middle = height / 2;
    drawLine(dc.get(), timeFont.get(), TIME_COLOUR, timeText.c_str(),
             {0, 0, width, middle + height / 8});
    drawLine(dc.get(), stateFont.get(), playing ? PLAYING_COLOUR : PAUSED_COLOUR,
             playing ? L"playing" : L"paused",
             {0, middle + height / 8, width, middle + height / 4});
    drawLine(dc.get(), hintFont.get(), HINT_COLOUR, KEY_HINTS,
             {0, height - height / 8, width, height});
    BitBlt(screenDc, 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
  }
  EndPaint(window, &ps);
}

}  // namespace simulated_player
