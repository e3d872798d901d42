#include "app/start_dialogs_win.h"

#include <commdlg.h>

#include "memory/handle_win.h"

namespace {

std::wstring wide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::string toAnsi(std::u16string_view text) {
  const std::wstring w = wide(text);
  const int size = WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), nullptr,
                                       0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), ansi.data(), size,
                        nullptr, nullptr);
  }
  return ansi;
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

void Win32StartDialogs::setFilter(std::u16string_view description) {
  const std::string pattern = "*.srt";
  filter_ = toAnsi(description);
  filter_ += '\0';
  filter_ += pattern;
  filter_ += '\0';
  filter_ += '\0';
}

void Win32StartDialogs::showMessage(std::u16string_view text, std::u16string_view title) {
  MessageBoxW(nullptr, wide(text).c_str(), wide(title).c_str(), MB_OK | MB_TASKMODAL);
}

std::optional<std::string> Win32StartDialogs::chooseFile() {
  char file[MAX_PATH] = {};
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter_.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR | OFN_ENABLEHOOK;
  dialog.lpfnHook = bringDialogToFront;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  lastFile_ = file;
  return lastFile_;
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
