#include "overlay/display_tick.h"

#include <algorithm>
#include <string>

#include "encoding/east_asian_width.h"
#include "encoding/numbers.h"
#include "encoding/text_bytes.h"

namespace {

// The bytes a UTF-8 piece takes in GBK, or would take: a character GBK lacks counts as
// wide as it is drawn, so the lift behaves for a UTF-8 file as for its GBK twin.
size_t gbkBytesOfUtf8(std::string_view piece) {
  const std::u16string units = utf8ToUtf16Units(piece);
  size_t bytes = 0;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t codePoint = units[i];
    const bool pair = codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < units.size() &&
                      units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
    if (pair) codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[++i] - 0xDC00);
    const int gbkBytes = exactByteCount(CodePage::GBK, codePoint);
    bytes += gbkBytes > 0 ? gbkBytes : isEastAsianWide(codePoint) ? 2 : 1;
  }
  return bytes;
}

int64_t wrappedLinesOfPiece(size_t pieceBytes, int32_t lineChars) {
  if (lineChars <= 0) return 1;
  // The width is pieceBytes / 2 cells, a multiple of 0.5, so whole-number tests are exact
  // in units of half a cell.
  const int64_t halfCells = static_cast<int64_t>(pieceBytes);
  const int64_t halfCellsPerLine = int64_t{2} * lineChars;
  return std::max<int64_t>(1, (halfCells + halfCellsPerLine - 1) / halfCellsPerLine);
}

DisplayOutcome show(int32_t k, const SubtitleTrack& track, DisplayCursor& cursor,
                    const DisplayLayout& layout) {
  const std::string_view text = track.text(k);
  cursor.lineCount = countWrappedLines(text, layout.lineChars, track.codePage());
  cursor.shownCue = k;
  cursor.overlayShowing = 1;

  DisplayOutcome outcome{DisplayAction::show, k, layout.baseLeft};
  const int64_t need = int64_t{cursor.lineCount} * layout.lineHeight;
  if (layout.baseTop + need > layout.screenHeight) {
    outcome.moveTop = true;
    outcome.top = clampToInt32(layout.screenHeight - need);
  }
  return outcome;
}

}  // namespace

int32_t countWrappedLines(std::string_view cueText, int32_t lineChars, CodePage codePage) {
  const std::string_view text = upToFirstNul(cueText);
  // In GBK, Big5 and UTF-8 a CR or LF byte is never part of a longer character, so the
  // split works on bytes.
  int64_t lines = 0;
  size_t from = 0;
  while (from < text.size()) {
    const size_t separator = text.find("\r\n", from);
    const size_t pieceEnd = separator == std::string_view::npos ? text.size() : separator;
    const std::string_view piece = text.substr(from, pieceEnd - from);
    const size_t pieceBytes = codePage == CodePage::UTF8 ? gbkBytesOfUtf8(piece) : piece.size();
    lines += wrappedLinesOfPiece(pieceBytes, lineChars);
    if (separator == std::string_view::npos) break;
    from = separator + 2;
  }
  return clampToInt32(lines);
}

DisplayOutcome selectDisplayCue(int32_t t, const SubtitleTrack& track, DisplayCursor& cursor,
                                const DisplayLayout& layout) {
  if (cursor.cueIndex < 1 || cursor.cueIndex > track.cueCount() + 1) cursor.cueIndex = 1;
  const int32_t i = cursor.cueIndex;
  // Every 50 ms while a cue is on screen: nothing to do.
  if (i == cursor.shownCue && track.start(i) <= t && t < track.end(i)) return {};

  t = std::min(t, LATEST_DISPLAY_TIME);
  // From here on i + 1 <= cueCount + 2, and no rule moves i past cueCount + 1.

  if (track.start(i) <= t && t < track.end(i)) {
    return i == cursor.shownCue ? DisplayOutcome{} : show(i, track, cursor, layout);
  }
  if (track.end(i) <= t && t < track.start(i + 1)) {
    if (cursor.overlayShowing != 1) return {};
    cursor.overlayShowing = 0;
    return {DisplayAction::clear, 0, 0, true, layout.baseTop};
  }
  if (track.start(i + 1) <= t && t < track.end(i + 1)) {
    cursor.cueIndex = i + 1;
    return show(i + 1, track, cursor, layout);
  }
  if (t < track.end(i + 1)) {
    cursor.cueIndex = 1;
    return {};
  }
  int32_t k = i + 2;
  while (k <= track.cueCount() && track.start(k) < t) ++k;
  cursor.cueIndex = k - 1;
  return {};
}
