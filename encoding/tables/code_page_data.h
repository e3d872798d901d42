#pragma once
// The code-page, character-form, composition and East Asian width data. The .cpp files
// beside this header are generated from ICU by generate_tables.cpp; regenerate them with
// scripts/check-tables.sh --write.
#include <cstddef>
#include <cstdint>

// Double-byte codes: lead bytes 0x81..0xFE, trail bytes 0x40..0xFE.
inline constexpr int PAIR_LEAD_FIRST = 0x81, PAIR_LEAD_LAST = 0xFE;
inline constexpr int PAIR_TRAIL_FIRST = 0x40, PAIR_TRAIL_LAST = 0xFE;
inline constexpr int PAIR_TRAIL_COUNT = PAIR_TRAIL_LAST - PAIR_TRAIL_FIRST + 1;
inline constexpr int PAIR_COUNT = (PAIR_LEAD_LAST - PAIR_LEAD_FIRST + 1) * PAIR_TRAIL_COUNT;

// Index of the double-byte code lead:trail in a pair table; both must be in range.
constexpr int pairIndex(int lead, int trail) {
  return (lead - PAIR_LEAD_FIRST) * PAIR_TRAIL_COUNT + (trail - PAIR_TRAIL_FIRST);
}

// A code page's encoding of one UTF-16 unit: a single byte (0x00..0xFF), a double-byte
// code lead << 8 | trail, or NO_BYTES.
inline constexpr uint16_t NO_BYTES = 0xFFFF;
struct UnitEncoding {
  uint16_t unit;
  uint16_t bytes;
};

struct CodePageData {
  // The unit of each byte read on its own; 0 where the byte leads a double-byte code
  // (byte 0x00 itself decodes to U+0000 and leads nothing).
  const uint16_t* singleByteUnits;  // [256]
  // The unit of each double-byte code; 0 where the code page leaves the code undefined.
  const uint16_t* pairUnits;  // [PAIR_COUNT]
  // Encodings that differ from "the first code, in byte order, that decodes to the unit":
  // best-fit substitutes, and units that are decoded but never encoded (NO_BYTES).
  const UnitEncoding* encodingExceptions;
  size_t encodingExceptionCount;
};

extern const CodePageData CP936_DATA;
extern const CodePageData CP950_DATA;

// A character-form mapping between two GBK double-byte codes (lead << 8 | trail);
// sorted by `from`. Both codes are GBK Han characters, so the byte length stays the same.
struct GbkFormPair {
  uint16_t from;
  uint16_t to;
};

extern const GbkFormPair SIMPLIFIED_TO_TRADITIONAL[];
extern const size_t SIMPLIFIED_TO_TRADITIONAL_COUNT;
extern const GbkFormPair TRADITIONAL_TO_SIMPLIFIED[];
extern const size_t TRADITIONAL_TO_SIMPLIFIED_COUNT;

// A base character and a combining mark that join into one precomposed character.
struct Composition {
  uint16_t base;
  uint16_t mark;
  uint16_t composite;
};

// The canonical compositions of the BMP, sorted by base, then mark.
extern const Composition COMPOSITIONS[];
extern const size_t COMPOSITION_COUNT;

// Code points first to last, both included.
struct CodePointRange {
  char32_t first;
  char32_t last;
};

// The East Asian wide and fullwidth characters, as ascending disjoint ranges.
extern const CodePointRange EAST_ASIAN_WIDE[];
extern const size_t EAST_ASIAN_WIDE_COUNT;
