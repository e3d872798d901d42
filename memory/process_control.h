#pragma once
// The write side and process control that the process-memory class asks of the platform,
// so that the class itself stays portable. Win32 implementation in process_control_win.cpp.
#include <cstdint>
#include <functional>
#include <string_view>

#include "memory/memory_backend.h"

// Where a module lies in the served process: three 32-bit fields, all 0 when unknown.
struct ModuleInfo {
  uint32_t baseAddress = 0;
  uint32_t imageSize = 0;
  uint32_t entryPoint = 0;
  bool operator==(const ModuleInfo&) const = default;
};

class ProcessControl {
public:
  virtual ~ProcessControl() = default;

  // A handle with all process rights, or NO_PROCESS.
  virtual ProcessHandle openProcess(uint32_t processId) = 0;
  // False for NO_PROCESS and for a handle already closed.
  virtual bool closeHandle(ProcessHandle process) = 0;
  // A second handle to the same process (the pseudo-handle stays itself); NO_PROCESS on failure.
  virtual ProcessHandle duplicateHandle(ProcessHandle process) = 0;

  virtual bool write(ProcessHandle process, Address address, std::string_view bytes) = 0;
  // Sets the protection of [address, address + size) and gives the one it had.
  virtual bool protect(ProcessHandle process, Address address, uint32_t size, uint32_t protection,
                       uint32_t& previous) = 0;
  // Committed read-write memory anywhere in the process; 0 on failure.
  virtual Address allocate(ProcessHandle process, uint32_t size) = 0;
  virtual bool release(ProcessHandle process, Address address) = 0;

  virtual bool terminate(ProcessHandle process, uint32_t exitCode) = 0;
  // Starts a program; its thread handle is closed at once. NO_PROCESS on failure. An empty
  // working directory means the caller's own.
  virtual ProcessHandle startProcess(std::string_view path, std::string_view commandLine,
                                     std::string_view workingDirectory) = 0;
  // Waits, running pump whenever window messages arrive (pump may be empty).
  virtual void pause(int32_t milliseconds, const std::function<void()>& pump) = 0;
  // The process owning a window; 0 when unknown.
  virtual uint32_t windowProcessId(uint32_t window) = 0;

  // Enables SeDebugPrivilege in the calling process's token; 1 when it is enabled now, 0
  // when it is not (also when the token does not hold it).
  virtual int32_t enableDebugPrivilege() = 0;
  virtual int32_t trimWorkingSet(ProcessHandle process) = 0;
  // The calling program's own module handle, as a 32-bit value.
  virtual uint32_t ownModuleHandle() = 0;
  virtual bool moduleInformation(ProcessHandle process, uint32_t module, ModuleInfo& info) = 0;
  // Runs LoadLibraryA in the process on the text at pathAddress and waits for it to finish.
  virtual bool loadLibraryAt(ProcessHandle process, Address pathAddress) = 0;
};

// Whether AdjustTokenPrivileges enabled what it was asked to, from its result and the last
// error it left. The call reports success (nonzero) even when it assigned none of the
// privileges; only the last error, ERROR_NOT_ALL_ASSIGNED (1300), tells. So success is a
// nonzero result together with ERROR_SUCCESS; anything else counts as failure.
constexpr bool privilegeAssigned(int32_t adjustResult, uint32_t lastError) {
  return adjustResult != 0 && lastError == 0;
}

// The platform's process control; defined in Windows builds only.
ProcessControl& win32ProcessControl();
