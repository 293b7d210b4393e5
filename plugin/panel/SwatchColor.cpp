#include "panel/SwatchColor.h"

#include <cmath>

namespace {
// Non-finite settings count as 0, like the label's own colours.
float Clamped(float v, float hi) {
  if (!std::isfinite(v) || v < 0.0f) return 0.0f;
  return v > hi ? hi : v;
}
}  // namespace

uint16_t RgbChannel(float v) { return static_cast<uint16_t>(Clamped(v, 255.0f) * 255.0f); }

uint16_t GreyChannel(float g) {
  const int32_t white = static_cast<int32_t>(100.0f - Clamped(g, 100.0f));
  return static_cast<uint16_t>(white * 255 * 255 / 100);
}

ADMRGBColor SwatchColor(bool rgb, float redOrGrey, float green, float blue) {
  if (rgb) return {RgbChannel(redOrGrey), RgbChannel(green), RgbChannel(blue)};
  const uint16_t c = GreyChannel(redOrGrey);
  return {c, c, c};
}
