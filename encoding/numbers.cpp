#include "encoding/numbers.h"

namespace {

bool isAtoiSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

int32_t readLeadingDecimal(std::string_view text) {
  // One past the largest magnitude, so that -2147483648 is read exactly and a longer digit
  // run cannot overflow.
  constexpr int64_t LIMIT = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  size_t i = 0;
  while (i < text.size() && isAtoiSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min(magnitude * 10 + (text[i] - '0'), LIMIT);
  }
  return clampToInt32(negative ? -magnitude : magnitude);
}
