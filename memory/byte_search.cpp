#include "memory/byte_search.h"

#include <cstring>

namespace {

// The pattern byte to look for first. Zero, all ones and small numbers fill much of a
// process's memory, so a byte outside them is a rarer anchor; the last such byte, else the
// first byte.
size_t anchorIndex(std::string_view pattern) {
  for (size_t i = pattern.size(); i-- > 0;) {
    const auto byte = static_cast<unsigned char>(pattern[i]);
    if (byte > 0x0F && byte != 0xFF) return i;
  }
  return 0;
}

}  // namespace

size_t findBytes(std::string_view bytes, std::string_view pattern, size_t from) {
  if (pattern.empty() || from > bytes.size() || bytes.size() - from < pattern.size()) {
    return std::string_view::npos;
  }
  const size_t anchor = anchorIndex(pattern);
  const char anchorByte = pattern[anchor];
  const char* const begin = bytes.data();
  const char* const lastStart = begin + (bytes.size() - pattern.size());
  // Candidates are tried in address order, so the first one that matches is the first
  // occurrence.
  for (const char* start = begin + from; start <= lastStart;) {
    const void* hit =
        std::memchr(start + anchor, anchorByte, static_cast<size_t>(lastStart - start) + 1);
    if (hit == nullptr) {
      break;
    }
    start = static_cast<const char*>(hit) - anchor;
    if (std::memcmp(start, pattern.data(), pattern.size()) == 0) {
      return static_cast<size_t>(start - begin);
    }
    ++start;
  }
  return std::string_view::npos;
}
