#include "encoding/character_forms.h"

#include "encoding/tables/code_page_data.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int LEAD_COUNT = PAIR_LEAD_LAST - PAIR_LEAD_FIRST + 1;

// The code each lead byte and any byte after it become (lead << 8 | trail), indexed by
// (lead - PAIR_LEAD_FIRST) * 256 + trail. Codes without another form map to themselves, so
// the walk below rewrites every pair without a branch on whether it changes.
using FormTable = std::vector<uint16_t>;

FormTable buildFormTable(const GbkFormPair* pairs, size_t count) {
  FormTable table(LEAD_COUNT * 256);
  for (int lead = PAIR_LEAD_FIRST; lead <= PAIR_LEAD_LAST; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      table[(lead - PAIR_LEAD_FIRST) * 256 + trail] = static_cast<uint16_t>(lead << 8 | trail);
    }
  }
  for (size_t i = 0; i < count; ++i) {
    table[((pairs[i].from >> 8) - PAIR_LEAD_FIRST) * 256 + (pairs[i].from & 0xFF)] = pairs[i].to;
  }
  return table;
}

const FormTable& formTableOf(CharacterForm form) {
  static const FormTable traditional =
      buildFormTable(SIMPLIFIED_TO_TRADITIONAL, SIMPLIFIED_TO_TRADITIONAL_COUNT);
  static const FormTable simplified =
      buildFormTable(TRADITIONAL_TO_SIMPLIFIED, TRADITIONAL_TO_SIMPLIFIED_COUNT);
  return form == CharacterForm::TRADITIONAL ? traditional : simplified;
}

}  // namespace

std::string toCharacterForm(std::string_view gbk, CharacterForm form) {
  const uint16_t* codes = formTableOf(form).data();
  std::string result(gbk);
  auto* next = reinterpret_cast<uint8_t*>(result.data());
  const auto* end = next + result.size();
  while (next < end) {
    // Every byte from 0x81 to 0xFE leads a pair in GBK. A lead byte before a NUL stands
    // alone when decoding, but the NUL then stands alone too, so taking both as a pair
    // (which maps to itself) walks on to the same place.
    const uint8_t lead = next[0];
    if (lead < PAIR_LEAD_FIRST || lead > PAIR_LEAD_LAST || next + 1 == end) {
      next += 1;
      continue;
    }
    const uint16_t code = codes[(lead - PAIR_LEAD_FIRST) * 256 + next[1]];
    next[0] = static_cast<uint8_t>(code >> 8);
    next[1] = static_cast<uint8_t>(code & 0xFF);
    next += 2;
  }
  return result;
}
