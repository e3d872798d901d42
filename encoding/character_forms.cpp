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

bool isGbkLeadByte(uint8_t byte) {
  return byte != 0 && CP936_DATA.singleByteUnits[byte] == 0;
}

}  // namespace

std::string toCharacterForm(std::string_view gbk, CharacterForm form) {
  const FormTable& table = formTableOf(form);
  std::string result(gbk);
  for (size_t i = 0; i < result.size();) {
    const uint8_t lead = static_cast<uint8_t>(result[i]);
    if (!isGbkLeadByte(lead) || i + 1 == result.size() || result[i + 1] == '\0') {
      i += 1;
      continue;
    }
    const uint8_t trail = static_cast<uint8_t>(result[i + 1]);
    if (trail >= PAIR_TRAIL_FIRST && trail <= PAIR_TRAIL_LAST) {
      const uint16_t replacement = table[pairIndex(lead, trail)];
      if (replacement != 0) {
        result[i] = static_cast<char>(replacement >> 8);
        result[i + 1] = static_cast<char>(replacement & 0xFF);
      }
    }
    i += 2;
  }
  return result;
}
