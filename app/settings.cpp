#include "app/settings.h"

#include "encoding/numbers.h"

namespace {

// A stored "top" of this value stands for "not placed yet".
constexpr int UNPLACED_TOP = 93;
constexpr int TOP_MARGIN_PX = 110;

std::string readSetting(const SettingsStore& store, std::string_view valueName,
                        std::string_view defaultText) {
  return store.readText(settingPath(valueName), defaultText);
}

int readSliderPosition(const SettingsStore& store, std::string_view valueName,
                       std::string_view defaultText, SliderRange range) {
  return range.clamp(parseSettingNumber(readSetting(store, valueName, defaultText)));
}

}  // namespace

std::string settingPath(std::string_view valueName) {
  std::string path(SETTINGS_KEY);
  path += '\\';
  path += valueName;
  return path;
}

int parseSettingNumber(std::string_view text) {
  return readLeadingDecimal(text);
}

ControlSettings loadSettings(const SettingsStore& store, std::string_view defaultFont,
                             int screenHeightPx) {
  ControlSettings settings;
  settings.centred = readSetting(store, CENTRED_SETTING, "1") == "1";
  settings.shadow = readSetting(store, SHADOW_SETTING, "0") == "1";
  settings.playerMode =
      static_cast<uint8_t>(parseSettingNumber(readSetting(store, MODE_SETTING, "1")) & 0xFF);
  settings.font = readSetting(store, FONT_SETTING, defaultFont);
  settings.leftPosition = readSliderPosition(store, LEFT_SETTING, "240", LEFT_SLIDER_RANGE);
  settings.topPosition = readSliderPosition(store, TOP_SETTING, "93", TOP_SLIDER_RANGE);
  if (settings.topPosition == UNPLACED_TOP) {
    settings.topPosition = TOP_SLIDER_RANGE.clamp(screenHeightPx - TOP_MARGIN_PX);
  }
  settings.widthPosition = readSliderPosition(store, WIDTH_SETTING, "1440", WIDTH_SLIDER_RANGE);
  settings.fontSizePosition =
      FONT_SIZE_SLIDER_RANGE.clamp(parseSettingNumber(readSetting(store, SIZE_SETTING, "36")) / 2);
  return settings;
}

void writeCheckBoxSetting(SettingsStore& store, std::string_view valueName, bool checked) {
  store.writeText(settingPath(valueName), checked ? "1" : "0");
}

void writeSliderSetting(SettingsStore& store, std::string_view valueName, int position) {
  store.writeText(settingPath(valueName), std::to_string(position));
}

void writeFontSizeSetting(SettingsStore& store, int fontSizePosition) {
  writeSliderSetting(store, SIZE_SETTING, 2 * fontSizePosition);
}

void writeFontSetting(SettingsStore& store, std::string_view font) {
  store.writeText(settingPath(FONT_SETTING), font);
}

std::string folderOfFile(std::string_view filePath) {
  const size_t cut = filePath.rfind('\\');
  return cut == std::string_view::npos ? std::string() : std::string(filePath.substr(0, cut + 1));
}

bool folderExists(std::string_view folder, const FolderLister& lister) {
  if (!folder.empty() && folder.back() == '\\') {
    folder.remove_suffix(1);
  }
  const size_t cut = folder.rfind('\\');
  if (cut == std::string_view::npos) {
    return false;
  }
  const std::string_view parent = folder.substr(0, cut + 1);
  const std::string_view name = folder.substr(cut + 1);
  for (const std::string& listed : lister.folderNames(parent)) {
    if (listed == name) {
      return true;
    }
  }
  return false;
}

std::string saveDirectorySetting(SettingsStore& store, std::string_view chosenFile,
                                 const FolderLister& lister) {
  std::string folder = folderOfFile(chosenFile);
  if (folderExists(folder, lister)) {
    store.writeText(settingPath(DIRECTORY_SETTING), folder);
  }
  return folder;
}

std::string loadDirectorySetting(const SettingsStore& store, std::string_view programFolder) {
  return readSetting(store, DIRECTORY_SETTING, programFolder);
}
