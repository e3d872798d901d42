#include "player/process_finder_win.h"

#include <windows.h>

#include <tlhelp32.h>

#include <optional>
#include <string>

#include "encoding/code_page.h"
#include "memory/handle_win.h"
#include "overlay/wide_text_win.h"

namespace {

// File names compare as Windows compares them: ordinally, after upper-casing both with the
// system's Unicode case table.
bool sameFileName(const wchar_t* listed, const std::wstring& wanted) {
  return CompareStringOrdinal(listed, -1, wanted.c_str(), static_cast<int>(wanted.size()),
                              TRUE) == CSTR_EQUAL;
}

// Walks the processes of a new snapshot to the first whose executable is `exeName`;
// `snapshotTaken` tells whether there was a snapshot to walk.
std::optional<PROCESSENTRY32W> firstProcessNamed(DWORD snapshotKinds, std::string_view exeName,
                                                 bool skipIdZero, bool& snapshotTaken) {
  const std::wstring wanted = wideFromAnsi(exeName);
  const OwnedHandle snapshot(CreateToolhelp32Snapshot(snapshotKinds, 0));
  snapshotTaken = snapshot.valid();
  if (!snapshotTaken || wanted.empty()) return std::nullopt;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (skipIdZero && entry.th32ProcessID == 0) continue;
    if (sameFileName(entry.szExeFile, wanted)) return entry;
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
  bool snapshotTaken = false;
  const auto entry = firstProcessNamed(TH32CS_SNAPPROCESS, exeName, false, snapshotTaken);
  return entry ? static_cast<int32_t>(entry->th32ProcessID) : 0;
}

std::string Win32ProcessFinder::findProcessExePath(std::string_view exeName) {
  bool snapshotTaken = false;
  const auto entry = firstProcessNamed(TH32CS_SNAPALL, exeName, true, snapshotTaken);
  if (!snapshotTaken) {
    MessageBoxW(nullptr, L"创建进程快照失败", L"信息：", MB_OK);
    return {};
  }
  if (!entry) return {};
  const OwnedHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, entry->th32ProcessID));
  if (!modules) return {};
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
