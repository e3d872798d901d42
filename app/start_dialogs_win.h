#pragma once
// select-and-start's dialogs and file reading on Win32. Windows builds only.
#include <windows.h>

#include <string>

#include "app/main_window_win.h"
#include "app/select_and_start.h"

class Win32StartDialogs final : public StartDialogs {
 public:
  // The file dialog belongs to `panel`, uses its filter and leaves the chosen file as its
  // dialog file name.
  explicit Win32StartDialogs(MainWindow& panel) : panel_(panel) {}

  void showMessage(std::u16string_view text, std::u16string_view title) override;
  void setInitialFolder(std::string_view folder) override { initialFolder_ = folder; }
  // The dialog comes to the front, above a full-screen topmost player.
  std::optional<std::string> chooseFile() override;
  std::string readFile(const std::string& path, size_t maxBytes) override;
  int32_t screenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }

 private:
  MainWindow& panel_;
  std::string initialFolder_;
};

// The folder of the running executable, with its trailing backslash.
std::string programFolder();
