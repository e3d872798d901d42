#pragma once
// The 24 interface texts (captions, tooltips, messages) and the choice of interface language.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "encoding/text_encoder.h"
#include "subtitles/subtitle_decoding.h"

inline constexpr size_t UI_TEXT_COUNT = 24;

// Texts in the code page of their language: ASCII for English, GBK for Simplified and
// Big5 for Traditional Chinese.
using UiTextTable = std::array<std::string, UI_TEXT_COUNT>;

// What each entry is for.
enum UiTextIndex : size_t {
  PLAYER_GROUP_TEXT = 0,           // caption of 分组框1
  POWERDVD_MODE_TEXT = 1,          // caption of 单选框1
  UNIVERSAL_MODE_TEXT = 2,         // caption of 单选框2
  SELECT_AND_START_TEXT = 3,       // caption of 按钮3
  FONT_LABEL_TEXT = 4,             // caption of 标签1
  DEFAULT_FONT_TEXT = 5,           // default of the "font" setting
  DELAY_LABEL_TEXT = 6,            // caption of 标签6
  FONT_TOOLTIP_TEXT = 7,           // tooltip of 编辑框1
  DELAY_TOOLTIP_TEXT = 8,          // tooltip of 编辑框2
  CENTRED_TEXT = 9,                // caption of 选择框1
  SHADOW_TEXT = 10,                // caption of 选择框2
  FONT_SIZE_PREFIX_TEXT = 11,      // prefix of 标签3
  LEFT_PREFIX_TEXT = 12,           // prefix of 标签4
  WIDTH_PREFIX_TEXT = 13,          // prefix of 标签5
  TOP_PREFIX_TEXT = 14,            // prefix of 标签2
  FILE_FILTER_TEXT = 15,           // description in the file dialog's filter
  PLAYER_MISSING_TEXT = 16,        // message when the player is not running
  PLAYER_MISSING_TITLE_TEXT = 17,  // title of that message
  WINDOW_TITLE_TEXT = 18,          // title of MainWindow
  UPDATE_LINK_TEXT = 19,           // caption of 透明标签2
  USAGE_TEXT = 20,                 // message of the usage button 按钮1
  HELP_BUTTON_TEXT = 21,           // caption of 按钮1
  ADJUST_TOOL_LINK_TEXT = 22,      // caption of 透明标签1
  FORUM_LINK_TEXT = 23,            // caption of 透明标签3
};

// The interface language for a system default language identifier: Traditional Chinese
// for Taiwan, Hong Kong, Macao and zh-Hant (1028, 3076, 5124, 31748), Simplified Chinese
// for Singapore and the PRC (4100, 2052), English for every other.
LanguageMode chooseLanguage(uint16_t systemLangId);

// The Simplified Chinese texts, in GBK.
UiTextTable simplifiedChineseTexts();

// The English texts.
UiTextTable englishTexts();

// The texts for `languageMode`: Traditional Chinese ones are made from the Simplified ones
// by `gbkToTraditionalBig5`.
UiTextTable fillInterfaceTexts(LanguageMode languageMode, const 编码转换类& textEncoder);

// The file dialog's filter: one description and the pattern, "<entry 15>|*.srt".
std::string fileDialogFilter(const UiTextTable& uiTexts);
