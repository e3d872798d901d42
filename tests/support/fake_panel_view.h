#pragma once
// A control panel held in memory: sliders clamp like the real ones, and every text the
// behaviour puts on a control is kept in UTF-8 for easy comparison.
#include <map>
#include <string>

#include "app/panel_view.h"
#include "app/settings.h"
#include "encoding/code_page.h"

class FakePanelView final : public PanelView {
 public:
  int32_t sliderPosition(PanelSlider slider) const override { return positions.at(slider); }
  void setSliderPosition(PanelSlider slider, int32_t position) override {
    positions[slider] = rangeOf(slider).clamp(position);
  }
  bool isChecked(PanelCheckBox box) const override { return checks.at(box); }
  void setChecked(PanelCheckBox box, bool checked) override { checks[box] = checked; }

  void setCaption(PanelCaption control, std::u16string_view text) override {
    captions[control] = utf16UnitsToUtf8(text);
  }
  void setValueLabel(PanelSlider slider, std::u16string_view text) override {
    valueLabels[slider] = utf16UnitsToUtf8(text);
  }
  void setTooltips(std::u16string_view fontBox, std::u16string_view delayBox) override {
    fontTooltip = utf16UnitsToUtf8(fontBox);
    delayTooltip = utf16UnitsToUtf8(delayBox);
  }
  void setFileFilter(std::u16string_view description) override {
    fileFilter = utf16UnitsToUtf8(description);
  }

  std::string fontBoxText() const override { return fontBox; }
  void setFontBoxText(std::string_view text) override { fontBox = text; }
  void setFontBoxFace(std::string_view face) override { fontBoxFace = face; }
  std::string delayBoxText() const override { return delayBox; }

  int32_t displayTimerPeriod() const override { return timerPeriod; }
  void setDisplayTimerPeriod(int32_t periodMs) override { timerPeriod = periodMs; }

  static SliderRange rangeOf(PanelSlider slider) {
    switch (slider) {
      case PanelSlider::FONT_SIZE: return FONT_SIZE_SLIDER_RANGE;
      case PanelSlider::WIDTH: return WIDTH_SLIDER_RANGE;
      case PanelSlider::LEFT: return LEFT_SLIDER_RANGE;
      case PanelSlider::TOP: break;
    }
    return TOP_SLIDER_RANGE;
  }

  // The window description's initial contents.
  std::map<PanelSlider, int32_t> positions = {{PanelSlider::FONT_SIZE, 18},
                                              {PanelSlider::WIDTH, 1920},
                                              {PanelSlider::LEFT, 0},
                                              {PanelSlider::TOP, 1000}};
  std::map<PanelCheckBox, bool> checks = {{PanelCheckBox::CENTRED, false},
                                          {PanelCheckBox::SHADOW, false}};
  std::map<PanelCaption, std::string> captions;
  std::map<PanelSlider, std::string> valueLabels;
  std::string fontTooltip, delayTooltip, fileFilter;
  std::string fontBox = "\xBA\xDA\xCC\xE5";  // 黑体 in GBK
  std::string fontBoxFace;
  std::string delayBox = "0";
  int32_t timerPeriod = 0;
};
