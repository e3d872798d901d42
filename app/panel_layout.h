#pragma once
// MainWindow's layout: every control's designed place, size and first content, and where the
// controls go at a DPI once the widths of their captions in the font in use are known.
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "app/panel_controls.h"

enum class ControlKind { GROUP, RADIO, BUTTON, LABEL, EDIT, CHECK, SLIDER, LINK };

struct PanelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  int32_t right() const { return x + width; }
  int32_t bottom() const { return y + height; }
  bool operator==(const PanelRect&) const = default;
};

struct ControlDesign {
  PanelControlId id;
  ControlKind kind;
  PanelRect place;             // client pixels at 96 DPI
  std::u16string_view text;    // content until the interface texts are applied
};

inline constexpr size_t PANEL_CONTROL_COUNT = 22;

// Every control, in creation order, which is also the tab order.
extern const std::array<ControlDesign, PANEL_CONTROL_COUNT> PANEL_CONTROLS;

const ControlDesign& controlDesign(PanelControlId id);

// The DPI the layout is designed at, the window as designed (its outer size), and the client
// area its controls need.
inline constexpr int32_t DESIGN_DPI = 96;
inline constexpr PanelRect DESIGN_WINDOW{50, 50, 404, 338};
inline constexpr int32_t DESIGN_CLIENT_WIDTH = 400;
inline constexpr int32_t DESIGN_CLIENT_HEIGHT = 308;

// A length designed at 96 DPI, at `dpi`, rounded to the nearest pixel as MulDiv rounds.
int32_t scaleForDpi(int32_t designPixels, int32_t dpi);
PanelRect scaleForDpi(const PanelRect& designed, int32_t dpi);

struct PanelLayout {
  std::vector<std::pair<PanelControlId, PanelRect>> places;  // every control, creation order
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;

  PanelRect placeOf(PanelControlId id) const;
};

// Width in pixels, at the DPI laid out for, of a control's caption in its font.
using CaptionWidth = std::function<int32_t(PanelControlId)>;

// Every control at its designed place scaled to `dpi`, except captions the designed widths
// cannot hold (asked of `captionWidth`: the font and delay boxes' labels and the link
// labels). A box's label that is too narrow takes room to its left, up to the control before
// it, and stays flush against its box. When any link label's caption is wider than designed,
// the row is packed from the left edge instead, each label as wide as its caption; the client
// area widens when the row needs it.
PanelLayout layOutPanel(int32_t dpi, const CaptionWidth& captionWidth);
