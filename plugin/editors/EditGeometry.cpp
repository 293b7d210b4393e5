#include "editors/EditGeometry.h"

#include <cmath>
#include <cstdlib>

// [SECTION] Selections and points
// [SECTION] Snapping
// [SECTION] Arrowhead edits
// [SECTION] Corner edits
// [SECTION] Curves, picking, inserting, deleting
// [SECTION] Flattening
// [SECTION] Predefined outlines

namespace edit {

//-----------------------------------------------------------------------------
// [SECTION] Selections and points
//-----------------------------------------------------------------------------

Part PartOf(int selection) {
  if (selection >= 0 && selection < kPointListCapacity) return Part::Anchor;
  if (selection >= kSelectIn && selection < kSelectIn + kPointListCapacity) return Part::In;
  if (selection >= kSelectOut && selection < kSelectOut + kPointListCapacity) return Part::Out;
  if (selection == kSelectLineStart) return Part::LineStart;
  return Part::Nothing;
}

int PointOf(int selection) {
  switch (PartOf(selection)) {
    case Part::Anchor: return selection;
    case Part::In: return selection - kSelectIn;
    case Part::Out: return selection - kSelectOut;
    default: return 0;
  }
}

int Select(Part part, int point) {
  switch (part) {
    case Part::Anchor: return point;
    case Part::In: return kSelectIn + point;
    case Part::Out: return kSelectOut + point;
    case Part::LineStart: return kSelectLineStart;
    default: return kSelectNothing;
  }
}

Point AnchorOf(const BezierPointList& p, int i) { return {p.X[i], p.Y[i]}; }
Point InOf(const BezierPointList& p, int i) { return {p.IX[i], p.IY[i]}; }
Point OutOf(const BezierPointList& p, int i) { return {p.OX[i], p.OY[i]}; }

Point SelectedPoint(const BezierPointList& p, int selection) {
  const int i = PointOf(selection);
  switch (PartOf(selection)) {
    case Part::In: return InOf(p, i);
    case Part::Out: return OutOf(p, i);
    default: return AnchorOf(p, i);
  }
}

bool IsAnglePoint(const BezierPointList& p, int i) {
  return p.IX[i] == p.X[i] && p.OX[i] == p.X[i] && p.IY[i] == p.Y[i] && p.OY[i] == p.Y[i];
}

namespace {

// Moves anchor i to `to`, its tangent points keeping their offsets.
void MoveAnchor(BezierPointList& p, int i, Point to) {
  const float dx = to.x - p.X[i];
  const float dy = to.y - p.Y[i];
  p.X[i] = to.x;
  p.Y[i] = to.y;
  p.IX[i] += dx;
  p.IY[i] += dy;
  p.OX[i] += dx;
  p.OY[i] += dy;
}

bool IsPoint(int count, int i) { return i >= 0 && i < count && count <= kPointListCapacity; }

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Snapping
//-----------------------------------------------------------------------------

namespace {

// offset / spacing rounded to the nearest integer, halves away from zero.
double GridSteps(int32_t offset, int32_t spacing) {
  return std::round(static_cast<double>(offset) / static_cast<double>(spacing));
}

}  // namespace

float ArrowUnits(int32_t offset, int32_t spacing, bool snap) {
  if (!snap || spacing <= 0) return static_cast<float>(offset) / kUnitPixels;
  return static_cast<float>(spacing * GridSteps(offset, spacing) / kUnitPixels);
}

float CornerUnits(int32_t offset, int32_t spacing, bool snap) {
  if (!snap || spacing <= 0) return static_cast<float>(offset) / kUnitPixels;
  return static_cast<float>((spacing * GridSteps(offset, spacing) + kUnitPixels) / kUnitPixels);
}

//-----------------------------------------------------------------------------
// [SECTION] Arrowhead edits
//-----------------------------------------------------------------------------

bool OnArrowAxis(int count, int i) { return i == 0 || (count % 2 == 0 && i == count / 2); }

int ArrowMirror(int count, int i) { return i == 0 ? 0 : count - i; }

void DragArrowTo(BezierPointList& p, int count, int selection, Point to, bool symmetric) {
  const int i = PointOf(selection);
  if (!IsPoint(count, i)) return;
  const int j = ArrowMirror(count, i);
  switch (PartOf(selection)) {
    case Part::Anchor:
      MoveAnchor(p, i, to);
      if (!symmetric) return;
      if (OnArrowAxis(count, i)) {
        MoveAnchor(p, i, {p.X[i], 0});
      } else {
        MoveAnchor(p, j, {p.X[i], -p.Y[i]});
      }
      return;
    case Part::In:
      p.IX[i] = to.x;
      p.IY[i] = to.y;
      // Point 0 is its own mirror: its out tangent answers its in tangent.
      if (symmetric) {
        p.OX[j] = p.IX[i];
        p.OY[j] = -p.IY[i];
      }
      return;
    case Part::Out:
      p.OX[i] = to.x;
      p.OY[i] = to.y;
      if (symmetric) {
        p.IX[j] = p.OX[i];
        p.IY[j] = -p.OY[i];
      }
      return;
    default: return;
  }
}

float TypeArrowX(BezierPointList& p, int count, int selection, float v, bool symmetric) {
  const int i = PointOf(selection);
  if (!IsPoint(count, i)) return v;
  const int j = ArrowMirror(count, i);
  switch (PartOf(selection)) {
    case Part::Anchor:
      MoveAnchor(p, i, {v, p.Y[i]});
      if (symmetric && !OnArrowAxis(count, i)) MoveAnchor(p, j, {v, p.Y[j]});
      break;
    case Part::In:
      p.IX[i] = v;
      if (symmetric) p.OX[j] = v;
      break;
    case Part::Out:
      p.OX[i] = v;
      if (symmetric) p.IX[j] = v;
      break;
    default: break;
  }
  return v;
}

float TypeArrowY(BezierPointList& p, int count, int selection, float v, bool symmetric) {
  const int i = PointOf(selection);
  if (!IsPoint(count, i)) return v;
  const int j = ArrowMirror(count, i);
  switch (PartOf(selection)) {
    case Part::Anchor:
      if (symmetric && OnArrowAxis(count, i)) {
        MoveAnchor(p, i, {p.X[i], 0});
        return 0;
      }
      MoveAnchor(p, i, {p.X[i], v});
      if (symmetric) MoveAnchor(p, j, {p.X[j], -v});
      break;
    case Part::In:
      p.IY[i] = v;
      if (symmetric) p.OY[j] = -v;
      break;
    case Part::Out:
      p.OY[i] = v;
      if (symmetric) p.IY[j] = -v;
      break;
    default: break;
  }
  return v;
}

void MakeArrowPointAngle(BezierPointList& p, int count, int i, bool symmetric) {
  if (!IsPoint(count, i)) return;
  auto angle = [&p](int k) {
    p.IX[k] = p.OX[k] = p.X[k];
    p.IY[k] = p.OY[k] = p.Y[k];
  };
  angle(i);
  if (symmetric && !OnArrowAxis(count, i)) angle(ArrowMirror(count, i));
}

void MakeArrowPointRounded(BezierPointList& p, int count, int i, bool symmetric) {
  if (!IsPoint(count, i)) return;
  if (symmetric && OnArrowAxis(count, i)) {
    // Handles across the axis, so the mirror keeps the point smooth.
    p.IY[i] = p.Y[i] - 1;
    p.OY[i] = p.Y[i] + 1;
    return;
  }
  p.IX[i] = p.X[i] + 1;
  p.OX[i] = p.X[i] - 1;
  if (symmetric) {
    const int j = ArrowMirror(count, i);
    p.IX[j] = p.X[j] - 1;
    p.OX[j] = p.X[j] + 1;
  }
}

//-----------------------------------------------------------------------------
// [SECTION] Corner edits
//-----------------------------------------------------------------------------

int CornerMirror(int count, int i) { return count - 1 - i; }

namespace {

// The anchor step of a corner drag: which tangent coordinates follow the
// anchor depends on the point's place in the outline and on snapping.
void DragCornerAnchor(BezierPointList& p, int count, int i, Point to, bool snapping) {
  const float dx = to.x - p.X[i];
  const float dy = to.y - p.Y[i];
  const int last = count - 1;
  if (i == 0) {
    p.IX[0] += dx;
  } else if (i == last) {
    if (snapping) p.OY[i] += dy;
  } else if (i == CornerMirror(count, i)) {
    if (!snapping) {
      p.IX[i] += dx;
      p.IY[i] += dy;
      p.OX[i] += dx;
      p.OY[i] += dy;
    }
  } else {
    p.IX[i] += dx;
    p.IY[i] += dy;
    p.OX[i] += dx;
    p.OY[i] += dy;
  }
  p.X[i] = to.x;
  p.Y[i] = to.y;
}

// The mirror across the diagonal, assigned one coordinate after another:
// for the middle point of an odd count (j = i) the anchor lands on the
// diagonal at its x.
void MirrorCorner(BezierPointList& p, int count, int selection) {
  const int i = PointOf(selection);
  const int j = CornerMirror(count, i);
  switch (PartOf(selection)) {
    case Part::Out:
      p.IX[j] = p.OY[i];
      p.IY[j] = p.OX[i];
      return;
    case Part::In:
      p.OX[j] = p.IY[i];
      p.OY[j] = p.IX[i];
      return;
    case Part::Anchor:
      p.Y[j] = p.X[i];
      p.X[j] = p.Y[i];
      if (i == count - 1) return;
      p.IX[j] = p.OY[i];
      p.OX[j] = p.IY[i];
      p.IY[j] = p.OX[i];
      p.OY[j] = p.IX[i];
      return;
    default: return;
  }
}

// Point 0 stays on the top edge with its out tangent on it; the last point
// stays on the left edge with its in tangent on it.
void ApplyCornerEdges(BezierPointList& p, int count) {
  p.Y[0] = 0;
  p.OX[0] = p.X[0];
  p.OY[0] = 0;
  const int last = count - 1;
  p.X[last] = 0;
  p.IX[last] = 0;
  p.IY[last] = p.Y[last];
}

}  // namespace

void DragCornerTo(BezierPointList& p, int count, int selection, Point to, bool symmetric, bool snapping) {
  const int i = PointOf(selection);
  if (!IsPoint(count, i) || count < kPointListMinCount) return;
  switch (PartOf(selection)) {
    case Part::Anchor: DragCornerAnchor(p, count, i, to, snapping); break;
    case Part::In:
      p.IX[i] = to.x;
      p.IY[i] = to.y;
      break;
    case Part::Out:
      p.OX[i] = to.x;
      p.OY[i] = to.y;
      break;
    default: return;
  }
  if (symmetric) MirrorCorner(p, count, selection);
  ApplyCornerEdges(p, count);
}

void TypeCornerX(BezierPointList& p, int count, int selection, float v, bool symmetric) {
  const int i = PointOf(selection);
  if (!IsPoint(count, i)) return;
  const int j = CornerMirror(count, i);
  switch (PartOf(selection)) {
    case Part::Anchor:
      p.X[i] = v;
      if (symmetric) p.Y[j] = v;
      return;
    case Part::In:
      p.IX[i] = v;
      if (symmetric) p.OY[j] = v;
      return;
    case Part::Out:
      p.OX[i] = v;
      if (symmetric) p.IY[j] = v;
      return;
    default: return;
  }
}

void TypeCornerY(BezierPointList& p, int count, int selection, float v, bool symmetric) {
  const int i = PointOf(selection);
  if (!IsPoint(count, i)) return;
  const int j = CornerMirror(count, i);
  switch (PartOf(selection)) {
    case Part::Anchor:
      p.Y[i] = v;
      if (symmetric) p.X[j] = v;
      return;
    case Part::In:
      p.IY[i] = v;
      if (symmetric) p.OX[j] = v;
      return;
    case Part::Out:
      p.OY[i] = v;
      if (symmetric) p.IX[j] = v;
      return;
    default: return;
  }
}

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

Pixel Rounded(Point q) {
  return {static_cast<int32_t>(std::trunc(q.x + 0.5f)), static_cast<int32_t>(std::trunc(q.y + 0.5f))};
}

Pixel Truncated(Point q) { return {static_cast<int32_t>(std::trunc(q.x)), static_cast<int32_t>(std::trunc(q.y))}; }

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
  const auto at = [](float x, float y) { return Pixel{static_cast<int32_t>(x), static_cast<int32_t>(y)}; };
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
