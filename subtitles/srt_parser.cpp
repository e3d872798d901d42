#include "subtitles/srt_parser.h"

#include <algorithm>
#include <limits>
#include <functional>
#include <queue>
#include <utility>

#include "encoding/numbers.h"
#include "encoding/text_bytes.h"

namespace {

constexpr std::string_view ARROW = "-->";
constexpr std::string_view CRLF = "\r\n";
constexpr int32_t CUE_SHIFT_MS = 30;
// Real time fields are a few dozen bytes. Without a bound, a line of n arrows and no break
// would make every field run to the line's end and the parse O(n^2).
constexpr size_t TIME_FIELD_LIMIT = 256;

// The scan below works with 1-based positions, -1 for "none", as the grammar is defined.
using Pos = int64_t;

Pos findFrom(std::string_view b, std::string_view pattern, Pos from) {
  const size_t at = b.find(pattern, static_cast<size_t>(std::max<Pos>(from, 1) - 1));
  return at == std::string_view::npos ? -1 : static_cast<Pos>(at) + 1;
}

// The CR LF pairs of a text, so that each search for a line break is a binary search and
// a file of arrows without breaks still parses in O(L log L).
class LineBreaks {
 public:
  explicit LineBreaks(std::string_view b) {
    for (size_t at = b.find(CRLF); at != std::string_view::npos; at = b.find(CRLF, at + 2)) {
      starts_.push_back(static_cast<Pos>(at) + 1);
    }
  }

  // The first break that starts at or after position from.
  Pos find(Pos from) const {
    const auto it = std::lower_bound(starts_.begin(), starts_.end(), from);
    return it == starts_.end() ? -1 : *it;
  }

  // The last break lying entirely within positions 1 to upto.
  Pos findBack(Pos upto) const {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), upto - 1);
    return it == starts_.begin() ? -1 : *(it - 1);
  }

 private:
  std::vector<Pos> starts_;
};

std::string_view mid(std::string_view b, Pos start, Pos count) {
  const Pos length = static_cast<Pos>(b.size());
  if (count <= 0 || start > length) return {};
  return b.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));
}

int32_t shiftedTime(std::string_view field) {
  const int32_t ms = parseSrtTime(field.substr(0, TIME_FIELD_LIMIT));
  const int64_t shifted = int64_t{ms} - CUE_SHIFT_MS;
  return clampToInt32(shifted);
}

bool hasLoneLineBreak(std::string_view b) {
  for (size_t i = 0; i < b.size(); ++i) {
    if (b[i] == '\n' && (i == 0 || b[i - 1] != '\r')) return true;
    if (b[i] == '\r' && (i + 1 == b.size() || b[i + 1] != '\n')) return true;
  }
  return false;
}

}  // namespace

std::string normaliseLineBreaks(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      out += CRLF;
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += CRLF;
    } else {
      out += c;
    }
  }
  return out;
}

int32_t parseSrtTime(std::string_view field) {
  // One pass over the field as the rules rewrite it: spaces gone, the last comma a colon (or
  // ":0" appended when there is none), colons put in front up to three, and each of the first
  // four colon-separated fields read as atoi reads it. No space is a comma or a colon, so
  // finding both before removing the spaces gives the same places.
  const std::string_view text = upToFirstNul(field);
  // Forward searches, which memchr serves, rather than rfind's byte-by-byte walk.
  size_t comma = std::string_view::npos;
  for (size_t i = text.find(','); i != std::string_view::npos; i = text.find(',', i + 1)) comma = i;
  int64_t colons = 1;
  for (size_t i = text.find(':'); i != std::string_view::npos; i = text.find(':', i + 1)) ++colons;
  LeadingDecimal fields[4];
  size_t at = colons < 3 ? static_cast<size_t>(3 - colons) : 0;
  for (size_t i = 0; i < text.size() && at < 4; ++i) {
    if (fields[at].done()) {
      // Nothing more is read from this field: on to the separator that ends it.
      i = std::min(text.find(':', i), comma < i ? std::string_view::npos : comma);
      if (i >= text.size()) break;
    }
    const char c = text[i];
    if (c == ' ') continue;
    if (c == ':' || i == comma) {
      ++at;
    } else {
      fields[at].feed(c);
    }
  }
  if (comma == std::string_view::npos && ++at < 4) fields[at].feed('0');
  // Exact: every term stays far below 2^63.
  const int64_t total = int64_t{fields[0].value()} * 3600000 + int64_t{fields[1].value()} * 60000 +
                        int64_t{fields[2].value()} * 1000 + fields[3].value();
  return clampToInt32(total);
}

std::string_view trimCueText(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty()) {
    if (isBlank(text.front())) {
      text.remove_prefix(1);
    } else if (text.starts_with(CRLF)) {
      text.remove_prefix(2);
    } else {
      break;
    }
  }
  while (!text.empty()) {
    if (isBlank(text.back())) {
      text.remove_suffix(1);
    } else if (text.ends_with(CRLF)) {
      text.remove_suffix(2);
    } else {
      break;
    }
  }
  return text;
}

void sortCues(std::vector<SubtitleCue>& cues) {
  // Replays the selection sort: at step i the first smallest start among positions i..N is
  // the least (start, position) pair in a min-heap. The swap moves cue i to position m, so
  // it is pushed again under m; its old entry lies before i from now on and is skipped.
  using Entry = std::pair<int32_t, size_t>;
  std::vector<Entry> entries;
  entries.reserve(cues.size());
  for (size_t j = 0; j < cues.size(); ++j) entries.emplace_back(cues[j].start, j);
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> heap(std::greater<>{},
                                                                      std::move(entries));
  for (size_t i = 0; i < cues.size(); ++i) {
    while (heap.top().second < i) heap.pop();
    const size_t m = heap.top().second;
    heap.pop();
    if (m > i) {
      std::swap(cues[i], cues[m]);
      heap.emplace(cues[m].start, m);
    }
  }
}

SubtitleTrack parseSrt(std::string_view input, CodePage codePage) {
  const std::string normalised = hasLoneLineBreak(input) ? normaliseLineBreaks(input) : "";
  const std::string_view b = normalised.empty() ? input : std::string_view{normalised};
  const LineBreaks breaks(b);
  const Pos length = static_cast<Pos>(b.size());
  const Pos arrowLength = static_cast<Pos>(ARROW.size());

  std::vector<SubtitleCue> cues;
  for (Pos a = findFrom(b, ARROW, 1), next = 0; a > 0; a = next) {
    const Pos lineStart = breaks.findBack(a) + 2;  // 1 when no break precedes the arrow
    Pos lineEnd = breaks.find(a);
    if (lineEnd < 0) lineEnd = length + 1;

    SubtitleCue cue;
    cue.start = shiftedTime(mid(b, lineStart, a - lineStart));
    cue.end = shiftedTime(mid(b, a + arrowLength, lineEnd - a - arrowLength));

    // The text stops before the line ahead of the next time line (that cue's number).
    next = findFrom(b, ARROW, a + arrowLength);
    const Pos boundary = next > 0 ? breaks.findBack(breaks.findBack(next)) : length + 1;

    std::string_view raw;
    if (boundary >= lineEnd + 3) {
      raw = mid(b, lineEnd + 2, boundary - lineEnd - 2);
    } else {
      const Pos lineAfter = breaks.find(lineEnd + 2);
      if (lineAfter > 0) raw = mid(b, lineEnd + 2, lineAfter - lineEnd - 2);
    }
    cue.text = std::string(trimCueText(raw));
    cues.push_back(std::move(cue));
  }
  sortCues(cues);
  return SubtitleTrack(std::move(cues), codePage);
}
