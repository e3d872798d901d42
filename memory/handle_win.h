#pragma once
// Win32 handles: the one owner of a kernel handle, and the conversions between handles and
// the 32-bit values the process-memory class keeps.
#include <windows.h>

#include <cstdint>

#include "memory/memory_backend.h"

// Owns a kernel handle and closes it with CloseHandle when it leaves scope. nullptr and
// INVALID_HANDLE_VALUE, the two "no handle" results of Win32 calls, are both empty and never
// closed; so is the current-process pseudo-handle, which has the same value. Movable, not
// copyable.
class OwnedHandle {
public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle(other.release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { reset(); }

  bool valid() const { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
  explicit operator bool() const { return valid(); }
  HANDLE get() const { return handle; }
  // Hands the handle over; the owner is empty afterwards and closes nothing.
  HANDLE release() {
    HANDLE kept = handle;
    handle = nullptr;
    return kept;
  }
  // Closes the handle held, if any, and takes replacement.
  void reset(HANDLE replacement = nullptr) {
    if (valid()) CloseHandle(handle);
    handle = replacement;
  }

private:
  HANDLE handle = nullptr;
};

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
