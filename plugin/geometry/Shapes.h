// Outlines of the label shapes, as closed lists of anchors (the caller closes
// the path). Every function returns an empty list when it cannot produce a
// finite outline: a non-finite input, or a corner curve whose count is not
// 2..20. The caller then leaves the shape path without anchors.
#pragma once

#include <vector>

#include "geometry/Anchor.h"
#include "geometry/PointList.h"

// Quarter-circle handle factor: 4/3 (sqrt 2 - 1), as a float.
constexpr float kCircleHandle = 0.5522848f;

// Four sharp corners around the centre, starting top left, clockwise.
std::vector<Anchor> RectangleOutline(float width, float height, Point centre);

// Rounded corners of radius |radius|: convex quarter circles when radius > 0,
// concave arcs centred on the box corners when radius < 0. A radius larger
// than half a side enlarges the box. Radius 0 gives the plain rectangle.
std::vector<Anchor> RoundedRectangleOutline(float width, float height, float radius, Point centre);

// Four anchors at left, top, right, bottom; the half axes keep their signs.
std::vector<Anchor> EllipseOutline(float halfWidth, float halfHeight, Point centre);

// Whether a trapezoid or triangle label lies to the right of its landing end:
// the leader line points right (angle within -pi/2..pi/2, ends included) and
// the label is not flipped, or it points left and the label is flipped.
bool LabelExtendsRight(float leaderAngle, bool flipSide);

// Trapezoid and triangle place themselves from the landing end and report
// the label centre x they imply. On failure the anchors are empty and
// centreX is the landing end's x (0 when that is not finite).
struct PlacedOutline {
  std::vector<Anchor> anchors;
  float centreX;
};

// Slanted sides at 60 degrees, bottom edge `width`, top edge width - height;
// the landing end sits at the middle of the slanted side next to it.
PlacedOutline TrapezoidOutline(float width, float height, Point landingEnd, float leaderAngle,
                               bool flipSide);

// Equilateral triangle (width == height): base, apex, base; the landing end
// sits at the middle of the side from the first base point to the apex.
PlacedOutline TriangleOutline(float width, float height, Point landingEnd, float leaderAngle,
                              bool flipSide);

struct CornerSwitches {
  bool topLeft, topRight, bottomLeft, bottomRight;
};

// The corner curve, measured from the box corner (x right, y down), drawn at
// its own size at the top-left corner and mirrored to the other three; a
// switched-off corner is one sharp anchor at the box corner. Order: top left,
// bottom left, bottom right, top right (counter-clockwise).
std::vector<Anchor> CustomOutline(float halfWidth, float halfHeight, Point centre, int curveCount,
                                  const BezierPointList& curve, CornerSwitches corners);
