#pragma once
// OverlayWindow: the subtitles over the film. A borderless 2560 × 540 layered window whose
// background is the colour key, so that only the text of its label 字幕 shows. It never
// activates or takes the focus, has no taskbar button and lets every click through.
#include <windows.h>

#include <memory>
#include <string>

#include "overlay/gdi_object_win.h"
#include "overlay/overlay_view.h"

inline constexpr wchar_t OVERLAY_WINDOW_CLASS[] = L"QuorvaneOverlay";
inline constexpr wchar_t OVERLAY_LABEL_CLASS[] = L"QuorvaneSubtitleLabel";

inline constexpr int OVERLAY_WIDTH = 2560;
inline constexpr int OVERLAY_HEIGHT = 540;
// Every pixel of exactly this colour shows the window beneath.
inline constexpr COLORREF OVERLAY_KEY_COLOUR = RGB(128, 128, 128);
inline constexpr COLORREF SUBTITLE_COLOUR = RGB(255, 255, 255);
inline constexpr COLORREF SHADOW_COLOUR = RGB(0, 0, 0);
// While a cue is shown the overlay re-asserts its topmost place this often, since a
// full-screen player may put itself above it.
inline constexpr UINT RAISE_PERIOD_MS = 500;

class OverlayWindow final : public OverlayView {
 public:
  // Creates the window, makes it layered with the colour key, lays it out from `settings`
  // and shows it without activating it; null when the window cannot be created.
  static std::unique_ptr<OverlayWindow> load(HINSTANCE instance, const OverlaySettings& settings);

  OverlayWindow(const OverlayWindow&) = delete;
  OverlayWindow& operator=(const OverlayWindow&) = delete;
  ~OverlayWindow() override;  // destroys the window

  HWND handle() const { return window_; }
  HWND label() const { return label_; }

  void setText(std::string_view text, CodePage codePage) override;
  void setLeft(int32_t x) override;
  void setTop(int32_t y) override;
  void raise() override;
  void setFontName(std::string_view name) override;
  void setFontSize(int32_t points) override;
  void setWidth(int32_t pixels) override;
  void setCentred(bool centred) override;
  void setShadow(bool shadow) override;
  void setVisible(bool visible) override;

 private:
  OverlayWindow() = default;

  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleLabelMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool createWindows(HINSTANCE instance);
  void makeLayered();
  void paintLabel();
  void drawText(HDC dc, const RECT& area);
  void remakeFont();
  void moveTo(int x, int y);
  void redrawLabel();

  HWND window_ = nullptr;
  HWND label_ = nullptr;
  std::wstring fontFace_ = L"黑体";
  int32_t fontPoints_ = 36;
  BYTE charSet_ = GB2312_CHARSET;
  bool centred_ = true;
  bool shadow_ = false;
  OwnedFont font_;
};
