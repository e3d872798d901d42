#include "app/line_metrics.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace {

struct MetricsCase {
  const char* name;
  int32_t p;
  int32_t w;
  int32_t lineHeight;
  int32_t lineChars;
};

void PrintTo(const MetricsCase& c, std::ostream* os) { *os << c.name; }

class ComputeLineMetrics : public testing::TestWithParam<MetricsCase> {};

TEST_P(ComputeLineMetrics, FollowsTheSliders) {
  const LineMetrics metrics = computeLineMetrics(GetParam().p, GetParam().w);
  EXPECT_EQ(metrics.lineHeight, GetParam().lineHeight);
  EXPECT_EQ(metrics.lineChars, GetParam().lineChars);
}

constexpr int32_t MAX = std::numeric_limits<int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Sliders, ComputeLineMetrics,
    testing::Values(MetricsCase{"WholePixels", 18, 1440, 48, 30},
                    MetricsCase{"FloorEvenGoesUpTwo", 4, 100, 12, 8},
                    MetricsCase{"FloorOddGoesUpOne", 5, 100, 14, 7},
                    MetricsCase{"LargeFont", 36, 1440, 96, 15},
                    MetricsCase{"ZeroWidth", 18, 0, 48, 0},
                    MetricsCase{"WidthBelowOneLine", 18, 47, 48, 0},
                    MetricsCase{"SmallestFont", 1, 10, 4, 2},
                    MetricsCase{"ZeroFontHasNoLines", 0, 1440, 0, 0},
                    MetricsCase{"NegativeFontHasNoLines", -1, 1440, -2, 0},
                    MetricsCase{"HugeFontSaturates", MAX, 1440, MAX, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
