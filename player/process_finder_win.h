#pragma once
// ProcessFinder over Toolhelp snapshots and FindFirstFileA. Windows builds only.
#include "player/process_finder.h"

class Win32ProcessFinder final : public ProcessFinder {
 public:
  int32_t findProcessId(std::string_view exeName) override;
  // Shows "创建进程快照失败" when no snapshot can be taken, as the program always has.
  std::string findProcessExePath(std::string_view exeName) override;
  int32_t fileSize(std::string_view path) override;
};
