#pragma once
// An overlay that records each operation as one readable line, in order.
#include <string>
#include <vector>

#include "encoding/code_page.h"
#include "overlay/overlay_view.h"

class RecordingOverlay final : public OverlayView {
 public:
  void setText(std::string_view text, CodePage codePage) override {
    calls.push_back("text " + std::string(text) + " @" +
                    std::to_string(static_cast<int>(codePage)));
  }
  void setLeft(int32_t x) override { calls.push_back("left " + std::to_string(x)); }
  void setTop(int32_t y) override { calls.push_back("top " + std::to_string(y)); }
  void raise() override { calls.push_back("raise"); }
  void setFontName(std::string_view name) override { calls.push_back("font " + std::string(name)); }
  void setFontSize(int32_t points) override { calls.push_back("size " + std::to_string(points)); }
  void setWidth(int32_t pixels) override { calls.push_back("width " + std::to_string(pixels)); }
  void setCentred(bool centred) override { calls.push_back(centred ? "centred" : "not centred"); }
  void setShadow(bool shadow) override { calls.push_back(shadow ? "shadow" : "no shadow"); }
  void setVisible(bool visible) override { calls.push_back(visible ? "shown" : "hidden"); }

  std::vector<std::string> calls;
};
