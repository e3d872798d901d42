#pragma once
// MainWindow: the control panel. It shows the controls, implements the panel's view and
// forwards every event to ControlPanel, which holds the behaviour.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/control_panel.h"
#include "app/window_services.h"
#include "app/panel_controls.h"
#include "overlay/gdi_object_win.h"
#include "overlay/overlay_window_win.h"
#include "player/player_memory_win.h"
#include "player/tick_source_win.h"

// The pages the link labels open, in the user's default browser.
inline constexpr wchar_t ADJUST_TOOL_PAGE[] = L"https://weibo.com/2683151207/zaqRkDvXB";  // 透明标签1
inline constexpr wchar_t UPDATE_PAGE[] = L"https://weibo.com/2683151207/zbwPn1JhC";       // 透明标签2
inline constexpr wchar_t FORUM_PAGE[] = L"https://bbs.brackenfold.com/";                  // 透明标签3

class MainWindow final : public PanelView, public OverlayHost {
 public:
  // The display tick reads the player through `playerMemory`; without one, through the
  // Win32 process-memory calls.
  MainWindow(ProgramState& state, SettingsStore& settings);
  MainWindow(ProgramState& state, SettingsStore& settings, PlayerMemory& playerMemory);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow() override;

  // Creates and shows the window; its creation runs the control panel's creation sequence.
  // False when the window cannot be created.
  bool create(HINSTANCE instance);
  HWND handle() const { return window_; }

  ControlPanel& controlPanel() { return panel_; }

  // OverlayHost: the one OverlayWindow. Loading replaces an earlier overlay; neither
  // attaches the overlay to the control panel nor detaches it.
  OverlayView* loadOverlay(const OverlaySettings& settings) override;
  void destroyOverlay() override;
  OverlayWindow* overlay() const { return overlay_.get(); }

  // Run while the panel is created, when the hotkeys are registered.
  std::function<void(ControlPanel&)> onRegisterHotkeys;
  // Run by 按钮3 (select and start).
  std::function<void(MainWindow&)> onSelectAndStart;
  // The open-file dialog's last file name (the full path of the chosen subtitle file, in the
  // system's ANSI code page), which closing stores the folder of.
  std::string dialogFileName;
  // The open-file dialog's filter: description, NUL, pattern, NUL, NUL.
  const std::wstring& fileFilter() const { return fileFilter_; }

  // PanelView.
  int32_t sliderPosition(PanelSlider slider) const override;
  void setSliderPosition(PanelSlider slider, int32_t position) override;
  bool isChecked(PanelCheckBox box) const override;
  void setChecked(PanelCheckBox box, bool checked) override;
  void setCaption(PanelCaption control, std::u16string_view text) override;
  void setValueLabel(PanelSlider slider, std::u16string_view text) override;
  void setTooltips(std::u16string_view fontBox, std::u16string_view delayBox) override;
  void setFileFilter(std::u16string_view description) override;
  std::string fontBoxText() const override;
  void setFontBoxText(std::string_view text) override;
  void setFontBoxFace(std::string_view face) override;
  std::string delayBoxText() const override;
  int32_t displayTimerPeriod() const override { return displayTimerPeriod_; }
  void setDisplayTimerPeriod(int32_t periodMs) override;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK linkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK delayBoxProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void onCreate();
  void onCommand(int id, int code);
  void onSliderScrolled(HWND slider);
  void onLinkPressed(HWND link);
  void onClose();
  void onDpiChanged(int dpi, const RECT& suggested);
  LRESULT onStaticColour(HDC dc, HWND control);

  void createControls();
  void createTooltips();
  void layOut();
  void makeFonts();
  void applyFonts();
  void pasteIntoDelayBox();
  void filterDelayBox();
  void showUsage();

  HWND control(PanelControlId id) const;
  HWND sliderControl(PanelSlider slider) const;
  bool isLinkLabel(HWND window) const;
  void redrawBehind(HWND control);

  void dropOverlay();

  ProgramState& state_;
  SettingsStore& settings_;
  Win32PlayerMemory win32PlayerMemory_;
  PlayerMemory& playerMemory_;
  Win32TickSource ticks_;
  ControlPanel panel_;
  std::unique_ptr<OverlayWindow> overlay_;

  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  int dpi_ = 96;
  OwnedFont uiFont_;
  OwnedFont linkFont_;
  OwnedFont fontBoxFont_;
  std::wstring fontBoxFace_;
  std::wstring fontTooltip_;
  std::wstring delayTooltip_;
  std::wstring fileFilter_;
  // Positions the sliders last reported, so a scroll message that moved nothing runs no
  // handler.
  std::array<int32_t, 4> reportedPositions_{};
  std::array<bool, 3> linkUsed_{};
  int32_t displayTimerPeriod_ = 0;
  bool settingFontBox_ = false;
  bool filteringDelayBox_ = false;
  bool closing_ = false;
};

// Runs the message loop of the thread until WM_QUIT, with Tab moving between the panel's
// controls; returns the exit code WM_QUIT carries.
int runMessageLoop(HWND panel);
