#include "encoding/east_asian_width.h"

#include <algorithm>

#include "encoding/tables/code_page_data.h"

bool isEastAsianWide(char32_t codePoint) {
  const CodePointRange* end = EAST_ASIAN_WIDE + EAST_ASIAN_WIDE_COUNT;
  // The first range that ends at or after the code point.
  const CodePointRange* range = std::lower_bound(
      EAST_ASIAN_WIDE, end, codePoint, [](const CodePointRange& r, char32_t c) { return r.last < c; });
  return range != end && range->first <= codePoint;
}
