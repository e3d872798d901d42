#include "overlay/wide_text_win.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
  const char* name;
  std::string_view bytes;
  int codePage;
  std::wstring_view wide;
};

class WideFromCodePage : public testing::TestWithParam<DecodeCase> {};

TEST_P(WideFromCodePage, DecodesTheTrackCodePage) {
  EXPECT_EQ(wideFromCodePage(GetParam().bytes, static_cast<CodePage>(GetParam().codePage)),
            GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WideFromCodePage,
    testing::Values(
        DecodeCase{"Gbk", "\xD7\xD6\xC4\xBB", 936, L"字幕"},
        DecodeCase{"Big5", "\xA6\x72\xB9\xF5", 950, L"字幕"},
        DecodeCase{"Utf8", "\xE5\xAD\x97\xE5\xB9\x95", 65001, L"字幕"},
        DecodeCase{"Utf8Malformed", "a\xC3(", 65001, L"a\xFFFD("},
        DecodeCase{"LineBreaksKept", "\xD7\xD6\r\n\xC4\xBB", 936, L"字\r\n幕"},
        DecodeCase{"CutAtTheFirstNul", std::string_view("\xD7\xD6\0\xC4\xBB", 5), 936, L"字"},
        DecodeCase{"Empty", "", 936, L""},
        DecodeCase{"AnsiAscii", "Subtitle 1", 0, L"Subtitle 1"}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(AnsiText, AsciiRoundTrips) {
  EXPECT_EQ(wideFromAnsi("Arial"), L"Arial");
  EXPECT_EQ(ansiFromWide(L"Arial"), "Arial");
  EXPECT_EQ(wideFromAnsi(std::string_view("Ari\0al", 6)), L"Ari");
  EXPECT_EQ(ansiFromWide(L""), "");
}

}  // namespace
