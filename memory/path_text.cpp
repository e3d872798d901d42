#include "memory/path_text.h"

#include <cstdio>

#include "encoding/numbers.h"
#include "encoding/text_bytes.h"

namespace {

std::optional<uint32_t> parseHexPiece(std::string_view piece) {
  if (piece.empty() || piece.size() > 8) {
    return std::nullopt;
  }
  uint32_t value = 0;
  for (char c : piece) {
    const int digit = hexDigitValue(static_cast<unsigned char>(c));
    if (digit < 0) {
      return std::nullopt;
    }
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return value;
}

std::optional<uint64_t> parseDigits(std::string_view digits, uint64_t limit) {
  if (digits.empty()) {
    return std::nullopt;
  }
  uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > limit) {
      return std::nullopt;
    }
  }
  return value;
}

}  // namespace

std::string removeSpaces(std::string_view text) {
  std::string kept;
  for (char c : text) {
    if (c != ' ') kept += c;
  }
  return kept;
}

std::optional<MemoryPath> parseMemoryPath(std::string_view text) {
  MemoryPath path;
  bool first = true;
  while (true) {
    const size_t plus = text.find('+');
    const std::optional<uint32_t> value = parseHexPiece(text.substr(0, plus));
    if (!value) {
      return std::nullopt;
    }
    if (first) {
      path.address = *value;
      first = false;
    } else {
      path.offsets.push_back(static_cast<int32_t>(*value));
    }
    if (plus == std::string_view::npos) {
      return path;
    }
    text.remove_prefix(plus + 1);
  }
}

std::optional<std::string> parseByteList(std::string_view text) {
  if (text.size() < 2 || text.front() != '{' || text.back() != '}') {
    return std::nullopt;
  }
  text = text.substr(1, text.size() - 2);
  std::string bytes;
  if (removeSpaces(text).empty()) {
    return bytes;
  }
  while (true) {
    const size_t comma = text.find(',');
    const std::optional<uint64_t> value = parseDigits(removeSpaces(text.substr(0, comma)), 255);
    if (!value) {
      return std::nullopt;
    }
    bytes += static_cast<char>(*value);
    if (comma == std::string_view::npos) {
      return bytes;
    }
    text.remove_prefix(comma + 1);
  }
}

std::string formatByteList(std::string_view bytes) {
  if (bytes.empty()) {
    return "{ }";
  }
  std::string text = "{";
  for (unsigned char byte : bytes) {
    if (text.size() > 1) text += ',';
    text += std::to_string(byte);
  }
  return text + "}";
}

std::optional<int32_t> parseDecimal32(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) {
    text.remove_prefix(1);
  }
  const std::optional<uint64_t> magnitude = parseDigits(text, negative ? 0x80000000u : 0xFFFFFFFFu);
  if (!magnitude) {
    return std::nullopt;
  }
  const uint32_t bits = static_cast<uint32_t>(negative ? 0 - *magnitude : *magnitude);
  return static_cast<int32_t>(bits);
}

uint32_t readHexText(std::string_view text) {
  text = upToFirstNul(text);
  if (text.starts_with("0x")) {
    text.remove_prefix(2);
  }
  uint32_t value = 0;
  for (char c : text) {
    const int digit = hexDigitValue(static_cast<unsigned char>(c));
    if (digit < 0) break;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return value;
}

std::string hexText(uint32_t value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", width, static_cast<unsigned>(value));
  return text;
}
