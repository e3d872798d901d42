#include "app/control_panel.h"

#include <string>

#include "encoding/code_page.h"

namespace {

constexpr int32_t CLOSING_PAUSE_MS = 200;

struct SliderInfo {
  std::string_view setting;
  UiTextIndex labelPrefix;
};

SliderInfo infoOf(PanelSlider slider) {
  switch (slider) {
    case PanelSlider::FONT_SIZE: return {SIZE_SETTING, FONT_SIZE_PREFIX_TEXT};
    case PanelSlider::WIDTH: return {WIDTH_SETTING, WIDTH_PREFIX_TEXT};
    case PanelSlider::LEFT: return {LEFT_SETTING, LEFT_PREFIX_TEXT};
    case PanelSlider::TOP: break;
  }
  return {TOP_SETTING, TOP_PREFIX_TEXT};
}

// Captions in the order they are applied, with the text each takes.
constexpr struct {
  PanelCaption control;
  UiTextIndex text;
} CAPTIONS[] = {
    {PanelCaption::PLAYER_GROUP, PLAYER_GROUP_TEXT},
    {PanelCaption::POWERDVD_MODE, POWERDVD_MODE_TEXT},
    {PanelCaption::UNIVERSAL_MODE, UNIVERSAL_MODE_TEXT},
    {PanelCaption::SELECT_AND_START, SELECT_AND_START_TEXT},
    {PanelCaption::HELP_BUTTON, HELP_BUTTON_TEXT},
    {PanelCaption::FONT_LABEL, FONT_LABEL_TEXT},
    {PanelCaption::DELAY_LABEL, DELAY_LABEL_TEXT},
    {PanelCaption::CENTRED, CENTRED_TEXT},
    {PanelCaption::SHADOW, SHADOW_TEXT},
};

constexpr struct {
  PanelCaption control;
  UiTextIndex text;
} LATE_CAPTIONS[] = {
    {PanelCaption::WINDOW_TITLE, WINDOW_TITLE_TEXT},
    {PanelCaption::UPDATE_LINK, UPDATE_LINK_TEXT},
    {PanelCaption::ADJUST_TOOL_LINK, ADJUST_TOOL_LINK_TEXT},
    {PanelCaption::FORUM_LINK, FORUM_LINK_TEXT},
};

std::u16string asciiDigits(int32_t number) {
  const std::string digits = std::to_string(number);
  return {digits.begin(), digits.end()};
}

}  // namespace

ControlPanel::ControlPanel(ProgramState& state, PanelView& view, SettingsStore& settings,
                           PlayerMemory& playerMemory, TickSource& ticks)
    : state_(state), view_(view), settings_(settings), playerMemory_(playerMemory), ticks_(ticks) {}

std::u16string ControlPanel::uiText(UiTextIndex index) const {
  const CodePage codePage = state_.languageMode == LanguageMode::TRADITIONAL_CHINESE
                                ? CodePage::BIG5
                                : CodePage::GBK;  // English texts are ASCII
  return decodeCodePage(codePage, state_.uiTexts[index]);
}

std::u16string ControlPanel::valueLabelText(PanelSlider slider) const {
  const int32_t position = view_.sliderPosition(slider);
  return uiText(infoOf(slider).labelPrefix) +
         asciiDigits(slider == PanelSlider::FONT_SIZE ? 2 * position : position);
}

void ControlPanel::loadCheckBoxes() {
  const ControlSettings stored = loadSettings(settings_, "", 0);
  view_.setChecked(PanelCheckBox::CENTRED, stored.centred);
  view_.setChecked(PanelCheckBox::SHADOW, stored.shadow);
}

void ControlPanel::applyLanguage(uint16_t systemLangId) {
  state_.systemLangId = systemLangId;
  state_.languageMode = chooseLanguage(systemLangId);
  state_.uiTexts = fillInterfaceTexts(state_.languageMode, state_.textEncoder);
  for (const auto& [control, text] : CAPTIONS) view_.setCaption(control, uiText(text));
  for (PanelSlider slider : {PanelSlider::FONT_SIZE, PanelSlider::LEFT, PanelSlider::WIDTH,
                             PanelSlider::TOP}) {
    view_.setValueLabel(slider, uiText(infoOf(slider).labelPrefix));
  }
  view_.setFileFilter(uiText(FILE_FILTER_TEXT));
  for (const auto& [control, text] : LATE_CAPTIONS) view_.setCaption(control, uiText(text));
  view_.setTooltips(uiText(FONT_TOOLTIP_TEXT), uiText(DELAY_TOOLTIP_TEXT));
}

void ControlPanel::loadControls(int32_t screenHeightPx) {
  const ControlSettings stored =
      loadSettings(settings_, state_.uiTexts[DEFAULT_FONT_TEXT], screenHeightPx);
  state_.playerMode = stored.playerMode;
  view_.setFontBoxText(stored.font);
  view_.setFontBoxFace(stored.font);
  view_.setSliderPosition(PanelSlider::LEFT, stored.leftPosition);
  view_.setSliderPosition(PanelSlider::TOP, stored.topPosition);
  view_.setSliderPosition(PanelSlider::WIDTH, stored.widthPosition);
  view_.setSliderPosition(PanelSlider::FONT_SIZE, stored.fontSizePosition);
  for (PanelSlider slider : {PanelSlider::WIDTH, PanelSlider::LEFT, PanelSlider::TOP,
                             PanelSlider::FONT_SIZE}) {
    view_.setValueLabel(slider, valueLabelText(slider));
  }
}

void ControlPanel::onCentredClicked() {
  const bool checked = view_.isChecked(PanelCheckBox::CENTRED);
  writeCheckBoxSetting(settings_, CENTRED_SETTING, checked);
  if (overlay_) overlay_->setCentred(checked);
}

void ControlPanel::onShadowClicked() {
  const bool checked = view_.isChecked(PanelCheckBox::SHADOW);
  writeCheckBoxSetting(settings_, SHADOW_SETTING, checked);
  if (overlay_) overlay_->setShadow(checked);
}

void ControlPanel::onFontBoxChanged() {
  const std::string font = view_.fontBoxText();
  writeFontSetting(settings_, font);
  view_.setFontBoxFace(font);
  if (overlay_) overlay_->setFontName(font);
}

void ControlPanel::onDelayBoxChanged() {
  state_.clock.delayMs = parseSettingNumber(view_.delayBoxText());
}

void ControlPanel::onSliderChanged(PanelSlider slider) {
  const int32_t position = view_.sliderPosition(slider);
  if (slider == PanelSlider::FONT_SIZE) {
    writeFontSizeSetting(settings_, position);
  } else {
    writeSliderSetting(settings_, infoOf(slider).setting, position);
  }
  view_.setValueLabel(slider, valueLabelText(slider));
  switch (slider) {
    case PanelSlider::FONT_SIZE:
      if (overlay_) overlay_->setFontSize(2 * position);
      applyLineMetrics(state_, position, view_.sliderPosition(PanelSlider::WIDTH));
      break;
    case PanelSlider::WIDTH:
      if (overlay_) overlay_->setWidth(position);
      applyLineMetrics(state_, view_.sliderPosition(PanelSlider::FONT_SIZE), position);
      break;
    case PanelSlider::LEFT:
      if (overlay_) overlay_->setLeft(position);
      break;
    case PanelSlider::TOP:
      if (overlay_) overlay_->setTop(position);
      break;
  }
}

void ControlPanel::attachOverlay(OverlayView* overlay) {
  overlay_ = overlay;
  state_.overlayLoaded = overlay != nullptr ? 1 : 0;
}

OverlaySettings ControlPanel::overlaySettings() const {
  return {view_.fontBoxText(),
          view_.sliderPosition(PanelSlider::FONT_SIZE),
          view_.sliderPosition(PanelSlider::WIDTH),
          view_.sliderPosition(PanelSlider::LEFT),
          view_.sliderPosition(PanelSlider::TOP),
          view_.isChecked(PanelCheckBox::CENTRED),
          view_.isChecked(PanelCheckBox::SHADOW)};
}

DisplayLayout ControlPanel::displayLayout() const {
  return {state_.lineMetrics.lineChars, state_.lineMetrics.lineHeight, state_.screenHeight,
          view_.sliderPosition(PanelSlider::LEFT), view_.sliderPosition(PanelSlider::TOP)};
}

void ControlPanel::displayTick() {
  if (!overlay_) return;
  updatePlaybackClock(state_.clock,
                      {playerMemory_, ticks_, state_.playerPid, state_.timeBlockAddress});
  const DisplayOutcome outcome =
      selectDisplayCue(state_.clock.displayTime, state_.track, state_.display, displayLayout());
  applyDisplayOutcome(outcome, state_.track, static_cast<CodePage>(state_.subtitleCodePage),
                      *overlay_);
}

std::string ControlPanel::close(std::string_view chosenFile, const FolderLister& folders,
                                MessagePump& pump, OverlayHost& overlays) {
  std::string folder = saveDirectorySetting(settings_, chosenFile, folders);
  if (overlay_) {
    view_.setDisplayTimerPeriod(0);
    pump.pauseMs(CLOSING_PAUSE_MS);
    overlays.destroyOverlay();
    overlay_ = nullptr;  // overlayLoaded stays as it was: the program is ending
  }
  return folder;
}

void ControlPanel::nudgeSlider(PanelSlider slider, int32_t step) {
  view_.setSliderPosition(slider, view_.sliderPosition(slider) + step);
  onSliderChanged(slider);
}

void ControlPanel::fontSizeUp() { nudgeSlider(PanelSlider::FONT_SIZE, +1); }
void ControlPanel::fontSizeDown() { nudgeSlider(PanelSlider::FONT_SIZE, -1); }
void ControlPanel::positionDown() { nudgeSlider(PanelSlider::TOP, +1); }
void ControlPanel::positionUp() { nudgeSlider(PanelSlider::TOP, -1); }

void ControlPanel::toggleSubtitles() {
  if (!overlay_) return;
  const bool hidden = view_.displayTimerPeriod() == 0;
  view_.setDisplayTimerPeriod(hidden ? DISPLAY_PERIOD_MS : 0);
  overlay_->setVisible(hidden);
}

void applyDisplayOutcome(const DisplayOutcome& outcome, const SubtitleTrack& track,
                         CodePage codePage, OverlayView& overlay) {
  switch (outcome.action) {
    case DisplayAction::none:
      return;
    case DisplayAction::show: {
      overlay.setLeft(outcome.left);
      if (outcome.moveTop) overlay.setTop(outcome.top);
      const std::string_view text = track.text(outcome.cue);
      overlay.setText(text.substr(0, text.find('\0')), codePage);
      overlay.raise();
      return;
    }
    case DisplayAction::clear:
      overlay.setText({}, codePage);
      overlay.setTop(outcome.top);
      return;
  }
}
