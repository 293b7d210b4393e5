// The editors' curve work: segments, division, picking and hovering,
// inserting and deleting points, and flattening for drawing.
#include <algorithm>
#include <cmath>

#include "geometry/EditGeometry.h"

// [SECTION] Curves, picking, inserting, deleting
// [SECTION] Flattening

namespace edit {

namespace {

bool IsPoint(int count, int i) { return i >= 0 && i < count && count <= kPointListCapacity; }

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Curves, picking, inserting, deleting
//-----------------------------------------------------------------------------

Cubic SegmentOf(const BezierPointList& p, int count, int k) {
  const int next = k + 1 < count ? k + 1 : 0;
  return {AnchorOf(p, k), InOf(p, k), OutOf(p, next), AnchorOf(p, next)};
}

namespace {

Point Lerp(Point a, Point b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

Point Map(const Mapping& m, Point u) { return {u.x * m.scaleX + m.originX, u.y * m.scaleY + m.originY}; }

bool Within(float a, float b, float reach) { return std::fabs(a - b) < reach; }

}  // namespace

Point Evaluate(const Cubic& c, float t) {
  const Point a = Lerp(c.p0, c.p1, t), b = Lerp(c.p1, c.p2, t), d = Lerp(c.p2, c.p3, t);
  return Lerp(Lerp(a, b, t), Lerp(b, d, t), t);
}

void Divide(const Cubic& c, float t, Cubic& left, Cubic& right) {
  const Point a = Lerp(c.p0, c.p1, t), b = Lerp(c.p1, c.p2, t), d = Lerp(c.p2, c.p3, t);
  const Point ab = Lerp(a, b, t), bd = Lerp(b, d, t);
  const Point mid = Lerp(ab, bd, t);
  left = {c.p0, a, ab, mid};
  right = {mid, bd, d, c.p3};
}

int PickMark(const BezierPointList& p, int count, const Mapping& m, Pixel at, int reach, const Point* lineStart) {
  const auto near = [&](Point u) {
    const Point px = Map(m, u);
    return Within(px.x, static_cast<float>(at.h), static_cast<float>(reach)) &&
           Within(px.y, static_cast<float>(at.v), static_cast<float>(reach));
  };
  for (int i = 0; i < count; ++i)
    if (near(AnchorOf(p, i))) return i;
  for (int i = 0; i < count; ++i)
    if (near(InOf(p, i))) return kSelectIn + i;
  for (int i = 0; i < count; ++i)
    if (near(OutOf(p, i))) return kSelectOut + i;
  if (lineStart != nullptr && near(*lineStart)) return kSelectLineStart;
  return -1;
}

Hover FindHover(const BezierPointList& p, int count, bool closed, const Mapping& m, Pixel at) {
  const float x = static_cast<float>(at.h), y = static_cast<float>(at.v);
  for (int i = 0; i < count; ++i) {
    const Point a = Map(m, AnchorOf(p, i));
    if (Within(a.x, x, 5) && Within(a.y, y, 5)) return {Hover::Anchor, i, 0};
  }
  const int segments = closed ? count : count - 1;
  for (int k = 0; k < segments; ++k) {
    const Cubic c = SegmentOf(p, count, k);
    const Cubic px{Map(m, c.p0), Map(m, c.p1), Map(m, c.p2), Map(m, c.p3)};
    for (float t = 0; t < 1; t += 0.01f) {
      const Point q = Evaluate(px, t);
      if (std::hypot(q.x - x, q.y - y) < 4) return {Hover::Segment, k, t};
    }
  }
  return {Hover::Nothing, -1, 0};
}

bool InsertPoint(BezierPointList& p, int& count, int k, float t, Point at) {
  if (count >= kPointListCapacity || k < 0 || k >= count) return false;
  Cubic left{}, right{};
  Divide(SegmentOf(p, count, k), t, left, right);
  const bool closing = k == count - 1;
  for (int i = count; i > k + 1; --i) {
    p.X[i] = p.X[i - 1];
    p.Y[i] = p.Y[i - 1];
    p.IX[i] = p.IX[i - 1];
    p.IY[i] = p.IY[i - 1];
    p.OX[i] = p.OX[i - 1];
    p.OY[i] = p.OY[i - 1];
  }
  const int n = k + 1;
  const int after = closing ? 0 : k + 2;
  p.X[n] = at.x;
  p.Y[n] = at.y;
  p.IX[k] = left.p1.x;
  p.IY[k] = left.p1.y;
  p.OX[n] = left.p2.x;
  p.OY[n] = left.p2.y;
  p.IX[n] = right.p1.x;
  p.IY[n] = right.p1.y;
  p.OX[after] = right.p2.x;
  p.OY[after] = right.p2.y;
  ++count;
  return true;
}

bool DeletePoint(BezierPointList& p, int& count, int i) {
  if (count <= kPointListMinCount || !IsPoint(count, i)) return false;
  for (int k = i; k + 1 < count; ++k) {
    p.X[k] = p.X[k + 1];
    p.Y[k] = p.Y[k + 1];
    p.IX[k] = p.IX[k + 1];
    p.IY[k] = p.IY[k + 1];
    p.OX[k] = p.OX[k + 1];
    p.OY[k] = p.OY[k + 1];
  }
  --count;
  return true;
}

//-----------------------------------------------------------------------------
// [SECTION] Flattening
//-----------------------------------------------------------------------------

namespace {

constexpr int kFlattenDepth = 4;  // 16 pieces a segment

Pixel Rounded(Point q) { return {PixelCoordinate(q.x + 0.5f), PixelCoordinate(q.y + 0.5f)}; }

Pixel Truncated(Point q) { return {PixelCoordinate(q.x), PixelCoordinate(q.y)}; }

struct Sink {
  Pixel* out;
  int capacity;
  int n;
  void Add(Pixel q) {
    if (n < capacity) out[n++] = q;
  }
};

// Halves the curve at t = 0.5 down to the depth, adding the end of each piece.
void Halve(const Cubic& c, int depth, Sink& sink) {
  if (depth == 0) {
    sink.Add(Rounded(c.p3));
    return;
  }
  Cubic left{}, right{};
  Divide(c, 0.5f, left, right);
  Halve(left, depth - 1, sink);
  Halve(right, depth - 1, sink);
}

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

}  // namespace

int32_t PixelCoordinate(float v) {
  constexpr float kFar = 16777216.0f;  // 2^24
  if (!(v == v)) return 0;
  return static_cast<int32_t>(std::trunc(std::clamp(v, -kFar, kFar)));
}

Pixel ToPixel(const Mapping& m, Point u) { return Truncated(Map(m, u)); }

int FlattenOutline(const BezierPointList& p, int count, bool closed, const Mapping& m, Pixel* out, int capacity,
                   int* firsts) {
  Sink sink{out, capacity, 0};
  if (count < 1 || count > kPointListCapacity) return 0;
  for (int k = 0; k < count; ++k) {
    const Cubic c = SegmentOf(p, count, k);
    const Cubic px{Map(m, c.p0), Map(m, c.p1), Map(m, c.p2), Map(m, c.p3)};
    if (firsts != nullptr) firsts[k] = sink.n;
    sink.Add(Truncated(px.p0));
    const bool closing = k == count - 1;
    if (closing && !closed) break;
    if (Same(c.p1, c.p0) && Same(c.p2, c.p3)) {
      sink.Add(Truncated(px.p3));
    } else {
      Halve(px, kFlattenDepth, sink);
    }
  }
  return sink.n;
}

SampleEdges SampleLabelEdges(float firstAnchorX, float lastAnchorY, bool topLeft, bool topRight, bool bottomLeft,
                             bool bottomRight) {
  constexpr float kLeft = 6, kTop = 6, kRight = 86, kBottom = 46;
  const auto at = [](float x, float y) { return Pixel{PixelCoordinate(x), PixelCoordinate(y)}; };
  SampleEdges e{};
  e.top[0] = at(topLeft ? kLeft + firstAnchorX : kLeft, kTop);
  e.top[1] = at(topRight ? kRight - firstAnchorX : kRight, kTop);
  e.bottom[0] = at(bottomLeft ? kLeft + firstAnchorX : kLeft, kBottom);
  e.bottom[1] = at(bottomRight ? kRight - firstAnchorX : kRight, kBottom);
  e.left[0] = at(kLeft, topLeft ? kTop + lastAnchorY : kTop);
  e.left[1] = at(kLeft, bottomLeft ? kBottom - lastAnchorY : kBottom);
  e.right[0] = at(kRight, topRight ? kTop + lastAnchorY : kTop);
  e.right[1] = at(kRight, bottomRight ? kBottom - lastAnchorY : kBottom);
  return e;
}

}  // namespace edit
