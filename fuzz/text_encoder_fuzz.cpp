// Every operation of the text-encoding class on arbitrary bytes, with the properties that
// must hold whatever the input: no crash or out-of-bounds access, form mappings keep the
// byte length, and the transfer encodings decode what they encoded.
#include "encoding/code_page.h"
#include "encoding/text_bytes.h"
#include "encoding/text_encoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string text(upToFirstNul(bytes));
  const 编码转换类 encoder;

  require(encoder.percentDecodeBytes(encoder.percentEncodeBytes(bytes)) == bytes);
  require(encoder.percentDecodeBytes(encoder.percentEncodeBytes(bytes, 1)) == bytes);
  require(encoder.percentDecodeBytes(bytes).size() <= bytes.size() / 3);
  require(encoder.urlDecode(encoder.urlEncode(bytes)) == text);
  require(encoder.urlDecode(encoder.urlEncodeAddress(bytes)) == text);
  require(encoder.urlDecode(bytes).size() <= text.size());
  require(encoder.base64Decode(encoder.base64Encode(bytes)) == bytes);
  require(encoder.base64Decode(bytes).size() <= bytes.size());
  encoder.scriptUnescape(bytes);
  encoder.scriptEscape(bytes);
  encoder.unicodeEscape(bytes);
  encoder.unicodeUnescape(bytes);

  const std::string utf16 = encoder.gbkToUtf16(bytes);
  require(utf16.size() % 2 == 0 && utf16.size() >= 2 && utf16.ends_with(std::string(2, '\0')));
  encoder.utf16ToGbk(bytes);
  encoder.utf16ToUtf8(bytes);
  encoder.gbkToUtf8(bytes);
  encoder.utf8ToGbk(bytes);
  const std::string utf8Units = encoder.utf8ToUtf16(bytes);
  if (isUtf8WithMultiByteSequence(bytes)) {
    require(utf16UnitsToUtf8(utf16LeBytesToUnits(utf8Units)) == bytes);
  }
  encodeCodePage(CodePage::GBK, utf16LeBytesToUnits(bytes), CompositeCheck::ON);

  require(encoder.toTraditionalForms(bytes).size() == text.size());
  require(encoder.toSimplifiedForms(bytes).size() == text.size());
  encoder.big5ToGbk(bytes);
  encoder.gbkToBig5(bytes);
  require(encoder.big5ToSimplifiedGbk(bytes).find('\0') == std::string::npos);
  require(encoder.gbkToTraditionalBig5(bytes).find('\0') == std::string::npos);
  return 0;
}
