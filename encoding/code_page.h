#pragma once
// Code-page primitives with the results Windows gives, from tables of our own, so every
// platform (Linux, Wine, Windows) produces the same bytes. No <windows.h> here or behind it.
#include <string>
#include <string_view>

enum class CodePage { GBK = 936, BIG5 = 950 };

// Whether encoding first joins a base character and a following combining mark into the
// precomposed character where the code page holds one (u + U+0304 -> ū), as
// WideCharToMultiByte's WC_COMPOSITECHECK does. Marks that join nothing are encoded on their own.
enum class CompositeCheck { OFF, ON };

// The byte that stands for a character a code page cannot hold, in both directions.
inline constexpr char DEFAULT_CHAR = '?';

// Bytes of code page 936 or 950 to UTF-16 units, as MultiByteToWideChar with flags 0:
// a double-byte pair the code page does not define becomes one "?" and consumes both bytes;
// a lead byte with no valid trail byte after it (at the end, or before a byte below 0x40)
// becomes "?" and consumes only itself. NUL bytes convert like any other byte.
std::u16string decodeCodePage(CodePage codePage, std::string_view bytes);

// UTF-16 units to code page 936 or 950, as WideCharToMultiByte with its default best fit:
// a character the code page lacks takes its best-fit substitute where one exists, otherwise
// DEFAULT_CHAR, one per unit (so an unencodable surrogate pair gives "??").
std::string encodeCodePage(CodePage codePage, std::u16string_view units,
                           CompositeCheck compositeCheck = CompositeCheck::OFF);

// UTF-8 bytes to UTF-16 units, as MultiByteToWideChar(65001, 0): each maximal ill-formed
// subsequence (overlong form, surrogate code point, value above U+10FFFF, truncated sequence,
// stray continuation byte) becomes one U+FFFD.
std::u16string utf8ToUtf16Units(std::string_view bytes);

// UTF-16 units to UTF-8, as WideCharToMultiByte(65001, 0): a lone surrogate becomes U+FFFD.
std::string utf16UnitsToUtf8(std::u16string_view units);

// True when the bytes are well-formed UTF-8 holding at least one multi-byte sequence,
// i.e. they are UTF-8 and not plain ASCII.
bool isUtf8WithMultiByteSequence(std::string_view bytes);

// UTF-16LE bytes to units, low byte first; an odd last byte is ignored.
std::u16string utf16LeBytesToUnits(std::string_view bytes);

// UTF-16 units to UTF-16LE bytes, two per unit, low byte first.
std::string utf16UnitsToLeBytes(std::u16string_view units);
