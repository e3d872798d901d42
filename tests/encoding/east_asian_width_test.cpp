#include "encoding/east_asian_width.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct WidthCase {
  const char* name;
  char32_t codePoint;
  bool wide;
};

class EastAsianWidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(EastAsianWidthTest, TellsWideCharacters) {
  EXPECT_EQ(isEastAsianWide(GetParam().codePoint), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EastAsianWidthTest,
    testing::Values(WidthCase{"Nul", U'\0', false}, WidthCase{"Latin", U'a', false},
                    WidthCase{"AccentedLatin", U'ç', false}, WidthCase{"AmbiguousEuro", U'€', false},
                    WidthCase{"Han", U'你', true}, WidthCase{"Hangul", U'한', true},
                    WidthCase{"LastHangulSyllable", 0xD7A3, true}, WidthCase{"HangulJamoLead", 0x1100, true},
                    WidthCase{"HangulJamoVowel", 0x1160, false}, WidthCase{"Kana", U'ア', true},
                    WidthCase{"HalfwidthKana", U'ｱ', false}, WidthCase{"IdeographicSpace", 0x3000, true},
                    WidthCase{"FullwidthWon", 0xFFE6, true}, WidthCase{"FullwidthA", U'Ａ', true},
                    WidthCase{"Emoji", 0x1F600, true}, WidthCase{"PartyPopper", 0x1F389, true},
                    WidthCase{"TextHeart", 0x2764, false}, WidthCase{"SkinToneModifier", 0x1F3FD, true},
                    WidthCase{"ZeroWidthJoiner", 0x200D, false}, WidthCase{"RegionalIndicator", 0x1F1EB, false},
                    WidthCase{"HanExtensionB", 0x20000, true}, WidthCase{"UnassignedInExtensionPlane", 0x3FFFD, true},
                    WidthCase{"LastCodePoint", 0x10FFFF, false}, WidthCase{"BeyondUnicode", 0x110000, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
