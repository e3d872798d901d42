#include "app/panel_layout.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using enum PanelControlId;

// Captions as narrow as zero pixels: every control stays where it was designed.
int32_t narrowCaptions(PanelControlId) { return 0; }

struct PlaceCase {
  const char* name;
  int32_t dpi;
  PanelControlId control;
  PanelRect place;
};

class DesignedPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(DesignedPlace, ScaledByTheDpi) {
  const PanelLayout layout = layOutPanel(GetParam().dpi, narrowCaptions);
  EXPECT_EQ(layout.placeOf(GetParam().control), GetParam().place);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignedPlace,
    testing::Values(PlaceCase{"SelectAndStartAt96", 96, 按钮3, {208, 52, 104, 40}},
                    PlaceCase{"TopSliderAt96", 96, 滑块条4, {200, 252, 200, 24}},
                    PlaceCase{"DelayBoxAt96", 96, 编辑框2, {167, 142, 56, 24}},
                    PlaceCase{"UpdateLinkAt96", 96, 透明标签2, {256, 288, 134, 16}},
                    PlaceCase{"SelectAndStartAt150Percent", 144, 按钮3, {312, 78, 156, 60}},
                    // 123 × 1.5 = 184.5 rounds as MulDiv rounds.
                    PlaceCase{"DelayLabelAt150Percent", 144, 标签6, {185, 219, 60, 24}},
                    PlaceCase{"FontSizeSliderAt125Percent", 120, 滑块条1, {0, 250, 250, 30}}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return info.param.name; });

TEST(PanelLayout, ClientAreaAsDesignedScaledByTheDpi) {
  const PanelLayout at96 = layOutPanel(96, narrowCaptions);
  EXPECT_EQ(at96.clientWidth, 400);
  EXPECT_EQ(at96.clientHeight, 308);
  const PanelLayout at144 = layOutPanel(144, narrowCaptions);
  EXPECT_EQ(at144.clientWidth, 600);
  EXPECT_EQ(at144.clientHeight, 462);
}

TEST(PanelLayout, EveryControlInCreationOrderInsideTheClientArea) {
  for (const int32_t dpi : {96, 120, 144, 192}) {
    const PanelLayout layout = layOutPanel(dpi, narrowCaptions);
    ASSERT_EQ(layout.places.size(), PANEL_CONTROL_COUNT);
    int32_t expectedId = FIRST_PANEL_CONTROL_ID;
    for (const auto& [id, place] : layout.places) {
      EXPECT_EQ(static_cast<int32_t>(id), expectedId++);
      EXPECT_GE(place.x, 0) << dpi;
      EXPECT_GE(place.y, 0) << dpi;
      EXPECT_LE(place.right(), layout.clientWidth) << static_cast<int>(id) << " at " << dpi;
      EXPECT_LE(place.bottom(), layout.clientHeight) << static_cast<int>(id) << " at " << dpi;
    }
  }
}

bool overlap(const PanelRect& a, const PanelRect& b) {
  return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

// The radio buttons lie inside the group box; no other two controls share a pixel.
TEST(PanelLayout, NoTwoControlsOverlapButTheRadioButtonsInTheirBox) {
  for (const int32_t dpi : {96, 144}) {
    const PanelLayout layout = layOutPanel(dpi, narrowCaptions);
    for (const auto& [id, place] : layout.places) {
      for (const auto& [otherId, otherPlace] : layout.places) {
        if (otherId <= id) continue;
        const bool radioInBox = id == 分组框1 && (otherId == 单选框1 || otherId == 单选框2);
        EXPECT_EQ(overlap(place, otherPlace), radioInBox)
            << static_cast<int>(id) << " and " << static_cast<int>(otherId) << " at " << dpi;
      }
    }
  }
}

TEST(PanelLayout, BoxLabelTooNarrowTakesRoomToItsLeftFlushAgainstItsBox) {
  const std::map<PanelControlId, int32_t> widths{{标签1, 44}, {标签6, 47}};
  const PanelLayout layout = layOutPanel(96, [&](PanelControlId id) {
    const auto found = widths.find(id);
    return found == widths.end() ? 0 : found->second;
  });
  EXPECT_EQ(layout.placeOf(标签1), (PanelRect{3, 146, 45, 16}));
  EXPECT_EQ(layout.placeOf(标签6), (PanelRect{117, 146, 48, 16}));
  EXPECT_FALSE(overlap(layout.placeOf(标签1), layout.placeOf(编辑框1)));
  EXPECT_FALSE(overlap(layout.placeOf(标签6), layout.placeOf(编辑框1)));
}

TEST(PanelLayout, BoxLabelNeverReachesTheControlBeforeIt) {
  const PanelLayout layout =
      layOutPanel(96, [](PanelControlId id) { return id == 标签6 ? 500 : 0; });
  EXPECT_EQ(layout.placeOf(标签6), (PanelRect{108, 146, 57, 16}));
}

TEST(PanelLayout, LinkRowKeepsItsDesignWhileTheCaptionsFit) {
  const PanelLayout layout = layOutPanel(96, [](PanelControlId id) {
    return id == 透明标签1 ? 120 : id == 透明标签3 ? 114 : id == 透明标签2 ? 132 : 0;
  });
  EXPECT_EQ(layout.placeOf(透明标签1), (PanelRect{0, 288, 122, 16}));
  EXPECT_EQ(layout.placeOf(透明标签3), (PanelRect{131, 288, 116, 16}));
  EXPECT_EQ(layout.placeOf(透明标签2), (PanelRect{256, 288, 134, 16}));
}

TEST(PanelLayout, LinkRowPackedWhenACaptionIsWiderThanDesigned) {
  const PanelLayout layout = layOutPanel(96, [](PanelControlId id) {
    return id == 透明标签1 ? 108 : id == 透明标签3 ? 136 : id == 透明标签2 ? 142 : 0;
  });
  EXPECT_EQ(layout.placeOf(透明标签1), (PanelRect{0, 288, 110, 16}));
  EXPECT_EQ(layout.placeOf(透明标签3), (PanelRect{114, 288, 138, 16}));
  EXPECT_EQ(layout.placeOf(透明标签2), (PanelRect{256, 288, 144, 16}));
  EXPECT_EQ(layout.clientWidth, 400);
}

TEST(PanelLayout, ClientAreaWidensForALinkRowThatDoesNotFit) {
  const PanelLayout layout = layOutPanel(96, [](PanelControlId id) {
    return id == 透明标签1 ? 150 : id == 透明标签3 ? 150 : id == 透明标签2 ? 150 : 0;
  });
  EXPECT_EQ(layout.placeOf(透明标签2).right(), 152 * 3 + 8);
  EXPECT_EQ(layout.clientWidth, 464);
}

}  // namespace
