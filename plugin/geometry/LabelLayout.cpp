#include "geometry/LabelLayout.h"

#include <cmath>
#include <initializer_list>

#include "core/Ids.h"

bool LeaderPointsLeft(float leaderAngle) { return leaderAngle > kHalfPi || leaderAngle < -kHalfPi; }

bool LeaderPointsRight(float leaderAngle) { return leaderAngle >= -kHalfPi && leaderAngle <= kHalfPi; }

Landing ComputeLanding(Point lineEnd, float leaderAngle, float landingLength, bool leftSide, bool flipSide) {
  const bool horizontal = leaderAngle == 0.0f || leaderAngle == kPi || leaderAngle == -kPi;
  if (horizontal || landingLength == 0.0f || !std::isfinite(landingLength)) return {false, lineEnd};
  const float dx = (leftSide != flipSide) ? -landingLength : landingLength;
  return {true, {lineEnd.x + dx, lineEnd.y}};
}

LabelBoxSize ComputeLabelBox(float textWidth, float fontSize, int32_t textGapH, float textGapV,
                             int32_t shapeKind, bool equalSides) {
  const float lineHeight = fontSize * 1.2f;
  float width = textWidth + 2.0f * static_cast<float>(textGapH);
  if (shapeKind == kShapeTriangle) width += lineHeight / 2.0f;
  const float height = equalSides ? width : lineHeight + textGapV;
  return {width, height};
}

float LabelCentreX(float landingEndX, float boxWidth, float leaderAngle, bool flipSide, bool leftSide,
                   float landingLength) {
  bool toTheLeft = flipSide ? LeaderPointsRight(leaderAngle) : leftSide;
  if (landingLength < 0.0f) toTheLeft = !toTheLeft;
  return toTheLeft ? landingEndX - boxWidth / 2.0f : landingEndX + boxWidth / 2.0f;
}

Point TextAnchorFor(Point base, float offsetH, float offsetV, float leaderAngle, bool flipSide, bool leftSide) {
  const bool minus = flipSide ? LeaderPointsRight(leaderAngle) : leftSide;
  return {minus ? base.x - offsetH : base.x + offsetH, base.y + offsetV};
}

float TextBaselineShift(float fontSize, int32_t shapeKind, bool equalSides) {
  if (shapeKind == kShapeTriangle && equalSides) return -(fontSize * 0.508333f) - 1.0f;
  return -fontSize / 3.0f;
}

const char* LabelGroupName(int32_t shapeKind, float cornerRadius, bool equalSides) {
  switch (shapeKind) {
    case kShapeRectangle:
      if (cornerRadius > 0.0f) return equalSides ? "Label (round square +)" : "Label (round rect. +)";
      if (cornerRadius < 0.0f) return equalSides ? "Label (round square -)" : "Label (round rect. -)";
      return equalSides ? "Label (square)" : "Label (rect.)";
    // The ellipse's misspelt name is what existing drawings carry.
    case kShapeEllipse: return equalSides ? "Label (circle)" : "Lable (ellipse)";
    case kShapeTriangle: return equalSides ? "Label (triangle)" : "Label (trapezoid)";
    case kShapeCustom: return "Label (custom.)";
    default: return "Label (without)";
  }
}

int NumberDigitCount(int32_t number) {
  int digits = 1;
  for (int32_t limit : {9, 99, 999, 9999})
    if (number > limit) ++digits;
  return digits;
}

char NextLabelLetter(char letter) {
  int code = static_cast<unsigned char>(letter) + 1;
  if ((code > 'Z' && code < 'a') || code > 'z') code -= 26;
  return static_cast<char>(code);
}

int32_t NextShapeKind(int32_t kind) { return (kind >= kShapeNone && kind < kShapeCustom) ? kind + 1 : kShapeNone; }

ShapeCursor HoverCursorFor(int32_t shapeKind, float cornerRadius, bool equalSides) {
  switch (shapeKind) {
    case kShapeRectangle:
      if (cornerRadius > 0.0f) return {kCursorConvexRectangle, "Rectangular label with convex corners."};
      if (cornerRadius < 0.0f) return {kCursorConcaveRectangle, "Rectangular label with concave corners."};
      return {kCursorRectangle, "Rectangular label."};
    case kShapeEllipse: return {equalSides ? kCursorCircle : kCursorOval, "Round or oval label."};
    case kShapeTriangle: return {equalSides ? kCursorEquilateral : kCursorTrapezoid, "Triangular label."};
    case kShapeCustom: return {kCursorCustomShape, "Customizable label."};
    default: return {kCursorNoShape, "No label."};
  }
}

int32_t DragCursorFor(int32_t shapeKind, float cornerRadius) {
  switch (shapeKind) {
    case kShapeRectangle: return cornerRadius > 0.0f ? kCursorConvexRectangle
                                                   : (cornerRadius < 0.0f ? kCursorConcaveRectangle : kCursorRectangle);
    case kShapeEllipse: return kCursorCircle;
    case kShapeTriangle: return kCursorEquilateral;
    case kShapeCustom: return kCursorCustomShape;
    default: return kCursorNoShape;
  }
}

Point FootOnLine(Point click, Point a, Point b) {
  if (a.x == b.x) return {a.x, click.y};
  if (a.y == b.y) return {click.x, a.y};
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float t = ((click.x - a.x) * dx + (click.y - a.y) * dy) / (dx * dx + dy * dy);
  return {a.x + t * dx, a.y + t * dy};
}
