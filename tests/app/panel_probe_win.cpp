// panel_probe COMMAND... : drives and reads a running Quorvane control panel (and its overlay)
// from another process, as a user or an assistive tool would, and prints what it sees as
// UTF-8 lines. Commands run in order; the first that fails ends the probe with exit code 1.
//
//   wait-panel SECONDS       wait until the panel is shown
//   dump                     title, every control's text, slider positions, check marks
//   geometry                 client size and each control's place, in client pixels
//   slider NAME POSITION     set a slider and notify the panel as a drag does
//   key NAME VK              a key press (virtual-key code) sent to a control
//   click NAME               a button click; a left button press on a link label
//   toggle NAME              a check box flipped and its click reported to the panel, without
//                            the focus moving to the panel as a mouse click would move it
//   type NAME TEXT           TEXT typed into an edit box, character by character
//   paste NAME TEXT          TEXT put on the clipboard and pasted over the box's text
//   settext NAME TEXT        the box's text replaced by WM_SETTEXT, as another program might
//   centre NAME              a control's centre in screen pixels, and its bottom edge
//   tooltip                  the text of the tooltip shown, if any; its left, right, top
//   usage                    press 按钮1, read the message box it shows, close it with OK
//   overlay                  the overlay's place, styles and its label's text and width
//   foreground               class name of the foreground window
//   title CLASS              the title of the top-level window of class CLASS
//   zorder                   class names of the visible top-level windows, topmost first
//   version FILE             the file's version and product name from its version resource
//   sleep MS
//   close                    close the panel and wait until it is gone
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "app/panel_controls.h"
#include "overlay/overlay_window_win.h"

namespace {

struct NamedControl {
  const wchar_t* name;
  PanelControlId id;
};

constexpr NamedControl CONTROLS[] = {
    {L"分组框1", PanelControlId::分组框1},     {L"单选框1", PanelControlId::单选框1},
    {L"单选框2", PanelControlId::单选框2},     {L"按钮3", PanelControlId::按钮3},
    {L"按钮1", PanelControlId::按钮1},         {L"标签1", PanelControlId::标签1},
    {L"编辑框1", PanelControlId::编辑框1},     {L"标签6", PanelControlId::标签6},
    {L"编辑框2", PanelControlId::编辑框2},     {L"选择框1", PanelControlId::选择框1},
    {L"选择框2", PanelControlId::选择框2},     {L"标签3", PanelControlId::标签3},
    {L"标签5", PanelControlId::标签5},         {L"滑块条1", PanelControlId::滑块条1},
    {L"滑块条2", PanelControlId::滑块条2},     {L"标签4", PanelControlId::标签4},
    {L"标签2", PanelControlId::标签2},         {L"滑块条3", PanelControlId::滑块条3},
    {L"滑块条4", PanelControlId::滑块条4},     {L"透明标签1", PanelControlId::透明标签1},
    {L"透明标签3", PanelControlId::透明标签3}, {L"透明标签2", PanelControlId::透明标签2},
};

void print(std::wstring_view line) {
  std::string utf8(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, line.data(),
                                                           static_cast<int>(line.size()), nullptr,
                                                           0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(),
                      static_cast<int>(utf8.size()), nullptr, nullptr);
  utf8 += '\n';
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

// Line breaks and tabs written as \r \n \t, so that one text stays on one line.
std::wstring escaped(std::wstring_view text) {
  std::wstring out;
  for (const wchar_t character : text) {
    switch (character) {
      case L'\r': out += L"\\r"; break;
      case L'\n': out += L"\\n"; break;
      case L'\t': out += L"\\t"; break;
      case L'\\': out += L"\\\\"; break;
      default: out += character;
    }
  }
  return out;
}

bool fail(std::wstring_view message) {
  print(std::wstring(L"probe: ") + std::wstring(message));
  return false;
}

// Another process's window text: WM_GETTEXT, which the system carries across processes.
std::wstring textOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return L"<no answer>";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::wstring className(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

HWND findPanel() { return FindWindowW(MAIN_WINDOW_CLASS, nullptr); }

HWND controlNamed(std::wstring_view name) {
  const HWND panel = findPanel();
  for (const NamedControl& control : CONTROLS) {
    if (name == control.name) return GetDlgItem(panel, static_cast<int>(control.id));
  }
  return nullptr;
}

bool waitPanel(int seconds) {
  for (int waited = 0; waited < seconds * 10; ++waited) {
    const HWND panel = findPanel();
    if (panel != nullptr && IsWindowVisible(panel)) {
      print(L"panel ready");
      return true;
    }
    Sleep(100);
  }
  return fail(L"no panel");
}

bool dump() {
  const HWND panel = findPanel();
  if (panel == nullptr) return fail(L"no panel");
  print(L"title=" + textOf(panel));
  for (const NamedControl& control : CONTROLS) {
    const HWND window = GetDlgItem(panel, static_cast<int>(control.id));
    const std::wstring name = control.name;
    if (window == nullptr) {
      print(name + L" missing");
      continue;
    }
    const std::wstring kind = className(window);
    if (_wcsicmp(kind.c_str(), TRACKBAR_CLASSW) == 0) {
      const auto position = SendMessageW(window, TBM_GETPOS, 0, 0);
      const auto low = SendMessageW(window, TBM_GETRANGEMIN, 0, 0);
      const auto high = SendMessageW(window, TBM_GETRANGEMAX, 0, 0);
      const auto line = SendMessageW(window, TBM_GETLINESIZE, 0, 0);
      const auto page = SendMessageW(window, TBM_GETPAGESIZE, 0, 0);
      print(name + L".position=" + std::to_wstring(position) + L" range=" + std::to_wstring(low) +
            L".." + std::to_wstring(high) + L" line=" + std::to_wstring(line) +
            L" page=" + std::to_wstring(page));
      continue;
    }
    std::wstring line = name + L"=" + escaped(textOf(window));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (_wcsicmp(kind.c_str(), WC_BUTTONW) == 0 && (style & BS_TYPEMASK) != BS_GROUPBOX &&
        (style & BS_TYPEMASK) != BS_PUSHBUTTON) {
      line += SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED ? L" [x]" : L" [ ]";
    }
    if (!IsWindowEnabled(window)) line += L" (disabled)";
    print(line);
  }
  return true;
}

bool geometry() {
  const HWND panel = findPanel();
  if (panel == nullptr) return fail(L"no panel");
  RECT client;
  GetClientRect(panel, &client);
  print(L"client=" + std::to_wstring(client.right) + L"x" + std::to_wstring(client.bottom));
  for (const NamedControl& control : CONTROLS) {
    RECT place;
    const HWND window = GetDlgItem(panel, static_cast<int>(control.id));
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&place), 2);
    print(std::wstring(control.name) + L" " + std::to_wstring(place.left) + L"," +
          std::to_wstring(place.top) + L" " + std::to_wstring(place.right - place.left) + L"x" +
          std::to_wstring(place.bottom - place.top));
  }
  return true;
}

// As a drag does: the new position, thumb-track notifications, then the end of the track.
bool moveSlider(HWND slider, int position) {
  if (slider == nullptr) return fail(L"no such slider");
  SendMessageW(slider, TBM_SETPOS, TRUE, position);
  const HWND parent = GetParent(slider);
  SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
               reinterpret_cast<LPARAM>(slider));
  SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(slider));
  return true;
}

bool pressKey(HWND window, int virtualKey) {
  if (window == nullptr) return fail(L"no such control");
  SendMessageW(window, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
  SendMessageW(window, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000001);
  return true;
}

bool click(HWND window) {
  if (window == nullptr) return fail(L"no such control");
  if (_wcsicmp(className(window).c_str(), WC_STATICW) == 0) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  } else {
    SendMessageW(window, BM_CLICK, 0, 0);
  }
  return true;
}

bool toggle(HWND box) {
  if (box == nullptr) return fail(L"no such control");
  const bool checked = SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  SendMessageW(box, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), BN_CLICKED),
               reinterpret_cast<LPARAM>(box));
  return true;
}

bool type(HWND window, std::wstring_view text) {
  if (window == nullptr) return fail(L"no such control");
  SendMessageW(window, EM_SETSEL, 0, -1);
  for (const wchar_t character : text) SendMessageW(window, WM_CHAR, character, 1);
  return true;
}

bool paste(HWND window, std::wstring_view text) {
  if (window == nullptr) return fail(L"no such control");
  if (!OpenClipboard(nullptr)) return fail(L"clipboard busy");
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (memory != nullptr) {
    auto* units = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(units, text.size());
    units[text.size()] = L'\0';
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  }
  CloseClipboard();
  SendMessageW(window, EM_SETSEL, 0, -1);
  SendMessageW(window, WM_PASTE, 0, 0);
  return true;
}

bool setText(HWND window, const std::wstring& text) {
  if (window == nullptr) return fail(L"no such control");
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return true;
}

bool overlay() {
  const HWND window = FindWindowW(OVERLAY_WINDOW_CLASS, nullptr);
  if (window == nullptr) return fail(L"no overlay");
  RECT place;
  GetWindowRect(window, &place);
  const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
  print(L"overlay=" + std::to_wstring(place.left) + L"," + std::to_wstring(place.top) + L" " +
        std::to_wstring(place.right - place.left) + L"x" + std::to_wstring(place.bottom - place.top) +
        (IsWindowVisible(window) ? L" visible" : L" hidden") +
        ((exStyle & WS_EX_TOPMOST) ? L" topmost" : L"") +
        ((exStyle & WS_EX_LAYERED) ? L" layered" : L"") +
        ((exStyle & WS_EX_TRANSPARENT) ? L" transparent" : L"") +
        ((exStyle & WS_EX_NOACTIVATE) ? L" noactivate" : L"") +
        ((exStyle & WS_EX_TOOLWINDOW) ? L" toolwindow" : L""));
  const HWND label = FindWindowExW(window, nullptr, OVERLAY_LABEL_CLASS, nullptr);
  if (label == nullptr) return fail(L"no label");
  RECT labelPlace;
  GetWindowRect(label, &labelPlace);
  print(L"label.width=" + std::to_wstring(labelPlace.right - labelPlace.left));
  print(L"label.text=" + escaped(textOf(label)));
  return true;
}

bool centre(HWND window) {
  if (window == nullptr) return fail(L"no such control");
  RECT place;
  GetWindowRect(window, &place);
  print(L"centre=" + std::to_wstring((place.left + place.right) / 2) + L" " +
        std::to_wstring((place.top + place.bottom) / 2) + L" " + std::to_wstring(place.bottom));
  return true;
}

bool tooltip() {
  for (HWND window = FindWindowW(TOOLTIPS_CLASSW, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, TOOLTIPS_CLASSW, nullptr)) {
    if (!IsWindowVisible(window)) continue;
    RECT place;
    GetWindowRect(window, &place);
    print(L"tooltip=" + escaped(textOf(window)));
    print(L"tooltip.place=" + std::to_wstring(place.left) + L" " + std::to_wstring(place.right) +
          L" " + std::to_wstring(place.top));
    return true;
  }
  print(L"tooltip=<none>");
  return true;
}

bool version(const std::wstring& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return fail(L"no version resource in " + file);
  std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
  if (!GetFileVersionInfoW(file.c_str(), 0, size, buffer.data())) return fail(L"unreadable version");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
    return fail(L"no fixed version");
  }
  const auto part = [](DWORD value, int shift) { return std::to_wstring((value >> shift) & 0xFFFF); };
  print(L"version=" + part(fixed->dwFileVersionMS, 16) + L"." + part(fixed->dwFileVersionMS, 0) +
        L"." + part(fixed->dwFileVersionLS, 16) + L"." + part(fixed->dwFileVersionLS, 0));
  for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"ProductName"}) {
    wchar_t* value = nullptr;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (VerQueryValueW(buffer.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
      print(std::wstring(name) + L"=" + value);
    }
  }
  return true;
}

// The message box is modal: the button is pressed by a posted message, so the probe is
// free to read the box and to press its OK button itself.
bool usage() {
  const HWND button = controlNamed(L"按钮1");
  if (button == nullptr) return fail(L"no panel");
  DWORD panelProcess = 0;
  GetWindowThreadProcessId(button, &panelProcess);
  PostMessageW(button, BM_CLICK, 0, 0);
  HWND box = nullptr;
  for (int waited = 0; waited < 100 && box == nullptr; ++waited) {
    Sleep(100);
    for (HWND window = FindWindowW(L"#32770", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == panelProcess && IsWindowVisible(window)) box = window;
    }
  }
  if (box == nullptr) return fail(L"no message box");
  print(L"usage.title=" + escaped(textOf(box)));
  print(L"usage.owner=" + std::wstring(GetWindow(box, GW_OWNER) == nullptr ? L"none" : L"set"));
  constexpr int MESSAGE_TEXT_ID = 0xFFFF;
  print(L"usage.text=" + escaped(textOf(GetDlgItem(box, MESSAGE_TEXT_ID))));
  std::wstring buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (_wcsicmp(className(child).c_str(), WC_BUTTONW) == 0 && IsWindowVisible(child)) {
      buttons += textOf(child) + L" ";
    }
  }
  print(L"usage.buttons=" + buttons);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (int waited = 0; waited < 100; ++waited) {
    if (!IsWindow(box)) return true;
    Sleep(100);
  }
  return fail(L"the message box did not close");
}

bool foreground() {
  const HWND window = GetForegroundWindow();
  print(L"foreground=" + (window != nullptr ? className(window) : std::wstring(L"<none>")));
  return true;
}

bool title(const std::wstring& windowClass) {
  const HWND window = FindWindowW(windowClass.c_str(), nullptr);
  if (window == nullptr) return fail(L"no window of class " + windowClass);
  print(L"title=" + textOf(window));
  return true;
}

bool zOrder() {
  std::wstring line = L"zorder=";
  for (HWND window = GetTopWindow(nullptr); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (!IsWindowVisible(window)) continue;
    line += className(window) + L" ";
  }
  print(line);
  return true;
}

bool close() {
  const HWND panel = findPanel();
  if (panel == nullptr) return fail(L"no panel");
  PostMessageW(panel, WM_CLOSE, 0, 0);
  for (int waited = 0; waited < 100; ++waited) {
    if (!IsWindow(panel)) {
      print(L"closed");
      return true;
    }
    Sleep(100);
  }
  return fail(L"the panel did not close");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  for (int at = 1; at < argc; ++at) {
    const std::wstring_view command = argv[at];
    auto argument = [&](int offset) -> std::wstring {
      return at + offset < argc ? argv[at + offset] : L"";
    };
    bool done = false;
    if (command == L"wait-panel") {
      done = waitPanel(_wtoi(argument(1).c_str()));
      at += 1;
    } else if (command == L"dump") {
      done = dump();
    } else if (command == L"geometry") {
      done = geometry();
    } else if (command == L"slider") {
      done = moveSlider(controlNamed(argument(1)), _wtoi(argument(2).c_str()));
      at += 2;
    } else if (command == L"key") {
      done = pressKey(controlNamed(argument(1)), _wtoi(argument(2).c_str()));
      at += 2;
    } else if (command == L"click") {
      done = click(controlNamed(argument(1)));
      at += 1;
    } else if (command == L"toggle") {
      done = toggle(controlNamed(argument(1)));
      at += 1;
    } else if (command == L"title") {
      done = title(argument(1));
      at += 1;
    } else if (command == L"type") {
      done = type(controlNamed(argument(1)), argument(2));
      at += 2;
    } else if (command == L"paste") {
      done = paste(controlNamed(argument(1)), argument(2));
      at += 2;
    } else if (command == L"settext") {
      done = setText(controlNamed(argument(1)), argument(2));
      at += 2;
    } else if (command == L"centre") {
      done = centre(controlNamed(argument(1)));
      at += 1;
    } else if (command == L"tooltip") {
      done = tooltip();
    } else if (command == L"usage") {
      done = usage();
    } else if (command == L"overlay") {
      done = overlay();
    } else if (command == L"foreground") {
      done = foreground();
    } else if (command == L"zorder") {
      done = zOrder();
    } else if (command == L"version") {
      done = version(argument(1));
      at += 1;
    } else if (command == L"sleep") {
      Sleep(static_cast<DWORD>(_wtoi(argument(1).c_str())));
      done = true;
      at += 1;
    } else if (command == L"close") {
      done = close();
    } else {
      done = fail(L"unknown command " + std::wstring(command));
    }
    if (!done) return 1;
  }
  return 0;
}
