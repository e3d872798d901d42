#include "subtitles/srt_dump.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using namespace std::string_literals;

struct EscapeCase {
  const char* name;
  std::string bytes;
  std::string escaped;
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class EscapeBytes : public testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeBytes, WritesPrintableAscii) {
  EXPECT_EQ(escapeBytes(GetParam().bytes), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, EscapeBytes,
    testing::Values(EscapeCase{"PrintableUnchanged", "Hi there ~!", "Hi there ~!"},
                    EscapeCase{"NamedControls", "a\r\nb\tc", "a\\r\\nb\\tc"},
                    EscapeCase{"Backslash", "a\\b", "a\\\\b"},
                    EscapeCase{"NulAndOtherControls", "\0\x01\x1f"s, "\\x00\\x01\\x1f"},
                    EscapeCase{"Delete", "\x7f", "\\x7f"},
                    EscapeCase{"HighBytesLowercaseHex", "\xc4\xe3\xff\x80", "\\xc4\\xe3\\xff\\x80"},
                    EscapeCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatTrack, ListsEveryEntryWithSentinels) {
  const SubtitleTrack track({{-30, 970, "a\tb"}});
  EXPECT_EQ(formatTrack(track),
            "cues 1\n"
            "1\t-30\t970\ta\\tb\n"
            "2\t2147483640\t2147483641\t\n"
            "3\t2147483642\t2147483643\t\n");
}

}  // namespace
