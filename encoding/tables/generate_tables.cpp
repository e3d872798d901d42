// Generates the code-page and character-form data of code_page_data.h from ICU:
//   generate_tables OUTPUT_DIR
// writes cp936_data.cpp, cp950_data.cpp, character_forms_data.cpp, compositions_data.cpp and
// east_asian_width_data.cpp into OUTPUT_DIR.
//
// The converters are opened by their full names: windows-936-2000 and windows-950-2000
// decode and encode as Windows does (ICU's plain cp950 is a different IBM table), and with
// fallback on their encoding is Windows' best fit. The transliterators Hans-Hant and
// Hant-Hans give the character forms; only GBK Han characters whose form GBK also holds are
// kept, so a mapping never changes a text's byte length.
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/uniset.h>
#include <unicode/uversion.h>

#include "encoding/tables/code_page_data.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& message) {
  std::fprintf(stderr, "generate_tables: %s\n", message.c_str());
  std::exit(1);
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char* name, bool fallback) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &status));
  if (U_FAILURE(status)) fail(std::string("cannot open converter ") + name);
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFallback(converter.get(), fallback);
  if (U_FAILURE(status)) fail("cannot set converter callbacks");
  return converter;
}

// The one unit that the bytes decode to as a whole, if they do.
std::optional<uint16_t> decodeOne(UConverter* converter, const std::string& bytes) {
  ucnv_resetToUnicode(converter);
  UChar units[8];
  UChar* target = units;
  const char* source = bytes.data();
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, units + 8, &source, bytes.data() + bytes.size(), nullptr,
                 true, &status);
  if (U_FAILURE(status) || target - units != 1 || source != bytes.data() + bytes.size())
    return std::nullopt;
  return units[0];
}

// The one- or two-byte encoding of a unit, as lead << 8 | trail for two bytes.
std::optional<uint16_t> encodeOne(UConverter* converter, uint16_t unit) {
  ucnv_resetFromUnicode(converter);
  char bytes[8];
  char* target = bytes;
  const UChar source[1] = {unit};
  const UChar* from = source;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(converter, &target, bytes + 8, &from, source + 1, nullptr, true, &status);
  const auto length = target - bytes;
  if (U_FAILURE(status) || length < 1 || length > 2) return std::nullopt;
  if (length == 1) return static_cast<uint8_t>(bytes[0]);
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) << 8 | static_cast<uint8_t>(bytes[1]));
}

std::string pairBytes(int lead, int trail) {
  return {static_cast<char>(lead), static_cast<char>(trail)};
}

struct CodePageTables {
  std::vector<uint16_t> singleByteUnits = std::vector<uint16_t>(256, 0);
  std::vector<uint16_t> pairUnits = std::vector<uint16_t>(PAIR_COUNT, 0);
  std::vector<uint16_t> encoding = std::vector<uint16_t>(0x10000, NO_BYTES);  // with best fit
  std::vector<UnitEncoding> exceptions;

  // The code page holds the unit itself, not a substitute for it.
  bool holds(uint16_t unit) const {
    const uint16_t bytes = encoding[unit];
    if (bytes == NO_BYTES) return false;
    if (bytes < 0x100) return singleByteUnits[bytes] == unit;
    return pairUnits[pairIndex(bytes >> 8, bytes & 0xFF)] == unit;
  }
};

CodePageTables readCodePage(const char* converterName) {
  CodePageTables tables;
  const Converter converter = openConverter(converterName, true);
  for (int byte = 0; byte < 256; ++byte) {
    const auto unit = decodeOne(converter.get(), std::string(1, static_cast<char>(byte)));
    if (unit && (*unit != 0 || byte == 0)) {
      tables.singleByteUnits[byte] = *unit;
    } else if (byte < PAIR_LEAD_FIRST || byte > PAIR_LEAD_LAST) {
      fail("a byte outside the lead range is undefined in " + std::string(converterName));
    }
  }
  for (int lead = PAIR_LEAD_FIRST; lead <= PAIR_LEAD_LAST; ++lead) {
    if (tables.singleByteUnits[lead] != 0) continue;
    for (int trail = PAIR_TRAIL_FIRST; trail <= PAIR_TRAIL_LAST; ++trail) {
      const auto unit = decodeOne(converter.get(), pairBytes(lead, trail));
      if (unit && *unit != 0) tables.pairUnits[pairIndex(lead, trail)] = *unit;
    }
  }

  // The runtime derives encodings by inverting the decoding (single bytes first, then the
  // double-byte codes in order) and applies the exceptions on top.
  std::vector<uint16_t> derived(0x10000, NO_BYTES);
  for (int byte = 0; byte < 256; ++byte) {
    const uint16_t unit = tables.singleByteUnits[byte];
    if ((unit != 0 || byte == 0) && derived[unit] == NO_BYTES) derived[unit] = byte;
  }
  for (int lead = PAIR_LEAD_FIRST; lead <= PAIR_LEAD_LAST; ++lead) {
    for (int trail = PAIR_TRAIL_FIRST; trail <= PAIR_TRAIL_LAST; ++trail) {
      const uint16_t unit = tables.pairUnits[pairIndex(lead, trail)];
      if (unit != 0 && derived[unit] == NO_BYTES) derived[unit] = static_cast<uint16_t>(lead << 8 | trail);
    }
  }
  for (int unit = 0; unit < 0x10000; ++unit) {
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    auto bytes = surrogate ? std::nullopt : encodeOne(converter.get(), static_cast<uint16_t>(unit));
    // ICU's best fit turns the halfwidth arrows U+FFE9..U+FFEE into control bytes; Windows
    // gives the default character: no unit but a control itself becomes a control byte.
    const bool controlByte = bytes && (*bytes < 0x20 || *bytes == 0x7F);
    if (controlByte && *bytes != unit) bytes.reset();
    tables.encoding[unit] = bytes.value_or(NO_BYTES);
    if (tables.encoding[unit] == NO_BYTES && bytes) fail("an encoding collides with NO_BYTES");
    if (tables.encoding[unit] != derived[unit])
      tables.exceptions.push_back({static_cast<uint16_t>(unit), tables.encoding[unit]});
  }

  return tables;
}

std::string header() {
  return "// Generated from ICU " U_ICU_VERSION
         " by encoding/tables/generate_tables.cpp; do not edit.\n"
         "#include \"encoding/tables/code_page_data.h\"\n\n#include <iterator>\n\n";
}

std::string hex(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, value ? "0x%04X" : "0", value);
  return text;
}

template <typename T, typename Format>
void writeArray(std::ostream& out, const std::string& declaration, const std::vector<T>& items,
                int perLine, Format format) {
  out << declaration << " = {";
  for (size_t i = 0; i < items.size(); ++i) {
    out << (i % perLine == 0 ? "\n  " : " ") << format(items[i]) << ",";
  }
  out << "\n};\n";
}

void writeCodePage(const std::string& directory, const char* converterName, const std::string& name) {
  const CodePageTables tables = readCodePage(converterName);
  std::ofstream out(directory + "/" + name + "_data.cpp");
  out << header() << "// Converter " << converterName << ", fallback (best fit) on.\n\nnamespace {\n\n";
  auto unit = [](uint16_t value) { return hex(value); };
  writeArray(out, "const uint16_t SINGLE_BYTE_UNITS[256]", tables.singleByteUnits, 16, unit);
  out << "\n";
  writeArray(out, "const uint16_t PAIR_UNITS[PAIR_COUNT]", tables.pairUnits, 16, unit);
  out << "\n";
  writeArray(out, "const UnitEncoding ENCODING_EXCEPTIONS[]", tables.exceptions, 6,
             [](const UnitEncoding& e) { return "{" + hex(e.unit) + ", " + hex(e.bytes) + "}"; });
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  out << "\n}  // namespace\n\nextern const CodePageData " << upper << "_DATA = {\n"
      << "    SINGLE_BYTE_UNITS, PAIR_UNITS,\n"
      << "    ENCODING_EXCEPTIONS, std::size(ENCODING_EXCEPTIONS),\n};\n";
  if (!out) fail("cannot write " + name + "_data.cpp");
}

std::vector<GbkFormPair> readForms(const CodePageTables& gbk, const char* transliteratorId) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Transliterator> transliterator(
      icu::Transliterator::createInstance(transliteratorId, UTRANS_FORWARD, status));
  if (U_FAILURE(status)) fail(std::string("cannot open transliterator ") + transliteratorId);
  const icu::UnicodeSet han(u"[:Han:]", status);
  if (U_FAILURE(status)) fail("cannot build the Han set");
  std::vector<GbkFormPair> pairs;
  for (int lead = PAIR_LEAD_FIRST; lead <= PAIR_LEAD_LAST; ++lead) {
    for (int trail = PAIR_TRAIL_FIRST; trail <= PAIR_TRAIL_LAST; ++trail) {
      const uint16_t from = gbk.pairUnits[pairIndex(lead, trail)];
      if (from == 0 || !han.contains(from) || !gbk.holds(from)) continue;
      icu::UnicodeString text(static_cast<UChar>(from));
      transliterator->transliterate(text);
      if (text.length() != 1) continue;
      const uint16_t to = text.charAt(0);
      if (to == from || !han.contains(to) || !gbk.holds(to)) continue;
      pairs.push_back({static_cast<uint16_t>(lead << 8 | trail), gbk.encoding[to]});
    }
  }
  return pairs;
}

void writeForms(const std::string& directory) {
  const CodePageTables gbk = readCodePage("windows-936-2000");
  std::ofstream out(directory + "/character_forms_data.cpp");
  out << header() << "// Transliterators Hans-Hant and Hant-Hans over the Han characters of "
         "windows-936-2000,\n// keeping forms that GBK holds.\n\n";
  auto pair = [](const GbkFormPair& p) { return "{" + hex(p.from) + ", " + hex(p.to) + "}"; };
  writeArray(out, "extern const GbkFormPair SIMPLIFIED_TO_TRADITIONAL[]",
             readForms(gbk, "Hans-Hant"), 6, pair);
  out << "extern const size_t SIMPLIFIED_TO_TRADITIONAL_COUNT = std::size(SIMPLIFIED_TO_TRADITIONAL);\n\n";
  writeArray(out, "extern const GbkFormPair TRADITIONAL_TO_SIMPLIFIED[]",
             readForms(gbk, "Hant-Hans"), 6, pair);
  out << "extern const size_t TRADITIONAL_TO_SIMPLIFIED_COUNT = std::size(TRADITIONAL_TO_SIMPLIFIED);\n";
  if (!out) fail("cannot write character_forms_data.cpp");
}

// Every base character and combining mark of the BMP that NFC joins into one BMP character,
// Hangul syllables aside.
void writeCompositions(const std::string& directory) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) fail("cannot open the NFC normaliser");
  std::vector<Composition> compositions;
  for (UChar32 composite = 0x80; composite < 0x10000; ++composite) {
    // Hangul syllables compose by arithmetic, and neither code page holds Hangul jamo.
    if (composite >= 0xAC00 && composite <= 0xD7A3) continue;
    icu::UnicodeString decomposition;
    if (!nfc->getRawDecomposition(composite, decomposition) || decomposition.length() != 2) continue;
    const UChar32 base = decomposition.char32At(0), mark = decomposition.char32At(1);
    if (base > 0xFFFF || mark > 0xFFFF || nfc->composePair(base, mark) != composite) continue;
    compositions.push_back({static_cast<uint16_t>(base), static_cast<uint16_t>(mark),
                            static_cast<uint16_t>(composite)});
  }
  std::sort(compositions.begin(), compositions.end(), [](const Composition& a, const Composition& b) {
    return a.base != b.base ? a.base < b.base : a.mark < b.mark;
  });
  std::ofstream out(directory + "/compositions_data.cpp");
  out << header() << "// Canonical compositions of NFC within the BMP, sorted by base and mark.\n\n";
  writeArray(out, "extern const Composition COMPOSITIONS[]", compositions, 4, [](const Composition& c) {
    return "{" + hex(c.base) + ", " + hex(c.mark) + ", " + hex(c.composite) + "}";
  });
  out << "extern const size_t COMPOSITION_COUNT = std::size(COMPOSITIONS);\n";
  if (!out) fail("cannot write compositions_data.cpp");
}

// The code points whose East Asian Width is Wide or Fullwidth, unassigned ones with the
// default the Unicode data gives them, as ranges.
void writeEastAsianWidths(const std::string& directory) {
  std::vector<CodePointRange> ranges;
  for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
    const int width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
    if (width != U_EA_WIDE && width != U_EA_FULLWIDTH) continue;
    if (!ranges.empty() && ranges.back().last + 1 == static_cast<char32_t>(c)) {
      ranges.back().last = static_cast<char32_t>(c);
    } else {
      ranges.push_back({static_cast<char32_t>(c), static_cast<char32_t>(c)});
    }
  }
  std::ofstream out(directory + "/east_asian_width_data.cpp");
  out << header() << "// East Asian Width W and F (Unicode " U_UNICODE_VERSION "), ascending.\n\n";
  auto hex6 = [](char32_t c) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%05X", static_cast<unsigned>(c));
    return std::string(text);
  };
  writeArray(out, "extern const CodePointRange EAST_ASIAN_WIDE[]", ranges, 4, [&](const CodePointRange& r) {
    return "{" + hex6(r.first) + ", " + hex6(r.last) + "}";
  });
  out << "extern const size_t EAST_ASIAN_WIDE_COUNT = std::size(EAST_ASIAN_WIDE);\n";
  if (!out) fail("cannot write east_asian_width_data.cpp");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) fail("usage: generate_tables OUTPUT_DIR");
  writeCodePage(argv[1], "windows-936-2000", "cp936");
  writeCodePage(argv[1], "windows-950-2000", "cp950");
  writeForms(argv[1]);
  writeCompositions(argv[1]);
  writeEastAsianWidths(argv[1]);
  return 0;
}
