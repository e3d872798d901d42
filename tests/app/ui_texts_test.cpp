#include "app/ui_texts.h"

#include <gtest/gtest.h>

namespace {

struct LanguageCase {
  const char* label;
  uint16_t systemLangId;
  LanguageMode expected;
};

class ChooseLanguageTest : public testing::TestWithParam<LanguageCase> {};

TEST_P(ChooseLanguageTest, FromSystemLanguage) {
  EXPECT_EQ(chooseLanguage(GetParam().systemLangId), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ChooseLanguageTest,
    testing::Values(LanguageCase{"Taiwan", 1028, LanguageMode::TRADITIONAL_CHINESE},
                    LanguageCase{"HongKong", 3076, LanguageMode::TRADITIONAL_CHINESE},
                    LanguageCase{"Macao", 5124, LanguageMode::TRADITIONAL_CHINESE},
                    LanguageCase{"ChineseTraditional", 31748, LanguageMode::TRADITIONAL_CHINESE},
                    LanguageCase{"Singapore", 4100, LanguageMode::SIMPLIFIED_CHINESE},
                    LanguageCase{"China", 2052, LanguageMode::SIMPLIFIED_CHINESE},
                    LanguageCase{"UnitedStates", 1033, LanguageMode::ENGLISH},
                    LanguageCase{"Japan", 1041, LanguageMode::ENGLISH},
                    LanguageCase{"ChineseNeutral", 0x0004, LanguageMode::ENGLISH},
                    LanguageCase{"ChineseSimplifiedNeutral", 0x7804, LanguageMode::ENGLISH},
                    LanguageCase{"Zero", 0, LanguageMode::ENGLISH}),
    [](const auto& info) { return std::string(info.param.label); });

// The Simplified Chinese texts as GBK bytes.
const UiTextTable SIMPLIFIED_GBK = {
    // 播放器选择
    "\xB2\xA5\xB7\xC5\xC6\xF7\xD1\xA1\xD4\xF1",
    // PowerDVD BD/DVD模式
    "PowerDVD BD/DVD\xC4\xA3\xCA\xBD",
    // 万能模式
    "\xCD\xF2\xC4\xDC\xC4\xA3\xCA\xBD",
    // 选择字幕并执行
    "\xD1\xA1\xD4\xF1\xD7\xD6\xC4\xBB\xB2\xA2\xD6\xB4\xD0\xD0",
    // 字体 = 
    "\xD7\xD6\xCC\xE5 = ",
    // 黑体
    "\xBA\xDA\xCC\xE5",
    // 延时 = 
    "\xD1\xD3\xCA\xB1 = ",
    // 输入字体名称，区分简繁。例如：宋体
    "\xCA\xE4\xC8\xEB\xD7\xD6\xCC\xE5\xC3\xFB\xB3\xC6\xA3\xAC\xC7\xF8\xB7\xD6\xBC\xF2\xB7\xB1\xA1\xA3\xC0\xFD\xC8\xE7\xA3\xBA\xCB\xCE\xCC\xE5",
    // 为正向后延时，为负向前。单位：毫秒
    "\xCE\xAA\xD5\xFD\xCF\xF2\xBA\xF3\xD1\xD3\xCA\xB1\xA3\xAC\xCE\xAA\xB8\xBA\xCF\xF2\xC7\xB0\xA1\xA3\xB5\xA5\xCE\xBB\xA3\xBA\xBA\xC1\xC3\xEB",
    // 居中显示
    "\xBE\xD3\xD6\xD0\xCF\xD4\xCA\xBE",
    // 阴影效果
    "\xD2\xF5\xD3\xB0\xD0\xA7\xB9\xFB",
    // 字体大小 = 
    "\xD7\xD6\xCC\xE5\xB4\xF3\xD0\xA1 = ",
    // 水平位置 = 
    "\xCB\xAE\xC6\xBD\xCE\xBB\xD6\xC3 = ",
    // 字幕宽度 = 
    "\xD7\xD6\xC4\xBB\xBF\xED\xB6\xC8 = ",
    // 垂直位置 = 
    "\xB4\xB9\xD6\xB1\xCE\xBB\xD6\xC3 = ",
    // 字幕文件(*.srt)
    "\xD7\xD6\xC4\xBB\xCE\xC4\xBC\xFE(*.srt)",
    // 请先运行 CyberLink PowerDVD Ultra 并播放原盘电影
    "\xC7\xEB\xCF\xC8\xD4\xCB\xD0\xD0 CyberLink PowerDVD Ultra \xB2\xA2\xB2\xA5\xB7\xC5\xD4\xAD\xC5\xCC\xB5\xE7\xD3\xB0",
    // Marrowby提示您
    "Marrowby\xCC\xE1\xCA\xBE\xC4\xFA",
    // Quorvanev1.3
    "Quorvanev1.3",
    // 检查更新 作者：Marrowby
    "\xBC\xEC\xB2\xE9\xB8\xFC\xD0\xC2 \xD7\xF7\xD5\xDF\xA3\xBAMarrowby",
    // usage text
    "1.\xD4\xCB\xD0\xD0PowerDVD\xB2\xA2\xB2\xA5\xB7\xC5\xD4\xAD\xC5\xCC\xB5\xE7\xD3\xB0\xBB\xF2\xB4\xF2\xBF\xAA\xD3\xB2\xC5\xCC\xC9\xCF\xB5\xC4\xB9\xE2\xC5\xCC\xCE\xC4\xBC\xFE\xBC\xD0\r\n"
    "\r\n"
    "2.\xB5\xE3\xBB\xF7[\xD1\xA1\xD4\xF1\xD7\xD6\xC4\xBB\xB2\xA2\xD6\xB4\xD0\xD0]\xB0\xB4\xC5\xA5\xA3\xAC\xD1\xA1\xD4\xF1\xD2\xBB\xB8\xF6srt\xB8\xF1\xCA\xBD\xD7\xD6\xC4\xBB\r\n"
    "\r\n"
    "     \xBF\xEC\xBD\xDD\xBC\xFC\r\n"
    "\r\n"
    "F8   ~   \xD7\xD6\xC4\xBB\xCF\xD4\xCA\xBE\xBF\xAA\xB9\xD8 \r\n"
    "\r\n"
    "Alt + F1 ~ \xD7\xD6\xCC\xE5\xD4\xF6\xB4\xF3\r\n"
    "Alt + F2 ~ \xD7\xD6\xCC\xE5\xBC\xF5\xD0\xA1\r\n"
    "\r\n"
    "Alt +  ]  ~ \xCE\xBB\xD6\xC3\xC9\xCF\xD2\xC6\r\n"
    "Alt +  [  ~ \xCE\xBB\xD6\xC3\xCF\xC2\xD2\xC6\r\n"
    "\r\n"
    "\r\n"
    "                            By  Marrowby    2012/11/19",
    // 用法
    "\xD3\xC3\xB7\xA8",
    // 时间轴快速调节工具
    "\xCA\xB1\xBC\xE4\xD6\xE1\xBF\xEC\xCB\xD9\xB5\xF7\xBD\xDA\xB9\xA4\xBE\xDF",
    // Brackenfold第一游戏论坛
    "Brackenfold\xB5\xDA\xD2\xBB\xD3\xCE\xCF\xB7\xC2\xDB\xCC\xB3",
};

TEST(UiTextsTest, SimplifiedChineseTextsAreGbk) {
  const UiTextTable texts = simplifiedChineseTexts();
  for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
    EXPECT_EQ(texts[i], SIMPLIFIED_GBK[i]) << "entry " << i;
  }
}

TEST(UiTextsTest, SimplifiedChineseModeKeepsSimplifiedTexts) {
  EXPECT_EQ(fillInterfaceTexts(LanguageMode::SIMPLIFIED_CHINESE, 编码转换类()), SIMPLIFIED_GBK);
}

TEST(UiTextsTest, EnglishModeGivesEnglishTexts) {
  const UiTextTable texts = fillInterfaceTexts(LanguageMode::ENGLISH, 编码转换类());
  EXPECT_EQ(texts, englishTexts());
  EXPECT_EQ(texts[DEFAULT_FONT_TEXT], "Bold");
  EXPECT_EQ(texts[FONT_LABEL_TEXT], "Font = ");
  EXPECT_EQ(texts[DELAY_TOOLTIP_TEXT],
            "Backward  when  positive, Forward when negative.Unit: ms ");
  EXPECT_EQ(texts[WINDOW_TITLE_TEXT], "Quorvane");
  for (const std::string& text : texts) {
    for (char c : text) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << text;
    }
  }
}

TEST(UiTextsTest, EnglishUsageTextLines) {
  EXPECT_EQ(englishTexts()[USAGE_TEXT],
            "1.Launch PowerDVD, Play Blu-ray drive or disc folder on your hard drive\r\n\r\n"
            "2.Click [Select and Start] button, Select a *.srt file\r\n\r\n"
            "     Hotkeys/Options\r\n\r\n"
            "F8    ~   Show/Hide Subtitles\r\n\r\n"
            "Alt + F1  ~  Font size +\r\nAlt + F2  ~  Font size -\r\n\r\n"
            "Alt +  ]   ~  Position +\r\nAlt +  [   ~  Position -\r\n\r\n\r\n"
            "                                By  Marrowby    2012/11/19");
}

TEST(UiTextsTest, UnknownModeGivesEnglishTexts) {
  EXPECT_EQ(fillInterfaceTexts(static_cast<LanguageMode>(7), 编码转换类()), englishTexts());
}

// Marks every text it converts, so the test sees which entries went through it.
class MarkingEncoder final : public 编码转换类 {
public:
  std::string gbkToTraditionalBig5(std::string_view text) const override {
    return "T:" + std::string(text);
  }
};

TEST(UiTextsTest, TraditionalModeConvertsEveryEntry) {
  const UiTextTable texts = fillInterfaceTexts(LanguageMode::TRADITIONAL_CHINESE, MarkingEncoder());
  for (size_t i = 0; i < UI_TEXT_COUNT; ++i) {
    EXPECT_EQ(texts[i], "T:" + SIMPLIFIED_GBK[i]) << "entry " << i;
  }
}

TEST(UiTextsTest, TraditionalTextsAreBig5) {
  const UiTextTable texts = fillInterfaceTexts(LanguageMode::TRADITIONAL_CHINESE, 编码转换类());
  EXPECT_EQ(texts[DEFAULT_FONT_TEXT], "\xB6\xC2\xC5\xE9");  // 黑體
  EXPECT_EQ(texts[FONT_LABEL_TEXT], "\xA6\x72\xC5\xE9 = ");  // 字體 =
  EXPECT_EQ(texts[WINDOW_TITLE_TEXT], "Quorvanev1.3");
  EXPECT_TRUE(texts[FILE_FILTER_TEXT].ends_with("(*.srt)")) << texts[FILE_FILTER_TEXT];
  EXPECT_TRUE(fileDialogFilter(texts).ends_with("(*.srt)|*.srt"));
  EXPECT_TRUE(texts[USAGE_TEXT].ends_with("By  Marrowby    2012/11/19"));
}

TEST(UiTextsTest, FileDialogFilterIsDescriptionAndPattern) {
  EXPECT_EQ(fileDialogFilter(englishTexts()), "Subtitles(*.srt)|*.srt");
  EXPECT_EQ(fileDialogFilter(simplifiedChineseTexts()),
            "\xD7\xD6\xC4\xBB\xCE\xC4\xBC\xFE(*.srt)|*.srt");
}

}  // namespace
