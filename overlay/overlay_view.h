#pragma once
// The overlay window as the portable core sees it: the operations other parts act on it
// through. The Win32 window implements it; tests record the calls.
#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/code_page.h"

class OverlayView {
 public:
  virtual ~OverlayView() = default;

  // Text of the label 字幕 in `codePage` (CR LF between lines); empty shows nothing.
  virtual void setText(std::string_view text, CodePage codePage) = 0;
  virtual void setLeft(int32_t x) = 0;  // screen pixels
  virtual void setTop(int32_t y) = 0;   // screen pixels
  // Top of the topmost layer, without moving, sizing or activating it.
  virtual void raise() = 0;
  // Font face in the system's ANSI code page, as the settings hold it.
  virtual void setFontName(std::string_view name) = 0;
  virtual void setFontSize(int32_t points) = 0;
  virtual void setWidth(int32_t pixels) = 0;  // of the label
  virtual void setCentred(bool centred) = 0;
  virtual void setShadow(bool shadow) = 0;
  virtual void setVisible(bool visible) = 0;
};

// What the overlay is laid out from when it is created: the control panel's values.
struct OverlaySettings {
  std::string fontName;          // 编辑框1
  int32_t fontSizePosition = 0;  // 滑块条1; the font is twice this in points
  int32_t widthPosition = 0;     // 滑块条2
  int32_t leftPosition = 0;      // 滑块条3
  int32_t topPosition = 0;       // 滑块条4
  bool centred = true;           // 选择框1
  bool shadow = false;           // 选择框2
};

// The overlay's creation steps after the layered style and colour key: font name, font
// size, top, left, width, then centring only when off and shadow only when on (the label
// starts centred and without effect).
void layOutOverlay(OverlayView& overlay, const OverlaySettings& settings);
