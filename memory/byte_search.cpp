#include "memory/byte_search.h"

#include <cstring>

size_t findBytes(std::string_view bytes, std::string_view pattern, size_t from) {
  if (pattern.empty() || from > bytes.size() || bytes.size() - from < pattern.size()) {
    return std::string_view::npos;
  }
  const char* const begin = bytes.data();
  const char* const last = begin + (bytes.size() - pattern.size());  // last possible start
  const char first = pattern.front();
  const std::string_view rest = pattern.substr(1);
  for (const char* at = begin + from; at <= last;) {
    const void* hit = std::memchr(at, first, static_cast<size_t>(last - at) + 1);
    if (hit == nullptr) {
      break;
    }
    at = static_cast<const char*>(hit);
    if (std::memcmp(at + 1, rest.data(), rest.size()) == 0) {
      return static_cast<size_t>(at - begin);
    }
    ++at;
  }
  return std::string_view::npos;
}
