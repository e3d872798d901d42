// Decodes a subtitle file as select-and-start does, then parses it. The first input byte
// chooses the interface language (its value modulo 3); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "subtitles/srt_parser.h"
#include "subtitles/subtitle_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const auto languageMode = static_cast<LanguageMode>(data[0] % 3);
  const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

  static const 编码转换类 subtitleEncoder;
  const DecodedSubtitle decoded = decodeSubtitleBytes(file, languageMode, subtitleEncoder);
  // Text passed on keeps every byte; converted text is a text, so it holds no NUL.
  if (decoded.codePage == CodePage::ANSI ? decoded.bytes != file
                                         : decoded.bytes.find('\0') != std::string::npos) {
    std::abort();
  }
  const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
  if (track.cueCount() < 0) {
    std::abort();
  }
  return 0;
}
