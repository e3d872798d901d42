#include "simulated_process.h"

#include <cassert>

SimulatedRegion& SimulatedProcess::addRegion(SimulatedRegion region) {
  assert(region.base % PAGE_BYTES == 0 && region.size % PAGE_BYTES == 0 && region.size > 0);
  region.bytes.resize(region.size, '\0');
  const Address base = region.base;
  return regions[base] = std::move(region);
}

void SimulatedProcess::addMainImage() {
  const auto image = [&](Address base, Address end, uint32_t protect) {
    addRegion({.base = base, .size = end - base, .allocationBase = IMAGE_BASE, .protect = protect,
               .type = MEM_IMAGE_TYPE});
  };
  image(IMAGE_BASE, IMAGE_CODE, PROTECT_READONLY);
  image(IMAGE_CODE, IMAGE_RDATA, PROTECT_EXECUTE_READ);
  image(IMAGE_RDATA, IMAGE_DATA, PROTECT_READONLY);
  image(IMAGE_DATA, IMAGE_END, PROTECT_READWRITE);
}

SimulatedRegion& SimulatedProcess::region(Address base) {
  return regions.at(base);
}

void SimulatedProcess::place(Address address, std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    SimulatedRegion* holder = regionHolding(address + static_cast<Address>(i));
    assert(holder != nullptr);
    holder->bytes[address + i - holder->base] = bytes[i];
  }
}

std::string SimulatedProcess::bytesAt(Address address, uint32_t size) const {
  std::string bytes;
  for (uint32_t i = 0; i < size; ++i) {
    const SimulatedRegion* holder = regionHolding(address + i);
    bytes += holder != nullptr ? holder->bytes[address + i - holder->base] : '\0';
  }
  return bytes;
}

bool SimulatedProcess::serves(ProcessHandle process) const {
  return process == CURRENT_PROCESS || openHandles.count(process) != 0;
}

SimulatedRegion* SimulatedProcess::regionHolding(Address address) {
  auto after = regions.upper_bound(address);
  if (after == regions.begin()) return nullptr;
  SimulatedRegion& candidate = std::prev(after)->second;
  return address - candidate.base < candidate.size ? &candidate : nullptr;
}

const SimulatedRegion* SimulatedProcess::regionHolding(Address address) const {
  return const_cast<SimulatedProcess*>(this)->regionHolding(address);
}

ProcessHandle SimulatedProcess::newHandle() {
  lastHandle += 4;
  openHandles.insert(lastHandle);
  return lastHandle;
}

bool SimulatedProcess::query(ProcessHandle process, Address address, RegionInfo& info) {
  ++queries;
  if (!serves(process) || address >= addressSpaceEnd) {
    return false;
  }
  const Address page = address - address % PAGE_BYTES;
  if (const SimulatedRegion* holder = regionHolding(address)) {
    info = {page, holder->allocationBase, holder->protect, holder->base + holder->size - page,
            holder->state, holder->protect, holder->type};
    return true;
  }
  const auto after = regions.upper_bound(address);
  const uint64_t gapEnd = after == regions.end() ? addressSpaceEnd : after->first;
  info = {page, 0, 0, static_cast<uint32_t>(gapEnd - page), MEM_FREE_STATE, PROTECT_NOACCESS, 0};
  return true;
}

bool SimulatedProcess::read(ProcessHandle process, Address address, uint32_t size,
                            std::string& bytes) {
  reads.push_back(address);
  bytes.clear();
  if (!serves(process) || uint64_t{address} + size > addressSpaceEnd) {
    return false;
  }
  std::string copied;
  copied.reserve(size);
  for (uint64_t at = address; at < uint64_t{address} + size;) {
    const SimulatedRegion* holder = regionHolding(static_cast<Address>(at));
    if (holder == nullptr || holder->state != MEM_COMMIT_STATE ||
        holder->protect == PROTECT_NOACCESS) {
      return false;
    }
    const uint64_t end = std::min<uint64_t>(uint64_t{holder->base} + holder->size,
                                            uint64_t{address} + size);
    copied.append(holder->bytes, at - holder->base, end - at);
    at = end;
  }
  bytes = std::move(copied);
  return true;
}

ProcessHandle SimulatedProcess::openProcess(uint32_t processId) {
  return openableIds.count(processId) != 0 ? newHandle() : NO_PROCESS;
}

bool SimulatedProcess::closeHandle(ProcessHandle process) {
  closedHandles.push_back(process);
  return process == CURRENT_PROCESS || openHandles.erase(process) != 0;
}

ProcessHandle SimulatedProcess::duplicateHandle(ProcessHandle process) {
  if (process == CURRENT_PROCESS) return CURRENT_PROCESS;
  return serves(process) ? newHandle() : NO_PROCESS;
}

bool SimulatedProcess::write(ProcessHandle process, Address address, std::string_view bytes) {
  if (!serves(process)) return false;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const SimulatedRegion* holder = regionHolding(address + static_cast<Address>(i));
    if (holder == nullptr || holder->state != MEM_COMMIT_STATE) return false;
  }
  writes.push_back({address, std::string(bytes)});
  place(address, bytes);
  return true;
}

bool SimulatedProcess::protect(ProcessHandle process, Address address, uint32_t size,
                               uint32_t protection, uint32_t& previous) {
  SimulatedRegion* first = regionHolding(address);
  if (!serves(process) || first == nullptr || protectionLocked.count(first->base) != 0) {
    return false;
  }
  protects.push_back({address, size, protection});
  previous = first->protect;
  for (uint64_t at = address; at < uint64_t{address} + size;) {
    SimulatedRegion* holder = regionHolding(static_cast<Address>(at));
    if (holder == nullptr) break;
    holder->protect = protection;
    at = uint64_t{holder->base} + holder->size;
  }
  return true;
}

Address SimulatedProcess::allocate(ProcessHandle process, uint32_t size) {
  if (!serves(process) || size == 0) return 0;
  const uint32_t pages = (size + PAGE_BYTES - 1) / PAGE_BYTES * PAGE_BYTES;
  const Address base = nextAllocation;
  nextAllocation += pages + PAGE_BYTES;
  addRegion({.base = base, .size = pages, .allocationBase = base});
  return base;
}

bool SimulatedProcess::release(ProcessHandle process, Address address) {
  released.push_back(address);
  return serves(process) && regions.erase(address) != 0;
}

bool SimulatedProcess::terminate(ProcessHandle process, uint32_t exitCode) {
  if (!serves(process)) return false;
  terminated.push_back(process);
  return true;
}

ProcessHandle SimulatedProcess::startProcess(std::string_view path, std::string_view commandLine,
                                             std::string_view workingDirectory) {
  started.push_back(std::string(path) + "|" + std::string(commandLine) + "|" +
                    std::string(workingDirectory));
  return canStart ? newHandle() : NO_PROCESS;
}

void SimulatedProcess::pause(int32_t milliseconds, const std::function<void()>& pump) {
  pauses.push_back(milliseconds);
  if (pump) pump();
}

uint32_t SimulatedProcess::windowProcessId(uint32_t window) {
  const auto owner = windowOwners.find(window);
  return owner == windowOwners.end() ? 0 : owner->second;
}

int32_t SimulatedProcess::enableDebugPrivilege() {
  ++debugPrivilegeCalls;
  return debugPrivilegeResult;
}

int32_t SimulatedProcess::trimWorkingSet(ProcessHandle process) {
  return serves(process) ? 1 : 0;
}

uint32_t SimulatedProcess::ownModuleHandle() {
  return IMAGE_BASE;
}

bool SimulatedProcess::moduleInformation(ProcessHandle process, uint32_t module,
                                         ModuleInfo& info) {
  const auto known = modules.find(module);
  if (!serves(process) || known == modules.end()) return false;
  info = known->second;
  return true;
}

bool SimulatedProcess::loadLibraryAt(ProcessHandle process, Address pathAddress) {
  if (!serves(process) || !remoteThreadStarts) return false;
  std::string path;
  for (Address at = pathAddress; regionHolding(at) != nullptr; ++at) {
    const char c = bytesAt(at, 1)[0];
    if (c == '\0') break;
    path += c;
  }
  loadedLibraries.push_back(path);
  return true;
}
