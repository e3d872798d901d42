#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "app/message_pause_win.h"
#include "overlay/wide_text_win.h"
#include "overlay/window_dpi_win.h"

namespace {

constexpr UINT_PTR DISPLAY_TIMER_ID = 1;  // 时钟1
constexpr UINT_PTR LINK_SUBCLASS_ID = 1;
constexpr UINT_PTR DELAY_BOX_SUBCLASS_ID = 2;
constexpr int DELAY_BOX_LIMIT = 8;  // characters
constexpr int SLIDER_PAGE_SIZE = 5;
constexpr int UI_FONT_POINTS = 9;
constexpr COLORREF LINK_COLOUR = RGB(0, 80, 200);
constexpr int LINK_GAP = 4;  // pixels at 96 DPI

// The window as designed, and the client area its controls need, at 96 DPI.
constexpr int DESIGN_LEFT = 50;
constexpr int DESIGN_TOP = 50;
constexpr int DESIGN_WIDTH = 404;
constexpr int DESIGN_HEIGHT = 338;
constexpr int DESIGN_CLIENT_WIDTH = 400;
constexpr int DESIGN_CLIENT_HEIGHT = 308;

constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

enum class Kind { GROUP, RADIO, BUTTON, LABEL, EDIT, CHECK, SLIDER, LINK };

struct ControlDesign {
  PanelControlId id;
  Kind kind;
  int x, y, width, height;  // client pixels at 96 DPI
  const wchar_t* text;      // content before the interface texts are applied
  DWORD style;              // beyond what the kind gives
};

// Every control, in creation order. The radio buttons lie at 16,32 and 16,68 inside the
// group box at 8,16; they are the main window's children so that their clicks reach it.
// The box is 192 wide rather than 176, and the buttons 168 rather than 144 and 136, which
// the English captions need; the space up to 按钮3 was free.
constexpr ControlDesign CONTROLS[] = {
    {PanelControlId::分组框1, Kind::GROUP, 8, 16, 192, 112, L"播放器选择", 0},
    {PanelControlId::单选框1, Kind::RADIO, 24, 48, 168, 16, L"PowerDVD BD/DVD模式", WS_GROUP},
    {PanelControlId::单选框2, Kind::RADIO, 24, 84, 168, 16, L"万能模式", 0},
    {PanelControlId::按钮3, Kind::BUTTON, 208, 52, 104, 40, L"选择字幕并执行", WS_GROUP},
    {PanelControlId::按钮1, Kind::BUTTON, 336, 52, 56, 40, L"用法", 0},
    {PanelControlId::标签1, Kind::LABEL, 6, 146, 40, 16, L"字体 = ", 0},
    {PanelControlId::编辑框1, Kind::EDIT, 50, 142, 56, 24, L"黑体", 0},
    {PanelControlId::标签6, Kind::LABEL, 123, 146, 40, 16, L"延时 = ", 0},
    {PanelControlId::编辑框2, Kind::EDIT, 167, 142, 56, 24, L"0", 0},
    {PanelControlId::选择框1, Kind::CHECK, 241, 146, 70, 16, L"居中显示", 0},
    {PanelControlId::选择框2, Kind::CHECK, 325, 146, 68, 16, L"阴影效果", 0},
    {PanelControlId::标签3, Kind::LABEL, 60, 176, 92, 16, L"字体大小 = 36", 0},
    {PanelControlId::标签5, Kind::LABEL, 248, 176, 120, 16, L"字幕宽度 = 1440", 0},
    {PanelControlId::滑块条1, Kind::SLIDER, 0, 200, 200, 24, L"", 0},
    {PanelControlId::滑块条2, Kind::SLIDER, 200, 200, 200, 24, L"", 0},
    {PanelControlId::标签4, Kind::LABEL, 62, 232, 106, 16, L"水平位置 = 240", 0},
    {PanelControlId::标签2, Kind::LABEL, 248, 232, 128, 16, L"垂直位置 = 970", 0},
    {PanelControlId::滑块条3, Kind::SLIDER, 0, 252, 200, 24, L"", 0},
    {PanelControlId::滑块条4, Kind::SLIDER, 200, 252, 200, 24, L"", 0},
    {PanelControlId::透明标签1, Kind::LINK, 0, 288, 122, 16, L"时间轴快速调节工具", 0},
    {PanelControlId::透明标签3, Kind::LINK, 131, 288, 116, 16, L"Brackenfold第一游戏论坛", 0},
    {PanelControlId::透明标签2, Kind::LINK, 256, 288, 134, 16, L"检查更新 作者：Marrowby", 0},
};

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

const wchar_t* classOf(Kind kind) {
  switch (kind) {
    case Kind::GROUP:
    case Kind::RADIO:
    case Kind::BUTTON:
    case Kind::CHECK:
      return WC_BUTTONW;
    case Kind::EDIT:
      return WC_EDITW;
    case Kind::SLIDER:
      return TRACKBAR_CLASSW;
    case Kind::LABEL:
    case Kind::LINK:
      break;
  }
  return WC_STATICW;
}

DWORD styleOf(Kind kind) {
  switch (kind) {
    case Kind::GROUP:
      return BS_GROUPBOX;
    case Kind::RADIO:
      return BS_AUTORADIOBUTTON | WS_TABSTOP;
    case Kind::BUTTON:
      return BS_PUSHBUTTON | WS_TABSTOP;
    case Kind::CHECK:
      return BS_AUTOCHECKBOX | WS_TABSTOP;
    case Kind::EDIT:
      return ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP;
    case Kind::SLIDER:
      return TBS_HORZ | TBS_BOTH | TBS_NOTICKS | WS_TABSTOP;
    case Kind::LABEL:
      return SS_LEFT | SS_NOPREFIX;
    case Kind::LINK:
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

// What the delay box keeps of typed or pasted text: digits and the minus sign.
bool isDelayCharacter(wchar_t character) {
  return (character >= L'0' && character <= L'9') || character == L'-';
}

std::wstring delayCharactersOf(std::wstring_view text) {
  std::wstring kept;
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept), isDelayCharacter);
  return kept;
}

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
    : state_(state), settings_(settings), panel_(state, *this, settings, playerMemory_, ticks_) {}

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
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MAIN_WINDOW_CLASS;
    if (RegisterClassExW(&windowClass) == 0) return false;
  }
  // The title the window description holds until the interface texts are applied.
  CreateWindowExW(0, MAIN_WINDOW_CLASS, L"Quorvanev1.3", WINDOW_STYLE, DESIGN_LEFT, DESIGN_TOP,
                  DESIGN_WIDTH, DESIGN_HEIGHT, nullptr, nullptr, instance, this);
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
  panel_.create(GetSystemDefaultLangID(), GetSystemMetrics(SM_CYSCREEN), [] {});
  for (size_t slider = 0; slider < reportedPositions_.size(); ++slider) {
    reportedPositions_[slider] = sliderPosition(static_cast<PanelSlider>(slider));
  }
}

void MainWindow::createControls() {
  for (const ControlDesign& design : CONTROLS) {
    const HWND created = CreateWindowExW(
        design.kind == Kind::EDIT ? WS_EX_CLIENTEDGE : 0, classOf(design.kind), design.text,
        WS_CHILD | WS_VISIBLE | styleOf(design.kind) | design.style, design.x, design.y,
        design.width, design.height, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance_, nullptr);
    if (created == nullptr) continue;
    if (design.kind == Kind::LINK) {
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
  SendMessageW(delayBox, EM_SETLIMITTEXT, DELAY_BOX_LIMIT, 0);
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
  for (const ControlDesign& design : CONTROLS) {
    HFONT font = uiFont_.get();
    if (design.kind == Kind::LINK) {
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
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaleForDpi(300, dpi_));
  }
}

// Places the window and its controls for the DPI in force: the designed window size, grown
// where the frame leaves the controls too little client area.
void MainWindow::layOut() {
  for (const ControlDesign& design : CONTROLS) {
    SetWindowPos(control(design.id), nullptr, scaleForDpi(design.x, dpi_),
                 scaleForDpi(design.y, dpi_), scaleForDpi(design.width, dpi_),
                 scaleForDpi(design.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  fitBoxCaptions();
  const int linkRowRight = fitLinkLabels();
  RECT needed{0, 0, std::max(scaleForDpi(DESIGN_CLIENT_WIDTH, dpi_), linkRowRight),
              scaleForDpi(DESIGN_CLIENT_HEIGHT, dpi_)};
  AdjustWindowRectEx(&needed, WINDOW_STYLE, FALSE, 0);
  const int width = std::max<int>(scaleForDpi(DESIGN_WIDTH, dpi_), needed.right - needed.left);
  const int height = std::max<int>(scaleForDpi(DESIGN_HEIGHT, dpi_), needed.bottom - needed.top);
  SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The captions of the font and delay boxes: one that is wider than its designed width (as
// "Font = " is in some faces) takes room to its left, up to the control before it, and
// stays flush against its box.
void MainWindow::fitBoxCaptions() {
  struct Caption {
    PanelControlId label;
    PanelControlId box;
    int roomStart;  // design pixels: where the control before it ends
  };
  constexpr Caption CAPTIONS[] = {
      {PanelControlId::标签1, PanelControlId::编辑框1, 0},
      {PanelControlId::标签6, PanelControlId::编辑框2, 50 + 56},
  };
  const HDC dc = GetDC(window_);
  if (dc == nullptr) return;
  for (const Caption& caption : CAPTIONS) {
    const ControlDesign& design = *std::find_if(
        std::begin(CONTROLS), std::end(CONTROLS),
        [&](const ControlDesign& control) { return control.id == caption.label; });
    const ControlDesign& box = *std::find_if(
        std::begin(CONTROLS), std::end(CONTROLS),
        [&](const ControlDesign& control) { return control.id == caption.box; });
    const HWND label = control(caption.label);
    const std::wstring text = windowText(label);
    SIZE extent{};
    {
      SelectedObject font(dc, uiFont_ ? uiFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    }
    if (extent.cx <= scaleForDpi(design.width, dpi_)) continue;
    const int right = scaleForDpi(box.x - 2, dpi_);
    const int x = std::max<int>(scaleForDpi(caption.roomStart + 2, dpi_), right - extent.cx - 1);
    SetWindowPos(label, nullptr, x, scaleForDpi(design.y, dpi_), right - x,
                 scaleForDpi(design.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ReleaseDC(window_, dc);
}

// The link labels' designed widths were made for shorter captions. Each keeps its designed
// place and width while its caption fits; otherwise the row is packed from the left edge,
// each label as wide as its caption. Returns the right edge of the row.
int MainWindow::fitLinkLabels() {
  struct Placed {
    HWND link;
    const ControlDesign* design;
    int textWidth;
  };
  std::vector<Placed> row;
  const HDC dc = GetDC(window_);
  for (const ControlDesign& design : CONTROLS) {
    if (design.kind != Kind::LINK) continue;
    const HWND link = control(design.id);
    const std::wstring caption = windowText(link);
    SIZE extent{};
    if (dc != nullptr) {
      SelectedObject font(dc, linkFont_ ? linkFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
      GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    }
    row.push_back({link, &design, extent.cx + 2});
  }
  if (dc != nullptr) ReleaseDC(window_, dc);
  const bool fits = std::all_of(row.begin(), row.end(), [&](const Placed& placed) {
    return placed.textWidth <= scaleForDpi(placed.design->width, dpi_);
  });
  int right = 0;
  for (const Placed& placed : row) {
    const int x = fits ? scaleForDpi(placed.design->x, dpi_)
                       : (right > 0 ? right + scaleForDpi(LINK_GAP, dpi_) : 0);
    const int width = fits ? scaleForDpi(placed.design->width, dpi_) : placed.textWidth;
    SetWindowPos(placed.link, nullptr, x, scaleForDpi(placed.design->y, dpi_), width,
                 scaleForDpi(placed.design->height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
    right = x + width;
  }
  return right;
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
    case WM_CHAR: {
      const auto character = static_cast<wchar_t>(wParam);
      if (character >= L' ' && !isDelayCharacter(character)) return 0;
      break;
    }
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
  const std::wstring kept = delayCharactersOf(clipboardText(window_));
  // Replacing the selection as typing would keeps the box's character limit.
  SendMessageW(delayBox, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}

// Whatever reached the box by another way than typing or pasting (a message from another
// program, an input method) is held to the same rule.
void MainWindow::filterDelayBox() {
  const HWND delayBox = control(PanelControlId::编辑框2);
  const std::wstring text = windowText(delayBox);
  std::wstring kept = delayCharactersOf(text);
  if (kept.size() > DELAY_BOX_LIMIT) kept.resize(DELAY_BOX_LIMIT);
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
