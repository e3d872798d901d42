// The searches of the process-memory class: the first match in the main image, every match
// in chosen regions, narrowing the found list, and pointer paths to a value.
#include <algorithm>
#include <cmath>

#include "memory/byte_search.h"
#include "memory/little_endian.h"
#include "memory/path_text.h"
#include "memory/process_memory.h"
#include "memory/region_rules.h"

namespace {

constexpr Address DEFAULT_END = 0x7FFFFFFF;
constexpr int32_t OFFSET_MODE = 5;
constexpr int32_t MIN_BASE_DISTANCE = 10;
// Pointer paths deeper than this are not followed; each level also lowers its end, so the
// search always ends.
constexpr int32_t MAX_POINTER_DEPTH = 16;

int32_t asSigned(uint32_t value) {
  return static_cast<int32_t>(value);
}

// How far the walk has come, 0 to 100. An empty or reversed range counts as done.
int32_t walkPercentage(Address next, Address start, Address end) {
  const double span = static_cast<double>(asSigned(end)) - asSigned(start);
  if (!(span > 0)) {
    return 100;
  }
  const double percent = (static_cast<double>(asSigned(next)) - asSigned(start)) / span * 100;
  return static_cast<int32_t>(std::clamp(percent, 0.0, 100.0));
}

int32_t countPercentage(size_t done, size_t count) {
  return static_cast<int32_t>(std::min(100.0, static_cast<double>(done) / count * 100));
}

bool modeSelects(int32_t mode, const RegionInfo& region, bool unprotecting) {
  switch (mode) {
    case 0: return region.Type != MEM_MAPPED_TYPE;
    case 1: return region.Type == MEM_IMAGE_TYPE;
    case 2: return region.Type == MEM_PRIVATE_TYPE;
    case 3: return region.Type != MEM_MAPPED_TYPE && region.Protect != PROTECT_READONLY;
    default:
      if (unprotecting) {
        return region.AllocationBase == MAIN_IMAGE_BASE && region.Type == MEM_IMAGE_TYPE &&
               region.Protect == PROTECT_EXECUTE_READ;
      }
      return isMainImageRegion(region);
  }
}

// Regions whose allocation may be reached through a static pointer.
bool leadsToStaticPointer(const RegionInfo& region) {
  return (region.Protect == PROTECT_READWRITE && region.Type == MEM_PRIVATE_TYPE) ||
         ((region.Protect == PROTECT_EXECUTE_READ || region.Protect == PROTECT_EXECUTE_READWRITE) &&
          region.Type == MEM_IMAGE_TYPE);
}

// The first four bytes, zero-extended when there are fewer.
int32_t leadingInt32(std::string_view bytes) {
  return static_cast<int32_t>(static_cast<uint32_t>(fromLittleEndian(bytes.substr(0, 4))));
}

bool keepsByValue(int32_t mode, std::string_view present, std::string_view value, int32_t number) {
  switch (mode) {
    case -2: return leadingInt32(present) > number;
    case -3: return leadingInt32(present) < number;
    case -4: return present != value;
    default: return present == value;
  }
}

}  // namespace

void 内存操作类::walkRegions(Address start, Address end, const ProgressRoutine& progress,
                             int32_t& cell, const RegionVisitor& visit) {
  Address current = start;
  while (true) {
    RegionInfo region;
    if (!backend->query(processHandle, current, region) || visit(current, region)) {
      break;
    }
    const Address next = current + region.RegionSize;
    if (progress) {
      const int32_t percent = walkPercentage(next, start, end);
      if (percent != cell) {
        cell = percent;
        if (progress(percent) == 1) break;
      }
    }
    // A walk that would wrap past 4 GiB has visited every region there is.
    if (asSigned(next) > asSigned(end) || next <= current) {
      break;
    }
    pumpMessages();
    current = next;
  }
  if (progress && cell != 100) {
    cell = 100;
    progress(100);
  }
}

Address 内存操作类::findPattern(std::string_view pattern, ProgressRoutine progress, Address start,
                                Address end) {
  if (processHandle == NO_PROCESS) {
    return 0;
  }
  if (end == 0) {
    end = DEFAULT_END;
  }
  Address result = 0;
  walkRegions(start, end, progress, progressCells[FIND_PATTERN_CELL],
              [&](Address current, const RegionInfo& region) {
                std::string bytes;
                if (!isMainImageRegion(region) ||
                    !backend->read(processHandle, current, region.RegionSize, bytes)) {
                  return false;
                }
                const size_t at = findBytes(bytes, pattern);
                if (at == std::string_view::npos) {
                  return false;
                }
                result = current + static_cast<Address>(at);
                return true;
              });
  return result;
}

int32_t 内存操作类::findAll(std::string_view pattern, std::vector<Address>& found,
                           ProgressRoutine progress, Address start, Address end, int32_t mode,
                           int32_t unprotect) {
  return findAllIn(pattern, found, progress, start, end, mode, unprotect != 0);
}

int32_t 内存操作类::findAllUnprotecting(std::string_view pattern, std::vector<Address>& found,
                                       ProgressRoutine progress, Address start, Address end,
                                       int32_t mode) {
  return findAllIn(pattern, found, progress, start, end, mode, true);
}

int32_t 内存操作类::findAllIn(std::string_view pattern, std::vector<Address>& found,
                             const ProgressRoutine& progress, Address start, Address end,
                             int32_t mode, bool unprotecting) {
  if (processHandle == NO_PROCESS || pattern.empty() ||
      asSigned(end) <= asSigned(MAIN_IMAGE_BASE)) {
    return 0;
  }
  foundAddresses.clear();
  found.clear();
  mode = std::max(mode, 0);

  // Reserved and free memory cannot be read, however large the region.
  const auto scan = [&](Address current, const RegionInfo& region) {
    std::string bytes;
    if (region.State != MEM_COMMIT_STATE || !modeSelects(mode, region, unprotecting) ||
        !backend->read(processHandle, current, region.RegionSize, bytes)) {
      return;
    }
    for (size_t at = findBytes(bytes, pattern); at != std::string_view::npos;
         at = findBytes(bytes, pattern, at + pattern.size())) {
      found.push_back(current + static_cast<Address>(at));
    }
  };
  const auto checkAtDistance = [&](const RegionInfo& region) {
    const uint64_t target = uint64_t{region.AllocationBase} + static_cast<uint32_t>(mode);
    if (region.Type == MEM_MAPPED_TYPE || !isReadableProtection(region.Protect) ||
        region.BaseAddress < region.AllocationBase || region.BaseAddress > target ||
        uint64_t{region.BaseAddress} + region.RegionSize <= target + pattern.size()) {
      return;
    }
    std::string bytes;
    const Address address = static_cast<Address>(target);
    if (backend->read(processHandle, address, static_cast<uint32_t>(pattern.size()), bytes) &&
        bytes == pattern) {
      found.push_back(address);
    }
  };

  int32_t& cell = progressCells[unprotecting ? FIND_ALL_UNPROTECTING_CELL : FIND_ALL_CELL];
  walkRegions(start, end, progress, cell, [&](Address current, const RegionInfo& region) {
    if (mode >= OFFSET_MODE) {
      checkAtDistance(region);
    } else if (isReadableProtection(region.Protect)) {
      scan(current, region);
    } else if (unprotecting && region.Type != MEM_MAPPED_TYPE) {
      uint32_t previous = 0;
      if (control->protect(processHandle, region.BaseAddress, region.RegionSize,
                           PROTECT_EXECUTE_READWRITE, previous)) {
        RegionInfo lifted;
        if (backend->query(processHandle, current, lifted)) {
          scan(current, lifted);
        }
        uint32_t lifting = 0;
        control->protect(processHandle, region.BaseAddress, region.RegionSize, previous, lifting);
      }
    }
    return false;
  });
  foundAddresses = found;
  return static_cast<int32_t>(found.size());
}

int32_t 内存操作类::filterFound(std::string_view value, std::vector<Address>& kept,
                               ProgressRoutine progress, int32_t mode) {
  kept.clear();
  if (processHandle == NO_PROCESS || value.empty()) {
    return 0;
  }
  const bool byDistance = mode == -5 || mode == -6;
  const int32_t number =
      mode == -6 ? asSigned(readHexText(value)) : leadingInt32(value);
  if (byDistance && number < MIN_BASE_DISTANCE) {
    return 0;
  }
  const size_t count = foundAddresses.size();
  for (size_t i = 0; i < count; ++i) {
    const Address address = foundAddresses[i];
    if (byDistance) {
      RegionInfo region;
      if (backend->query(processHandle, address, region) &&
          address - region.AllocationBase == static_cast<uint32_t>(number)) {
        kept.push_back(address);
      }
    } else {
      std::string present;
      if (backend->read(processHandle, address, static_cast<uint32_t>(value.size()), present) &&
          keepsByValue(mode, present, value, number)) {
        kept.push_back(address);
      }
    }
    if (progress && progress(countPercentage(i + 1, count)) == 1) {
      break;
    }
  }
  foundAddresses = kept;
  return static_cast<int32_t>(kept.size());
}

int32_t 内存操作类::findPointerPaths(std::string_view pattern, std::vector<std::string>& paths,
                                    ProgressRoutine progress, Address start, Address end,
                                    int32_t flag) {
  paths.clear();
  return findPointerPathsBelow(pattern, paths, progress, start, end, flag, 0);
}

int32_t 内存操作类::findPointerPathsBelow(std::string_view pattern, std::vector<std::string>& paths,
                                         const ProgressRoutine& progress, Address start,
                                         Address end, int32_t flag, int32_t depth) {
  if (processHandle == NO_PROCESS || pattern.empty()) {
    return 0;
  }
  std::vector<Address> hits;
  findAll(pattern, hits, progress, start, end, flag != 0 ? 1 : 3);
  int32_t lastReported = 0;
  for (size_t i = 0; i < hits.size(); ++i) {
    const Address hit = hits[i];
    const RegionInfo region = queryRegion(hit);
    const Address baseEnd = region.AllocationBase - 4;
    if (isMainImageRegion(region)) {
      paths.push_back(hexText(hit, 8));
    } else if (leadsToStaticPointer(region) && depth < MAX_POINTER_DEPTH &&
               asSigned(baseEnd) < asSigned(end)) {
      std::vector<std::string> basePaths;
      findPointerPathsBelow(littleEndian(region.AllocationBase, 4), basePaths, {}, start,
                            baseEnd, 1, depth + 1);
      for (const std::string& basePath : basePaths) {
        paths.push_back(basePath + "+" + hexText(hit - region.AllocationBase));
      }
    }
    if (progress) {
      const int32_t percent = countPercentage(i + 1, hits.size());
      if (percent != lastReported) {
        lastReported = percent;
        if (progress(percent) == 1) break;
      }
    }
    pumpMessages();
  }
  return static_cast<int32_t>(paths.size());
}
