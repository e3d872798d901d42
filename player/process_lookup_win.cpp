#include "player/process_lookup_win.h"

#include <windows.h>

#include <tlhelp32.h>

#include <string>

#include "memory/handle_win.h"

namespace {

// name in UTF-16, read in the system's ANSI code page; empty when it cannot be converted.
std::wstring wideName(std::string_view name) {
  if (name.empty() || name.size() > INT32_MAX) return {};
  const int length = static_cast<int>(name.size());
  const int units = MultiByteToWideChar(CP_ACP, 0, name.data(), length, nullptr, 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.data(), length, wide.data(), units);
  return wide;
}

// File names compare as Windows compares them: ordinally, after upper-casing both with the
// system's Unicode case table.
bool sameFileName(const wchar_t* listed, const std::wstring& wanted) {
  return CompareStringOrdinal(listed, -1, wanted.c_str(), static_cast<int>(wanted.size()),
                              TRUE) == CSTR_EQUAL;
}

}  // namespace

int32_t findProcessId(std::string_view exeName) {
  const std::wstring wanted = wideName(exeName);
  if (wanted.empty()) return 0;
  const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;

  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    if (sameFileName(entry.szExeFile, wanted)) return static_cast<int32_t>(entry.th32ProcessID);
  }
  return 0;
}
