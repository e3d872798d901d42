#pragma once
// The text forms of the process-memory class: path texts ("400000+1C+8", hexadecimal pieces
// joined by "+"), byte lists ("{1,2,255}", "{ }" when empty) and the number forms inside them.
// Every parser gives nullopt for a text that does not follow its form.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory/memory_backend.h"

struct MemoryPath {
  Address address = 0;
  std::vector<int32_t> offsets;  // pointer-chain offsets, in order
};

std::string removeSpaces(std::string_view text);

// Pieces of 1 to 8 hexadecimal digits (no prefix) joined by "+"; no empty piece.
std::optional<MemoryPath> parseMemoryPath(std::string_view text);
// "{", decimal values 0 to 255 separated by ",", "}"; "{}" is the empty list.
std::optional<std::string> parseByteList(std::string_view text);
std::string formatByteList(std::string_view bytes);
// An optional "-" and decimal digits, from -2147483648 to 4294967295, kept as 32 bits.
std::optional<int32_t> parseDecimal32(std::string_view text);
// The number a hexadecimal text gives when read with a "0x" prefix (added unless the text
// begins with "0x"): the hexadecimal digits up to the first other character, low 32 bits
// kept; 0 when there is no digit.
uint32_t readHexText(std::string_view text);
// Uppercase hexadecimal, padded with zeros to width digits.
std::string hexText(uint32_t value, int width = 0);
