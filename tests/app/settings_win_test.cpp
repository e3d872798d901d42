#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/settings.h"
#include "app/settings_store.h"

namespace {

// Each run works under a key of its own below SOFTWARE and deletes it afterwards.
class RegistryStoreTest : public testing::Test {
protected:
  void SetUp() override {
    rootKey_ = "SOFTWARE\\QuorvaneTest-" + std::to_string(GetCurrentProcessId());
    key_ = rootKey_ + "\\Marrowby\\Quorvane";
  }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, rootKey_.c_str()); }

  std::string path(std::string_view name) const { return key_ + "\\" + std::string(name); }

  bool keyExists() const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  std::string rootKey_;
  std::string key_;
  RegistrySettingsStore store_;
};

TEST_F(RegistryStoreTest, MissingKeyGivesDefault) {
  EXPECT_EQ(store_.readText(path("size"), "36"), "36");
  EXPECT_FALSE(keyExists());
}

TEST_F(RegistryStoreTest, FirstWriteCreatesKey) {
  store_.writeText(path("size"), "38");
  EXPECT_TRUE(keyExists());
  EXPECT_EQ(store_.readText(path("size"), "36"), "38");
}

TEST_F(RegistryStoreTest, MissingValueInExistingKeyGivesDefault) {
  store_.writeText(path("size"), "38");
  EXPECT_EQ(store_.readText(path("width"), "1440"), "1440");
}

TEST_F(RegistryStoreTest, StoresStringValue) {
  store_.writeText(path("font"), "Arial");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  char data[16] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(RegQueryValueExA(key, "font", nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(data), "Arial");
}

TEST_F(RegistryStoreTest, OverwritesAndKeepsEmptyAndLongTexts) {
  store_.writeText(path("font"), "Arial");
  store_.writeText(path("font"), "");
  EXPECT_EQ(store_.readText(path("font"), "Bold"), "");
  const std::string longText(5000, 'x');
  store_.writeText(path("directory"), longText);
  EXPECT_EQ(store_.readText(path("directory"), ""), longText);
}

TEST_F(RegistryStoreTest, NamesIgnoreCase) {
  std::string lowerKey = key_;
  std::transform(lowerKey.begin(), lowerKey.end(), lowerKey.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  store_.writeText(lowerKey + "\\FONT", "Arial");
  EXPECT_EQ(store_.readText(path("font"), "Bold"), "Arial");
}

TEST_F(RegistryStoreTest, ValueOfAnotherTypeReadsAsMissing) {
  store_.writeText(path("font"), "Arial");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const DWORD size = 40;
  RegSetValueExA(key, "size", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&size), sizeof size);
  RegCloseKey(key);
  EXPECT_EQ(store_.readText(path("size"), "36"), "36");
}

TEST(Win32FolderListerTest, ListsFoldersButNotFiles) {
  const std::filesystem::path parent = std::filesystem::temp_directory_path() /
                                       ("quorvane-folders-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(parent / "Movies");
  std::ofstream(parent / "a.srt") << "1";

  const std::string parentText = parent.string() + "\\";
  const std::vector<std::string> names = Win32FolderLister().folderNames(parentText);
  EXPECT_NE(std::find(names.begin(), names.end(), "Movies"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "a.srt"), names.end());
  EXPECT_TRUE(folderExists(parentText + "Movies\\", Win32FolderLister()));
  EXPECT_FALSE(folderExists(parentText + "a.srt\\", Win32FolderLister()));

  std::filesystem::remove_all(parent);
}

TEST(Win32FolderListerTest, MissingParentListsNothing) {
  EXPECT_TRUE(Win32FolderLister().folderNames("Z:\\no\\such\\folder\\").empty());
}

}  // namespace
