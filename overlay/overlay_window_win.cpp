#include "overlay/overlay_window_win.h"

#include <algorithm>

#include "overlay/wide_text_win.h"
#include "overlay/window_dpi_win.h"

namespace {

constexpr UINT_PTR RAISE_TIMER_ID = 1;
constexpr int LABEL_DESIGN_WIDTH = 1680;

// The shadow is a black outline this many pixels thick around the white text (at least
// one), so the text reads over white pictures as well as black ones.
int outlineThickness(int fontHeightPx) { return std::max(1, fontHeightPx / 24); }

// The charset the font is asked for: the script of the text shown, so that the system's
// font mapper picks a face that has its characters when the named face is missing.
BYTE charSetFor(CodePage codePage) {
  switch (static_cast<int>(codePage)) {
    case static_cast<int>(CodePage::GBK):
      return GB2312_CHARSET;
    case static_cast<int>(CodePage::BIG5):
      return CHINESEBIG5_CHARSET;
    default:
      return DEFAULT_CHARSET;
  }
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  if (GetClassInfoExW(instance, name, &windowClass)) return true;
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.lpszClassName = name;
  return RegisterClassExW(&windowClass) != 0;
}

void fillWithKeyColour(HDC dc, const RECT& area) {
  SetDCBrushColor(dc, OVERLAY_KEY_COLOUR);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace

std::unique_ptr<OverlayWindow> OverlayWindow::load(HINSTANCE instance,
                                                   const OverlaySettings& settings) {
  std::unique_ptr<OverlayWindow> overlay(new OverlayWindow());
  if (!overlay->createWindows(instance)) return nullptr;
  overlay->makeLayered();
  layOutOverlay(*overlay, settings);
  ShowWindow(overlay->window_, SW_SHOWNOACTIVATE);
  return overlay;
}

OverlayWindow::~OverlayWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool OverlayWindow::createWindows(HINSTANCE instance) {
  if (!registerClass(instance, OVERLAY_WINDOW_CLASS, windowProcedure) ||
      !registerClass(instance, OVERLAY_LABEL_CLASS, labelProcedure)) {
    return false;
  }
  // Not layered yet: the creation steps add that style, as the design has it.
  CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT, OVERLAY_WINDOW_CLASS,
                  L"", WS_POPUP, 50, 50, OVERLAY_WIDTH, OVERLAY_HEIGHT, nullptr, nullptr,
                  instance, this);
  if (window_ == nullptr) return false;
  // The label's window text is always the text shown: empty from the start.
  CreateWindowExW(0, OVERLAY_LABEL_CLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, LABEL_DESIGN_WIDTH,
                  OVERLAY_HEIGHT, window_, nullptr, instance, this);
  if (label_ == nullptr) return false;
  remakeFont();
  return true;
}

void OverlayWindow::makeLayered() {
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_EXSTYLE);
  SetWindowLongPtrW(window_, GWL_EXSTYLE, style | WS_EX_LAYERED);
  SetLayeredWindowAttributes(window_, OVERLAY_KEY_COLOUR, 0, LWA_COLORKEY);
}

LRESULT CALLBACK OverlayWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* overlay = static_cast<OverlayWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    overlay->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(overlay));
  }
  auto* overlay = reinterpret_cast<OverlayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (overlay == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    overlay->window_ = nullptr;
    overlay->label_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return overlay->handleWindowMessage(message, wParam, lParam);
}

LRESULT CALLBACK OverlayWindow::labelProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* overlay = static_cast<OverlayWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    overlay->label_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(overlay));
  }
  auto* overlay = reinterpret_cast<OverlayWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (overlay == nullptr || message == WM_NCDESTROY) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return overlay->handleLabelMessage(message, wParam, lParam);
}

LRESULT OverlayWindow::handleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(window_, &area);
      fillWithKeyColour(reinterpret_cast<HDC>(wParam), area);
      return 1;
    }
    case WM_TIMER:
      if (wParam == RAISE_TIMER_ID) {
        raise();
        return 0;
      }
      break;
    case WM_DPICHANGED:
      remakeFont();
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT OverlayWindow::handleLabelMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole label
    case WM_PAINT:
      paintLabel();
      return 0;
  }
  return DefWindowProcW(label_, message, wParam, lParam);
}

void OverlayWindow::paintLabel() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(label_, &paint);
  RECT area;
  GetClientRect(label_, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  // Drawn off screen and copied in one piece, so the outline passes never flicker.
  MemoryDc buffer(dc);
  OwnedBitmap bitmap(CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1)));
  if (buffer.get() != nullptr && bitmap) {
    {
      SelectedObject selected(buffer.get(), bitmap.get());
      drawText(buffer.get(), area);
      BitBlt(dc, 0, 0, width, height, buffer.get(), 0, 0, SRCCOPY);
    }
  } else {
    drawText(dc, area);
  }
  EndPaint(label_, &paint);
}

// Background in the key colour, text without anti-aliasing: every pixel is either exactly
// the key colour or exactly the text's or the shadow's, so no grey fringe is left.
void OverlayWindow::drawText(HDC dc, const RECT& area) {
  fillWithKeyColour(dc, area);
  const std::wstring text = windowText(label_);
  if (text.empty()) return;
  SelectedObject selected(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | (centred_ ? DT_CENTER : DT_LEFT);
  RECT textArea = area;
  if (shadow_) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int thickness = outlineThickness(metrics.tmHeight);
    SetTextColor(dc, SHADOW_COLOUR);
    for (int dy = -thickness; dy <= thickness + 1; ++dy) {
      for (int dx = -thickness; dx <= thickness + 1; ++dx) {
        if (dx == 0 && dy == 0) continue;
        RECT shifted = textArea;
        OffsetRect(&shifted, dx, dy);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
      }
    }
  }
  SetTextColor(dc, SUBTITLE_COLOUR);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea, format);
}

void OverlayWindow::remakeFont() {
  LOGFONTW face{};
  face.lfHeight = -MulDiv(fontPoints_, windowDpi(window_), 72);
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = charSet_;
  face.lfOutPrecision = OUT_DEFAULT_PRECIS;
  face.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  face.lfQuality = NONANTIALIASED_QUALITY;
  face.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  // A face name longer than LOGFONT holds is cut; the font mapper matches what is left.
  fontFace_.copy(face.lfFaceName, LF_FACESIZE - 1);
  OwnedFont font(CreateFontIndirectW(&face));
  if (!font) return;
  font_ = std::move(font);
  redrawLabel();
}

void OverlayWindow::redrawLabel() {
  if (label_ != nullptr) InvalidateRect(label_, nullptr, FALSE);
}

void OverlayWindow::moveTo(int x, int y) {
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OverlayWindow::setText(std::string_view text, CodePage codePage) {
  const std::wstring wide = wideFromCodePage(text, codePage);
  if (!wide.empty()) {
    const BYTE charSet = charSetFor(codePage);
    if (charSet != charSet_) {
      charSet_ = charSet;
      remakeFont();
    }
  }
  SetWindowTextW(label_, wide.c_str());
  redrawLabel();
  if (wide.empty()) {
    KillTimer(window_, RAISE_TIMER_ID);
  } else {
    SetTimer(window_, RAISE_TIMER_ID, RAISE_PERIOD_MS, nullptr);
  }
}

void OverlayWindow::setLeft(int32_t x) {
  RECT place;
  GetWindowRect(window_, &place);
  moveTo(x, place.top);
}

void OverlayWindow::setTop(int32_t y) {
  RECT place;
  GetWindowRect(window_, &place);
  moveTo(place.left, y);
}

void OverlayWindow::raise() {
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void OverlayWindow::setFontName(std::string_view name) {
  fontFace_ = wideFromAnsi(name);
  remakeFont();
}

void OverlayWindow::setFontSize(int32_t points) {
  fontPoints_ = points;
  remakeFont();
}

void OverlayWindow::setWidth(int32_t pixels) {
  SetWindowPos(label_, nullptr, 0, 0, std::max<int32_t>(pixels, 0), OVERLAY_HEIGHT,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  redrawLabel();
}

void OverlayWindow::setCentred(bool centred) {
  centred_ = centred;
  redrawLabel();
}

void OverlayWindow::setShadow(bool shadow) {
  shadow_ = shadow;
  redrawLabel();
}

void OverlayWindow::setVisible(bool visible) {
  ShowWindow(window_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}
