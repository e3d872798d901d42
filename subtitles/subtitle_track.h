#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoding/code_page.h"

// One cue: shown from start (inclusive) to end (exclusive), in milliseconds.
struct SubtitleCue {
  int32_t start = 0;
  int32_t end = 0;
  std::string text;  // lines joined by CR LF, in the track's code page

  bool operator==(const SubtitleCue&) const = default;
};

struct SentinelCue {
  int32_t start;
  int32_t end;
};

// The two empty cues that close every track, so that the display tick can always read
// the cue after the one under its cursor. No real cue reaches them (see parseSrt).
inline constexpr SentinelCue SENTINEL_CUES[2] = {{2147483640, 2147483641},
                                                 {2147483642, 2147483643}};

// The cues of one subtitle file, ordered by start, at positions 1 to cueCount(), followed
// by the two sentinel cues at cueCount() + 1 and cueCount() + 2. A default track has no
// real cues, only the sentinels. Every text is in the track's code page.
class SubtitleTrack {
 public:
  SubtitleTrack() : SubtitleTrack(std::vector<SubtitleCue>{}) {}

  // Takes the real cues in the order given and appends the sentinels.
  explicit SubtitleTrack(std::vector<SubtitleCue> realCues, CodePage codePage = CodePage::ANSI)
      : cues_(std::move(realCues)), codePage_(codePage) {
    cueCount_ = static_cast<int32_t>(cues_.size());
    for (const SentinelCue& sentinel : SENTINEL_CUES) {
      cues_.push_back({sentinel.start, sentinel.end, {}});
    }
  }

  int32_t cueCount() const { return cueCount_; }
  CodePage codePage() const { return codePage_; }

  // position: 1 to cueCount() + 2, unchecked.
  const SubtitleCue& cue(int32_t position) const { return cues_[position - 1]; }
  int32_t start(int32_t position) const { return cues_[position - 1].start; }
  int32_t end(int32_t position) const { return cues_[position - 1].end; }
  const std::string& text(int32_t position) const { return cues_[position - 1].text; }

  // Every entry, real cues then sentinels: entries()[position - 1].
  const std::vector<SubtitleCue>& entries() const { return cues_; }

  bool operator==(const SubtitleTrack&) const = default;

 private:
  std::vector<SubtitleCue> cues_;
  int32_t cueCount_ = 0;
  CodePage codePage_ = CodePage::ANSI;
};
