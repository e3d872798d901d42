#pragma once
// The text-encoding class: stateless conversions between GBK (code page 936), Big5 (950),
// UTF-16LE and UTF-8, between Simplified and Traditional character forms (of characters
// GBK holds; GBK in, GBK out), and a few escape and transfer encodings.
//
// A text argument is its bytes up to the first NUL; a byte-array argument may hold NULs.
// Every operation returns a new value and never fails: empty input gives an empty result,
// and malformed input gives the defined result noted at each operation.
// A character the target code page cannot hold becomes "?" and the rest of the text stays.
#include <memory>
#include <string>
#include <string_view>

class 编码转换类 {
public:
  编码转换类() = default;
  编码转换类(const 编码转换类&) = default;
  编码转换类& operator=(const 编码转换类&) = default;

  // Slot order: destroy, copy, then the conversions in a fixed order.
  virtual ~编码转换类() = default;
  virtual std::unique_ptr<编码转换类> copy() const;

  // Each byte becomes a prefix ("%" when usePercent is nonzero, "=" otherwise) and two
  // uppercase hexadecimal digits.
  virtual std::string percentEncodeBytes(std::string_view bytes, int usePercent = 0) const;
  // One byte per complete group of three (prefix unexamined, then two hexadecimal digits of
  // either case); a trailing partial group is ignored and a group whose digits are not both
  // hexadecimal is skipped.
  virtual std::string percentDecodeBytes(std::string_view bytes) const;
  // Keeps A-Z a-z 0-9 and * , - . / : @ _; every other byte becomes %XX.
  virtual std::string urlEncode(std::string_view text) const;
  // A leading "http://" passes through; then ":" and "/" pass and every other byte is %XX.
  virtual std::string urlEncodeAddress(std::string_view text) const;
  // "%" and two hexadecimal digits (either case) become that byte; a "%" not followed by two
  // hexadecimal digits is copied as it is; "+" stays "+". A decoded NUL ends the text.
  virtual std::string urlDecode(std::string_view text) const;
  // Standard Base64 with "=" padding and no line breaks.
  virtual std::string base64Encode(std::string_view bytes) const;
  // Inverse of base64Encode. Characters outside the alphabet (line breaks included) are
  // skipped; decoding stops at the first "="; a final partial group yields the whole bytes it
  // holds and a lone sixth of a byte yields nothing.
  virtual std::string base64Decode(std::string_view bytes) const;
  // The value of the text read as the inside of a single-quoted JavaScript string literal,
  // with the escapes of the classic script engines: \uXXXX, \xHH, octal \0-\377,
  // \n \r \t \b \f \v, \<line break> (continues the line) and \<other> (that character, so an
  // incomplete \x4 gives "x4"). A bare quote or line break, which would end the literal, and a
  // trailing backslash stand for themselves. The value is GBK text: a character GBK lacks
  // becomes "?", and a NUL ends the text.
  virtual std::string scriptUnescape(std::string_view text) const;
  // Every UTF-16 unit of the GBK text becomes "\u" and four uppercase hexadecimal digits.
  virtual std::string scriptEscape(std::string_view text) const;
  // GBK text to UTF-16LE bytes, with a terminating NUL unit (two zero bytes).
  virtual std::string gbkToUtf16(std::string_view text) const;
  // UTF-16LE bytes (an odd last byte ignored) to GBK text, up to the first NUL.
  virtual std::string utf16ToGbk(std::string_view bytes) const;
  // UTF-8 bytes to UTF-16LE bytes, no terminator added; malformed sequences become U+FFFD.
  virtual std::string utf8ToUtf16(std::string_view bytes) const;
  // UTF-16LE bytes to UTF-8 bytes. The result is as long as the whole array needs in UTF-8;
  // conversion stops after the first NUL unit (a NUL byte) and the bytes after it stay zero.
  virtual std::string utf16ToUtf8(std::string_view bytes) const;
  // gbkToUtf16, then utf16ToUtf8: the result ends with one NUL byte.
  virtual std::string gbkToUtf8(std::string_view text) const;
  // utf8ToUtf16, then utf16ToGbk.
  virtual std::string utf8ToGbk(std::string_view bytes) const;
  // Each UTF-16 unit of the GBK text becomes "%u" and four uppercase hexadecimal digits.
  virtual std::string unicodeEscape(std::string_view text) const;
  // Removes every "%u", reads the rest as groups of four hexadecimal digits (either case),
  // one UTF-16 unit each, and converts the units to GBK. A group holding a non-hexadecimal
  // character and a trailing group of fewer than four characters are skipped.
  virtual std::string unicodeUnescape(std::string_view text) const;
  // GBK text with each character in its Traditional form; same byte length.
  virtual std::string toTraditionalForms(std::string_view text) const;
  // GBK text with each character in its Simplified form; same byte length.
  virtual std::string toSimplifiedForms(std::string_view text) const;
  // Big5 text to GBK text.
  virtual std::string big5ToGbk(std::string_view text) const;
  // big5ToGbk, then toSimplifiedForms.
  virtual std::string big5ToSimplifiedGbk(std::string_view text) const;
  // GBK text to Big5 text.
  virtual std::string gbkToBig5(std::string_view text) const;
  // toTraditionalForms, then gbkToBig5.
  virtual std::string gbkToTraditionalBig5(std::string_view text) const;
};
