#pragma once
// Code-page primitives with the results Windows gives, from tables of our own, so every
// platform (Linux, Wine, Windows) produces the same bytes. No <windows.h> here or behind it.
#include <string>
#include <string_view>

// A text's code page, numbered as Windows numbers them. ANSI is text passed on unchanged in
// the system's ANSI code page, which only the Win32 layer knows (MultiByteToWideChar with
// CP_ACP); the conversions here read and write it as GBK.
enum class CodePage { ANSI = 0, GBK = 936, BIG5 = 950, UTF8 = 65001 };

// Whether encoding first joins a base character and the combining marks after it into the
// precomposed character Unicode defines for them (u + U+0308 + U+0304 -> ǖ), as
// WideCharToMultiByte's WC_COMPOSITECHECK does, wherever the code page can encode that
// character (itself or its best fit); otherwise base and mark are encoded on their own.
enum class CompositeCheck { OFF, ON };

// The byte that stands for a character a code page cannot hold, in both directions.
inline constexpr char DEFAULT_CHAR = '?';

// Bytes of code page 936 or 950 to UTF-16 units, as MultiByteToWideChar with flags 0:
// a lead byte and the byte after it form a pair, and a pair the code page does not define
// becomes one "?" (so, as on Windows, a lead byte swallows a following line break); a lead
// byte at the end or before a NUL becomes "?" on its own. NUL bytes convert like any other.
// UTF8 gives utf8ToUtf16Units(bytes). ANSI text is the Win32 layer's to convert, with the
// system's code page; given ANSI, this reads GBK.
std::u16string decodeCodePage(CodePage codePage, std::string_view bytes);

// UTF-16 units to code page 936 or 950, as WideCharToMultiByte with its default best fit:
// a character the code page lacks takes its best-fit substitute where one exists, otherwise
// DEFAULT_CHAR, one per unit (so an unencodable surrogate pair gives "??").
// UTF8 gives utf16UnitsToUtf8(units), whatever compositeCheck; ANSI is written as GBK.
std::string encodeCodePage(CodePage codePage, std::u16string_view units,
                           CompositeCheck compositeCheck = CompositeCheck::OFF);

// Whether encodeCodePage(codePage, units, compositeCheck) keeps every character: each unit,
// or each precomposed character the composite check joins, takes bytes that decode back to
// it, never a best-fit look-alike or DEFAULT_CHAR. Always true for UTF8 (a lone surrogate
// aside); ANSI is checked as GBK.
bool encodesExactly(CodePage codePage, std::u16string_view units,
                    CompositeCheck compositeCheck = CompositeCheck::OFF);

// encodesExactly(codePage, utf8ToUtf16Units(bytes), compositeCheck) without building the
// units; it stops at the first character the code page does not keep.
bool utf8EncodesExactly(CodePage codePage, std::string_view bytes,
                        CompositeCheck compositeCheck = CompositeCheck::OFF);

// The bytes (1 or 2) the code page holds the character in exactly, as encodesExactly sees
// it; 0 when the code page lacks it or has only a look-alike for it, and for any code point
// above U+FFFF or a surrogate. For UTF8, the character's UTF-8 length; ANSI is GBK.
int exactByteCount(CodePage codePage, char32_t codePoint);

// Bytes of one code page to another: encodeCodePage(to, decodeCodePage(from, bytes)), in one
// pass between the double-byte code pages.
std::string transcodeCodePage(CodePage from, CodePage to, std::string_view bytes);

// UTF-16LE bytes to a code page: encodeCodePage(codePage, utf16LeBytesToUnits(bytes)), in one
// pass for the double-byte code pages.
std::string utf16LeBytesToCodePage(CodePage codePage, std::string_view bytes);

// UTF-8 bytes to UTF-16 units, as MultiByteToWideChar(65001, 0): each maximal ill-formed
// subsequence (overlong form, surrogate code point, value above U+10FFFF, truncated sequence,
// stray continuation byte) becomes one U+FFFD.
std::u16string utf8ToUtf16Units(std::string_view bytes);

// UTF-8 bytes to UTF-16LE bytes in one pass: utf16UnitsToLeBytes(utf8ToUtf16Units(bytes)).
std::string utf8ToUtf16LeBytes(std::string_view bytes);

// UTF-16 units to UTF-8, as WideCharToMultiByte(65001, 0): a lone surrogate becomes U+FFFD.
std::string utf16UnitsToUtf8(std::u16string_view units);

// True when the bytes are well-formed UTF-8 holding at least one multi-byte sequence,
// i.e. they are UTF-8 and not plain ASCII.
bool isUtf8WithMultiByteSequence(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (the empty text included), so that
// utf16UnitsToUtf8(utf8ToUtf16Units(bytes)) gives them back unchanged.
bool isWellFormedUtf8(std::string_view bytes);

// UTF-16LE bytes to units, low byte first; an odd last byte is ignored.
std::u16string utf16LeBytesToUnits(std::string_view bytes);

// UTF-16BE bytes to units, high byte first; an odd last byte is ignored.
std::u16string utf16BeBytesToUnits(std::string_view bytes);

// UTF-16 units to UTF-16LE bytes, two per unit, low byte first.
std::string utf16UnitsToLeBytes(std::u16string_view units);
