#include "player/process_finder_win.h"

#include <windows.h>

#include <tlhelp32.h>

#include <optional>

#include "encoding/code_page.h"
#include "memory/win_handle.h"

namespace {

wchar_t lowerAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c; }

// Executable names compare letter case aside; the name sought is ASCII.
bool sameExeName(const wchar_t* listed, std::string_view sought) {
  size_t i = 0;
  for (; listed[i] != L'\0' && i < sought.size(); ++i) {
    if (lowerAscii(listed[i]) != lowerAscii(static_cast<unsigned char>(sought[i]))) return false;
  }
  return listed[i] == L'\0' && i == sought.size();
}

// Walks the processes of `snapshot` to the first whose executable is `exeName`.
std::optional<PROCESSENTRY32W> firstProcessNamed(HANDLE snapshot, std::string_view exeName,
                                                 bool skipIdZero) {
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (skipIdZero && entry.th32ProcessID == 0) continue;
    if (sameExeName(entry.szExeFile, exeName)) return entry;
  }
  return std::nullopt;
}

// The path in the ANSI code page; empty when a character does not convert exactly.
std::string toAnsiPath(const wchar_t* path) {
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, nullptr, 0,
                                       nullptr, &lossy);
  if (size <= 1) return {};
  std::string ansi(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, ansi.data(), size, nullptr, &lossy);
  ansi.resize(static_cast<size_t>(size) - 1);
  return lossy || ansi.find('?') != std::string::npos ? std::string() : ansi;
}

}  // namespace

int32_t Win32ProcessFinder::findProcessId(std::string_view exeName) {
  const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) return 0;
  const auto entry = firstProcessNamed(snapshot.get(), exeName, false);
  return entry ? static_cast<int32_t>(entry->th32ProcessID) : 0;
}

std::string Win32ProcessFinder::findProcessExePath(std::string_view exeName) {
  const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    MessageBoxW(nullptr, L"创建进程快照失败", L"信息：", MB_OK);
    return {};
  }
  const auto entry = firstProcessNamed(snapshot.get(), exeName, true);
  if (!entry) return {};
  const OwnedHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry->th32ProcessID));
  if (modules.get() == INVALID_HANDLE_VALUE) return {};
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  return Module32FirstW(modules.get(), &module) ? toAnsiPath(module.szExePath) : std::string();
}

int32_t Win32ProcessFinder::fileSize(std::string_view path) {
  if (path.empty()) return -1;
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA(std::string(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  FindClose(search);
  return static_cast<int32_t>(found.nFileSizeLow);
}
