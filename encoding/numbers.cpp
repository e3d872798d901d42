#include "encoding/numbers.h"

int32_t readLeadingDecimal(std::string_view text) {
  LeadingDecimal number;
  for (const char c : text) number.feed(c);
  return number.value();
}
