#include "dialogs/ColorsRules.h"

#include <algorithm>
#include <cmath>

namespace dlg {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A component within 0..full; a value that is not a number counts as 0.
float Within(float value, float full) {
  if (!(value >= 0)) return 0;
  return value > full ? full : value;
}

int32_t Round(double v) { return static_cast<int32_t>(std::lround(v)); }

}  // namespace

ColorValue SwitchMode(const ColorValue& color) {
  ColorValue switched = color;
  switched.rgb = !color.rgb;
  // Worked in double: 40 % gives 102 exactly, and 102 gives 40 back.
  const double first = color.c[0];
  const double converted = color.rgb ? first / kPercentToComponent : first * kPercentToComponent;
  switched.c[0] = Within(static_cast<float>(converted), FirstComponentMax(switched.rgb));
  return switched;
}

uint16_t ScreenChannel(float component) {
  const auto whole = static_cast<int32_t>(Within(component, kRgbFull));
  return static_cast<uint16_t>(whole * 255);
}

uint16_t ScreenGrey(float percent) {
  const auto white = static_cast<int32_t>(kGreyFull - Within(percent, kGreyFull));
  return static_cast<uint16_t>(white * 255 * 255 / 100);
}

ADMRGBColor ScreenColor(const ColorValue& color) {
  if (!color.rgb) {
    const uint16_t grey = ScreenGrey(color.c[0]);
    return ADMRGBColor{grey, grey, grey};
  }
  return ADMRGBColor{ScreenChannel(color.c[0]), ScreenChannel(color.c[1]), ScreenChannel(color.c[2])};
}

ADMRGBColor RampColor(const ColorValue& color, int component, int step) {
  step = std::clamp(step, 0, kRampSteps - 1);
  ColorValue shade = color;
  if (color.rgb) {
    component = std::clamp(component, 0, 2);
    shade.c[component] = kRgbFull * static_cast<float>(step) / (kRampSteps - 1);
  } else {
    shade.c[0] = kGreyFull * static_cast<float>(step) / (kRampSteps - 1);
  }
  return ScreenColor(shade);
}

float DraggedAngle(float angle, int32_t lastX, int32_t x) {
  if (!std::isfinite(angle)) angle = 0;
  // (lastX - x) * x < 1: the pointer moved right, stayed, or sits at x = 0.
  const int64_t turn = (static_cast<int64_t>(lastX) - x) * x;
  angle += turn < 1 ? kAngleStep : -kAngleStep;
  return std::clamp(angle, 0.0f, kMaxDialogAngle);
}

TextGaps GapsAtPoint(int32_t x, int32_t y) {
  TextGaps gaps{};
  // Integer division truncates toward zero, as the picture's scale wants.
  gaps.h = x < 125 ? (126 - x) / 2 : 0;
  gaps.v = static_cast<float>(y < 46 ? (46 - y) / 2 : 7);
  return gaps;
}

GapPicture GapPictureOf(int32_t gapH, float gapV) {
  GapPicture p{};
  p.edgeLeft = gapH > 61 ? 0 : 125 - 2 * gapH;
  p.textLeft = gapH > 61 ? 62 : 126 - gapH;
  if (!(gapV < 23)) {
    p.bandTop = 0;
    p.bandBottom = 46;
  } else {
    const auto v = static_cast<int32_t>(gapV > -23 ? gapV : -23);
    p.bandTop = 23 - v;
    p.bandBottom = 23 + v;
  }
  return p;
}

OpenArrowPicture OpenArrowOf(float angleDegrees) {
  const double a = (std::isfinite(angleDegrees) ? angleDegrees : 0) * kPi / 180;
  const int32_t dx = Round(15 * std::cos(a));
  const int32_t dy = Round(15 * std::sin(a));
  OpenArrowPicture p{};
  p.shaftStart = {1, 15};
  p.shaftEnd = {20, 15};
  p.tip = {0, 15};
  p.upperBarb = {dx, 15 - dy};
  p.lowerBarb = {dx, 15 + dy};
  return p;
}

TriangleArrowPicture TriangleArrowOf(float angleDegrees) {
  const double a = (std::isfinite(angleDegrees) ? angleDegrees : 0) * kPi / 180;
  const int32_t baseX = 23 + Round(15 * std::cos(a));
  const int32_t dy = Round(15 * std::sin(a));
  TriangleArrowPicture p{};
  p.corners[0] = {23, 11};
  p.corners[1] = {baseX, 11 - dy};
  p.corners[2] = {baseX, 11 + dy};
  p.shaftStart = {baseX, 11};
  p.shaftEnd = {43, 11};
  return p;
}

}  // namespace dlg
