#pragma once
// What the delay box 编辑框2 accepts: at most 8 characters, and of typed or pasted text only
// the digits 0 to 9 and the minus sign.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr size_t DELAY_BOX_LIMIT = 8;  // characters

// Whether typing `character` may enter the box: a digit, the minus sign, or a control key
// (below the space), which passes to the box's own editing.
bool acceptsTypedDelayCharacter(char16_t character);

// `text` with every character but the digits and the minus sign dropped.
std::u16string delayCharactersOf(std::u16string_view text);

// The box's whole text held to its rule: its digits and minus signs, at most
// DELAY_BOX_LIMIT of them.
std::u16string filteredDelayText(std::u16string_view text);
