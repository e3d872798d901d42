#pragma once
// The running processes and their executables, as select-and-start looks them up.
#include <cstdint>
#include <string>
#include <string_view>

class ProcessFinder {
 public:
  virtual ~ProcessFinder() = default;
  // Id of the first running process whose executable file name equals `exeName`, letter
  // case aside; 0 when there is none.
  virtual int32_t findProcessId(std::string_view exeName) = 0;
  // Full path of that process's executable; empty when there is none or its path cannot be
  // read or holds a character the ANSI code page lacks.
  virtual std::string findProcessExePath(std::string_view exeName) = 0;
  // Size in bytes of the file at `path` (its low 32 bits); -1 when it is not found.
  virtual int32_t fileSize(std::string_view path) = 0;
};
