#pragma once
// Conversions between Win32 handles and the 32-bit handle values the class keeps. Include
// only from *_win.cpp files, after <windows.h>.
#include <cstdint>

#include "memory/memory_backend.h"

// Win64 handles are sign-extended 32-bit values, so the pseudo-handle -1 survives the trip.
inline HANDLE toWin32Handle(ProcessHandle handle) {
  return reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle));
}

inline ProcessHandle fromWin32Handle(HANDLE handle) {
  return static_cast<ProcessHandle>(reinterpret_cast<intptr_t>(handle));
}

inline LPVOID toPointer(Address address) {
  return reinterpret_cast<LPVOID>(static_cast<uintptr_t>(address));
}

// Closes a handle when it leaves scope.
class OwnedHandle {
public:
  explicit OwnedHandle(HANDLE handle = nullptr) : handle(handle) {}
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  HANDLE get() const { return handle; }
  // Hands the handle over; the wrapper no longer closes it.
  HANDLE release() {
    HANDLE kept = handle;
    handle = nullptr;
    return kept;
  }

private:
  HANDLE handle;
};
