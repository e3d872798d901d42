#pragma once
// The control panel's behaviour, over its view: creation, the handler of each control, the
// display tick and the overlay it drives. Windows forward their events here and hold no
// logic of their own.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/panel_view.h"
#include "app/program_state.h"
#include "app/settings.h"
#include "app/settings_store.h"
#include "app/window_services.h"
#include "overlay/display_tick.h"
#include "overlay/overlay_view.h"
#include "player/playback_clock.h"

// Period of the display timer 时钟1 while a track is shown.
inline constexpr int32_t DISPLAY_PERIOD_MS = 50;

class ControlPanel {
 public:
  // The clock reads the player through `playerMemory` and times with `ticks`.
  ControlPanel(ProgramState& state, PanelView& view, SettingsStore& settings,
               PlayerMemory& playerMemory, TickSource& ticks);

  // MainWindow's creation after the visual styles: reads the check boxes, underlines the
  // links (the view's business), calls `registerHotkeys`, fills and applies the interface
  // texts for `systemLangId`, loads the remaining settings and fills the value labels.
  template <typename RegisterHotkeys>
  void create(uint16_t systemLangId, int32_t screenHeightPx, RegisterHotkeys registerHotkeys) {
    loadCheckBoxes();
    registerHotkeys();
    applyLanguage(systemLangId);
    loadControls(screenHeightPx);
  }

  // Handlers of the controls.
  void onCentredClicked();
  void onShadowClicked();
  void onFontBoxChanged();
  void onDelayBoxChanged();
  void onSliderChanged(PanelSlider slider);

  // The overlay the handlers forward to; null while none is loaded. Sets overlayLoaded.
  void attachOverlay(OverlayView* overlay);
  OverlayView* overlay() const { return overlay_; }

  // What a new overlay is laid out from, read from the controls now.
  OverlaySettings overlaySettings() const;
  // The display tick's layout: line metrics, screen height and the base left and top read
  // from the sliders now.
  DisplayLayout displayLayout() const;

  // One display tick: the clock step, the cue selection, and the outcome applied to the
  // overlay. Does nothing while no overlay is loaded.
  void displayTick();

  // MainWindow about to be destroyed: stores the folder of `chosenFile` (the dialog's last
  // file) when it exists, then, with an overlay loaded, stops the display timer, lets
  // messages run for 200 ms and destroys the overlay. Returns the dialog's new file name.
  std::string close(std::string_view chosenFile, const FolderLister& folders, MessagePump& pump,
                    OverlayHost& overlays);

  // Hotkey actions: move a slider by one step and run its handler, or hide and show.
  void fontSizeUp();
  void fontSizeDown();
  void positionDown();
  void positionUp();
  void toggleSubtitles();

  // An interface text as Unicode, from the code page of the language in force.
  std::u16string uiText(UiTextIndex index) const;
  // The caption of a value label: its prefix and the number in plain decimal.
  std::u16string valueLabelText(PanelSlider slider) const;

  ProgramState& state() { return state_; }
  PanelView& view() { return view_; }
  SettingsStore& settings() { return settings_; }

 private:
  void loadCheckBoxes();
  void applyLanguage(uint16_t systemLangId);
  void loadControls(int32_t screenHeightPx);
  void nudgeSlider(PanelSlider slider, int32_t step);

  ProgramState& state_;
  PanelView& view_;
  SettingsStore& settings_;
  PlayerMemory& playerMemory_;
  TickSource& ticks_;
  OverlayView* overlay_ = nullptr;
};

// Applies one tick's outcome to the overlay in the order the outcome gives: show moves
// the left edge, the top when lifted, sets the text and raises; clear empties the text and
// puts the top back.
void applyDisplayOutcome(const DisplayOutcome& outcome, const SubtitleTrack& track,
                         CodePage codePage, OverlayView& overlay);
