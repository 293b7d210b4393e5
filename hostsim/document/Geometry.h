// Plane geometry of the document: cubic Béziers, nearest points, fills.
#pragma once

#include <vector>

#include "host/AITypes.h"

namespace hostsim {

struct Vec2 {
  double x = 0, y = 0;
};
inline Vec2 ToVec(AIRealPoint p) { return {p.h, p.v}; }
inline AIRealPoint ToPoint(Vec2 v) { return {static_cast<AIReal>(v.x), static_cast<AIReal>(v.y)}; }
double Distance(Vec2 a, Vec2 b);

struct Cubic {
  Vec2 p0, p1, p2, p3;
};
Vec2 Evaluate(const Cubic& c, double t);
// Splits at t into [0, t] and [t, 1].
void Divide(const Cubic& c, double t, Cubic& first, Cubic& second);

struct NearestPoint {
  double t = 0;
  Vec2 point;
  double distance = 0;
};
// The point of the cubic nearest to p: coarse sampling, then refinement.
NearestPoint Nearest(const Cubic& c, Vec2 p);

// A box growing to hold what is drawn.
struct Extent {
  double left = 0, bottom = 0, right = 0, top = 0;
  bool empty = true;
  void Add(Vec2 p);
};
// Grows the extent to hold the curve itself, which may stay well inside its
// control points.
void AddCubic(const Cubic& c, Extent& e);

// The segment of a path running from anchor `from` to the following anchor `to`.
Cubic SegmentCubic(const AIPathSegment& from, const AIPathSegment& to);

// True when p is inside the (implicitly closed) outline of the anchors.
bool InsideOutline(const std::vector<AIPathSegment>& segments, Vec2 p, bool evenOdd);

AIRealPoint Transform(const AIRealMatrix& m, AIRealPoint p);
bool IsFinite(const AIRealMatrix& m);
// True when v is finite and within the range of a real (AIReal), so that
// storing it neither overflows nor gives an infinity.
bool FitsReal(double v);
// True when Transform(m, p) gives coordinates that fit a real.
bool TransformFits(const AIRealMatrix& m, AIRealPoint p);

}  // namespace hostsim
