#include <gtest/gtest.h>

#include "support/recording_overlay.h"

namespace {

using Calls = std::vector<std::string>;

struct LayoutCase {
  const char* name;
  OverlaySettings settings;
  Calls expected;
};

class OverlayCreation : public testing::TestWithParam<LayoutCase> {};

TEST_P(OverlayCreation, LaysOutFromThePanel) {
  RecordingOverlay overlay;
  layOutOverlay(overlay, GetParam().settings);
  EXPECT_EQ(overlay.calls, GetParam().expected);
}

const Calls DEFAULTS = {"font Bold", "size 36", "top 970", "left 240", "width 1440"};

Calls with(Calls calls, const std::string& last) {
  calls.push_back(last);
  return calls;
}

INSTANTIATE_TEST_SUITE_P(
    Panels, OverlayCreation,
    testing::Values(
        // The label starts centred and plain, so those are written only when they differ.
        LayoutCase{"Defaults", {"Bold", 18, 1440, 240, 970, true, false}, DEFAULTS},
        LayoutCase{"NotCentred", {"Bold", 18, 1440, 240, 970, false, false},
                   with(DEFAULTS, "not centred")},
        LayoutCase{"Shadow", {"Bold", 18, 1440, 240, 970, true, true}, with(DEFAULTS, "shadow")},
        LayoutCase{"NotCentredWithShadow", {"Arial", 4, 0, 0, 0, false, true},
                   {"font Arial", "size 8", "top 0", "left 0", "width 0", "not centred",
                    "shadow"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
