#pragma once
// The control panel MainWindow as the portable core sees it. The Win32 window implements
// it; tests record the calls. Captions and messages are Unicode; the font and delay boxes
// hold text in the system's ANSI code page, as the settings store keeps it.
#include <cstdint>
#include <string>
#include <string_view>

enum class PanelSlider {
  FONT_SIZE,  // 滑块条1, 4 to 36: half the font size in points
  WIDTH,      // 滑块条2, 0 to 2560
  LEFT,       // 滑块条3, 0 to 2560
  TOP,        // 滑块条4, 0 to 1440
};

enum class PanelCheckBox {
  CENTRED,  // 选择框1
  SHADOW,   // 选择框2
};

// Controls whose caption comes from the interface texts.
enum class PanelCaption {
  PLAYER_GROUP,       // 分组框1
  POWERDVD_MODE,      // 单选框1
  UNIVERSAL_MODE,     // 单选框2
  SELECT_AND_START,   // 按钮3
  HELP_BUTTON,        // 按钮1
  FONT_LABEL,         // 标签1
  DELAY_LABEL,        // 标签6
  CENTRED,            // 选择框1
  SHADOW,             // 选择框2
  WINDOW_TITLE,       // MainWindow
  UPDATE_LINK,        // 透明标签2
  ADJUST_TOOL_LINK,   // 透明标签1
  FORUM_LINK,         // 透明标签3
};

class PanelView {
 public:
  virtual ~PanelView() = default;

  // Setting a position or a check mark runs no handler; a position outside the slider's
  // range is clamped by the slider.
  virtual int32_t sliderPosition(PanelSlider slider) const = 0;
  virtual void setSliderPosition(PanelSlider slider, int32_t position) = 0;
  virtual bool isChecked(PanelCheckBox box) const = 0;
  virtual void setChecked(PanelCheckBox box, bool checked) = 0;

  virtual void setCaption(PanelCaption control, std::u16string_view text) = 0;
  // The value label beside `slider` (标签3, 标签5, 标签4, 标签2).
  virtual void setValueLabel(PanelSlider slider, std::u16string_view text) = 0;
  // Tooltips of the font box (编辑框1) and the delay box (编辑框2).
  virtual void setTooltips(std::u16string_view fontBox, std::u16string_view delayBox) = 0;
  // The open-file dialog's filter: one description and the pattern *.srt.
  virtual void setFileFilter(std::u16string_view description) = 0;

  virtual std::string fontBoxText() const = 0;
  // Sets the box's text without running its change handler.
  virtual void setFontBoxText(std::string_view text) = 0;
  // The face the font box shows its own text in.
  virtual void setFontBoxFace(std::string_view face) = 0;
  virtual std::string delayBoxText() const = 0;

  // Period of the display timer 时钟1 in milliseconds; 0 stops it.
  virtual int32_t displayTimerPeriod() const = 0;
  virtual void setDisplayTimerPeriod(int32_t periodMs) = 0;
};
