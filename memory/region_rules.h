#pragma once
// Which regions the process-memory class reads.
#include "memory/memory_backend.h"

inline constexpr Address MAIN_IMAGE_BASE = 0x400000;

// PAGE_EXECUTE, PAGE_NOACCESS and PAGE_EXECUTE_WRITECOPY count as unreadable.
inline bool isReadableProtection(uint32_t protection) {
  return protection != PROTECT_EXECUTE && protection != PROTECT_NOACCESS &&
         protection != PROTECT_EXECUTE_WRITECOPY;
}

// Code and writable data of the image loaded at 0x400000: not its header page, not its
// read-only sections.
inline bool isMainImageRegion(const RegionInfo& region) {
  return region.Type == MEM_IMAGE_TYPE && region.AllocationBase == MAIN_IMAGE_BASE &&
         region.Protect != PROTECT_READONLY && region.RegionSize > PAGE_BYTES;
}
