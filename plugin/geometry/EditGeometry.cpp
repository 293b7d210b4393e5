#include "geometry/EditGeometry.h"

#include <cmath>

// [SECTION] Selections and points
// [SECTION] Snapping
// [SECTION] Arrowhead edits
// [SECTION] Corner edits
// (curves, picking and flattening: EditCurves.cpp; predefined outlines: EditPresets.cpp)

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

}  // namespace edit
