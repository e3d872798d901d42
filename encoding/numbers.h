#pragma once
// The number rules every module shares: saturating to 32 bits, and reading decimal and
// hexadecimal digits.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

// value, or the nearest end of the int32 range when it lies beyond.
constexpr int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// 0 to 15 for a hexadecimal digit of either case, -1 for anything else.
constexpr int hexDigitValue(char32_t c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
  return -1;
}

// The number C's atoi reads from the front of text: white space (space, \t, \n, \v, \f, \r)
// skipped, an optional sign, then decimal digits up to the first other character; 0 when
// there is no digit. Values beyond the int32 range saturate instead of overflowing.
int32_t readLeadingDecimal(std::string_view text);
