#include "app/delay_text.h"

#include <gtest/gtest.h>

namespace {

struct FilterCase {
  const char* name;
  std::u16string_view text;
  std::u16string_view kept;
};

class FilteredDelayText : public testing::TestWithParam<FilterCase> {};

TEST_P(FilteredDelayText, KeepsDigitsAndMinusUpToTheLimit) {
  EXPECT_EQ(filteredDelayText(GetParam().text), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilteredDelayText,
    testing::Values(FilterCase{"Empty", u"", u""},
                    FilterCase{"TrailingLetterDropped", u"12a", u"12"},
                    FilterCase{"PastedWithUnitAndBlanks", u" -15x00 ms", u"-1500"},
                    FilterCase{"CutAtEightCharacters", u"1234567890", u"12345678"},
                    FilterCase{"DroppedCharactersDoNotCountTowardsTheLimit", u"a1b2c3d4e5f6g7h8i9", u"12345678"},
                    FilterCase{"LoneMinus", u"-", u"-"},
                    FilterCase{"FullWidthDigitsAreNotDigits", u"１２3", u"3"},
                    FilterCase{"ChineseDropped", u"延时-20毫秒", u"-20"},
                    FilterCase{"LineBreaksDropped", u"1\r\n2", u"12"}),
    [](const testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(AcceptsTypedDelayCharacter, DigitsMinusAndControlKeysOnly) {
  for (char16_t digit = u'0'; digit <= u'9'; ++digit) EXPECT_TRUE(acceptsTypedDelayCharacter(digit));
  EXPECT_TRUE(acceptsTypedDelayCharacter(u'-'));
  EXPECT_TRUE(acceptsTypedDelayCharacter(u'\b'));    // backspace
  EXPECT_TRUE(acceptsTypedDelayCharacter(u'\x16'));  // Ctrl+V, which pastes through the filter
  EXPECT_FALSE(acceptsTypedDelayCharacter(u' '));
  EXPECT_FALSE(acceptsTypedDelayCharacter(u'+'));
  EXPECT_FALSE(acceptsTypedDelayCharacter(u'a'));
  EXPECT_FALSE(acceptsTypedDelayCharacter(u'．'));
}

}  // namespace
