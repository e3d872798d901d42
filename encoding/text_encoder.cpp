#include "encoding/text_encoder.h"

#include "encoding/character_forms.h"
#include "encoding/code_page.h"
#include "encoding/numbers.h"
#include "encoding/text_bytes.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace {

constexpr char UPPER_HEX[] = "0123456789ABCDEF";

// A text result: the converted bytes up to the first NUL.
std::string cutAtNul(std::string bytes) {
  bytes.resize(upToFirstNul(bytes).size());
  return bytes;
}

// The value of `count` hexadecimal digits at text[start], or -1 if any is missing or no digit.
template <typename Char>
int32_t hexNumber(std::basic_string_view<Char> text, size_t start, size_t count) {
  if (start + count > text.size()) return -1;
  int32_t value = 0;
  for (size_t i = start; i < start + count; ++i) {
    const int digit = hexDigitValue(static_cast<std::make_unsigned_t<Char>>(text[i]));
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

void appendHexByte(std::string& out, uint8_t byte) {
  out += UPPER_HEX[byte >> 4];
  out += UPPER_HEX[byte & 0x0F];
}

// "%XX" for every byte that `keep` refuses.
template <typename Keep>
std::string percentEscape(std::string_view text, Keep keep) {
  std::string out;
  out.reserve(text.size() * 3);
  for (const char c : text) {
    if (keep(c)) {
      out += c;
    } else {
      out += '%';
      appendHexByte(out, static_cast<uint8_t>(c));
    }
  }
  return out;
}

// Each UTF-16 unit of the GBK text as `prefix` and four uppercase hexadecimal digits.
std::string escapeUnits(std::string_view gbk, std::string_view prefix) {
  std::string out;
  for (const char16_t unit : decodeCodePage(CodePage::GBK, gbk)) {
    out += prefix;
    appendHexByte(out, static_cast<uint8_t>(unit >> 8));
    appendHexByte(out, static_cast<uint8_t>(unit & 0xFF));
  }
  return out;
}

bool isAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

int base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

bool isLineTerminator(char16_t unit) {
  return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

int octalValue(char16_t unit) { return unit >= u'0' && unit <= u'7' ? unit - u'0' : -1; }

// The value of a single-quoted JavaScript string literal's inside (the escapes of the
// classic script engines: no \u{...}; legacy octal escapes included).
std::u16string unescapeScriptLiteral(std::u16string_view units) {
  std::u16string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    if (units[i] != u'\\' || i + 1 == units.size()) {
      out += units[i];
      continue;
    }
    const char16_t escape = units[++i];
    switch (escape) {
      case u'b': out += u'\b'; break;
      case u'f': out += u'\f'; break;
      case u'n': out += u'\n'; break;
      case u'r': out += u'\r'; break;
      case u't': out += u'\t'; break;
      case u'v': out += u'\v'; break;
      case u'x':
      case u'u': {
        const size_t digits = escape == u'x' ? 2 : 4;
        const int32_t value = hexNumber(units, i + 1, digits);
        if (value < 0) {
          out += escape;
        } else {
          out += static_cast<char16_t>(value);
          i += digits;
        }
        break;
      }
      case u'\r':
        if (i + 1 < units.size() && units[i + 1] == u'\n') ++i;
        break;
      default:
        if (isLineTerminator(escape)) break;
        if (octalValue(escape) >= 0) {
          // Up to three octal digits while the value stays within 0..255.
          int value = octalValue(escape);
          for (int more = 0; more < 2 && i + 1 < units.size() && octalValue(units[i + 1]) >= 0 &&
                             value * 8 + octalValue(units[i + 1]) <= 0xFF;
               ++more) {
            value = value * 8 + octalValue(units[++i]);
          }
          out += static_cast<char16_t>(value);
        } else {
          out += escape;
        }
    }
  }
  return out;
}

}  // namespace

std::unique_ptr<编码转换类> 编码转换类::copy() const {
  return std::make_unique<编码转换类>(*this);
}

std::string 编码转换类::percentEncodeBytes(std::string_view bytes, int usePercent) const {
  const char prefix = usePercent != 0 ? '%' : '=';
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char byte : bytes) {
    out += prefix;
    appendHexByte(out, static_cast<uint8_t>(byte));
  }
  return out;
}

std::string 编码转换类::percentDecodeBytes(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size() / 3);
  for (size_t group = 0; group + 3 <= bytes.size(); group += 3) {
    const int32_t value = hexNumber(bytes, group + 1, 2);
    if (value >= 0) out += static_cast<char>(value);
  }
  return out;
}

std::string 编码转换类::urlEncode(std::string_view text) const {
  constexpr std::string_view kept = "*,-./:@_";
  return percentEscape(upToFirstNul(text), [&](char c) {
    return isAsciiLetterOrDigit(c) || kept.find(c) != std::string_view::npos;
  });
}

std::string 编码转换类::urlEncodeAddress(std::string_view text) const {
  constexpr std::string_view scheme = "http://";
  std::string_view rest = upToFirstNul(text);
  std::string out;
  if (rest.starts_with(scheme)) {
    out = scheme;
    rest.remove_prefix(scheme.size());
  }
  return out + percentEscape(rest, [](char c) { return c == ':' || c == '/'; });
}

std::string 编码转换类::urlDecode(std::string_view text) const {
  const std::string_view input = upToFirstNul(text);
  std::string out;
  out.reserve(input.size());
  for (size_t i = 0; i < input.size(); ++i) {
    const int32_t value = input[i] == '%' ? hexNumber(input, i + 1, 2) : -1;
    if (value < 0) {
      out += input[i];
    } else {
      out += static_cast<char>(value);
      i += 2;
    }
  }
  return cutAtNul(std::move(out));
}

std::string 编码转换类::base64Encode(std::string_view bytes) const {
  constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t count = std::min<size_t>(3, bytes.size() - i);
    uint32_t group = 0;
    for (size_t k = 0; k < 3; ++k) {
      group = group << 8 | (k < count ? static_cast<uint8_t>(bytes[i + k]) : 0);
    }
    for (size_t k = 0; k < 4; ++k) {
      out += k <= count ? alphabet[group >> (18 - 6 * k) & 0x3F] : '=';
    }
  }
  return out;
}

std::string 编码转换类::base64Decode(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size() / 4 * 3);
  uint32_t bits = 0;
  int bitCount = 0;
  for (const char c : bytes) {
    if (c == '=') break;
    const int value = base64Value(c);
    if (value < 0) continue;
    bits = (bits << 6 | value) & 0xFFFFFF;
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      out += static_cast<char>(bits >> bitCount & 0xFF);
    }
  }
  return out;
}

std::string 编码转换类::scriptUnescape(std::string_view text) const {
  const std::u16string value = unescapeScriptLiteral(decodeCodePage(CodePage::GBK, upToFirstNul(text)));
  return cutAtNul(encodeCodePage(CodePage::GBK, value));
}

std::string 编码转换类::scriptEscape(std::string_view text) const {
  return escapeUnits(upToFirstNul(text), "\\u");
}

std::string 编码转换类::gbkToUtf16(std::string_view text) const {
  std::u16string units = decodeCodePage(CodePage::GBK, upToFirstNul(text));
  units += u'\0';
  return utf16UnitsToLeBytes(units);
}

std::string 编码转换类::utf16ToGbk(std::string_view bytes) const {
  return cutAtNul(utf16LeBytesToCodePage(CodePage::GBK, bytes));
}

std::string 编码转换类::utf8ToUtf16(std::string_view bytes) const {
  return utf8ToUtf16LeBytes(bytes);
}

std::string 编码转换类::utf16ToUtf8(std::string_view bytes) const {
  const std::u16string units = utf16LeBytesToUnits(bytes);
  const size_t nul = units.find(u'\0');
  if (nul == std::u16string::npos) return utf16UnitsToUtf8(units);
  std::string out = utf16UnitsToUtf8(std::u16string_view(units).substr(0, nul + 1));
  out.resize(utf16UnitsToUtf8(units).size(), '\0');
  return out;
}

std::string 编码转换类::gbkToUtf8(std::string_view text) const {
  return utf16ToUtf8(gbkToUtf16(text));
}

std::string 编码转换类::utf8ToGbk(std::string_view bytes) const {
  return utf16ToGbk(utf8ToUtf16(bytes));
}

std::string 编码转换类::unicodeEscape(std::string_view text) const {
  return escapeUnits(upToFirstNul(text), "%u");
}

std::string 编码转换类::unicodeUnescape(std::string_view text) const {
  std::string digits;
  const std::string_view input = upToFirstNul(text);
  for (size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '%' && i + 1 < input.size() && input[i + 1] == 'u') {
      ++i;
    } else {
      digits += input[i];
    }
  }
  std::u16string units;
  for (size_t group = 0; group + 4 <= digits.size(); group += 4) {
    const int32_t value = hexNumber(std::string_view(digits), group, 4);
    if (value >= 0) units += static_cast<char16_t>(value);
  }
  units += u'\0';
  return utf16ToGbk(utf16UnitsToLeBytes(units));
}

std::string 编码转换类::toTraditionalForms(std::string_view text) const {
  return toCharacterForm(upToFirstNul(text), CharacterForm::TRADITIONAL);
}

std::string 编码转换类::toSimplifiedForms(std::string_view text) const {
  return toCharacterForm(upToFirstNul(text), CharacterForm::SIMPLIFIED);
}

std::string 编码转换类::big5ToGbk(std::string_view text) const {
  return cutAtNul(transcodeCodePage(CodePage::BIG5, CodePage::GBK, upToFirstNul(text)));
}

std::string 编码转换类::big5ToSimplifiedGbk(std::string_view text) const {
  return toSimplifiedForms(big5ToGbk(text));
}

std::string 编码转换类::gbkToBig5(std::string_view text) const {
  return cutAtNul(transcodeCodePage(CodePage::GBK, CodePage::BIG5, upToFirstNul(text)));
}

std::string 编码转换类::gbkToTraditionalBig5(std::string_view text) const {
  return gbkToBig5(toTraditionalForms(text));
}
