#pragma once
// Text for the wide (UTF-16) Win32 calls. Include only from *_win files.
#include <windows.h>

#include <string>
#include <string_view>

#include "encoding/code_page.h"

// The code page number of UTF-8, as Windows numbers it.
inline constexpr int UTF8_CODE_PAGE_NUMBER = 65001;

// Text in `codePage` (GBK, Big5, UTF-8, or the system's ANSI code page for any other
// value) as UTF-16, up to its first NUL.
std::wstring wideFromCodePage(std::string_view text, CodePage codePage);

// Text in the system's ANSI code page as UTF-16, up to its first NUL.
std::wstring wideFromAnsi(std::string_view text);

// UTF-16 to the system's ANSI code page; a character it lacks becomes its best fit or "?".
std::string ansiFromWide(std::wstring_view text);

inline std::wstring wideFrom(std::u16string_view units) {
  return std::wstring(units.begin(), units.end());
}

// Text from a window, such as an edit box, as UTF-16.
std::wstring windowText(HWND window);
