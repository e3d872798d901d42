#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "subtitles/subtitle_track.h"

// Parses the whole decoded file into a track in codePage, the code page the decoder gave;
// every byte string gives one. Each line that holds "-->" is a time line; a cue's text runs
// from the line after it to the line before the next time line's number line. Every time is
// stored 30 ms earlier than written and is kept within [INT32_MIN, INT32_MAX - 30], so no
// real cue reaches the sentinels. Only the first 256 bytes of a time field are read. A lone
// LF or a lone CR is read as CR LF. The parser reads bytes, and works alike in every code
// page the decoder gives: no GBK, Big5 or UTF-8 character holds a byte of "-->", CR or LF.
SubtitleTrack parseSrt(std::string_view bytes, CodePage codePage = CodePage::ANSI);

// One time field such as "00:01:02,500" to milliseconds. Fields read like atoi (leading
// white space, a sign, digits) but saturate at the int32 range; a total outside the int32
// range saturates as well.
int32_t parseSrtTime(std::string_view field);

// Strips spaces, tabs and CR LF pairs from both ends; a lone CR or LF stays.
std::string_view trimCueText(std::string_view text);

// Orders cues by start exactly as a selection sort that swaps in the first of the equal
// smallest starts would, ties included, in O(N log N).
void sortCues(std::vector<SubtitleCue>& cues);

// Every lone LF and lone CR becomes CR LF; CR LF pairs stay as they are.
std::string normaliseLineBreaks(std::string_view bytes);
