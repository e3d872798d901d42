#include "player/process_lookup_win.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>

#include "memory/handle_win.h"

namespace {

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

int32_t findProcessId(std::string_view exeName) {
  const OwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return 0;

  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot.get(), &entry); more;
       more = Process32Next(snapshot.get(), &entry)) {
    if (sameNameIgnoringCase(entry.szExeFile, exeName)) return static_cast<int32_t>(entry.th32ProcessID);
  }
  return 0;
}
