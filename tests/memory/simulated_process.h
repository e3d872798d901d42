#pragma once
// A served process simulated in memory: regions with their bytes, answered Windows-style, and
// the process-control services recorded for the tests to look at. Every open handle (and the
// pseudo-handle) reaches the same address space.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "memory/memory_backend.h"
#include "memory/process_control.h"

struct SimulatedRegion {
  Address base = 0;  // multiples of the page size, like size
  uint32_t size = 0;
  Address allocationBase = 0;
  uint32_t protect = PROTECT_READWRITE;
  uint32_t type = MEM_PRIVATE_TYPE;
  uint32_t state = MEM_COMMIT_STATE;
  std::string bytes;  // zero-filled up to size
};

struct RecordedWrite {
  Address address;
  std::string bytes;
  bool operator==(const RecordedWrite&) const = default;
};

struct RecordedProtect {
  Address address;
  uint32_t size;
  uint32_t protection;
  bool operator==(const RecordedProtect&) const = default;
};

class SimulatedProcess final : public MemoryBackend, public ProcessControl {
public:
  // The image at 0x400000 in the usual shape: a header page, code, read-only and writable data.
  static constexpr Address IMAGE_BASE = 0x400000;
  static constexpr Address IMAGE_CODE = 0x401000;      // 4 pages, PAGE_EXECUTE_READ
  static constexpr Address IMAGE_RDATA = 0x405000;     // 2 pages, PAGE_READONLY
  static constexpr Address IMAGE_DATA = 0x407000;      // 3 pages, PAGE_READWRITE
  static constexpr Address IMAGE_END = 0x40A000;

  // Adds a region; its bytes are zero-filled up to its size.
  SimulatedRegion& addRegion(SimulatedRegion region);
  // Adds the image described above (bytes zero).
  void addMainImage();
  // The region starting at base (it must exist).
  SimulatedRegion& region(Address base);
  // Copies bytes into the regions at address (they must exist).
  void place(Address address, std::string_view bytes);
  std::string bytesAt(Address address, uint32_t size) const;

  // Processes openProcess can open.
  std::set<uint32_t> openableIds = {1234};
  std::map<uint32_t, uint32_t> windowOwners;
  std::map<uint32_t, ModuleInfo> modules;
  std::set<Address> protectionLocked;  // region bases whose protection cannot change
  uint64_t addressSpaceEnd = 0x7FFF0000;  // queries at or past it fail; at most 2^32
  bool canStart = true;
  int32_t debugPrivilegeResult = 1;
  bool remoteThreadStarts = true;

  // What the class asked for.
  int queries = 0;
  std::vector<Address> reads;  // where each read began
  std::vector<RecordedWrite> writes;
  std::vector<RecordedProtect> protects;
  std::set<ProcessHandle> openHandles;
  std::vector<ProcessHandle> closedHandles;
  std::vector<ProcessHandle> terminated;
  std::vector<std::string> started;  // "path|command line|folder"
  std::vector<int32_t> pauses;
  int debugPrivilegeCalls = 0;
  std::vector<std::string> loadedLibraries;
  std::vector<Address> released;

  bool query(ProcessHandle process, Address address, RegionInfo& info) override;
  bool read(ProcessHandle process, Address address, uint32_t size, std::string& bytes) override;

  ProcessHandle openProcess(uint32_t processId) override;
  bool closeHandle(ProcessHandle process) override;
  ProcessHandle duplicateHandle(ProcessHandle process) override;
  bool write(ProcessHandle process, Address address, std::string_view bytes) override;
  bool protect(ProcessHandle process, Address address, uint32_t size, uint32_t protection,
               uint32_t& previous) override;
  Address allocate(ProcessHandle process, uint32_t size) override;
  bool release(ProcessHandle process, Address address) override;
  bool terminate(ProcessHandle process, uint32_t exitCode) override;
  ProcessHandle startProcess(std::string_view path, std::string_view commandLine,
                             std::string_view workingDirectory) override;
  void pause(int32_t milliseconds, const std::function<void()>& pump) override;
  uint32_t windowProcessId(uint32_t window) override;
  int32_t enableDebugPrivilege() override;
  int32_t trimWorkingSet(ProcessHandle process) override;
  uint32_t ownModuleHandle() override;
  bool moduleInformation(ProcessHandle process, uint32_t module, ModuleInfo& info) override;
  bool loadLibraryAt(ProcessHandle process, Address pathAddress) override;

private:
  bool serves(ProcessHandle process) const;
  SimulatedRegion* regionHolding(Address address);
  const SimulatedRegion* regionHolding(Address address) const;
  ProcessHandle newHandle();

  std::map<Address, SimulatedRegion> regions;
  ProcessHandle lastHandle = 0x100;
  Address nextAllocation = 0x20000000;
};
