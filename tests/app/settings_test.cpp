#include "app/settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "app/memory_settings_store.h"

namespace {

constexpr int SCREEN_HEIGHT = 1080;

TEST(SettingsStoreTest, SplitsValuePathAtLastBackslash) {
  const ValuePath path = splitValuePath("SOFTWARE\\Marrowby\\Quorvane\\size");
  EXPECT_EQ(path.key, "SOFTWARE\\Marrowby\\Quorvane");
  EXPECT_EQ(path.name, "size");
  const ValuePath bare = splitValuePath("size");
  EXPECT_EQ(bare.key, "");
  EXPECT_EQ(bare.name, "size");
}

struct NumberCase {
  const char* label;
  std::string_view text;
  int expected;
};

class SettingNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(SettingNumberTest, ReadsLikeAtoi) {
  EXPECT_EQ(parseSettingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingNumberTest,
    testing::Values(NumberCase{"Plain", "36", 36}, NumberCase{"LeadingBlanks", " \t\r\n\v\f7", 7},
                    NumberCase{"PlusSign", "+12", 12}, NumberCase{"MinusSign", "-7", -7},
                    NumberCase{"StopsAtOtherCharacter", "240px", 240},
                    NumberCase{"HexIsNotRead", "0x10", 0}, NumberCase{"NoDigits", "abc", 0},
                    NumberCase{"Empty", "", 0}, NumberCase{"SignWithoutDigits", "- 5", 0},
                    NumberCase{"BlankAfterDigits", "9 9", 9},
                    NumberCase{"TooLargeSaturates", "99999999999", INT_MAX},
                    NumberCase{"TooSmallSaturates", "-99999999999", INT_MIN},
                    NumberCase{"SmallestInt", "-2147483648", INT_MIN}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(LoadSettingsTest, EmptyStoreGivesEveryDefault) {
  const MemorySettingsStore store;
  const ControlSettings settings = loadSettings(store, "Bold", SCREEN_HEIGHT);
  EXPECT_TRUE(settings.centred);
  EXPECT_FALSE(settings.shadow);
  EXPECT_EQ(settings.playerMode, 1);
  EXPECT_EQ(settings.font, "Bold");
  EXPECT_EQ(settings.leftPosition, 240);
  EXPECT_EQ(settings.topPosition, SCREEN_HEIGHT - 110);
  EXPECT_EQ(settings.widthPosition, 1440);
  EXPECT_EQ(settings.fontSizePosition, 18);
}

TEST(LoadSettingsTest, LoadingWritesNothing) {
  MemorySettingsStore store;
  loadSettings(store, "Bold", SCREEN_HEIGHT);
  EXPECT_EQ(store.writeCount(), 0);
}

// One stored value and what the control that shows it starts from.
struct StoredCase {
  const char* label;
  std::string_view valueName;
  std::string_view stored;
  int screenHeight;
  int (*shown)(const ControlSettings&);
  int expected;
};

int centred(const ControlSettings& s) { return s.centred; }
int shadow(const ControlSettings& s) { return s.shadow; }
int playerMode(const ControlSettings& s) { return s.playerMode; }
int left(const ControlSettings& s) { return s.leftPosition; }
int top(const ControlSettings& s) { return s.topPosition; }
int width(const ControlSettings& s) { return s.widthPosition; }
int fontSize(const ControlSettings& s) { return s.fontSizePosition; }

class StoredValueTest : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredValueTest, StartsControlAt) {
  const StoredCase& c = GetParam();
  MemorySettingsStore store;
  store.writeText(settingPath(c.valueName), c.stored);
  EXPECT_EQ(c.shown(loadSettings(store, "Bold", c.screenHeight)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredValueTest,
    testing::Values(
        StoredCase{"CentredOff", "centext", "0", SCREEN_HEIGHT, centred, 0},
        StoredCase{"CentredOnlyExactOne", "centext", " 1", SCREEN_HEIGHT, centred, 0},
        StoredCase{"CentredEmpty", "centext", "", SCREEN_HEIGHT, centred, 0},
        StoredCase{"ShadowOn", "shadow", "1", SCREEN_HEIGHT, shadow, 1},
        StoredCase{"ShadowOtherText", "shadow", "yes", SCREEN_HEIGHT, shadow, 0},
        StoredCase{"ModeLowEightBits", "mode", "257", SCREEN_HEIGHT, playerMode, 1},
        StoredCase{"ModeUniversal", "mode", "2", SCREEN_HEIGHT, playerMode, 2},
        StoredCase{"ModeNegative", "mode", "-1", SCREEN_HEIGHT, playerMode, 255},
        StoredCase{"ModeNotANumber", "mode", "PowerDVD", SCREEN_HEIGHT, playerMode, 0},
        StoredCase{"LeftInRange", "left", "0", SCREEN_HEIGHT, left, 0},
        StoredCase{"LeftClamped", "left", "3000", SCREEN_HEIGHT, left, 2560},
        StoredCase{"TopNinetyThreeMeansUnplaced", "top", "93", SCREEN_HEIGHT, top, 970},
        StoredCase{"TopNinetyFourKept", "top", "94", SCREEN_HEIGHT, top, 94},
        StoredCase{"TopNinetyThreeWithTrailingText", "top", "93px", SCREEN_HEIGHT, top, 970},
        StoredCase{"TopUnplacedOnSmallScreen", "top", "93", 100, top, 0},
        StoredCase{"TopUnplacedOnTallScreen", "top", "93", 2160, top, 1440},
        StoredCase{"TopNegativeClamped", "top", "-5", SCREEN_HEIGHT, top, 0},
        StoredCase{"TopTooLarge", "top", "2000", SCREEN_HEIGHT, top, 1440},
        StoredCase{"WidthClamped", "width", "5000", SCREEN_HEIGHT, width, 2560},
        StoredCase{"WidthNotANumber", "width", "wide", SCREEN_HEIGHT, width, 0},
        StoredCase{"SizeOddHalved", "size", "37", SCREEN_HEIGHT, fontSize, 18},
        StoredCase{"SizeLargeClamped", "size", "100", SCREEN_HEIGHT, fontSize, 36},
        StoredCase{"SizeSmallClamped", "size", "7", SCREEN_HEIGHT, fontSize, 4},
        StoredCase{"SizeNegativeClamped", "size", "-100", SCREEN_HEIGHT, fontSize, 4},
        StoredCase{"SizeNotANumber", "size", "big", SCREEN_HEIGHT, fontSize, 4}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(LoadSettingsTest, StoredFontIsTakenAsItsBytes) {
  MemorySettingsStore store;
  store.writeText(settingPath("font"), "\xCB\xCE\xCC\xE5");  // 宋体 in GBK
  EXPECT_EQ(loadSettings(store, "Bold", SCREEN_HEIGHT).font, "\xCB\xCE\xCC\xE5");
}

TEST(WriteSettingsTest, WritesWhatTheControlsShow) {
  MemorySettingsStore store;
  writeCheckBoxSetting(store, CENTRED_SETTING, false);
  writeCheckBoxSetting(store, SHADOW_SETTING, true);
  writeFontSetting(store, "Arial");
  writeSliderSetting(store, LEFT_SETTING, 0);
  writeSliderSetting(store, TOP_SETTING, 1440);
  writeSliderSetting(store, WIDTH_SETTING, 1920);
  writeFontSizeSetting(store, 19);

  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\centext", ""), "0");
  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\shadow", ""), "1");
  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\font", ""), "Arial");
  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\left", ""), "0");
  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\top", ""), "1440");
  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\width", ""), "1920");
  EXPECT_EQ(store.readText("SOFTWARE\\Marrowby\\Quorvane\\size", ""), "38");

  const ControlSettings loaded = loadSettings(store, "Bold", SCREEN_HEIGHT);
  EXPECT_FALSE(loaded.centred);
  EXPECT_TRUE(loaded.shadow);
  EXPECT_EQ(loaded.font, "Arial");
  EXPECT_EQ(loaded.leftPosition, 0);
  EXPECT_EQ(loaded.topPosition, 1440);
  EXPECT_EQ(loaded.widthPosition, 1920);
  EXPECT_EQ(loaded.fontSizePosition, 19);
}

// Folder names by parent folder.
using FolderMap = std::map<std::string, std::vector<std::string>>;

// Lists folders from a map, as a file system would, and records what was listed.
class FakeFolderLister final : public FolderLister {
public:
  explicit FakeFolderLister(FolderMap folders)
      : folders_(std::move(folders)) {}

  std::vector<std::string> folderNames(std::string_view parentFolder) const override {
    listedParents.emplace_back(parentFolder);
    const auto found = folders_.find(std::string(parentFolder));
    return found == folders_.end() ? std::vector<std::string>{} : found->second;
  }

  mutable std::vector<std::string> listedParents;

private:
  FolderMap folders_;
};

struct DirectoryCase {
  const char* label;
  std::string_view chosenFile;
  std::string_view folder;  // the dialog's new file name
  bool stored;
};

class SaveDirectoryTest : public testing::TestWithParam<DirectoryCase> {};

TEST_P(SaveDirectoryTest, StoresExistingFolderOnly) {
  const DirectoryCase& c = GetParam();
  const FakeFolderLister lister(FolderMap{{"D:\\", {".", "..", "Movies", "Sci Fi"}},
                                          {"D:\\Movies\\", {".", "..", "Extras"}}});
  MemorySettingsStore store;
  EXPECT_EQ(saveDirectorySetting(store, c.chosenFile, lister), c.folder);
  if (c.stored) {
    EXPECT_EQ(store.readText(settingPath("directory"), "(none)"), c.folder);
  } else {
    EXPECT_FALSE(store.holds(settingPath("directory")));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SaveDirectoryTest,
    testing::Values(DirectoryCase{"FolderOfDrive", "D:\\Movies\\a.srt", "D:\\Movies\\", true},
                    DirectoryCase{"NestedFolder", "D:\\Movies\\Extras\\b.srt",
                                  "D:\\Movies\\Extras\\", true},
                    DirectoryCase{"NameWithBlank", "D:\\Sci Fi\\c.srt", "D:\\Sci Fi\\", true},
                    DirectoryCase{"RootOfDrive", "D:\\a.srt", "D:\\", false},
                    DirectoryCase{"NoFileChosen", "", "", false},
                    DirectoryCase{"NoBackslash", "a.srt", "", false},
                    DirectoryCase{"FolderGone", "D:\\Old\\a.srt", "D:\\Old\\", false},
                    DirectoryCase{"CaseDiffers", "D:\\movies\\a.srt", "D:\\movies\\", false},
                    DirectoryCase{"ParentGone", "E:\\Movies\\a.srt", "E:\\Movies\\", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DirectoryListingTest, ListsTheParentOfTheFolder) {
  const FakeFolderLister lister(FolderMap{{"D:\\", {"Movies"}}});
  MemorySettingsStore store;
  saveDirectorySetting(store, "D:\\Movies\\a.srt", lister);
  EXPECT_EQ(lister.listedParents, std::vector<std::string>{"D:\\"});
}

TEST(DirectoryListingTest, RootOfDriveListsNothing) {
  const FakeFolderLister lister(FolderMap{{"", {"D:"}}});
  MemorySettingsStore store;
  saveDirectorySetting(store, "D:\\a.srt", lister);
  EXPECT_TRUE(lister.listedParents.empty());
  EXPECT_FALSE(store.holds(settingPath("directory")));
}

TEST(LoadDirectoryTest, StoredFolderElseProgramFolder) {
  MemorySettingsStore store;
  EXPECT_EQ(loadDirectorySetting(store, "C:\\Tools\\"), "C:\\Tools\\");
  store.writeText(settingPath("directory"), "D:\\Movies\\");
  EXPECT_EQ(loadDirectorySetting(store, "C:\\Tools\\"), "D:\\Movies\\");
}

}  // namespace
