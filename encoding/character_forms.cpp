#include "encoding/character_forms.h"

#include "encoding/tables/code_page_data.h"

#include <array>
#include <cstdint>

namespace {

// For each double-byte code, its replacement (lead << 8 | trail), or 0 to keep it.
using FormTable = std::array<uint16_t, PAIR_COUNT>;

FormTable buildFormTable(const GbkFormPair* pairs, size_t count) {
  FormTable table{};
  for (size_t i = 0; i < count; ++i) {
    table[pairIndex(pairs[i].from >> 8, pairs[i].from & 0xFF)] = pairs[i].to;
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

// In GBK every byte from 0x81 to 0xFE leads a double-byte code.
bool isGbkLeadByte(uint8_t byte) { return byte >= PAIR_LEAD_FIRST && byte <= PAIR_LEAD_LAST; }

}  // namespace

std::string toCharacterForm(std::string_view gbk, CharacterForm form) {
  const uint16_t* replacements = formTableOf(form).data();
  std::string result(gbk);
  auto* next = reinterpret_cast<uint8_t*>(result.data());
  const auto* end = next + result.size();
  while (next < end) {
    const uint8_t lead = next[0];
    if (!isGbkLeadByte(lead) || next + 1 == end || next[1] == 0) {
      next += 1;
      continue;
    }
    const uint8_t trail = next[1];
    if (trail >= PAIR_TRAIL_FIRST && trail <= PAIR_TRAIL_LAST) {
      const uint16_t replacement = replacements[pairIndex(lead, trail)];
      if (replacement != 0) {
        next[0] = static_cast<uint8_t>(replacement >> 8);
        next[1] = static_cast<uint8_t>(replacement & 0xFF);
      }
    }
    next += 2;
  }
  return result;
}
