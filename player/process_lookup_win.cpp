#include "player/process_lookup_win.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

struct SnapshotCloser {
  void operator()(HANDLE snapshot) const { CloseHandle(snapshot); }
};

}  // namespace

int32_t findProcessId(std::string_view exeName) {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  const std::unique_ptr<void, SnapshotCloser> owner(snapshot);

  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (sameNameIgnoringCase(entry.szExeFile, exeName)) return static_cast<int32_t>(entry.th32ProcessID);
  }
  return 0;
}
