// Arrowhead and point outlines: chosen from the settings in a local frame
// (tip at the origin, body along +x, size 100 %), then scaled, turned and
// placed at each tip of a leader line.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Ids.h"
#include "geometry/Anchor.h"
#include "geometry/HeadOutline.h"
#include "geometry/PointList.h"

// Handle factor of the points' circle of radius 2.5: 2.5 * 0.5522848.
constexpr float kDotHandle = 1.3807119f;

// Half-opening angles are clamped to plus or minus this (degrees): at 90 the
// barbs would lie at infinity. A non-finite angle is read as the default.
constexpr float kMaxHeadAngleDegrees = 89.0f;
constexpr float kDefaultHeadAngleDegrees = 17.0f;

// Settings the choice reads, besides the custom arrow's point list.
struct HeadSettings {
  float openAngleDegrees;      // half-opening of the open V (kind 2)
  float triangleAngleDegrees;  // half-opening of the triangle (kind 3)
  bool hollowTriangle;         // triangle stroked rather than filled
  int customCount;             // anchors of the custom arrow, 2..20
  bool customClosed;
  bool customHollow;
  float customLineStartX;      // where the leader line begins on the custom arrow
};

// 9 * tan(angle) for a half-opening in degrees, the angle bounded as above.
float BarbHalfSpread(float angleDegrees);

// Fills `out` with the outline of `kind` (1..4): arrowheads when arrowsOn,
// else points. Returns false and leaves `out` untouched for a kind outside
// 1..4, or for a custom arrow whose count is not 2..20 or which holds a
// non-finite coordinate. Entries beyond the count are zeroed.
bool ChooseHeadOutline(int kind, bool arrowsOn, const HeadSettings& settings,
                       const BezierPointList& customPoints, HeadOutline& out);

// Where the leader line of tip `tip` at angle `theta` begins: the tip itself
// when sizePercent is 0 or less (or not finite), else pulled back along the
// line by headLength * sizePercent / 100.
Point LeaderLineStart(Point tip, float theta, float headLength, float sizePercent);

// The head's anchors scaled by sizePercent / 100, rotated by theta about the
// origin and moved to the tip. Empty when sizePercent is 0 or less, when the
// outline's count is not 1..20, or when any coordinate would not be finite.
std::vector<Anchor> PlaceHead(const HeadOutline& outline, float sizePercent, float theta, Point tip);

// Tag carried by arrowhead 0, telling later clicks which anchor is the tip.
enum class HeadTag { None, Point, Arrow };

HeadTag TagForHead(bool arrowsOn, int kind);

// The tag's name, or nullptr for HeadTag::None.
const char* HeadTagName(HeadTag tag);

// Finds a tip again from a placed head: Point - midpoint of anchors 0 and 2;
// Arrow - anchor 0; None - anchor 1. Returns false, leaving `tip` untouched,
// when the head has too few anchors.
bool FindTip(std::span<const Anchor> head, HeadTag tag, Point& tip);
