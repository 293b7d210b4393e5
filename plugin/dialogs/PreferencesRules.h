// The Preferences dialog's pictures, tooltips and sizes as plain values.
#pragma once

#include <cstdint>

namespace dlg {

constexpr int32_t kPrefsWidth = 284;
constexpr int32_t kPrefsHeight = 277;
constexpr int32_t kPrefsExpandedHeight = 327;
// A dialog lower than this counts as collapsed.
constexpr int32_t kPrefsCollapsedBelow = 298;
// The disclosure button's pictures.
constexpr int32_t kCollapsedPicture = 600;
constexpr int32_t kExpandedPicture = 601;

// Pictures of the arrowhead buttons (kind 1..4): the arrowheads, the hollow
// triangle for kind 3 when triangles are hollow, or the points.
inline int32_t HeadPicture(int kind, bool arrows, bool hollowTriangle) {
  const int index = (kind - 1) & 3;
  if (!arrows) return 230 + index;
  if (kind == 3 && hollowTriangle) return 134;
  return 130 + index;
}

// The rectangle label's picture follows the sign of the corner radius:
// square, convex or concave corners; the selected picture is 10 further.
constexpr int32_t kSelectedShapeOffset = 10;
inline int32_t RectanglePicture(float radius) {
  if (radius > 0) return 171;
  if (radius < 0) return 172;
  return 170;
}

// Pictures of the label buttons (kind 0..3): none, rectangle, ellipse, trapezoid.
inline int32_t ShapePicture(int kind, float radius) {
  switch (kind) {
    case 1: return RectanglePicture(radius);
    case 2: return 173;
    case 3: return 174;
    default: return 169;
  }
}

inline const char* SizeTip(bool arrows) {
  return arrows ? "Arrowheads size by default (from 0%)." : "Points size by default (from 0%).";
}
inline const char* HeadTip(bool arrows) {
  return arrows ? "Arrowhead shape by default." : "Shape of the points by default.";
}
inline const char* LayerTip(bool ownLayer) {
  return ownLayer ? "Artworks will be on a new layer named KPXLabel." : "Artworks will be on the active layer.";
}

}  // namespace dlg
