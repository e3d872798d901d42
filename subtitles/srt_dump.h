#pragma once

#include <string>
#include <string_view>

#include "subtitles/subtitle_track.h"

// Writes bytes as printable ASCII: CR, LF and tab as \r, \n and \t, the backslash as \\,
// every other byte below 0x20, 0x7F and every byte above 0x7F as \xHH in lowercase hex.
std::string escapeBytes(std::string_view bytes);

// The track as text: "cues N", then one line per entry, the sentinels included:
// position, start ms, end ms and the escaped text, separated by tabs.
std::string formatTrack(const SubtitleTrack& track);
