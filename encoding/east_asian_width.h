#pragma once
// How wide a character is drawn in East Asian typography.

// True for a character of East Asian Width W (wide) or F (fullwidth): Han, Hangul, kana,
// fullwidth forms, most emoji; such a character takes two cells where a Latin letter takes
// one. Unassigned code points of the CJK blocks count as wide, as the Unicode data says.
bool isEastAsianWide(char32_t codePoint);
