#include <windows.h>

#include "overlay/wide_text_win.h"

#include "encoding/text_bytes.h"

std::wstring wideFromCodePage(std::string_view text, CodePage codePage) {
  text = upToFirstNul(text);
  switch (static_cast<int>(codePage)) {
    case static_cast<int>(CodePage::GBK):
    case static_cast<int>(CodePage::BIG5):
      return wideFrom(decodeCodePage(codePage, text));
    case UTF8_CODE_PAGE_NUMBER:
      return wideFrom(utf8ToUtf16Units(text));
    default:
      return wideFromAnsi(text);
  }
}

std::wstring wideFromAnsi(std::string_view text) {
  text = upToFirstNul(text);
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string ansiFromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length,
                      nullptr, nullptr);
  return ansi;
}

std::wstring windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}
