#include "app/delay_text.h"

#include <algorithm>
#include <iterator>

namespace {

bool isDelayCharacter(char16_t character) {
  return (character >= u'0' && character <= u'9') || character == u'-';
}

}  // namespace

bool acceptsTypedDelayCharacter(char16_t character) {
  return character < u' ' || isDelayCharacter(character);
}

std::u16string delayCharactersOf(std::u16string_view text) {
  std::u16string kept;
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept), isDelayCharacter);
  return kept;
}

std::u16string filteredDelayText(std::u16string_view text) {
  std::u16string kept = delayCharactersOf(text);
  if (kept.size() > DELAY_BOX_LIMIT) kept.resize(DELAY_BOX_LIMIT);
  return kept;
}
