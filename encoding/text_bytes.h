#pragma once
// Texts are NUL-terminated byte strings; a byte view holding a NUL stands for the text
// before it.
#include <string_view>

// The bytes before the first NUL; all of them when there is none.
constexpr std::string_view upToFirstNul(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}
