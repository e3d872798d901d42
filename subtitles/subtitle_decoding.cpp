#include "subtitles/subtitle_decoding.h"

#include <fstream>
#include <iterator>

#include "encoding/code_page.h"
#include "encoding/text_bytes.h"

namespace {

constexpr std::string_view UTF16LE_SIGNATURE = "\xFF\xFE";
constexpr std::string_view UTF8_SIGNATURE = "\xEF\xBB\xBF";
constexpr int GBK_CODE_PAGE = 936;
constexpr int BIG5_CODE_PAGE = 950;

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
    return {utf16LeBytesToGbk(fileBytes.substr(UTF16LE_SIGNATURE.size())), GBK_CODE_PAGE};
  }
  if (fileBytes.starts_with(UTF8_SIGNATURE)) {
    return {utf8BytesToGbk(fileBytes.substr(UTF8_SIGNATURE.size())), GBK_CODE_PAGE};
  }
  // Files saved as UTF-8 without a signature are common; read in a double-byte code page
  // they would show as garbage.
  if (isUtf8WithMultiByteSequence(fileBytes)) {
    return {utf8BytesToGbk(fileBytes), GBK_CODE_PAGE};
  }
  switch (languageMode) {
    case LanguageMode::SIMPLIFIED_CHINESE:
      if (findsBig5Mark(fileBytes)) {
        return {subtitleEncoder.big5ToSimplifiedGbk(upToFirstNul(fileBytes)), GBK_CODE_PAGE};
      }
      break;
    case LanguageMode::TRADITIONAL_CHINESE:
      if (!findsBig5Mark(fileBytes)) {
        return {subtitleEncoder.gbkToTraditionalBig5(upToFirstNul(fileBytes)), BIG5_CODE_PAGE};
      }
      break;
    default:
      break;
  }
  return {std::string(fileBytes), ANSI_CODE_PAGE};
}
