#include "memory/byte_search.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;
constexpr size_t NONE = std::string_view::npos;

struct SearchCase {
  const char* name;
  std::string bytes;
  std::string pattern;
  size_t from;
  size_t found;
};

class FindBytesTest : public testing::TestWithParam<SearchCase> {};

TEST_P(FindBytesTest, GivesTheFirstOccurrenceAtOrAfterFrom) {
  EXPECT_EQ(findBytes(GetParam().bytes, GetParam().pattern, GetParam().from), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindBytesTest,
    testing::Values(SearchCase{"AtStart", "abcabc", "abc", 0, 0},
                    SearchCase{"FromSecond", "abcabc", "abc", 1, 3},
                    SearchCase{"AtVeryEnd", "xxxxab", "ab", 0, 4},
                    SearchCase{"FirstByteRepeats", "aaaab", "aab", 0, 2},
                    SearchCase{"HoldsNuls", "\0\0\x03\0\0\x03\0\x13"s, "\x03\0\x13"s, 0, 5},
                    SearchCase{"Missing", "abcdef", "abd", 0, NONE},
                    SearchCase{"CutOffAtEnd", "abcab", "abc", 1, NONE},
                    SearchCase{"LongerThanBytes", "ab", "abc", 0, NONE},
                    SearchCase{"EmptyPattern", "abc", "", 0, NONE},
                    SearchCase{"FromPastEnd", "abc", "c", 4, NONE},
                    SearchCase{"WholeBuffer", "abc", "abc", 0, 0},
                    SearchCase{"RareByteLateInPattern", "\x13\x13\x03\0\x13\x03\0\x13"s,
                               "\x03\0\x13"s, 0, 2},
                    SearchCase{"RareByteRepeatsInPattern", "abab\x01b", "ab\x01b", 0, 2},
                    SearchCase{"OnlySmallBytes", "\x01\0\0\x01\0\x01"s, "\x01\0\x01"s, 0, 3},
                    SearchCase{"OccurrenceBeforeFromIsSkipped", "xaby", "aby", 2, NONE}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
