#include "encoding/text_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NulCase {
  const char* name;
  std::string bytes;
  std::string expected;
};

class UpToFirstNulTest : public testing::TestWithParam<NulCase> {};

TEST_P(UpToFirstNulTest, KeepsTheBytesBeforeTheFirstNul) {
  EXPECT_EQ(upToFirstNul(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpToFirstNulTest,
    testing::Values(NulCase{"Empty", "", ""},
                    NulCase{"NoNul", "abc", "abc"},
                    NulCase{"NulFirst", std::string("\0abc", 4), ""},
                    NulCase{"NulInside", std::string("ab\0c\0d", 6), "ab"},
                    NulCase{"NulLast", std::string("abc\0", 4), "abc"},
                    NulCase{"HighBytesKept", "\xD3\xEF\xFF", "\xD3\xEF\xFF"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
