// Finding a process by its executable's name, with this test program as the process found.
#include "player/process_finder_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "memory/handle_win.h"

namespace {

std::wstring fileNameOf(const std::wstring& path) {
  return path.substr(path.find_last_of(L"\\/") + 1);
}

std::wstring imageFileName(DWORD processId) {
  const OwnedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!process || !QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
  return fileNameOf(path);
}

// This program's file name, in ASCII with letters as changeCase makes them.
template <typename ChangeCase>
std::string ownName(ChangeCase changeCase) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::string name;
  for (const wchar_t c : fileNameOf(path)) name += static_cast<char>(changeCase(c));
  return name;
}

bool sameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct NameCase {
  const char* name;
  std::string exeName;
};

class FindProcessIdTest : public testing::TestWithParam<NameCase> {};

// Other processes of the same name may run beside this one, so the test asks only that the
// process found bears the name.
TEST_P(FindProcessIdTest, FindsAProcessOfThatNameInAnyLetterCase) {
  const int32_t found = Win32ProcessFinder().findProcessId(GetParam().exeName);
  ASSERT_NE(found, 0);
  wchar_t ownPath[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
  EXPECT_TRUE(sameIgnoringCase(imageFileName(static_cast<DWORD>(found)), fileNameOf(ownPath)));
}

INSTANTIATE_TEST_SUITE_P(
    OwnName, FindProcessIdTest,
    testing::Values(NameCase{"AsItIs", ownName([](wchar_t c) { return c; })},
                    NameCase{"Upper", ownName([](wchar_t c) { return towupper(c); })},
                    NameCase{"Lower", ownName([](wchar_t c) { return towlower(c); })}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindProcessId, GivesZeroForANameNoProcessHas) {
  Win32ProcessFinder processes;
  EXPECT_EQ(processes.findProcessId("quorvane-no-such-process.exe"), 0);
  EXPECT_EQ(processes.findProcessId("process_finder_test_win"), 0);  // the name without ".exe"
  EXPECT_EQ(processes.findProcessId(""), 0);
}

TEST(FindProcessExePath, GivesThePathAndSizeOfThisProgram) {
  Win32ProcessFinder processes;
  wchar_t ownPath[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, ownPath, MAX_PATH);
  std::string name;
  for (const wchar_t c : fileNameOf(ownPath)) name += static_cast<char>(c);
  const std::string path = processes.findProcessExePath(name);
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.substr(path.size() - name.size()), name);
  EXPECT_GT(processes.fileSize(path), 0);
  EXPECT_EQ(processes.findProcessExePath("quorvane-no-such-process.exe"), "");
  EXPECT_EQ(processes.fileSize(""), -1);
  EXPECT_EQ(processes.fileSize(path + ".missing"), -1);
}

}  // namespace
