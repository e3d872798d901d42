#include "subtitles/subtitle_decoding.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

#include "encoding/code_page.h"
#include "encoding/text_bytes.h"

namespace {

constexpr std::string_view UTF16LE_SIGNATURE = "\xFF\xFE";
constexpr std::string_view UTF16BE_SIGNATURE = "\xFE\xFF";
constexpr std::string_view UTF8_SIGNATURE = "\xEF\xBB\xBF";

// GBK, as such files have always become, when that loses nothing; null otherwise.
std::optional<DecodedSubtitle> exactGbk(std::u16string_view units) {
  if (!encodesExactly(CodePage::GBK, units, CompositeCheck::ON)) return std::nullopt;
  return DecodedSubtitle{encodeCodePage(CodePage::GBK, units, CompositeCheck::ON), CodePage::GBK};
}

DecodedSubtitle decodeUtf16(std::u16string units) {
  units.resize(std::min(units.find(u'\0'), units.size()));
  if (std::optional<DecodedSubtitle> gbk = exactGbk(units)) return std::move(*gbk);
  return {utf16UnitsToUtf8(units), CodePage::UTF8};
}

// wellFormed: the bytes are known to be well-formed UTF-8.
DecodedSubtitle decodeUtf8(std::string_view bytes, bool wellFormed) {
  // NUL is never part of a longer UTF-8 sequence, so the text ends at the same character
  // whether it is cut before or after decoding.
  const std::string_view text = upToFirstNul(bytes);
  if (utf8EncodesExactly(CodePage::GBK, text, CompositeCheck::ON)) {
    return {encodeCodePage(CodePage::GBK, utf8ToUtf16Units(text), CompositeCheck::ON), CodePage::GBK};
  }
  if (wellFormed || isWellFormedUtf8(text)) return {std::string(text), CodePage::UTF8};
  return {utf16UnitsToUtf8(utf8ToUtf16Units(text)), CodePage::UTF8};
}

}  // namespace

std::string readSubtitleFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return {};
  }
  std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) {
    return {};
  }
  return bytes;
}

bool findsBig5Mark(std::string_view bytes) {
  // Positions 0 .. L - 4: the characters that begin before the last three bytes.
  const std::ptrdiff_t limit = static_cast<std::ptrdiff_t>(bytes.size()) - 3;
  std::ptrdiff_t p = 0;
  while (p < limit) {
    if (static_cast<unsigned char>(bytes[p]) >= 0x81) {
      if (bytes.substr(p, 2) == BIG5_MARK) {
        return true;
      }
      p += 2;
    } else {
      p += 1;
    }
  }
  return false;
}

std::string utf16LeBytesToGbk(std::string_view bytes) {
  const std::string gbk =
      encodeCodePage(CodePage::GBK, utf16LeBytesToUnits(bytes), CompositeCheck::ON);
  return std::string(upToFirstNul(gbk));
}

std::string utf8BytesToUtf16Le(std::string_view bytes) {
  return utf16UnitsToLeBytes(utf8ToUtf16Units(bytes));
}

std::string utf8BytesToGbk(std::string_view bytes) {
  return utf16LeBytesToGbk(utf8BytesToUtf16Le(bytes));
}

DecodedSubtitle decodeSubtitleBytes(std::string_view fileBytes, LanguageMode languageMode,
                                    const 编码转换类& subtitleEncoder) {
  if (fileBytes.starts_with(UTF16LE_SIGNATURE)) {
    return decodeUtf16(utf16LeBytesToUnits(fileBytes.substr(UTF16LE_SIGNATURE.size())));
  }
  if (fileBytes.starts_with(UTF16BE_SIGNATURE)) {
    return decodeUtf16(utf16BeBytesToUnits(fileBytes.substr(UTF16BE_SIGNATURE.size())));
  }
  if (fileBytes.starts_with(UTF8_SIGNATURE)) {
    return decodeUtf8(fileBytes.substr(UTF8_SIGNATURE.size()), false);
  }
  // Files saved as UTF-8 without a signature are common; read in a double-byte code page
  // they would show as garbage.
  if (isUtf8WithMultiByteSequence(fileBytes)) {
    return decodeUtf8(fileBytes, true);
  }
  switch (languageMode) {
    case LanguageMode::SIMPLIFIED_CHINESE:
      if (findsBig5Mark(fileBytes)) {
        return {subtitleEncoder.big5ToSimplifiedGbk(upToFirstNul(fileBytes)), CodePage::GBK};
      }
      break;
    case LanguageMode::TRADITIONAL_CHINESE:
      if (!findsBig5Mark(fileBytes)) {
        return {subtitleEncoder.gbkToTraditionalBig5(upToFirstNul(fileBytes)), CodePage::BIG5};
      }
      break;
    default:
      break;
  }
  return {std::string(fileBytes), CodePage::ANSI};
}
