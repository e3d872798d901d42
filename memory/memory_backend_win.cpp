#include <windows.h>

#include <algorithm>

#include "memory/memory_backend.h"
#include "memory/handle_win.h"

namespace {

constexpr uint64_t ADDRESS_SPACE_END = uint64_t{1} << 32;

uint32_t low32(uint64_t value) {
  return static_cast<uint32_t>(value);
}

class Win32MemoryBackend final : public MemoryBackend {
public:
  bool query(ProcessHandle process, Address address, RegionInfo& region) override {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQueryEx(toWin32Handle(process), toPointer(address), &info, sizeof info) == 0) {
      return false;
    }
    const uint64_t base = reinterpret_cast<uintptr_t>(info.BaseAddress);
    if (base >= ADDRESS_SPACE_END) {
      return false;
    }
    // In a 64-bit process a region may reach past 4 GiB; it ends there for a 32-bit view.
    const uint64_t size = std::min<uint64_t>(info.RegionSize, ADDRESS_SPACE_END - base);
    region.BaseAddress = low32(base);
    region.AllocationBase = low32(reinterpret_cast<uintptr_t>(info.AllocationBase));
    region.AllocationProtect = info.AllocationProtect;
    region.RegionSize = low32(size);
    region.State = info.State;
    region.Protect = info.Protect;
    region.Type = info.Type;
    return true;
  }

  bool read(ProcessHandle process, Address address, uint32_t size, std::string& bytes) override {
    bytes.resize(size);
    if (ReadProcessMemory(toWin32Handle(process), toPointer(address), bytes.data(), size,
                          nullptr) == 0) {
      bytes.clear();
      return false;
    }
    return true;
  }
};

}  // namespace

MemoryBackend& win32MemoryBackend() {
  static Win32MemoryBackend backend;
  return backend;
}
