// Any bytes give a track: sentinels at the end, real cues in order below them.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "subtitles/srt_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const SubtitleTrack track = parseSrt(bytes);
  const int32_t n = track.cueCount();
  if (track.entries().size() != static_cast<size_t>(n) + 2) std::abort();
  for (int32_t i = 1; i <= n + 1; ++i) {
    if (track.start(i) > track.start(i + 1)) std::abort();
  }
  if (track.start(n + 1) != SENTINEL_CUES[0].start || !track.text(n + 1).empty()) std::abort();
  for (int32_t i = 1; i <= n; ++i) {
    if (trimCueText(track.text(i)).size() != track.text(i).size()) std::abort();
  }
  // A file with lone line breaks parses as its CR LF twin.
  if (!(parseSrt(normaliseLineBreaks(bytes)) == track)) std::abort();
  parseSrtTime(bytes);
  return 0;
}
