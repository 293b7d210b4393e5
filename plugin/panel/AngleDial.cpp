#include "panel/AngleDial.h"

#include <cmath>

namespace {
constexpr float kHalfPi = 1.5707964f;
constexpr int32_t kNeedleOrigin = 9;
constexpr float kNeedleLength = 8.0f;
}  // namespace

float DialDirection(int32_t h, int32_t v) {
  const float dx = static_cast<float>(h - 8);
  const float dy = static_cast<float>(8 - v);
  if (dx == 0.0f && dy == 0.0f) return 0.0f;
  return std::atan2(dy, dx);
}

float KeepWithinHalfTurn(float angle) {
  if (angle < -kDialPi) return angle + 2.0f * kDialPi;
  return angle > kDialPi ? kDialPi : angle;
}

DialNeedle NeedleFor(float angle) {
  DialNeedle n;
  n.start = {kNeedleOrigin, kNeedleOrigin};
  if (!std::isfinite(angle)) {
    n.end = n.start;
    return n;
  }
  n.end = {kNeedleOrigin + static_cast<int32_t>(kNeedleLength * std::cos(angle)),
           kNeedleOrigin - static_cast<int32_t>(kNeedleLength * std::sin(angle))};
  if (angle == kDialPi || angle == -kDialPi) n.start.v = n.end.v;
  if (angle == kHalfPi || angle == -kHalfPi) n.start.h = n.end.h = kNeedleOrigin;
  return n;
}

float DegreesFromRadians(float radians) { return radians * 180.0f / kDialPi; }
float RadiansFromDegrees(float degrees) { return degrees * kDialPi / 180.0f; }
