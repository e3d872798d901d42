// Decodes a subtitle file as select-and-start does, then parses it and estimates the lines
// of every cue. The first input byte chooses the interface language (its value modulo 3);
// the rest is the file.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "encoding/code_page.h"
#include "overlay/display_tick.h"
#include "subtitles/srt_parser.h"
#include "subtitles/subtitle_decoding.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

std::u16string upToNul(std::u16string units) {
  units.resize(std::min(units.find(u'\0'), units.size()));
  return units;
}

// The text of a Unicode file, found here by its own reading of the signatures; null for
// any other file.
std::optional<std::u16string> unicodeText(std::string_view file) {
  if (file.starts_with("\xFF\xFE")) return upToNul(utf16LeBytesToUnits(file.substr(2)));
  if (file.starts_with("\xFE\xFF")) return upToNul(utf16BeBytesToUnits(file.substr(2)));
  if (file.starts_with("\xEF\xBB\xBF")) return upToNul(utf8ToUtf16Units(file.substr(3)));
  if (isUtf8WithMultiByteSequence(file)) return upToNul(utf8ToUtf16Units(file));
  return std::nullopt;
}

std::string_view utf8Source(std::string_view file) {
  if (file.starts_with("\xEF\xBB\xBF")) file.remove_prefix(3);
  return file.substr(0, file.find('\0'));
}

bool hasLineLongerThan(std::string_view text, size_t limit) {
  size_t lineStart = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      if (i - lineStart > limit) return true;
      lineStart = i + 1;
    }
  }
  return false;
}

// A GBK text and its UTF-8 twin parse alike, and every cue of the two gets the same line
// estimate. Only for canonical GBK (each character in the one code GBK encodes it to), since
// a duplicate code or an undefined pair has no twin of its own length; and only when no line
// is longer than the 256 bytes of a time field the parser reads, which fall elsewhere in
// the twin.
void checkUtf8Twin(const std::string& gbk, const SubtitleTrack& track) {
  const std::u16string units = decodeCodePage(CodePage::GBK, gbk);
  if (encodeCodePage(CodePage::GBK, units) != gbk) return;
  const std::string utf8 = encodeCodePage(CodePage::UTF8, units);
  if (hasLineLongerThan(utf8, 256)) return;
  const SubtitleTrack twin = parseSrt(utf8, CodePage::UTF8);
  check(twin.cueCount() == track.cueCount());
  for (int32_t i = 1; i <= track.cueCount(); ++i) {
    check(twin.start(i) == track.start(i) && twin.end(i) == track.end(i));
    check(twin.text(i) == encodeCodePage(CodePage::UTF8, decodeCodePage(CodePage::GBK, track.text(i))));
    for (const int32_t lineChars : {1, 7, 30}) {
      check(countWrappedLines(twin.text(i), lineChars, CodePage::UTF8) ==
            countWrappedLines(track.text(i), lineChars, CodePage::GBK));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const auto languageMode = static_cast<LanguageMode>(data[0] % 3);
  const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

  // The decoder's shortcuts over UTF-8 agree with the long way through UTF-16.
  const std::u16string units = utf8ToUtf16Units(file);
  check(isWellFormedUtf8(file) == (encodeCodePage(CodePage::UTF8, units) == file));
  for (const CompositeCheck compositeCheck : {CompositeCheck::OFF, CompositeCheck::ON}) {
    check(utf8EncodesExactly(CodePage::GBK, file, compositeCheck) ==
          encodesExactly(CodePage::GBK, units, compositeCheck));
  }

  static const 编码转换类 subtitleEncoder;
  const DecodedSubtitle decoded = decodeSubtitleBytes(file, languageMode, subtitleEncoder);
  // Text passed on keeps every byte; converted text is a text, so it holds no NUL.
  check(decoded.codePage == CodePage::ANSI ? decoded.bytes == file
                                           : decoded.bytes.find('\0') == std::string::npos);

  if (const std::optional<std::u16string> source = unicodeText(file)) {
    if (decoded.codePage == CodePage::UTF8) {
      // Every character as the file holds it; only malformed sequences become U+FFFD.
      check(decoded.bytes == encodeCodePage(CodePage::UTF8, *source));
      const bool utf16 = file.starts_with("\xFF\xFE") || file.starts_with("\xFE\xFF");
      if (!utf16 && isWellFormedUtf8(utf8Source(file))) check(decoded.bytes == utf8Source(file));
    } else {
      // GBK only when it loses nothing: back in Unicode the text is the source, or shorter
      // where a base and its marks joined into one character, and it is GBK's own code.
      check(decoded.codePage == CodePage::GBK);
      const std::u16string back = decodeCodePage(CodePage::GBK, decoded.bytes);
      check(back == *source || back.size() < source->size());
      check(encodeCodePage(CodePage::GBK, back) == decoded.bytes);
    }
  } else {
    check(decoded.codePage != CodePage::UTF8);
  }

  const SubtitleTrack track = parseSrt(decoded.bytes, decoded.codePage);
  check(track.cueCount() >= 0);
  check(track.codePage() == decoded.codePage);
  for (int32_t i = 1; i <= track.cueCount(); ++i) {
    check(countWrappedLines(track.text(i), 30, track.codePage()) >= 0);
  }
  if (decoded.codePage == CodePage::GBK) checkUtf8Twin(decoded.bytes, track);
  return 0;
}
