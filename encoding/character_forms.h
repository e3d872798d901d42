#pragma once
// Simplified and Traditional character forms of the Han characters GBK holds.
#include <string>
#include <string_view>

enum class CharacterForm { SIMPLIFIED, TRADITIONAL };

// GBK bytes with every Han character in the given form. Each double-byte code is replaced
// by another double-byte code or kept, so the result has the input's byte length; bytes are
// grouped into characters as GBK decoding groups them.
std::string toCharacterForm(std::string_view gbk, CharacterForm form);
