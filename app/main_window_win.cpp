#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/delay_text.h"
#include "app/message_pause_win.h"
#include "app/panel_layout.h"
#include "overlay/wide_text_win.h"
#include "overlay/window_dpi_win.h"

namespace {

constexpr UINT_PTR DISPLAY_TIMER_ID = 1;  // 时钟1
constexpr WORD PROGRAM_ICON_ID = 1;       // in quorvane.rc
constexpr UINT_PTR LINK_SUBCLASS_ID = 1;
constexpr UINT_PTR DELAY_BOX_SUBCLASS_ID = 2;
constexpr int SLIDER_PAGE_SIZE = 5;
constexpr int UI_FONT_POINTS = 9;
constexpr COLORREF LINK_COLOUR = RGB(0, 80, 200);
constexpr int TOOLTIP_WIDTH = 300;  // pixels at 96 DPI

constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct SliderDesign {
  PanelControlId id;
  SliderRange range;
  int position;
};

// Indexed by PanelSlider.
constexpr SliderDesign SLIDERS[] = {
    {PanelControlId::滑块条1, FONT_SIZE_SLIDER_RANGE, 18},
    {PanelControlId::滑块条2, WIDTH_SLIDER_RANGE, 1920},
    {PanelControlId::滑块条3, LEFT_SLIDER_RANGE, 0},
    {PanelControlId::滑块条4, TOP_SLIDER_RANGE, 1000},
};

struct LinkDesign {
  PanelControlId id;
  const wchar_t* address;
};

constexpr LinkDesign LINKS[] = {
    {PanelControlId::透明标签1, ADJUST_TOOL_PAGE},
    {PanelControlId::透明标签3, FORUM_PAGE},
    {PanelControlId::透明标签2, UPDATE_PAGE},
};

PanelControlId valueLabelOf(PanelSlider slider) {
  switch (slider) {
    case PanelSlider::FONT_SIZE:
      return PanelControlId::标签3;
    case PanelSlider::WIDTH:
      return PanelControlId::标签5;
    case PanelSlider::LEFT:
      return PanelControlId::标签4;
    case PanelSlider::TOP:
      break;
  }
  return PanelControlId::标签2;
}

PanelControlId checkBoxOf(PanelCheckBox box) {
  return box == PanelCheckBox::CENTRED ? PanelControlId::选择框1 : PanelControlId::选择框2;
}

PanelControlId captionControlOf(PanelCaption caption) {
  switch (caption) {
    case PanelCaption::PLAYER_GROUP:
      return PanelControlId::分组框1;
    case PanelCaption::POWERDVD_MODE:
      return PanelControlId::单选框1;
    case PanelCaption::UNIVERSAL_MODE:
      return PanelControlId::单选框2;
    case PanelCaption::SELECT_AND_START:
      return PanelControlId::按钮3;
    case PanelCaption::HELP_BUTTON:
      return PanelControlId::按钮1;
    case PanelCaption::FONT_LABEL:
      return PanelControlId::标签1;
    case PanelCaption::DELAY_LABEL:
      return PanelControlId::标签6;
    case PanelCaption::CENTRED:
      return PanelControlId::选择框1;
    case PanelCaption::SHADOW:
      return PanelControlId::选择框2;
    case PanelCaption::UPDATE_LINK:
      return PanelControlId::透明标签2;
    case PanelCaption::ADJUST_TOOL_LINK:
      return PanelControlId::透明标签1;
    case PanelCaption::FORUM_LINK:
    case PanelCaption::WINDOW_TITLE:
      break;
  }
  return PanelControlId::透明标签3;
}

const wchar_t* classOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::GROUP:
    case ControlKind::RADIO:
    case ControlKind::BUTTON:
    case ControlKind::CHECK:
      return WC_BUTTONW;
    case ControlKind::EDIT:
      return WC_EDITW;
    case ControlKind::SLIDER:
      return TRACKBAR_CLASSW;
    case ControlKind::LABEL:
    case ControlKind::LINK:
      break;
  }
  return WC_STATICW;
}

DWORD styleOf(const ControlDesign& design) {
  switch (design.kind) {
    case ControlKind::GROUP:
      return BS_GROUPBOX;
    case ControlKind::RADIO:
      // The first of the two starts their group, and with it the arrow keys' round.
      return BS_AUTORADIOBUTTON | WS_TABSTOP |
             (design.id == PanelControlId::单选框1 ? WS_GROUP : 0);
    case ControlKind::BUTTON:
      return BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
    case ControlKind::CHECK:
      return BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
    case ControlKind::EDIT:
      return ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
    case ControlKind::SLIDER:
      return TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP | WS_GROUP;
    case ControlKind::LABEL:
      return SS_LEFTNOWORDWRAP | SS_NOPREFIX;
    case ControlKind::LINK:
      break;
  }
  return SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY;
}


// The system's message font, at `dpi`.
OwnedFont makeUiFont(int dpi, bool underline, const std::wstring& face = {}) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTW font{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
      metrics.lfMessageFont.lfHeight != 0) {
    font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi());
  } else {
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = -MulDiv(UI_FONT_POINTS, dpi, 72);
  }
  font.lfWidth = 0;
  font.lfUnderline = underline ? TRUE : FALSE;
  if (!face.empty()) {
    font.lfFaceName[face.copy(font.lfFaceName, LF_FACESIZE - 1)] = L'\0';
    font.lfCharSet = DEFAULT_CHARSET;
  }
  return OwnedFont(CreateFontIndirectW(&font));
}

std::u16string unitsOf(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

std::wstring clipboardText(HWND owner) {
  std::wstring text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = units;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

MainWindow::MainWindow(ProgramState& state, SettingsStore& settings)
    : MainWindow(state, settings, win32PlayerMemory_) {}

MainWindow::MainWindow(ProgramState& state, SettingsStore& settings, PlayerMemory& playerMemory)
    : state_(state),
      settings_(settings),
      playerMemory_(playerMemory),
      panel_(state, *this, settings, playerMemory_, ticks_) {}

MainWindow::~MainWindow() {
  dropOverlay();
  if (window_ != nullptr) DestroyWindow(window_);
}

bool MainWindow::create(HINSTANCE instance) {
  instance_ = instance;
  WNDCLASSEXW windowClass{};
  if (!GetClassInfoExW(instance, MAIN_WINDOW_CLASS, &windowClass)) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(PROGRAM_ICON_ID));
    // The 16-pixel picture of the icon, rather than the large one shrunk, in the title bar.
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(PROGRAM_ICON_ID), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    if (RegisterClassExW(&windowClass) == 0) return false;
  }
  // The title the window description holds until the interface texts are applied.
  CreateWindowExW(0, MAIN_WINDOW_CLASS, L"Quorvanev1.3", WINDOW_STYLE, DESIGN_WINDOW.x,
                  DESIGN_WINDOW.y, DESIGN_WINDOW.width, DESIGN_WINDOW.height, nullptr, nullptr,
                  instance, this);
  if (window_ == nullptr) return false;
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
  return true;
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      onCreate();
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      if (lParam != 0) onSliderScrolled(reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == DISPLAY_TIMER_ID) {
        panel_.displayTick();
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      return onStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DPICHANGED:
      onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_DESTROY:
      KillTimer(window_, DISPLAY_TIMER_ID);
      dropOverlay();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

// The creation sequence: visual styles, the controls as designed, then the control panel's
// own creation (check boxes, hotkeys, interface texts, settings).
void MainWindow::onCreate() {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                     ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  dpi_ = windowDpi(window_);
  createControls();
  createTooltips();
  makeFonts();
  applyFonts();
  layOut();
  panel_.create(GetSystemDefaultLangID(), GetSystemMetrics(SM_CYSCREEN), [this] {
    if (onRegisterHotkeys) onRegisterHotkeys(panel_);
  });
  for (size_t slider = 0; slider < reportedPositions_.size(); ++slider) {
    reportedPositions_[slider] = sliderPosition(static_cast<PanelSlider>(slider));
  }
}

void MainWindow::createControls() {
  for (const ControlDesign& design : PANEL_CONTROLS) {
    const HWND created = CreateWindowExW(
        design.kind == ControlKind::EDIT ? WS_EX_CLIENTEDGE : 0, classOf(design.kind),
        wideFrom(design.text).c_str(), WS_CHILD | WS_VISIBLE | styleOf(design), design.place.x,
        design.place.y, design.place.width, design.place.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance_, nullptr);
    if (created == nullptr) continue;
    if (design.kind == ControlKind::LINK) {
      SetWindowSubclass(created, linkProcedure, LINK_SUBCLASS_ID, reinterpret_cast<DWORD_PTR>(this));
    }
  }
  for (const SliderDesign& design : SLIDERS) {
    const HWND slider = control(design.id);
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, design.range.min);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, design.range.max);
    SendMessageW(slider, TBM_SETLINESIZE, 0, 1);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, SLIDER_PAGE_SIZE);
    SendMessageW(slider, TBM_SETPOS, TRUE, design.position);
  }
  SendMessageW(control(PanelControlId::单选框1), BM_SETCHECK, BST_CHECKED, 0);
  const HWND delayBox = control(PanelControlId::编辑框2);
  SendMessageW(delayBox, EM_SETLIMITTEXT, static_cast<WPARAM>(DELAY_BOX_LIMIT), 0);
  SetWindowSubclass(delayBox, delayBoxProcedure, DELAY_BOX_SUBCLASS_ID,
                    reinterpret_cast<DWORD_PTR>(this));
}

// Balloons centred below the font and delay boxes, shown whenever the mouse is over them.
void MainWindow::createTooltips() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_BALLOON | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                             instance_, nullptr);
  if (tooltip_ == nullptr) return;
  for (const PanelControlId id : {PanelControlId::编辑框1, PanelControlId::编辑框2}) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_CENTERTIP;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control(id));
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void MainWindow::makeFonts() {
  uiFont_ = makeUiFont(dpi_, false);
  linkFont_ = makeUiFont(dpi_, true);
  fontBoxFont_ = fontBoxFace_.empty() ? OwnedFont() : makeUiFont(dpi_, false, fontBoxFace_);
}

void MainWindow::applyFonts() {
  for (const ControlDesign& design : PANEL_CONTROLS) {
    HFONT font = uiFont_.get();
    if (design.kind == ControlKind::LINK) {
      const size_t link = std::find_if(std::begin(LINKS), std::end(LINKS),
                                       [&](const LinkDesign& l) { return l.id == design.id; }) -
                          std::begin(LINKS);
      if (!linkUsed_[link]) font = linkFont_.get();
    } else if (design.id == PanelControlId::编辑框1 && fontBoxFont_) {
      font = fontBoxFont_.get();
    }
    SendMessageW(control(design.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  if (tooltip_ != nullptr) {
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), TRUE);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaleForDpi(TOOLTIP_WIDTH, dpi_));
  }
}

// Places the window and its controls for the DPI in force: the designed window size, grown
// where the frame leaves the controls too little client area.
void MainWindow::layOut() {
  const HDC dc = GetDC(window_);
  const PanelLayout layout = layOutPanel(dpi_, [&](PanelControlId id) -> int32_t {
    if (dc == nullptr) return 0;
    const std::wstring caption = windowText(control(id));
    const bool link = controlDesign(id).kind == ControlKind::LINK;
    const HFONT font = link ? linkFont_.get() : uiFont_.get();
    SelectedObject selected(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    return extent.cx;
  });
  if (dc != nullptr) ReleaseDC(window_, dc);
  for (const auto& [id, place] : layout.places) {
    SetWindowPos(control(id), nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT needed{0, 0, layout.clientWidth, layout.clientHeight};
  adjustWindowRectForDpi(needed, WINDOW_STYLE, 0, dpi_);
  const int width = std::max<int>(scaleForDpi(DESIGN_WINDOW.width, dpi_), needed.right - needed.left);
  const int height =
      std::max<int>(scaleForDpi(DESIGN_WINDOW.height, dpi_), needed.bottom - needed.top);
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  // The controls still use these until the new ones are set.
  const OwnedFont previousUi = std::move(uiFont_);
  const OwnedFont previousLink = std::move(linkFont_);
  const OwnedFont previousFontBox = std::move(fontBoxFont_);
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  makeFonts();
  applyFonts();
  layOut();
}

void MainWindow::onCommand(int id, int code) {
  switch (static_cast<PanelControlId>(id)) {
    case PanelControlId::选择框1:
      if (code == BN_CLICKED) panel_.onCentredClicked();
      break;
    case PanelControlId::选择框2:
      if (code == BN_CLICKED) panel_.onShadowClicked();
      break;
    case PanelControlId::编辑框1:
      if (code == EN_CHANGE && !settingFontBox_) panel_.onFontBoxChanged();
      break;
    case PanelControlId::编辑框2:
      if (code == EN_CHANGE && !filteringDelayBox_) {
        filterDelayBox();
        panel_.onDelayBoxChanged();
      }
      break;
    case PanelControlId::按钮3:
      if (code == BN_CLICKED && onSelectAndStart) onSelectAndStart(*this);
      break;
    case PanelControlId::按钮1:
      if (code == BN_CLICKED) showUsage();
      break;
    default:
      break;
  }
}

void MainWindow::onSliderScrolled(HWND slider) {
  for (size_t index = 0; index < std::size(SLIDERS); ++index) {
    if (control(SLIDERS[index].id) != slider) continue;
    const auto which = static_cast<PanelSlider>(index);
    const int32_t position = sliderPosition(which);
    if (position == reportedPositions_[index]) return;
    reportedPositions_[index] = position;
    panel_.onSliderChanged(which);
    return;
  }
}

// Shows the usage text with an empty title, only an OK button and no icon, without an owner
// and modal to the program.
void MainWindow::showUsage() {
  const std::wstring usage = wideFrom(panel_.uiText(USAGE_TEXT));
  MessageBoxW(nullptr, usage.c_str(), L"", MB_OK | MB_TASKMODAL);
}

// A link works once per run: it opens its page in the default browser (the outcome is not
// examined), then shows as disabled plain text with the arrow pointer.
void MainWindow::onLinkPressed(HWND link) {
  for (size_t index = 0; index < std::size(LINKS); ++index) {
    if (control(LINKS[index].id) != link || linkUsed_[index]) continue;
    ShellExecuteW(nullptr, L"open", LINKS[index].address, nullptr, nullptr, SW_SHOWNORMAL);
    linkUsed_[index] = true;
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont_.get()), FALSE);
    EnableWindow(link, FALSE);
    redrawBehind(link);
    return;
  }
}

LRESULT CALLBACK MainWindow::linkProcedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  switch (message) {
    case WM_SETCURSOR:
      if (IsWindowEnabled(window)) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      self->onLinkPressed(window);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, linkProcedure, LINK_SUBCLASS_ID);
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// The delay box takes, of typed characters, only digits and the minus sign; control keys
// pass. Pasted text keeps only those characters too.
LRESULT CALLBACK MainWindow::delayBoxProcedure(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<MainWindow*>(data);
  switch (message) {
    case WM_CHAR:
      if (!acceptsTypedDelayCharacter(static_cast<char16_t>(wParam))) return 0;
      break;
    case WM_PASTE:
      self->pasteIntoDelayBox();
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, delayBoxProcedure, DELAY_BOX_SUBCLASS_ID);
      break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void MainWindow::pasteIntoDelayBox() {
  const HWND delayBox = control(PanelControlId::编辑框2);
  const std::wstring kept = wideFrom(delayCharactersOf(unitsOf(clipboardText(window_))));
  // Replacing the selection as typing would keeps the box's character limit.
  SendMessageW(delayBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

// Whatever reached the box by another way than typing or pasting (a message from another
// program, an input method) is held to the same rule.
void MainWindow::filterDelayBox() {
  const HWND delayBox = control(PanelControlId::编辑框2);
  const std::wstring text = windowText(delayBox);
  const std::wstring kept = wideFrom(filteredDelayText(unitsOf(text)));
  if (kept == text) return;
  filteringDelayBox_ = true;
  SetWindowTextW(delayBox, kept.c_str());
  filteringDelayBox_ = false;
  SendMessageW(delayBox, EM_SETSEL, kept.size(), kept.size());
}

LRESULT MainWindow::onStaticColour(HDC dc, HWND control) {
  if (isLinkLabel(control)) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(control) ? LINK_COLOUR : GetSysColor(COLOR_GRAYTEXT));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                        reinterpret_cast<LPARAM>(control));
}

void MainWindow::onClose() {
  if (closing_) return;  // a second close while the closing pause lets messages run
  closing_ = true;
  const Win32FolderLister folders;
  Win32MessagePump pump;
  dialogFileName = panel_.close(dialogFileName, folders, pump, *this);
  DestroyWindow(window_);
}

OverlayView* MainWindow::loadOverlay(const OverlaySettings& settings) {
  destroyOverlay();
  overlay_ = OverlayWindow::load(instance_, settings);
  if (!overlay_) return nullptr;
  state_.overlayHwnd = reinterpret_cast<uintptr_t>(overlay_->handle());
  return overlay_.get();
}

void MainWindow::destroyOverlay() {
  overlay_.reset();
  state_.overlayHwnd = 0;
}

// The window goes without the closing sequence (or after it): the control panel must not
// reach the overlay any more.
void MainWindow::dropOverlay() {
  if (panel_.overlay() != nullptr) panel_.attachOverlay(nullptr);
  destroyOverlay();
}

HWND MainWindow::control(PanelControlId id) const {
  return GetDlgItem(window_, static_cast<int>(id));
}

HWND MainWindow::sliderControl(PanelSlider slider) const {
  return control(SLIDERS[static_cast<size_t>(slider)].id);
}

bool MainWindow::isLinkLabel(HWND window) const {
  return std::any_of(std::begin(LINKS), std::end(LINKS),
                     [&](const LinkDesign& link) { return control(link.id) == window; });
}

// A transparent control draws no background of its own: the window behind must repaint.
void MainWindow::redrawBehind(HWND child) {
  RECT area;
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
  InvalidateRect(window_, &area, TRUE);
  InvalidateRect(child, nullptr, TRUE);
}

int32_t MainWindow::sliderPosition(PanelSlider slider) const {
  return static_cast<int32_t>(SendMessageW(sliderControl(slider), TBM_GETPOS, 0, 0));
}

void MainWindow::setSliderPosition(PanelSlider slider, int32_t position) {
  SendMessageW(sliderControl(slider), TBM_SETPOS, TRUE, position);
  reportedPositions_[static_cast<size_t>(slider)] = sliderPosition(slider);
}

bool MainWindow::isChecked(PanelCheckBox box) const {
  return SendMessageW(control(checkBoxOf(box)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void MainWindow::setChecked(PanelCheckBox box, bool checked) {
  SendMessageW(control(checkBoxOf(box)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::setCaption(PanelCaption caption, std::u16string_view text) {
  const std::wstring wide = wideFrom(text);
  if (caption == PanelCaption::WINDOW_TITLE) {
    SetWindowTextW(window_, wide.c_str());
    return;
  }
  const HWND target = control(captionControlOf(caption));
  SetWindowTextW(target, wide.c_str());
  if (isLinkLabel(target) || caption == PanelCaption::FONT_LABEL ||
      caption == PanelCaption::DELAY_LABEL) {
    layOut();
    InvalidateRect(window_, nullptr, TRUE);
  }
}

void MainWindow::setValueLabel(PanelSlider slider, std::u16string_view text) {
  SetWindowTextW(control(valueLabelOf(slider)), wideFrom(text).c_str());
}

void MainWindow::setTooltips(std::u16string_view fontBox, std::u16string_view delayBox) {
  fontTooltip_ = wideFrom(fontBox);
  delayTooltip_ = wideFrom(delayBox);
  if (tooltip_ == nullptr) return;
  const std::pair<PanelControlId, const std::wstring*> tips[] = {
      {PanelControlId::编辑框1, &fontTooltip_}, {PanelControlId::编辑框2, &delayTooltip_}};
  for (const auto& [id, text] : tips) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control(id));
    tool.lpszText = const_cast<wchar_t*>(text->c_str());
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void MainWindow::setFileFilter(std::u16string_view description) {
  fileFilter_ = wideFrom(description);
  fileFilter_ += L'\0';
  fileFilter_ += L"*.srt";
  fileFilter_ += L'\0';
}

std::string MainWindow::fontBoxText() const {
  return ansiFromWide(windowText(control(PanelControlId::编辑框1)));
}

void MainWindow::setFontBoxText(std::string_view text) {
  settingFontBox_ = true;
  SetWindowTextW(control(PanelControlId::编辑框1), wideFromAnsi(text).c_str());
  settingFontBox_ = false;
}

void MainWindow::setFontBoxFace(std::string_view face) {
  fontBoxFace_ = wideFromAnsi(face);
  OwnedFont font = makeUiFont(dpi_, false, fontBoxFace_);
  SendMessageW(control(PanelControlId::编辑框1), WM_SETFONT,
               reinterpret_cast<WPARAM>(font ? font.get() : uiFont_.get()), TRUE);
  fontBoxFont_ = std::move(font);
}

std::string MainWindow::delayBoxText() const {
  return ansiFromWide(windowText(control(PanelControlId::编辑框2)));
}

void MainWindow::setDisplayTimerPeriod(int32_t periodMs) {
  displayTimerPeriod_ = std::max<int32_t>(periodMs, 0);
  if (displayTimerPeriod_ == 0) {
    KillTimer(window_, DISPLAY_TIMER_ID);
  } else {
    SetTimer(window_, DISPLAY_TIMER_ID, static_cast<UINT>(displayTimerPeriod_), nullptr);
  }
}

int runMessageLoop(HWND panel) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (panel != nullptr && IsWindow(panel) && IsDialogMessageW(panel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
