#include "app/ui_texts.h"

#include <string_view>

#include "encoding/code_page.h"

namespace {

// The Simplified Chinese texts, written in UTF-8 here and converted to GBK on use.
constexpr std::array<std::string_view, UI_TEXT_COUNT> SIMPLIFIED_CHINESE_UTF8 = {
    "播放器选择",
    "PowerDVD BD/DVD模式",
    "万能模式",
    "选择字幕并执行",
    "字体 = ",
    "黑体",
    "延时 = ",
    "输入字体名称，区分简繁。例如：宋体",
    "为正向后延时，为负向前。单位：毫秒",
    "居中显示",
    "阴影效果",
    "字体大小 = ",
    "水平位置 = ",
    "字幕宽度 = ",
    "垂直位置 = ",
    "字幕文件(*.srt)",
    "请先运行 CyberLink PowerDVD Ultra 并播放原盘电影",
    "Marrowby提示您",
    "Quorvanev1.3",
    "检查更新 作者：Marrowby",
    "1.运行PowerDVD并播放原盘电影或打开硬盘上的光盘文件夹\r\n"
    "\r\n"
    "2.点击[选择字幕并执行]按钮，选择一个srt格式字幕\r\n"
    "\r\n"
    "     快捷键\r\n"
    "\r\n"
    "F8   ~   字幕显示开关 \r\n"
    "\r\n"
    "Alt + F1 ~ 字体增大\r\n"
    "Alt + F2 ~ 字体减小\r\n"
    "\r\n"
    "Alt +  ]  ~ 位置上移\r\n"
    "Alt +  [  ~ 位置下移\r\n"
    "\r\n"
    "\r\n"
    "                            By  Marrowby    2012/11/19",
    "用法",
    "时间轴快速调节工具",
    "Brackenfold第一游戏论坛",
};

constexpr std::array<std::string_view, UI_TEXT_COUNT> ENGLISH = {
    "Select Player",
    "PowerDVD BD/DVD Mode",
    "Multi-function Mode",
    "Select and Start",
    "Font = ",
    "Bold",
    "Delay = ",
    "Input font name,for example,Arial",
    "Backward  when  positive, Forward when negative.Unit: ms ",
    "Center",
    "Shadow",
    "Font size = ",
    "Left = ",
    "Sub width = ",
    "Top = ",
    "Subtitles(*.srt)",
    "Please launch CyberLink PowerDVD Ultra and Play in BD/DVD Mode",
    "Marrowby say",
    "Quorvane",
    "Check update.Marrowby",
    "1.Launch PowerDVD, Play Blu-ray drive or disc folder on your hard drive\r\n"
    "\r\n"
    "2.Click [Select and Start] button, Select a *.srt file\r\n"
    "\r\n"
    "     Hotkeys/Options\r\n"
    "\r\n"
    "F8    ~   Show/Hide Subtitles\r\n"
    "\r\n"
    "Alt + F1  ~  Font size +\r\n"
    "Alt + F2  ~  Font size -\r\n"
    "\r\n"
    "Alt +  ]   ~  Position +\r\n"
    "Alt +  [   ~  Position -\r\n"
    "\r\n"
    "\r\n"
    "                                By  Marrowby    2012/11/19",
    "Help",
    "Srt Rapid Adjustment",
    "Brackenfold Forum",
};

}  // namespace

LanguageMode chooseLanguage(uint16_t systemLangId) {
  switch (systemLangId) {
    case 0x0404:  // Chinese (Taiwan)
    case 0x0C04:  // Chinese (Hong Kong)
    case 0x1404:  // Chinese (Macao)
    case 0x7C04:  // Chinese (Traditional)
      return LanguageMode::TRADITIONAL_CHINESE;
    case 0x1004:  // Chinese (Singapore)
    case 0x0804:  // Chinese (PRC)
      return LanguageMode::SIMPLIFIED_CHINESE;
    default:
      return LanguageMode::ENGLISH;
  }
}

UiTextTable simplifiedChineseTexts() {
  UiTextTable texts;
  for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
    texts[i] = encodeCodePage(CodePage::GBK, utf8ToUtf16Units(SIMPLIFIED_CHINESE_UTF8[i]));
  }
  return texts;
}

UiTextTable englishTexts() {
  UiTextTable texts;
  for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
    texts[i] = ENGLISH[i];
  }
  return texts;
}

UiTextTable fillInterfaceTexts(LanguageMode languageMode, const 编码转换类& textEncoder) {
  switch (languageMode) {
    case LanguageMode::SIMPLIFIED_CHINESE:
      return simplifiedChineseTexts();
    case LanguageMode::TRADITIONAL_CHINESE: {
      UiTextTable texts = simplifiedChineseTexts();
      for (std::string& text : texts) {
        text = textEncoder.gbkToTraditionalBig5(text);
      }
      return texts;
    }
    default:
      return englishTexts();
  }
}

std::string fileDialogFilter(const UiTextTable& uiTexts) {
  return uiTexts[FILE_FILTER_TEXT] + "|*.srt";
}
