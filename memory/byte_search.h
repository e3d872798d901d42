#pragma once
#include <cstddef>
#include <string_view>

// Offset of the first occurrence of pattern in bytes at or after from; npos when there is
// none, and for an empty pattern.
size_t findBytes(std::string_view bytes, std::string_view pattern, size_t from = 0);
