#include "app/start_dialogs_win.h"

#include <commdlg.h>

#include <iterator>

#include "memory/handle_win.h"
#include "overlay/wide_text_win.h"

namespace {

// The path in the ANSI code page, as the settings keep folders; empty when a character has no
// exact form there.
std::string exactAnsi(const std::wstring& path) {
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(),
                                       static_cast<int>(path.size()), nullptr, 0, nullptr, &lossy);
  std::string ansi(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), static_cast<int>(path.size()),
                        ansi.data(), size, nullptr, &lossy);
  }
  return lossy ? std::string() : ansi;
}

// A chosen file's path in the ANSI code page: as it is, or, when a name holds a character the
// code page lacks, by the short names Windows keeps for such files.
std::string ansiPathOf(const std::wstring& path) {
  if (std::string ansi = exactAnsi(path); !ansi.empty()) return ansi;
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  return length > 0 && length < MAX_PATH ? exactAnsi(shortPath) : std::string();
}

// Lifts the dialog above every topmost window and gives it the focus as it opens.
UINT_PTR CALLBACK bringDialogToFront(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    const HWND frame = GetParent(dialog);  // the explorer-style dialog's own window
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(frame);
  }
  return 0;
}

}  // namespace

void Win32StartDialogs::showMessage(std::u16string_view text, std::u16string_view title) {
  MessageBoxW(nullptr, wideFrom(text).c_str(), wideFrom(title).c_str(), MB_OK | MB_TASKMODAL);
}

std::optional<std::string> Win32StartDialogs::chooseFile() {
  wchar_t file[32768] = {};
  const std::wstring folder = wideFromAnsi(initialFolder_);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = panel_.handle();
  dialog.lpstrFilter = panel_.fileFilter().c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = static_cast<DWORD>(std::size(file));
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR | OFN_ENABLEHOOK;
  dialog.lpfnHook = bringDialogToFront;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  panel_.dialogFileName = ansiPathOf(file);
  return panel_.dialogFileName;
}

std::string Win32StartDialogs::readFile(const std::string& path, size_t maxBytes) {
  const OwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size) ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return {};
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
       read != bytes.size())) {
    return {};
  }
  return bytes;
}

std::string programFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  return folder.substr(0, folder.rfind('\\') + 1);
}
