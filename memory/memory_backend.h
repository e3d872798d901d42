#pragma once
// How the process-memory class sees another process: region queries and reads, answered by
// the platform (VirtualQueryEx, ReadProcessMemory) or by a simulated address space in tests.
#include <cstdint>
#include <string>

// Addresses, sizes and offsets of the served process are 32-bit values; arithmetic on them
// wraps at 32 bits. Where a comparison must be signed, the code says so.
using Address = uint32_t;

// A process handle as a 32-bit value. Win64 handles are sign-extended 32-bit values, so the
// calling process's pseudo-handle is -1 in every build; 0 means none.
using ProcessHandle = int32_t;

inline constexpr ProcessHandle NO_PROCESS = 0;
inline constexpr ProcessHandle CURRENT_PROCESS = -1;

// One region of the served process, laid out as MEMORY_BASIC_INFORMATION of a 32-bit process:
// seven 32-bit fields, 28 bytes, whatever the build's pointer size.
struct RegionInfo {
  uint32_t BaseAddress = 0;       // page of the queried address (rounded down to 4096)
  uint32_t AllocationBase = 0;
  uint32_t AllocationProtect = 0;
  uint32_t RegionSize = 0;        // bytes from BaseAddress to the end of the run of like pages
  uint32_t State = 0;
  uint32_t Protect = 0;
  uint32_t Type = 0;
};
static_assert(sizeof(RegionInfo) == 28);

inline constexpr uint32_t MEM_IMAGE_TYPE = 0x1000000;
inline constexpr uint32_t MEM_MAPPED_TYPE = 0x40000;
inline constexpr uint32_t MEM_PRIVATE_TYPE = 0x20000;
inline constexpr uint32_t MEM_COMMIT_STATE = 0x1000;
inline constexpr uint32_t MEM_RESERVE_STATE = 0x2000;
inline constexpr uint32_t MEM_FREE_STATE = 0x10000;

inline constexpr uint32_t PROTECT_NOACCESS = 0x01;
inline constexpr uint32_t PROTECT_READONLY = 0x02;
inline constexpr uint32_t PROTECT_READWRITE = 0x04;
inline constexpr uint32_t PROTECT_WRITECOPY = 0x08;
inline constexpr uint32_t PROTECT_EXECUTE = 0x10;
inline constexpr uint32_t PROTECT_EXECUTE_READ = 0x20;
inline constexpr uint32_t PROTECT_EXECUTE_READWRITE = 0x40;
inline constexpr uint32_t PROTECT_EXECUTE_WRITECOPY = 0x80;

inline constexpr uint32_t PAGE_BYTES = 4096;

class MemoryBackend {
public:
  virtual ~MemoryBackend() = default;
  // The region holding address; false when there is none (past the address space).
  virtual bool query(ProcessHandle process, Address address, RegionInfo& region) = 0;
  // Exactly size bytes from address into bytes; false, with bytes empty, when any of them
  // cannot be read.
  virtual bool read(ProcessHandle process, Address address, uint32_t size, std::string& bytes) = 0;
};

// The platform's backend; defined in Windows builds only.
MemoryBackend& win32MemoryBackend();
