#include "encoding/code_page.h"

#include "encoding/tables/code_page_data.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// One code page's data with its encoding laid out for lookup by unit.
class CodePageTables {
public:
  explicit CodePageTables(const CodePageData& data) : data_(data) {
    encoding_.fill(NO_BYTES);
    for (int byte = 0; byte < 256; ++byte) {
      const uint16_t unit = data.singleByteUnits[byte];
      if ((unit != 0 || byte == 0) && encoding_[unit] == NO_BYTES) encoding_[unit] = byte;
    }
    for (int lead = PAIR_LEAD_FIRST; lead <= PAIR_LEAD_LAST; ++lead) {
      for (int trail = PAIR_TRAIL_FIRST; trail <= PAIR_TRAIL_LAST; ++trail) {
        const uint16_t unit = data.pairUnits[pairIndex(lead, trail)];
        if (unit != 0 && encoding_[unit] == NO_BYTES) encoding_[unit] = static_cast<uint16_t>(lead << 8 | trail);
      }
    }
    for (size_t i = 0; i < data.encodingExceptionCount; ++i) {
      encoding_[data.encodingExceptions[i].unit] = data.encodingExceptions[i].bytes;
    }
  }

  // The unit of each byte that stands alone, 0 for a lead byte (byte 0 stands alone).
  const uint16_t* singleByteUnits() const { return data_.singleByteUnits; }
  // The unit of each double-byte code (pairIndex), 0 where the code is undefined.
  const uint16_t* pairUnits() const { return data_.pairUnits; }
  // The bytes of each unit: a byte, lead << 8 | trail, or NO_BYTES.
  const uint16_t* encoding() const { return encoding_.data(); }
  uint16_t bytesOf(char16_t unit) const { return encoding_[unit]; }

  // Whether the unit's bytes decode back to it: no best fit, no default character.
  bool holdsExactly(char16_t unit) const {
    const uint16_t bytes = encoding_[unit];
    if (bytes == NO_BYTES) return false;
    if (bytes <= 0xFF) return data_.singleByteUnits[bytes] == unit;
    return data_.pairUnits[pairIndex(bytes >> 8, bytes & 0xFF)] == unit;
  }

private:
  const CodePageData& data_;
  std::array<uint16_t, 0x10000> encoding_;
};

// ANSI, whose real code page only the Win32 layer knows, and UTF8, which has no tables, read
// as GBK; the functions below handle UTF8 before they reach for tables.
const CodePageTables& tablesOf(CodePage codePage) {
  static const CodePageTables gbk(CP936_DATA);
  static const CodePageTables big5(CP950_DATA);
  return codePage == CodePage::BIG5 ? big5 : gbk;
}

// One bit for each unit that is the mark of some composition.
class CompositionMarks {
public:
  CompositionMarks() {
    for (size_t i = 0; i < COMPOSITION_COUNT; ++i) bits_[COMPOSITIONS[i].mark >> 6] |= uint64_t{1} << (COMPOSITIONS[i].mark & 63);
  }
  bool contains(char16_t unit) const { return (bits_[unit >> 6] >> (unit & 63) & 1) != 0; }

private:
  std::array<uint64_t, 0x10000 / 64> bits_{};
};

// The precomposed character of base + mark, or 0. Text rarely holds a mark, so the search
// is skipped for every unit that is none.
char16_t compose(char16_t base, char16_t mark) {
  static const CompositionMarks marks;
  if (!marks.contains(mark)) return 0;
  const Composition* first = COMPOSITIONS;
  const Composition* last = COMPOSITIONS + COMPOSITION_COUNT;
  const Composition* found =
      std::lower_bound(first, last, Composition{base, mark, 0}, [](const Composition& a, const Composition& b) {
        return a.base != b.base ? a.base < b.base : a.mark < b.mark;
      });
  return found != last && found->base == base && found->mark == mark ? found->composite : 0;
}

constexpr char16_t REPLACEMENT_CHARACTER = u'\uFFFD';
constexpr char32_t INVALID_SEQUENCE = 0xFFFFFFFF;

struct Utf8Sequence {
  char32_t codePoint;  // INVALID_SEQUENCE when the sequence is ill-formed
  size_t length;       // bytes consumed, at least 1
};

// Reads one UTF-8 sequence at bytes[start] the way Windows' decoder consumes it: the lead
// byte sets the length; a byte that is no continuation byte ends the ill-formed sequence
// before it, while a second byte that makes the value overlong, a surrogate or too large
// is consumed with it. (Wine also swallows the non-continuation bytes of a sequence cut
// off by the end of the input; we keep them, since they may be the text's last line break.)
Utf8Sequence readUtf8Sequence(std::string_view bytes, size_t start) {
  const uint8_t lead = static_cast<uint8_t>(bytes[start]);
  if (lead < 0x80) return {lead, 1};
  size_t length;
  char32_t value;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07;
  } else {
    return {INVALID_SEQUENCE, 1};
  }
  size_t next = start + 1;
  for (size_t position = 1; position < length; ++position, ++next) {
    if (next >= bytes.size() || (static_cast<uint8_t>(bytes[next]) & 0xC0) != 0x80)
      return {INVALID_SEQUENCE, next - start};
    value = value << 6 | (static_cast<uint8_t>(bytes[next]) & 0x3F);
    if (position == 1) {
      const bool outOfRange = length == 3 ? value < 0x20 || (value >= 0x360 && value < 0x380)
                                          : length == 4 && (value < 0x10 || value >= 0x110);
      if (outOfRange) return {INVALID_SEQUENCE, next + 1 - start};
    }
  }
  return {value, length};
}

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Reads the code point at bytes[i] and moves i past it; INVALID_SEQUENCE for an ill-formed
// sequence, which i moves past as readUtf8Sequence consumes it. Two- and three-byte
// sequences (Latin, CJK, Hangul) take a shortcut past the general reader.
[[gnu::always_inline]] inline char32_t nextCodePoint(std::string_view bytes, size_t& i) {
  const auto* at = reinterpret_cast<const uint8_t*>(bytes.data()) + i;
  const size_t left = bytes.size() - i;
  if (at[0] < 0x80) {
    i += 1;
    return at[0];
  }
  if (at[0] >= 0xC2 && at[0] <= 0xDF && left >= 2 && isContinuation(at[1])) {
    i += 2;
    return static_cast<char32_t>((at[0] & 0x1F) << 6 | (at[1] & 0x3F));
  }
  // Leads E1..EF except ED, which begins the surrogate range, take any two continuations.
  if (at[0] >= 0xE1 && at[0] <= 0xEF && at[0] != 0xED && left >= 3 && isContinuation(at[1]) &&
      isContinuation(at[2])) {
    i += 3;
    return static_cast<char32_t>((at[0] & 0x0F) << 12 | (at[1] & 0x3F) << 6 | (at[2] & 0x3F));
  }
  const Utf8Sequence sequence = readUtf8Sequence(bytes, i);
  i += sequence.length;
  return sequence.codePoint;
}

// Whether the eight bytes at p are all ASCII.
bool eightAscii(const char* p) {
  uint64_t eight;
  std::memcpy(&eight, p, 8);
  return (eight & 0x8080808080808080) == 0;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | codePoint >> 6);
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | codePoint >> 12);
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | codePoint >> 18);
    out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// Appends bytes into a string sized ahead of need; text() cuts it to what was written.
// The hot loops write through a plain pointer instead of growing the string per byte.
class ByteSink {
public:
  explicit ByteSink(size_t expectedBytes) : bytes_(expectedBytes + 8, '\0') { rebase(0); }

  // Room for `count` more bytes, to be claimed with advance().
  char* room(size_t count) {
    if (static_cast<size_t>(end_ - next_) < count) grow(count);
    return next_;
  }
  void advance(size_t count) { next_ += count; }

  std::string text() && {
    bytes_.resize(written());
    return std::move(bytes_);
  }

private:
  size_t written() const { return static_cast<size_t>(next_ - bytes_.data()); }

  void rebase(size_t used) {
    next_ = bytes_.data() + used;
    end_ = bytes_.data() + bytes_.size();
  }

  [[gnu::noinline]] void grow(size_t count) {
    const size_t used = written();
    bytes_.resize(bytes_.size() * 2 + count);
    rebase(used);
  }

  std::string bytes_;
  char* next_;
  char* end_;
};

// Calls emit(unit) for each UTF-16 unit the code-page bytes decode to.
template <typename Emit>
void decodeEach(const CodePageTables& tables, std::string_view bytes, Emit&& emit) {
  const uint16_t* singleUnits = tables.singleByteUnits();
  const uint16_t* pairUnits = tables.pairUnits();
  const auto* next = reinterpret_cast<const uint8_t*>(bytes.data());
  const auto* end = next + bytes.size();
  while (next < end) {
    const uint8_t byte = *next;
    const uint16_t single = singleUnits[byte];
    if (single != 0 || byte == 0) {
      emit(single);
      next += 1;
    } else if (next + 1 == end || next[1] == 0) {
      emit(static_cast<uint16_t>(DEFAULT_CHAR));
      next += 1;
    } else {
      const uint8_t trail = next[1];
      const bool inRange = trail >= PAIR_TRAIL_FIRST && trail <= PAIR_TRAIL_LAST;
      const uint16_t unit = inRange ? pairUnits[pairIndex(byte, trail)] : 0;
      emit(unit != 0 ? unit : static_cast<uint16_t>(DEFAULT_CHAR));
      next += 2;
    }
  }
}

// Writes the code-page bytes of one unit, given the unit -> bytes table. Both bytes are
// stored and the sink advances by one or two, which keeps the hot loops free of branches.
[[gnu::always_inline]] inline void encodeUnit(const uint16_t* encoding, char16_t unit, ByteSink& sink) {
  uint16_t encoded = encoding[unit];
  if (encoded == NO_BYTES) encoded = static_cast<uint16_t>(DEFAULT_CHAR);
  const bool twoBytes = encoded > 0xFF;
  char* out = sink.room(2);
  out[0] = static_cast<char>(twoBytes ? encoded >> 8 : encoded);
  out[1] = static_cast<char>(encoded & 0xFF);
  sink.advance(twoBytes ? 2 : 1);
}

// Calls emit(unit) for each UTF-16 unit the UTF-8 bytes decode to.
template <typename Emit>
void decodeUtf8Each(std::string_view bytes, Emit&& emit) {
  for (size_t i = 0; i < bytes.size();) {
    const uint8_t byte = static_cast<uint8_t>(bytes[i]);
    if (byte < 0x80) {
      emit(byte);
      i += 1;
      continue;
    }
    // Well-formed three-byte sequences (all of CJK) without the general reader: leads E1..EF
    // except ED, which begins the surrogate range, take any two continuation bytes.
    if (byte >= 0xE1 && byte <= 0xEF && byte != 0xED && i + 2 < bytes.size()) {
      const uint8_t second = static_cast<uint8_t>(bytes[i + 1]), third = static_cast<uint8_t>(bytes[i + 2]);
      if ((second & 0xC0) == 0x80 && (third & 0xC0) == 0x80) {
        emit(static_cast<char16_t>((byte & 0x0F) << 12 | (second & 0x3F) << 6 | (third & 0x3F)));
        i += 3;
        continue;
      }
    }
    const Utf8Sequence sequence = readUtf8Sequence(bytes, i);
    i += sequence.length;
    if (sequence.codePoint == INVALID_SEQUENCE) {
      emit(REPLACEMENT_CHARACTER);
    } else if (sequence.codePoint < 0x10000) {
      emit(static_cast<char16_t>(sequence.codePoint));
    } else {
      const char32_t offset = sequence.codePoint - 0x10000;
      emit(static_cast<char16_t>(0xD800 + (offset >> 10)));
      emit(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
    }
  }
}

// The unit at units[i], joined with the marks after it as the composite check does; i moves
// to the last unit used.
char16_t composedUnit(const CodePageTables& tables, std::u16string_view units, size_t& i,
                      CompositeCheck compositeCheck) {
  char16_t unit = units[i];
  if (compositeCheck == CompositeCheck::ON) {
    while (i + 1 < units.size()) {
      const char16_t composite = compose(unit, units[i + 1]);
      if (composite == 0 || tables.bytesOf(composite) == NO_BYTES) break;
      unit = composite;
      ++i;
    }
  }
  return unit;
}

}  // namespace

std::u16string decodeCodePage(CodePage codePage, std::string_view bytes) {
  if (codePage == CodePage::UTF8) return utf8ToUtf16Units(bytes);
  std::u16string units(bytes.size(), u'\0');
  char16_t* next = units.data();
  decodeEach(tablesOf(codePage), bytes, [&](char16_t unit) { *next++ = unit; });
  units.resize(static_cast<size_t>(next - units.data()));
  return units;
}

std::string encodeCodePage(CodePage codePage, std::u16string_view units, CompositeCheck compositeCheck) {
  if (codePage == CodePage::UTF8) return utf16UnitsToUtf8(units);
  const CodePageTables& tables = tablesOf(codePage);
  ByteSink sink(units.size() * 2);
  for (size_t i = 0; i < units.size(); ++i) {
    encodeUnit(tables.encoding(), composedUnit(tables, units, i, compositeCheck), sink);
  }
  return std::move(sink).text();
}

bool encodesExactly(CodePage codePage, std::u16string_view units, CompositeCheck compositeCheck) {
  if (codePage == CodePage::UTF8) {
    for (size_t i = 0; i < units.size(); ++i) {
      if (isHighSurrogate(units[i]) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
        ++i;
      } else if (isHighSurrogate(units[i]) || isLowSurrogate(units[i])) {
        return false;
      }
    }
    return true;
  }
  const CodePageTables& tables = tablesOf(codePage);
  for (size_t i = 0; i < units.size(); ++i) {
    if (!tables.holdsExactly(composedUnit(tables, units, i, compositeCheck))) return false;
  }
  return true;
}

int exactByteCount(CodePage codePage, char32_t codePoint) {
  if (codePage == CodePage::UTF8) {
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (surrogate || codePoint > 0x10FFFF) return 0;
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
  }
  if (codePoint > 0xFFFF) return 0;
  const CodePageTables& tables = tablesOf(codePage);
  const auto unit = static_cast<char16_t>(codePoint);
  if (!tables.holdsExactly(unit)) return 0;
  return tables.bytesOf(unit) <= 0xFF ? 1 : 2;
}

std::string transcodeCodePage(CodePage from, CodePage to, std::string_view bytes) {
  if (from == CodePage::UTF8 || to == CodePage::UTF8) return encodeCodePage(to, decodeCodePage(from, bytes));
  const uint16_t* encoding = tablesOf(to).encoding();
  ByteSink sink(bytes.size());
  decodeEach(tablesOf(from), bytes, [&](char16_t unit) { encodeUnit(encoding, unit, sink); });
  return std::move(sink).text();
}

std::string utf16LeBytesToCodePage(CodePage codePage, std::string_view bytes) {
  if (codePage == CodePage::UTF8) return utf16UnitsToUtf8(utf16LeBytesToUnits(bytes));
  const uint16_t* encoding = tablesOf(codePage).encoding();
  ByteSink sink(bytes.size());
  const auto* next = reinterpret_cast<const uint8_t*>(bytes.data());
  for (const auto* end = next + bytes.size() / 2 * 2; next < end; next += 2) {
    encodeUnit(encoding, static_cast<char16_t>(next[0] | next[1] << 8), sink);
  }
  return std::move(sink).text();
}

std::u16string utf8ToUtf16Units(std::string_view bytes) {
  std::u16string units(bytes.size(), u'\0');
  char16_t* next = units.data();
  decodeUtf8Each(bytes, [&](char16_t unit) { *next++ = unit; });
  units.resize(static_cast<size_t>(next - units.data()));
  return units;
}

std::string utf8ToUtf16LeBytes(std::string_view bytes) {
  // Counting first sizes the result exactly: ASCII doubles, Chinese shrinks by a third.
  size_t unitCount = 0;
  decodeUtf8Each(bytes, [&](char16_t) { ++unitCount; });
  std::string result(unitCount * 2, '\0');
  char* next = result.data();
  decodeUtf8Each(bytes, [&](char16_t unit) {
    next[0] = static_cast<char>(unit & 0xFF);
    next[1] = static_cast<char>(unit >> 8);
    next += 2;
  });
  return result;
}

std::string utf16UnitsToUtf8(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size() * 3);
  for (size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (isHighSurrogate(unit) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
      appendUtf8(bytes, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      appendUtf8(bytes, REPLACEMENT_CHARACTER);
    } else {
      appendUtf8(bytes, unit);
    }
  }
  return bytes;
}

bool isUtf8WithMultiByteSequence(std::string_view bytes) {
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uint8_t>(c) < 0x80; });
  return !ascii && isWellFormedUtf8(bytes);
}

bool isWellFormedUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    // ASCII eight bytes at a time: most subtitle text is.
    if (i + 8 <= bytes.size() && eightAscii(bytes.data() + i)) {
      i += 8;
      continue;
    }
    if (nextCodePoint(bytes, i) == INVALID_SEQUENCE) return false;
  }
  return true;
}

bool utf8EncodesExactly(CodePage codePage, std::string_view bytes, CompositeCheck compositeCheck) {
  // Decoding never gives a lone surrogate, and UTF-8 keeps everything else.
  if (codePage == CodePage::UTF8) return true;
  const CodePageTables& tables = tablesOf(codePage);
  // As encodeCodePage joins a unit with the marks after it: `pending` is the unit so far,
  // checked once the next unit does not join it.
  bool started = false;
  char16_t pending = 0;
  const auto accept = [&](char16_t unit) {
    if (started) {
      const char16_t composite = compositeCheck == CompositeCheck::ON ? compose(pending, unit) : 0;
      if (composite != 0 && tables.bytesOf(composite) != NO_BYTES) {
        pending = composite;
        return true;
      }
      if (!tables.holdsExactly(pending)) return false;
    }
    pending = unit;
    started = true;
    return true;
  };
  for (size_t i = 0; i < bytes.size();) {
    const char32_t codePoint = nextCodePoint(bytes, i);
    // No code page here holds a surrogate, which a code point above U+FFFF becomes.
    if (codePoint > 0xFFFF && codePoint != INVALID_SEQUENCE) return false;
    if (!accept(codePoint == INVALID_SEQUENCE ? REPLACEMENT_CHARACTER : static_cast<char16_t>(codePoint))) {
      return false;
    }
  }
  return !started || tables.holdsExactly(pending);
}

std::u16string utf16LeBytesToUnits(std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                     static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
  }
  return units;
}

std::u16string utf16BeBytesToUnits(std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * i]) << 8 |
                                     static_cast<uint8_t>(bytes[2 * i + 1]));
  }
  return units;
}

std::string utf16UnitsToLeBytes(std::u16string_view units) {
  std::string bytes(units.size() * 2, '\0');
  for (size_t i = 0; i < units.size(); ++i) {
    bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
  }
  return bytes;
}
