#include "overlay/overlay_view.h"

void layOutOverlay(OverlayView& overlay, const OverlaySettings& settings) {
  overlay.setFontName(settings.fontName);
  overlay.setFontSize(2 * settings.fontSizePosition);
  overlay.setTop(settings.topPosition);
  overlay.setLeft(settings.leftPosition);
  overlay.setWidth(settings.widthPosition);
  if (!settings.centred) overlay.setCentred(false);
  if (settings.shadow) overlay.setShadow(true);
}
