#include "memory/process_memory.h"

#include <cstring>

#include "encoding/text_bytes.h"
#include "memory/little_endian.h"
#include "memory/path_text.h"
#include "memory/region_rules.h"

std::array<int32_t, 3> progressCells{};

void resetProgressCells() {
  progressCells.fill(0);
}

namespace {

constexpr Address NO_ADDRESS = 0;
constexpr Address ALL_ONES = 0xFFFFFFFF;
constexpr int32_t START_WAIT_MS = 200;
constexpr uint32_t DEFAULT_PROTECT_SIZE = 5;

bool unusableAddress(Address address) {
  return address == NO_ADDRESS || address == ALL_ONES;
}

}  // namespace

内存操作类::内存操作类(MemoryBackend& backend, ProcessControl& control)
    : backend(&backend), control(&control), processHandle(CURRENT_PROCESS) {}

内存操作类::内存操作类(const 内存操作类& other)
    : backend(other.backend),
      control(other.control),
      messagePump(other.messagePump),
      foundAddresses(other.foundAddresses),
      sharedViews(other.sharedViews),
      processHandle(other.processHandle == NO_PROCESS
                        ? NO_PROCESS
                        : other.control->duplicateHandle(other.processHandle)),
      debugPrivilegeRaised(other.debugPrivilegeRaised) {}

内存操作类::~内存操作类() {
  closeProcess();
}

std::unique_ptr<内存操作类> 内存操作类::copy() const {
  return std::unique_ptr<内存操作类>(new 内存操作类(*this));
}

int32_t 内存操作类::closeProcess() {
  const bool closed = processHandle != NO_PROCESS && control->closeHandle(processHandle);
  processHandle = NO_PROCESS;
  return closed ? 1 : 0;
}

int32_t 内存操作类::enableDebugPrivilege() {
  if (debugPrivilegeRaised != 0) {
    return 1;
  }
  const int32_t result = control->enableDebugPrivilege();
  if (result != 0) {
    debugPrivilegeRaised = 1;
  }
  return result;
}

int32_t 内存操作类::terminateProcess() {
  if (processHandle == NO_PROCESS || !control->terminate(processHandle, 0)) {
    return 0;
  }
  closeProcess();
  return 1;
}

void 内存操作类::setProcessHandle(ProcessHandle handle) {
  closeProcess();
  processHandle = handle;
}

ProcessHandle 内存操作类::getProcessHandle() const {
  return processHandle;
}

int32_t 内存操作类::openProcess(uint32_t processId, int32_t openOther) {
  closeProcess();
  processHandle = openOther != 0 ? control->openProcess(processId) : CURRENT_PROCESS;
  return processHandle != NO_PROCESS ? 1 : 0;
}

int32_t 内存操作类::openWindowProcess(uint32_t window) {
  return openProcess(control->windowProcessId(window), 1);
}

int32_t 内存操作类::startProcess(std::string_view path, std::string_view commandLine) {
  closeProcess();
  path = upToFirstNul(path);
  const size_t slash = path.rfind('\\');
  const std::string_view folder =
      slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
  const ProcessHandle started = control->startProcess(path, upToFirstNul(commandLine), folder);
  if (started == NO_PROCESS) {
    return 0;
  }
  control->pause(START_WAIT_MS, messagePump);
  processHandle = started;
  return started > 0 ? 1 : 0;
}

int32_t 内存操作类::isReadable(Address address) {
  RegionInfo region;
  if (processHandle == NO_PROCESS || !backend->query(processHandle, address, region)) {
    return 0;
  }
  return isReadableProtection(region.Protect) ? 1 : 0;
}

int32_t 内存操作类::isImageMemory(Address address) {
  return queryRegion(address).Type == MEM_IMAGE_TYPE ? 1 : 0;
}

int32_t 内存操作类::isSearchableImageRegion(Address address) {
  RegionInfo region;
  if (processHandle == NO_PROCESS || !backend->query(processHandle, address, region)) {
    return 0;
  }
  return isMainImageRegion(region) ? 1 : 0;
}

RegionInfo 内存操作类::queryRegion(Address address) {
  RegionInfo region;
  if (processHandle == NO_PROCESS || !backend->query(processHandle, address, region)) {
    return RegionInfo{};
  }
  return region;
}

uint32_t 内存操作类::setProtection(Address address, std::optional<uint32_t> protection,
                                   std::optional<uint32_t> size) {
  uint32_t previous = 0;
  if (processHandle == NO_PROCESS ||
      !control->protect(processHandle, address, size.value_or(DEFAULT_PROTECT_SIZE),
                        protection.value_or(PROTECT_EXECUTE_READWRITE), previous)) {
    return 0;
  }
  return previous;
}

ModuleInfo 内存操作类::getModuleInfo(std::optional<uint32_t> module) {
  ModuleInfo info;
  if (processHandle == NO_PROCESS ||
      !control->moduleInformation(processHandle, module.value_or(control->ownModuleHandle()),
                                  info)) {
    return ModuleInfo{};
  }
  return info;
}

Address 内存操作类::allocateMemory(uint32_t size) {
  return processHandle == NO_PROCESS ? NO_ADDRESS : control->allocate(processHandle, size);
}

void 内存操作类::freeMemory(Address address) {
  if (processHandle != NO_PROCESS) {
    control->release(processHandle, address);
  }
}

int32_t 内存操作类::trimWorkingSet() {
  return processHandle == NO_PROCESS ? 0 : control->trimWorkingSet(processHandle);
}

Address 内存操作类::followChain(Address address, PointerOffsets offsets) {
  uint32_t value = 0;
  for (int32_t offset : offsets) {
    std::string bytes;
    if (backend->read(processHandle, address, 4, bytes)) {
      value = static_cast<uint32_t>(fromLittleEndian(bytes));
    }
    address = value + static_cast<uint32_t>(offset);
  }
  return address;
}

bool 内存操作类::readValue(Address address, uint32_t size, std::string& bytes) {
  return processHandle != NO_PROCESS && !unusableAddress(address) &&
         backend->read(processHandle, address, size, bytes);
}

std::string 内存操作类::readBytes(Address address, int32_t length, PointerOffsets offsets) {
  if (processHandle == NO_PROCESS) {
    return {};
  }
  address = followChain(address, offsets);
  if (unusableAddress(address)) {
    return {};
  }
  uint32_t size = static_cast<uint32_t>(length);
  if (length == 0) {
    RegionInfo region;
    if (!backend->query(processHandle, address, region)) {
      return {};
    }
    size = region.BaseAddress + region.RegionSize - address;
  } else if (length == -1) {
    std::string count;
    if (!readValue(address - 4, 4, count)) {
      return {};
    }
    const int32_t stored = static_cast<int32_t>(fromLittleEndian(count));
    if (stored <= 0) {
      return {};
    }
    size = static_cast<uint32_t>(stored);
  } else if (length < 0) {
    return {};
  }
  std::string bytes;
  if (isCommittedRange(address, size)) readValue(address, size, bytes);
  return bytes;
}

bool 内存操作类::isCommittedRange(Address address, uint32_t size) {
  // A length taken from a text or from the process itself may be anything; asking first
  // keeps a read from reserving a buffer for memory that is not there.
  const uint64_t end = uint64_t{address} + size;
  if (end > uint64_t{1} << 32) return false;
  for (uint64_t current = address; current < end;) {
    RegionInfo region;
    if (!backend->query(processHandle, static_cast<Address>(current), region) ||
        region.State != MEM_COMMIT_STATE) {
      return false;
    }
    const uint64_t next = uint64_t{region.BaseAddress} + region.RegionSize;
    if (next <= current) return false;
    current = next;
  }
  return true;
}

std::string 内存操作类::readText(Address address, PointerOffsets offsets) {
  return std::string(upToFirstNul(readBytes(address, 0, offsets)));
}

int64_t 内存操作类::readInteger(Address address, int32_t size, PointerOffsets offsets) {
  if (size == 0) {
    size = 4;
  }
  if (processHandle == NO_PROCESS || !(size == 8 || (size >= 1 && size <= 4))) {
    return -1;
  }
  std::string bytes;
  if (!readValue(followChain(address, offsets), static_cast<uint32_t>(size), bytes)) {
    return -1;
  }
  const uint64_t value = fromLittleEndian(bytes);
  if (size == 8) {
    return static_cast<int64_t>(value);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

double 内存操作类::readFloat(Address address, int32_t size, PointerOffsets offsets) {
  if (processHandle == NO_PROCESS) {
    return -1.0;
  }
  std::string bytes;
  if (size == 8) {
    double value;
    if (!readValue(followChain(address, offsets), 8, bytes)) return -1.0;
    std::memcpy(&value, bytes.data(), 8);
    return value;
  }
  float value;
  if (!readValue(followChain(address, offsets), 4, bytes)) return -1.0;
  std::memcpy(&value, bytes.data(), 4);
  return value;
}

int32_t 内存操作类::writeBytes(Address address, std::string_view bytes, int32_t length,
                              PointerOffsets offsets) {
  if (processHandle == NO_PROCESS) {
    return 0;
  }
  address = followChain(address, offsets);
  if (unusableAddress(address)) {
    return 0;
  }
  bool written = false;
  if (length == -1) {
    // Data behind a count that could not be stored would be read back with a wrong length.
    if (!control->write(processHandle, address - 4, littleEndian(bytes.size(), 4))) {
      return 0;
    }
    written = true;
  }
  if (length > 0 && static_cast<size_t>(length) < bytes.size()) {
    bytes = bytes.substr(0, static_cast<size_t>(length));
  }
  if (!bytes.empty()) {
    written = control->write(processHandle, address, bytes);
  }
  return written ? 1 : 0;
}

int32_t 内存操作类::writeText(Address address, std::string_view text, PointerOffsets offsets) {
  std::string bytes(upToFirstNul(text));
  bytes += '\0';
  return writeBytes(address, bytes, 0, offsets);
}

int32_t 内存操作类::writeInteger(Address address, int64_t value, int32_t size,
                                PointerOffsets offsets) {
  if (size == 0) {
    size = 4;
  }
  if (size < 1 || size > 8) {
    return 0;
  }
  return writeBytes(address, littleEndian(static_cast<uint64_t>(value), static_cast<size_t>(size)),
                    0, offsets);
}

int32_t 内存操作类::writeFloat(Address address, double value, int32_t size,
                              PointerOffsets offsets) {
  std::string bytes;
  if (size == 8) {
    bytes.assign(reinterpret_cast<const char*>(&value), 8);
  } else {
    const float single = static_cast<float>(value);
    bytes.assign(reinterpret_cast<const char*>(&single), 4);
  }
  return writeBytes(address, bytes, 0, offsets);
}

int32_t 内存操作类::loadLibraryRemote(std::string_view path) {
  if (processHandle == NO_PROCESS) {
    return 0;
  }
  std::string text(upToFirstNul(path));
  text += '\0';
  const Address memory = control->allocate(processHandle, static_cast<uint32_t>(text.size()));
  if (memory == NO_ADDRESS) {
    return 0;
  }
  const bool loaded = control->write(processHandle, memory, text) &&
                      control->loadLibraryAt(processHandle, memory);
  control->release(processHandle, memory);
  return loaded ? 1 : 0;
}

void 内存操作类::setMessagePump(std::function<void()> pump) {
  messagePump = std::move(pump);
}

void 内存操作类::pumpMessages() {
  if (messagePump) {
    messagePump();
  }
}
