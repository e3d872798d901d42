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

// readLeadingDecimal, fed one byte at a time: for text read as it is being rewritten.
class LeadingDecimal {
 public:
  void feed(char c) {
    const bool digit = c >= '0' && c <= '9';
    switch (stage_) {
      case Stage::BLANKS:
        if (c == ' ' || (c >= '\t' && c <= '\r')) return;
        if (c == '+' || c == '-') {
          negative_ = c == '-';
          stage_ = Stage::SIGNED;
          return;
        }
        [[fallthrough]];
      case Stage::SIGNED:
      case Stage::DIGITS:
        if (!digit) {
          stage_ = Stage::DONE;
          return;
        }
        magnitude_ = std::min(magnitude_ * 10 + (c - '0'), LIMIT);
        stage_ = Stage::DIGITS;
        return;
      case Stage::DONE:
        return;
    }
  }
  int32_t value() const { return clampToInt32(negative_ ? -magnitude_ : magnitude_); }
  // Whether the number has ended: nothing fed from now on changes it.
  bool done() const { return stage_ == Stage::DONE; }

 private:
  // One past the largest magnitude, so -2147483648 is read exactly and nothing overflows.
  static constexpr int64_t LIMIT = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  enum class Stage { BLANKS, SIGNED, DIGITS, DONE };
  Stage stage_ = Stage::BLANKS;
  bool negative_ = false;
  int64_t magnitude_ = 0;
};

// The number C's atoi reads from the front of text: white space (space, \t, \n, \v, \f, \r)
// skipped, an optional sign, then decimal digits up to the first other character; 0 when
// there is no digit. Values beyond the int32 range saturate instead of overflowing.
int32_t readLeadingDecimal(std::string_view text);
