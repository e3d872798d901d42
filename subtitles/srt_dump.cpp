#include "subtitles/srt_dump.h"

#include <cstdint>

std::string escapeBytes(std::string_view bytes) {
  static constexpr char HEX[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    switch (byte) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\x";
          out += HEX[byte >> 4];
          out += HEX[byte & 0x0F];
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string formatTrack(const SubtitleTrack& track) {
  std::string out = "cues " + std::to_string(track.cueCount()) + "\n";
  const auto& entries = track.entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    out += std::to_string(i + 1) + '\t' + std::to_string(entries[i].start) + '\t' +
           std::to_string(entries[i].end) + '\t' + escapeBytes(entries[i].text) + '\n';
  }
  return out;
}
