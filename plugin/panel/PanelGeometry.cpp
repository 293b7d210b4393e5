#include "panel/PanelGeometry.h"

#include <cmath>

namespace {
constexpr int32_t kDefaultPlacementHeight = 135;
}  // namespace

ADMPoint DefaultPanelOrigin(const ADMRect& screen) {
  return {(screen.right - kPanelWidth) / 2, (screen.bottom - kDefaultPlacementHeight) / 3};
}

ADMPoint DefaultDialogOrigin(const ADMRect& screen, int32_t width, int32_t height) {
  // In 64 bits: a screen rectangle of extreme numbers must not overflow.
  const int64_t spareX = int64_t{screen.right} - screen.left - width;
  const int64_t spareY = int64_t{screen.bottom} - screen.top - height;
  const int64_t left = spareX >= 0 ? spareX / 2 : -((-spareX + 1) / 2);
  return {static_cast<int32_t>(left), static_cast<int32_t>(spareY / 3)};
}

ADMRect BuiltPanelBounds(ADMPoint origin, bool textOptionsShown) {
  return {origin.h, origin.v, origin.h + kPanelWidth,
          origin.v + (textOptionsShown ? kPanelBuiltExpandedHeight : kPanelCompactHeight)};
}

ADMRect WithTextOptions(const ADMRect& bounds, bool shown) {
  ADMRect r = bounds;
  r.bottom = r.top + (shown ? kPanelExpandedHeight : kPanelCompactHeight);
  return r;
}

ADMRect WithHelp(const ADMRect& bounds, bool helpShown, bool textOptionsShown) {
  ADMRect r = bounds;
  r.right = r.left + (helpShown ? kPanelHelpWidth : kPanelWidth);
  r.bottom = r.top + (helpShown || textOptionsShown ? kPanelExpandedHeight : kPanelCompactHeight);
  return r;
}
