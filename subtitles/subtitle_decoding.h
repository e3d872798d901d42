#pragma once
// Turns the bytes of a subtitle file into the text the SRT parser reads: Unicode files
// (a UTF-16LE, UTF-16BE or UTF-8 signature, or unsigned files that are UTF-8) become GBK
// when GBK holds every character exactly and stay Unicode, as UTF-8, otherwise; other files
// are taken to be GBK or Big5 already and are converted between the two after the
// interface language.

#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/code_page.h"
#include "encoding/text_encoder.h"

// The interface language, chosen from the system's language (app/ui_texts.h).
enum class LanguageMode : uint8_t { ENGLISH = 0, SIMPLIFIED_CHINESE = 1, TRADITIONAL_CHINESE = 2 };

// The Big5 code of 的; in GBK these bytes are a private-use character ordinary text lacks.
inline constexpr std::string_view BIG5_MARK = "\xAA\xBA";

struct DecodedSubtitle {
  std::string bytes;  // the text for the parser, without a terminating NUL
  // GBK, BIG5, UTF8, or ANSI for text passed on unchanged.
  CodePage codePage = CodePage::ANSI;

  bool operator==(const DecodedSubtitle&) const = default;
};

// The whole file, or empty when it cannot be opened or read.
std::string readSubtitleFile(const std::string& path);

// Decodes the bytes of a subtitle file; never fails. Unicode files are signed UTF-16LE
// (FF FE), UTF-16BE (FE FF) and UTF-8 (EF BB BF) files, and unsigned files that are
// well-formed UTF-8 beyond ASCII. Their signature removed, they become GBK when GBK holds
// every character exactly (a base and its combining marks may join into one precomposed
// character, as WideCharToMultiByte's composite check does); otherwise they are kept as
// UTF-8, every character as written, a malformed UTF-8 sequence or a lone surrogate as
// U+FFFD. Any other file, under Simplified Chinese, is converted from Big5 to Simplified GBK
// when it holds BIG5_MARK; under Traditional Chinese, from GBK to Traditional Big5 when it
// does not; otherwise it passes unchanged. A converted file ends at its first NUL
// (U+0000 in a Unicode file).
DecodedSubtitle decodeSubtitleBytes(std::string_view fileBytes, LanguageMode languageMode,
                                    const 编码转换类& subtitleEncoder);

// Whether BIG5_MARK starts a character, walking the bytes as a double-byte code page lays
// them out (a byte of 0x81 or above leads a pair). Only characters that begin before the
// last three bytes are examined, so input shorter than four bytes never holds the mark.
bool findsBig5Mark(std::string_view bytes);

// UTF-16LE bytes (an odd last byte ignored) to GBK with composite characters joined; a
// character GBK lacks becomes "?"; the text ends at a U+0000.
std::string utf16LeBytesToGbk(std::string_view bytes);

// UTF-8 bytes to UTF-16LE bytes; each malformed sequence becomes U+FFFD.
std::string utf8BytesToUtf16Le(std::string_view bytes);

// utf16LeBytesToGbk(utf8BytesToUtf16Le(bytes)).
std::string utf8BytesToGbk(std::string_view bytes);
