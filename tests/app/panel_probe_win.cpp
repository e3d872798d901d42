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
//   press NAME               a button click posted, so the probe goes on while it runs
//   choose FILE SECONDS      wait for the open-file dialog, choose FILE (a path as the panel
//                            sees it) and press Open; prints whether the dialog is in front
//   message SECONDS          wait for a message box of the panel, print it and press OK
//   no-dialog MS             fail when a dialog of the panel shows within MS milliseconds
//   dialog-time              press 按钮3, print the milliseconds until the open-file dialog
//                            shows, then cancel it
//   wait-text TEXT SECONDS   wait until the overlay's label shows TEXT (empty: nothing)
//   overlays                 how many overlay windows exist
//   follow SECONDS           for SECONDS, each change of the overlay's text with the film time
//                            of the running PowerDVD.exe at that moment, in milliseconds
//   sleep MS
//   close                    close the panel and wait until it is gone
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "app/panel_controls.h"
#include "memory/handle_win.h"
#include "memory/process_memory.h"
#include "overlay/overlay_window_win.h"
#include "player/playback_clock.h"
#include "player/process_finder_win.h"
#include "player/time_block.h"

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

// A visible top-level dialog (message box or file dialog) of the panel's process; null when
// none shows within `milliseconds`.
HWND waitForPanelDialog(int milliseconds) {
  const HWND panel = findPanel();
  DWORD panelProcess = 0;
  GetWindowThreadProcessId(panel, &panelProcess);
  for (int waited = 0; panel != nullptr && waited <= milliseconds; waited += 20) {
    for (HWND window = FindWindowW(L"#32770", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == panelProcess && IsWindowVisible(window)) return window;
    }
    Sleep(20);
  }
  return nullptr;
}

bool waitUntilGone(HWND window, const wchar_t* what) {
  for (int waited = 0; waited < 100; ++waited) {
    if (!IsWindow(window)) return true;
    Sleep(100);
  }
  return fail(std::wstring(what) + L" did not close");
}

// Prints a message box as PREFIX.title, PREFIX.owner, PREFIX.text and PREFIX.buttons, then
// presses its OK button.
bool readAndCloseMessageBox(HWND box, const std::wstring& prefix) {
  print(prefix + L".title=" + escaped(textOf(box)));
  print(prefix + L".owner=" + std::wstring(GetWindow(box, GW_OWNER) == nullptr ? L"none" : L"set"));
  constexpr int MESSAGE_TEXT_ID = 0xFFFF;
  print(prefix + L".text=" + escaped(textOf(GetDlgItem(box, MESSAGE_TEXT_ID))));
  std::wstring buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (_wcsicmp(className(child).c_str(), WC_BUTTONW) == 0 && IsWindowVisible(child)) {
      buttons += textOf(child) + L" ";
    }
  }
  print(prefix + L".buttons=" + buttons);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return waitUntilGone(box, L"the message box");
}

bool press(HWND button) {
  if (button == nullptr) return fail(L"no such control");
  PostMessageW(button, BM_CLICK, 0, 0);
  return true;
}

bool message(int seconds) {
  const HWND box = waitForPanelDialog(seconds * 1000);
  if (box == nullptr) return fail(L"no message box");
  return readAndCloseMessageBox(box, L"message");
}

bool noDialog(int milliseconds) {
  const HWND dialog = waitForPanelDialog(milliseconds);
  if (dialog == nullptr) return true;
  print(L"dialog=" + escaped(textOf(dialog)));
  return fail(L"a dialog showed");
}

// The file name box of an open-file dialog: the edit inside its file name combo box, or a
// plain edit box.
HWND fileNameBox(HWND dialog) {
  constexpr int FILE_NAME_COMBO_ID = 0x47C;  // cmb13
  constexpr int FILE_NAME_EDIT_ID = 0x480;   // edt1
  if (const HWND combo = GetDlgItem(dialog, FILE_NAME_COMBO_ID)) {
    if (const HWND edit = FindWindowExW(combo, nullptr, WC_EDITW, nullptr)) return edit;
    return combo;
  }
  return GetDlgItem(dialog, FILE_NAME_EDIT_ID);
}

bool choose(const std::wstring& file, int seconds) {
  const HWND dialog = waitForPanelDialog(seconds * 1000);
  if (dialog == nullptr) return fail(L"no file dialog");
  const HWND nameBox = fileNameBox(dialog);
  if (nameBox == nullptr) return fail(L"no file name box in the dialog");
  const LONG exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
  print(L"dialog.title=" + escaped(textOf(dialog)));
  print(L"dialog.owner=" + std::wstring(GetWindow(dialog, GW_OWNER) == findPanel() ? L"panel" : L"other"));
  print(std::wstring(L"dialog.topmost=") + ((exStyle & WS_EX_TOPMOST) ? L"yes" : L"no"));
  SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return waitUntilGone(dialog, L"the file dialog");
}

bool dialogTime() {
  const HWND button = controlNamed(L"按钮3");
  if (button == nullptr) return fail(L"no panel");
  const ULONGLONG pressed = GetTickCount64();
  PostMessageW(button, BM_CLICK, 0, 0);
  const HWND dialog = waitForPanelDialog(30000);
  if (dialog == nullptr) return fail(L"no file dialog");
  print(L"dialog.after_ms=" + std::to_wstring(GetTickCount64() - pressed));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return waitUntilGone(dialog, L"the file dialog");
}

HWND overlayLabel() {
  const HWND window = FindWindowW(OVERLAY_WINDOW_CLASS, nullptr);
  return window == nullptr ? nullptr : FindWindowExW(window, nullptr, OVERLAY_LABEL_CLASS, nullptr);
}

bool waitText(const std::wstring& expected, int seconds) {
  std::wstring shown = L"<no overlay>";
  for (int waited = 0; waited <= seconds * 100; ++waited) {
    if (const HWND label = overlayLabel()) {
      shown = textOf(label);
      if (shown == expected) {
        print(L"text=" + escaped(shown));
        return true;
      }
    }
    Sleep(10);
  }
  return fail(L"the overlay shows \"" + escaped(shown) + L"\", not \"" + escaped(expected) + L"\"");
}

bool overlays() {
  int count = 0;
  for (HWND window = FindWindowW(OVERLAY_WINDOW_CLASS, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, OVERLAY_WINDOW_CLASS, nullptr)) {
    ++count;
  }
  print(L"overlays=" + std::to_wstring(count));
  return true;
}

// The film time of the running player: exact at each change of its seconds cell, run on with
// the tick counter in between while its play-state word says it plays.
class FilmClock {
 public:
  bool attach() {
    const int32_t pid = Win32ProcessFinder().findProcessId(PLAYER_EXE_NAME);
    if (pid <= 0) return false;
    内存操作类 memory(win32MemoryBackend(), win32ProcessControl());
    if (memory.openProcess(static_cast<uint32_t>(pid), 1) == 0) return false;
    const Address hit = memory.findPattern(timeBlockPattern(), {}, PATTERN_SEARCH_START,
                                           PATTERN_SEARCH_END);
    memory.closeProcess();
    if (hit == 0) return false;
    seconds_ = hit + TIME_BLOCK_DISTANCE;
    process_.reset(OpenProcess(PROCESS_VM_READ, FALSE, static_cast<DWORD>(pid)));
    return process_.valid();
  }

  // Milliseconds of film time now; -1 until the first change of the seconds cell is seen.
  int64_t nowMs() {
    unsigned char block[TIME_DIGITS_OFFSET + 1] = {};  // the five cells, seconds last
    int32_t playState = 0;
    const auto at = [](Address address) {
      return reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address));
    };
    if (!ReadProcessMemory(process_.get(), at(seconds_ - TIME_DIGITS_OFFSET), block, sizeof block,
                           nullptr) ||
        !ReadProcessMemory(process_.get(), at(seconds_ + PLAY_STATE_OFFSET), &playState,
                           sizeof playState, nullptr)) {
      return -1;
    }
    const auto cell = [&](int k) { return block[k * TIME_DIGIT_CELL_SPACING]; };
    const int64_t decoded = static_cast<int64_t>(
        decodeTimeBlock(cell(0), cell(1), cell(2), cell(3), cell(4)));
    const ULONGLONG now = GetTickCount64();
    if (decoded != lastDecoded_) {
      synced_ = synced_ || lastDecoded_ >= 0;
      lastDecoded_ = decoded;
      changedAt_ = now;
    }
    if (!synced_) return -1;
    return decoded + (playState != 0 ? static_cast<int64_t>(now - changedAt_) : 0);
  }

 private:
  Address seconds_ = 0;
  OwnedHandle process_;
  int64_t lastDecoded_ = -1;
  bool synced_ = false;
  ULONGLONG changedAt_ = 0;
};

bool follow(int seconds) {
  FilmClock film;
  if (!film.attach()) return fail(L"no player to follow");
  std::wstring shown = L"<none>";
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  while (GetTickCount64() < end) {
    const int64_t filmMs = film.nowMs();
    const HWND label = overlayLabel();
    const std::wstring text = label == nullptr ? L"<no overlay>" : textOf(label);
    if (filmMs >= 0 && text != shown) {
      shown = text;
      print(L"at " + std::to_wstring(filmMs) + (text.empty() ? L" clear" : L" show " + escaped(text)));
    }
    Sleep(1);
  }
  return true;
}

// The message box is modal: the button is pressed by a posted message, so the probe is
// free to read the box and to press its OK button itself.
bool usage() {
  if (!press(controlNamed(L"按钮1"))) return false;
  const HWND box = waitForPanelDialog(10000);
  if (box == nullptr) return fail(L"no message box");
  return readAndCloseMessageBox(box, L"usage");
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
    } else if (command == L"press") {
      done = press(controlNamed(argument(1)));
      at += 1;
    } else if (command == L"choose") {
      done = choose(argument(1), _wtoi(argument(2).c_str()));
      at += 2;
    } else if (command == L"message") {
      done = message(_wtoi(argument(1).c_str()));
      at += 1;
    } else if (command == L"no-dialog") {
      done = noDialog(_wtoi(argument(1).c_str()));
      at += 1;
    } else if (command == L"dialog-time") {
      done = dialogTime();
    } else if (command == L"wait-text") {
      done = waitText(argument(1), _wtoi(argument(2).c_str()));
      at += 2;
    } else if (command == L"overlays") {
      done = overlays();
    } else if (command == L"follow") {
      done = follow(_wtoi(argument(1).c_str()));
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
