#pragma once
// The simulated player's window: the film time in big digits on a dark background, in a
// normal window or a borderless one covering the primary screen. Its keys act on the player
// through PlayerActions. Closing it posts WM_QUIT.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace simulated_player {

inline constexpr const wchar_t* PLAYER_WINDOW_TITLE = L"PowerDVD - Quorvane simulated player";

// Owns a GDI object.
struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

class PlayerActions {
public:
  virtual ~PlayerActions() = default;
  virtual void togglePause() = 0;
  virtual void seekBy(int32_t deltaMs) = 0;
  virtual void seekTo(int32_t filmMs) = 0;
};

class PlayerWindow {
public:
  // None when the window cannot be made (under Wine, when there is no X display).
  static std::unique_ptr<PlayerWindow> create(HINSTANCE instance, PlayerActions& actions,
                                              bool fullscreen);
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;
  ~PlayerWindow();

  // Repaints when the text shown changes.
  void show(int32_t filmMs, bool playing);
  void setFullscreen(bool fullscreen);

private:
  PlayerWindow(PlayerActions& actions) : actions(actions) {}
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void onKeyDown(WPARAM key);
  void onSize();
  void paint();

  PlayerActions& actions;
  HWND window = nullptr;
  bool fullscreen = false;
  RECT windowedRect{};
  std::wstring timeText;
  bool playing = false;
  GdiObject<HFONT> timeFont;
  GdiObject<HFONT> stateFont;
  GdiObject<HFONT> hintFont;
};

}  // namespace simulated_player
