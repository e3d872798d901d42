#pragma once
// The process-memory class: one served process at a time, reached through a MemoryBackend
// (queries, reads) and a ProcessControl (writes, protection, allocation, process control).
//
// Operations report failure through their result: 0 for flags, handles, counts and
// addresses, -1 for integers, -1.0 for floating-point values, an empty text or array for data.
// With no process handle, every operation from isReadable on returns its empty value.
// An optional argument given as 0 (or empty) takes its default, except for setProtection and
// getModuleInfo, where only a left-out argument does.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "memory/memory_backend.h"
#include "memory/process_control.h"

// Called by the searches with a percentage from 0 to 100; a result of 1 asks them to stop.
using ProgressRoutine = std::function<int32_t(int32_t)>;

// Offsets that turn an address into a pointer chain: for each offset in order, the current
// address becomes the 32-bit value stored there plus the offset. A failed read keeps the last
// value read (0 before the first).
using PointerOffsets = std::span<const int32_t>;

// The last percentage reported by each search, shared by every object of the class.
enum ProgressCell { FIND_ALL_CELL, FIND_ALL_UNPROTECTING_CELL, FIND_PATTERN_CELL };
extern std::array<int32_t, 3> progressCells;
// Sets the three cells to 0; program start-up and shutdown call it.
void resetProgressCells();

// {mapping handle, view address}; kept for the shape of the object, always empty on the
// NT family.
struct SharedView {
  uint32_t mapping = 0;
  Address view = 0;
};

class 内存操作类 {
public:
  // The object serves the calling process itself until it opens another.
  内存操作类(MemoryBackend& backend, ProcessControl& control);
  内存操作类& operator=(const 内存操作类&) = delete;

  // Slot order: destroy, copy, then the operations.
  virtual ~内存操作类();
  // A copy of both lists and the flag, serving the same process through a handle of its own.
  virtual std::unique_ptr<内存操作类> copy() const;

  // Closes the handle; 1 when the platform closed it. The handle is 0 afterwards either way.
  virtual int32_t closeProcess();
  virtual int32_t enableDebugPrivilege();
  // Ends the served process with exit code 0 and closes its handle; 1 on success.
  virtual int32_t terminateProcess();
  // Closes the current handle and adopts the given one (the object then owns it).
  virtual void setProcessHandle(ProcessHandle handle);
  virtual ProcessHandle getProcessHandle() const;
  // Serves processId when openOther is nonzero, else the calling process; 1 when a handle
  // is held afterwards.
  virtual int32_t openProcess(uint32_t processId, int32_t openOther);
  virtual int32_t openWindowProcess(uint32_t window);
  // Starts the program in the folder of its path (up to the last backslash), waits 200 ms
  // while the message pump runs, and serves it; 1 when it started.
  virtual int32_t startProcess(std::string_view path, std::string_view commandLine = {});

  // 0 when the region's protection is PAGE_EXECUTE, PAGE_NOACCESS or PAGE_EXECUTE_WRITECOPY
  // or the address has no region, else 1.
  virtual int32_t isReadable(Address address);
  virtual int32_t isImageMemory(Address address);
  // The main-image test: allocation base 0x400000, MEM_IMAGE, not PAGE_READONLY, over 4096 bytes.
  virtual int32_t isSearchableImageRegion(Address address);
  // All fields 0 without a handle or when the query fails.
  virtual RegionInfo queryRegion(Address address);
  // Default protection PAGE_EXECUTE_READWRITE, default size 5; gives the previous
  // protection, 0 on failure.
  virtual uint32_t setProtection(Address address, std::optional<uint32_t> protection = {},
                                 std::optional<uint32_t> size = {});
  // About a module of the served process (default: this program's own module handle).
  virtual ModuleInfo getModuleInfo(std::optional<uint32_t> module = {});
  virtual Address allocateMemory(uint32_t size);
  virtual void freeMemory(Address address);
  virtual int32_t trimWorkingSet();

  // length 0: up to the end of the address's region; -1: as many bytes as the 32-bit value
  // just before the address says (a negative count reads nothing). Empty for address 0 or -1.
  virtual std::string readBytes(Address address, int32_t length = 0, PointerOffsets offsets = {});
  // The bytes up to the first NUL, read up to the end of the address's region.
  virtual std::string readText(Address address, PointerOffsets offsets = {});
  // size 8: a 64-bit little-endian value; 1 to 4 (default 4): that many bytes into a zeroed
  // 32-bit value, widened with its sign. Other sizes, failure, address 0 or -1: -1.
  virtual int64_t readInteger(Address address, int32_t size = 0, PointerOffsets offsets = {});
  // size 8: a double; any other: a float. -1.0 on failure and for address 0 or -1.
  virtual double readFloat(Address address, int32_t size = 0, PointerOffsets offsets = {});
  // length -1 first stores the array's byte count just before the address; a positive
  // length writes that many leading bytes (at most the whole array), else the whole array.
  // 1 when every write succeeded; 0 for address 0 or -1.
  virtual int32_t writeBytes(Address address, std::string_view bytes, int32_t length = 0,
                             PointerOffsets offsets = {});
  // The text's bytes up to its first NUL, then one NUL.
  virtual int32_t writeText(Address address, std::string_view text, PointerOffsets offsets = {});
  // size 1 to 8 (default 4): that many low-order bytes, little-endian; other sizes write nothing.
  virtual int32_t writeInteger(Address address, int64_t value, int32_t size = 0,
                               PointerOffsets offsets = {});
  // size 8: a double; any other: a float.
  virtual int32_t writeFloat(Address address, double value, int32_t size = 0,
                             PointerOffsets offsets = {});

  // Every occurrence (not overlapping, in address order) of pattern in the regions the mode
  // selects, from start to the region that reaches past end; end must exceed 0x400000.
  // Mode 0: all but mapped; 1: image; 2: private; 3: all but mapped and read-only; 4: the main
  // image; 5 or more: the pattern at that distance from each allocation base. found and the
  // object's found list both end up with the addresses; gives their count.
  virtual int32_t findAll(std::string_view pattern, std::vector<Address>& found,
                          ProgressRoutine progress = {}, Address start = 0, Address end = 0,
                          int32_t mode = 0, int32_t unprotect = 0);
  // As findAll, also searching regions it may not read by lifting their protection for the
  // time of their search. Mode 4: the main image's PAGE_EXECUTE_READ regions.
  virtual int32_t findAllUnprotecting(std::string_view pattern, std::vector<Address>& found,
                                      ProgressRoutine progress = {}, Address start = 0,
                                      Address end = 0, int32_t mode = 0);
  // Narrows the found list by what each address holds now. Mode -2: greater, -3: smaller
  // (signed 32-bit, values shorter than 4 bytes zero-extended); -4: bytes differ; -5: at the
  // distance of value's first four bytes from the allocation base; -6: likewise, the distance
  // given as hexadecimal text; other modes: bytes equal. Addresses that cannot be read now
  // are dropped. An empty value, or a distance below 10, gives 0 and keeps the list.
  virtual int32_t filterFound(std::string_view value, std::vector<Address>& kept,
                              ProgressRoutine progress = {}, int32_t mode = 0);
  // Runs LoadLibraryA(path) in the served process and waits for it; 1 when the thread ran.
  virtual int32_t loadLibraryRemote(std::string_view path);
  // Path texts: hexadecimal pieces joined by "+", spaces ignored, e.g. "400000+1C+8"; the
  // first is an address, the others offsets of a pointer chain. A malformed text designates
  // nothing (address 0, integer -1, empty bytes, no patch applied).
  // The address a path designates when isReadable accepts it, else 0; -1 for a text
  // shorter than 2 characters.
  virtual Address resolvePath(std::string_view path);
  virtual int32_t readIntegerAtPath(std::string_view path);
  // "path=length": a decimal length, -1 for up to the region's end, or a byte list whose
  // count is the length.
  virtual std::string readBytesAtPath(std::string_view pathAndLength);
  // "path=value" pieces joined by "|"; the value is a decimal 32-bit integer, a byte list
  // "{1,2,3}" or "path=length" of bytes to copy. Writes each value where the bytes differ;
  // previous receives "path={...}|" per piece (or for the one piece when returnPrevious is
  // nonzero). 1 when every piece holds its value afterwards.
  virtual int32_t applyPatches(std::string_view patches, std::string& previous,
                               int32_t returnPrevious);
  // The first occurrence of pattern in the main image (allocation base 0x400000), from
  // start to the region that reaches past end (default 0x7FFFFFFF); 0 when none.
  virtual Address findPattern(std::string_view pattern, ProgressRoutine progress = {},
                              Address start = 0, Address end = 0);
  // For each occurrence: its address when it lies in the main image ("0045A1C0"), or the
  // static paths that lead to it through the allocation it lies in ("0045A1C0+1C").
  // flag nonzero searches image regions only.
  virtual int32_t findPointerPaths(std::string_view pattern, std::vector<std::string>& paths,
                                   ProgressRoutine progress = {}, Address start = 0,
                                   Address end = 0, int32_t flag = 0);

  // The message-pump step run once per region by the searches and during startProcess.
  void setMessagePump(std::function<void()> pump);
  const std::vector<Address>& getFoundAddresses() const { return foundAddresses; }
  const std::vector<SharedView>& getSharedViews() const { return sharedViews; }
  int32_t getDebugPrivilegeRaised() const { return debugPrivilegeRaised; }

private:
  内存操作类(const 内存操作类& other);

  // Visits the regions from start upwards until visit returns true, a query fails, or a
  // region reaches past end (signed); reports progress into cell and ends it with 100.
  using RegionVisitor = std::function<bool(Address current, const RegionInfo& region)>;
  void walkRegions(Address start, Address end, const ProgressRoutine& progress, int32_t& cell,
                   const RegionVisitor& visit);
  Address followChain(Address address, PointerOffsets offsets);
  bool readValue(Address address, uint32_t size, std::string& bytes);
  // Whether every byte of address .. address + size lies in committed memory.
  bool isCommittedRange(Address address, uint32_t size);
  int32_t findAllIn(std::string_view pattern, std::vector<Address>& found,
                    const ProgressRoutine& progress, Address start, Address end, int32_t mode,
                    bool unprotecting);
  int32_t findPointerPathsBelow(std::string_view pattern, std::vector<std::string>& paths,
                                const ProgressRoutine& progress, Address start, Address end,
                                int32_t flag, int32_t depth);
  int32_t applyPatch(std::string_view patch, std::string& previous, bool returnPrevious);
  void pumpMessages();

  MemoryBackend* backend;
  ProcessControl* control;
  std::function<void()> messagePump;

  std::vector<Address> foundAddresses;
  std::vector<SharedView> sharedViews;
  ProcessHandle processHandle;
  int32_t debugPrivilegeRaised = 0;
};
