#pragma once
// select-and-start's dialogs and file reading on Win32. Windows builds only.
#include <windows.h>

#include <string>

#include "app/select_and_start.h"

class Win32StartDialogs final : public StartDialogs {
 public:
  // `owner` (MainWindow) owns the file dialog; `filter` is set by setFilter.
  explicit Win32StartDialogs(HWND owner) : owner_(owner) {}

  void setFilter(std::u16string_view description);
  // The last chosen file, empty before the first choice.
  const std::string& lastFile() const { return lastFile_; }

  void showMessage(std::u16string_view text, std::u16string_view title) override;
  void setInitialFolder(std::string_view folder) override { initialFolder_ = folder; }
  // The dialog comes to the front, above a full-screen topmost player.
  std::optional<std::string> chooseFile() override;
  std::string readFile(const std::string& path, size_t maxBytes) override;
  int32_t screenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

 private:
  HWND owner_;
  std::string filter_ = std::string("*.srt\0*.srt\0\0", 14);
  std::string initialFolder_;
  std::string lastFile_;
};

// The folder of the running executable, with its trailing backslash.
std::string programFolder();
