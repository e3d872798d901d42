#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The low size bytes of value, least significant first.
inline std::string littleEndian(uint64_t value, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>(value >> (8 * i));
  }
  return bytes;
}

// The bytes (at most 8) read least significant first, zero-extended.
inline uint64_t fromLittleEndian(std::string_view bytes) {
  uint64_t value = 0;
  for (size_t i = bytes.size(); i-- > 0;) {
    value = value << 8 | static_cast<unsigned char>(bytes[i]);
  }
  return value;
}
