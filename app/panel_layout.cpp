#include "app/panel_layout.h"

#include <algorithm>

namespace {

using enum PanelControlId;

constexpr int32_t LINK_GAP = 4;         // between packed link labels, design pixels
constexpr int32_t CAPTION_MARGIN = 2;   // between a box's label and its neighbours

// A box's label and the design x at which the room to its left begins.
struct BoxCaption {
  PanelControlId label;
  PanelControlId box;
  int32_t roomStart;
};

constexpr BoxCaption BOX_CAPTIONS[] = {
    {标签1, 编辑框1, 0},
    {标签6, 编辑框2, 50 + 56},  // the right edge of 编辑框1
};

}  // namespace

// The radio buttons lie at 16,32 and 16,68 inside the group box at 8,16; they are the main
// window's children so that their clicks reach it. The box is 192 wide rather than 176, and
// the buttons 168 rather than 144 and 136, which the English captions need; the space up to
// 按钮3 was free.
const std::array<ControlDesign, PANEL_CONTROL_COUNT> PANEL_CONTROLS = {{
    {分组框1, ControlKind::GROUP, {8, 16, 192, 112}, u"播放器选择"},
    {单选框1, ControlKind::RADIO, {24, 48, 168, 16}, u"PowerDVD BD/DVD模式"},
    {单选框2, ControlKind::RADIO, {24, 84, 168, 16}, u"万能模式"},
    {按钮3, ControlKind::BUTTON, {208, 52, 104, 40}, u"选择字幕并执行"},
    {按钮1, ControlKind::BUTTON, {336, 52, 56, 40}, u"用法"},
    {标签1, ControlKind::LABEL, {6, 146, 40, 16}, u"字体 = "},
    {编辑框1, ControlKind::EDIT, {50, 142, 56, 24}, u"黑体"},
    {标签6, ControlKind::LABEL, {123, 146, 40, 16}, u"延时 = "},
    {编辑框2, ControlKind::EDIT, {167, 142, 56, 24}, u"0"},
    {选择框1, ControlKind::CHECK, {241, 146, 70, 16}, u"居中显示"},
    {选择框2, ControlKind::CHECK, {325, 146, 68, 16}, u"阴影效果"},
    {标签3, ControlKind::LABEL, {60, 176, 92, 16}, u"字体大小 = 36"},
    {标签5, ControlKind::LABEL, {248, 176, 120, 16}, u"字幕宽度 = 1440"},
    {滑块条1, ControlKind::SLIDER, {0, 200, 200, 24}, u""},
    {滑块条2, ControlKind::SLIDER, {200, 200, 200, 24}, u""},
    {标签4, ControlKind::LABEL, {62, 232, 106, 16}, u"水平位置 = 240"},
    {标签2, ControlKind::LABEL, {248, 232, 128, 16}, u"垂直位置 = 970"},
    {滑块条3, ControlKind::SLIDER, {0, 252, 200, 24}, u""},
    {滑块条4, ControlKind::SLIDER, {200, 252, 200, 24}, u""},
    {透明标签1, ControlKind::LINK, {0, 288, 122, 16}, u"时间轴快速调节工具"},
    {透明标签3, ControlKind::LINK, {131, 288, 116, 16}, u"Brackenfold第一游戏论坛"},
    {透明标签2, ControlKind::LINK, {256, 288, 134, 16}, u"检查更新 作者：Marrowby"},
}};

const ControlDesign& controlDesign(PanelControlId id) {
  return *std::find_if(PANEL_CONTROLS.begin(), PANEL_CONTROLS.end(),
                       [id](const ControlDesign& design) { return design.id == id; });
}

int32_t scaleForDpi(int32_t designPixels, int32_t dpi) {
  const int64_t product = int64_t{designPixels} * dpi;
  const int64_t half = DESIGN_DPI / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / DESIGN_DPI
                                           : -((-product + half) / DESIGN_DPI));
}

PanelRect scaleForDpi(const PanelRect& designed, int32_t dpi) {
  return {scaleForDpi(designed.x, dpi), scaleForDpi(designed.y, dpi),
          scaleForDpi(designed.width, dpi), scaleForDpi(designed.height, dpi)};
}

PanelRect PanelLayout::placeOf(PanelControlId id) const {
  for (const auto& [control, place] : places) {
    if (control == id) return place;
  }
  return {};
}

PanelLayout layOutPanel(int32_t dpi, const CaptionWidth& captionWidth) {
  PanelLayout layout;
  for (const ControlDesign& design : PANEL_CONTROLS) {
    layout.places.emplace_back(design.id, scaleForDpi(design.place, dpi));
  }
  auto placeOf = [&](PanelControlId id) -> PanelRect& {
    return std::find_if(layout.places.begin(), layout.places.end(),
                        [id](const auto& entry) { return entry.first == id; })
        ->second;
  };

  for (const BoxCaption& caption : BOX_CAPTIONS) {
    PanelRect& place = placeOf(caption.label);
    const int32_t width = captionWidth(caption.label);
    if (width <= place.width) continue;
    const int32_t right = scaleForDpi(controlDesign(caption.box).place.x - CAPTION_MARGIN, dpi);
    place.x = std::max(scaleForDpi(caption.roomStart + CAPTION_MARGIN, dpi), right - width - 1);
    place.width = right - place.x;
  }

  std::vector<PanelRect*> links;
  std::vector<int32_t> linkWidths;
  for (auto& [id, place] : layout.places) {
    if (controlDesign(id).kind != ControlKind::LINK) continue;
    links.push_back(&place);
    linkWidths.push_back(captionWidth(id) + 2);
  }
  bool fits = true;
  for (size_t link = 0; link < links.size(); ++link) fits = fits && linkWidths[link] <= links[link]->width;
  int32_t rowRight = 0;
  for (size_t link = 0; link < links.size(); ++link) {
    PanelRect& place = *links[link];
    if (!fits) {
      place.x = link == 0 ? 0 : rowRight + scaleForDpi(LINK_GAP, dpi);
      place.width = linkWidths[link];
    }
    rowRight = place.right();
  }

  layout.clientWidth = std::max(scaleForDpi(DESIGN_CLIENT_WIDTH, dpi), rowRight);
  layout.clientHeight = scaleForDpi(DESIGN_CLIENT_HEIGHT, dpi);
  return layout;
}
