#include "player/player_memory_win.h"

#include <windows.h>

#include "memory/handle_win.h"

namespace {

// All access rights as Windows XP defines PROCESS_ALL_ACCESS.
constexpr DWORD PLAYER_ACCESS = 0x1F0FFF;

}  // namespace

bool Win32PlayerMemory::read(int32_t pid, uint32_t address, unsigned char* buffer,
                             size_t length) {
  const OwnedHandle process(OpenProcess(PLAYER_ACCESS, FALSE, static_cast<DWORD>(pid)));
  if (!process) return false;
  const auto source = reinterpret_cast<LPCVOID>(static_cast<uintptr_t>(address));
  return ReadProcessMemory(process.get(), source, buffer, length, nullptr) != 0;
}
