#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_store.h"

// The key all settings live under, and their value names.
inline constexpr std::string_view SETTINGS_KEY = "SOFTWARE\\Marrowby\\Quorvane";
inline constexpr std::string_view CENTRED_SETTING = "centext";
inline constexpr std::string_view SHADOW_SETTING = "shadow";
inline constexpr std::string_view MODE_SETTING = "mode";
inline constexpr std::string_view FONT_SETTING = "font";
inline constexpr std::string_view LEFT_SETTING = "left";
inline constexpr std::string_view TOP_SETTING = "top";
inline constexpr std::string_view WIDTH_SETTING = "width";
inline constexpr std::string_view SIZE_SETTING = "size";
inline constexpr std::string_view DIRECTORY_SETTING = "directory";

// SETTINGS_KEY + "\" + valueName.
std::string settingPath(std::string_view valueName);

struct SliderRange {
  int min;
  int max;
  int clamp(int position) const { return position < min ? min : position > max ? max : position; }
};

inline constexpr SliderRange FONT_SIZE_SLIDER_RANGE{4, 36};  // 滑块条1, half the font size
inline constexpr SliderRange WIDTH_SLIDER_RANGE{0, 2560};    // 滑块条2
inline constexpr SliderRange LEFT_SLIDER_RANGE{0, 2560};     // 滑块条3
inline constexpr SliderRange TOP_SLIDER_RANGE{0, 1440};      // 滑块条4

// The stored settings as the control panel shows them: check marks, the font box's text
// and slider positions already limited to their ranges.
struct ControlSettings {
  bool centred = false;      // 选择框1
  bool shadow = false;       // 选择框2
  uint8_t playerMode = 0;    // PlayerMode: 1 PowerDVD, anything else universal
  std::string font;          // 编辑框1
  int leftPosition = 0;      // 滑块条3
  int topPosition = 0;       // 滑块条4
  int widthPosition = 0;     // 滑块条2
  int fontSizePosition = 0;  // 滑块条1; the font size is twice this
};

// Reads a stored number as C's atoi does, saturating at the ends of the int range
// (readLeadingDecimal).
int parseSettingNumber(std::string_view text);

// Reads every setting the control panel starts from, with its default when missing.
// `defaultFont` is the interface text for the default face; `screenHeightPx` places a
// missing "top" (or a stored 93, which stands for the same) 110 pixels above the bottom.
ControlSettings loadSettings(const SettingsStore& store, std::string_view defaultFont,
                             int screenHeightPx);

// What the control handlers store: "1"/"0" for a check box, the decimal position for
// "left", "top" and "width", twice the position for "size", the box's text for "font".
void writeCheckBoxSetting(SettingsStore& store, std::string_view valueName, bool checked);
void writeSliderSetting(SettingsStore& store, std::string_view valueName, int position);
void writeFontSizeSetting(SettingsStore& store, int fontSizePosition);
void writeFontSetting(SettingsStore& store, std::string_view font);

// Lists the names of the folders directly inside `parentFolder` (a path ending in a
// backslash), "." and ".." included where the platform lists them.
class FolderLister {
public:
  virtual ~FolderLister() = default;
  virtual std::vector<std::string> folderNames(std::string_view parentFolder) const = 0;
};

// Lists folders with FindFirstFileA. Windows builds only.
class Win32FolderLister final : public FolderLister {
public:
  std::vector<std::string> folderNames(std::string_view parentFolder) const override;
};

// The text of `filePath` up to and including its last backslash; empty without one.
std::string folderOfFile(std::string_view filePath);

// Whether `folder` (ending in a backslash) is listed, byte for byte, in its parent. A folder
// without a parent part, such as the root of a drive "D:\", is never found.
bool folderExists(std::string_view folder, const FolderLister& lister);

// On closing the control panel: stores the folder of the last chosen subtitle file as
// "directory" when that folder still exists. Returns the folder (the file dialog's new
// file name), empty when no file was chosen.
std::string saveDirectorySetting(SettingsStore& store, std::string_view chosenFile,
                                 const FolderLister& lister);

// The initial folder of the file dialog: the stored "directory", else `programFolder`.
std::string loadDirectorySetting(const SettingsStore& store, std::string_view programFolder);
