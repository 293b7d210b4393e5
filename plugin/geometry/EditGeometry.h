// The two graphic editors' geometry, as pure functions over a point list:
// what a drag, a typed coordinate or the angle/rounded switch does to the
// points (with each editor's mirror rule), snapping to the grid, picking and
// hovering, inserting a point by dividing a segment, deleting one, and the
// flattening that draws an outline. No host calls and no allocation, so the
// dialogs call them while drawing and tracking.
//
// Point i of a list is its anchor (X, Y), its tangent point "in" (IX, IY),
// which leaves it towards point i + 1, and "out" (OX, OY), which arrives from
// point i - 1. Segment k runs from anchor k through in k and out k + 1 to
// anchor k + 1; a closed outline adds segment count - 1 back to point 0.
#pragma once

#include <cstdint>

#include "geometry/Anchor.h"
#include "geometry/PointList.h"

namespace edit {

// What the position fields and the next/previous buttons act on.
constexpr int kSelectNothing = 100;
constexpr int kSelectLineStart = 110;
constexpr int kSelectIn = 200;   // + point number
constexpr int kSelectOut = 400;  // + point number

enum class Part { Anchor, In, Out, LineStart, Nothing };
Part PartOf(int selection);
// The point number of a selection (0 for the line start and nothing).
int PointOf(int selection);
int Select(Part part, int point);

// Unit coordinates to the editors' pixels: pixel = unit * scale + origin on
// each axis (a negative scale mirrors).
struct Mapping {
  float originX, originY, scaleX, scaleY;
};
constexpr float kUnitPixels = 20;
constexpr Mapping kArrowCanvas = {130, 130, kUnitPixels, kUnitPixels};
constexpr Mapping kCornerCanvas = {110, 110, kUnitPixels, kUnitPixels};

// An integer pixel, laid out as the host's point.
struct Pixel {
  int32_t h, v;
};

//-----------------------------------------------------------------------------
// Points
//-----------------------------------------------------------------------------

Point AnchorOf(const BezierPointList& p, int i);
Point InOf(const BezierPointList& p, int i);
Point OutOf(const BezierPointList& p, int i);
// The coordinates of a selected anchor or tangent point.
Point SelectedPoint(const BezierPointList& p, int selection);

// Both tangent points lie on the anchor.
bool IsAnglePoint(const BezierPointList& p, int i);

//-----------------------------------------------------------------------------
// Snapping
//-----------------------------------------------------------------------------

// Arrow units of a pixel offset from the origin. Snapped: spacing * n / 20
// with n = offset / spacing rounded half away from zero; else offset / 20.
float ArrowUnits(int32_t offset, int32_t spacing, bool snap);
// The corner canvas's grid lines start 20 pixels from its origin, so a
// snapped value is (spacing * n + 20) / 20.
float CornerUnits(int32_t offset, int32_t spacing, bool snap);

//-----------------------------------------------------------------------------
// Arrowhead: mirror across the x axis, point j = count - i
//-----------------------------------------------------------------------------

// Point 0, and point count / 2 of an even count, lie on the axis.
bool OnArrowAxis(int count, int i);
int ArrowMirror(int count, int i);

// A drag puts the selected anchor (its tangent points following) or tangent
// point at (x, y), then moves its mirror in symmetrical mode.
void DragArrowTo(BezierPointList& p, int count, int selection, Point to, bool symmetric);

// A coordinate typed for the selection. Returns the value the field shows
// afterwards (0 for the y of an axis anchor in symmetrical mode).
float TypeArrowX(BezierPointList& p, int count, int selection, float v, bool symmetric);
float TypeArrowY(BezierPointList& p, int count, int selection, float v, bool symmetric);

// Makes point i an angle point (tangents onto the anchor) or a rounded one
// (handles one unit off the anchor), with its mirror in symmetrical mode.
void MakeArrowPointAngle(BezierPointList& p, int count, int i, bool symmetric);
void MakeArrowPointRounded(BezierPointList& p, int count, int i, bool symmetric);

//-----------------------------------------------------------------------------
// Corner: mirror across the diagonal y = x, point j = count - 1 - i
//-----------------------------------------------------------------------------

int CornerMirror(int count, int i);

// The drag step of the corner editor: the anchor rules (which tangent
// coordinates follow, by the point's place and snapping), the mirror, then
// the edge rules (point 0 on the top edge, the last point on the left edge).
void DragCornerTo(BezierPointList& p, int count, int selection, Point to, bool symmetric, bool snapping);

// A typed coordinate goes into exactly that coordinate; in symmetrical mode
// the mirror coordinate of point j receives the same value.
void TypeCornerX(BezierPointList& p, int count, int selection, float v, bool symmetric);
void TypeCornerY(BezierPointList& p, int count, int selection, float v, bool symmetric);

//-----------------------------------------------------------------------------
// Curves
//-----------------------------------------------------------------------------

struct Cubic {
  Point p0, p1, p2, p3;
};

// Segment k (k = count - 1 is the closing segment back to point 0).
Cubic SegmentOf(const BezierPointList& p, int count, int k);
Point Evaluate(const Cubic& c, float t);
// De Casteljau division at t into the part before and the part after.
void Divide(const Cubic& c, float t, Cubic& left, Cubic& right);

//-----------------------------------------------------------------------------
// Picking, hovering, inserting, deleting
//-----------------------------------------------------------------------------

// A drag's pick: the first mark within `reach` pixels on both axes, in the
// order anchors, in tangents, out tangents, then the line start when given.
// Returns the selection, or -1 when nothing is there.
int PickMark(const BezierPointList& p, int count, const Mapping& m, Pixel at, int reach, const Point* lineStart);

// What the pointer is over in add/delete mode: an anchor (within 5 pixels on
// both axes), else the first segment point closer than 4 pixels when t steps
// by 0.01 (segments in order, the closing one last when closed).
struct Hover {
  enum Kind { Nothing, Anchor, Segment } kind;
  int index;  // the anchor, or the segment's first point
  float t;
};
Hover FindHover(const BezierPointList& p, int count, bool closed, const Mapping& m, Pixel at);

// Inserts a point at `at` (unit coordinates) after point k by dividing
// segment k at t, so the outline keeps its shape on both sides; the closing
// segment appends the point. False, changing nothing, at the capacity.
bool InsertPoint(BezierPointList& p, int& count, int k, float t, Point at);
// Removes point i. False, changing nothing, when only two would be left or i
// is not a point.
bool DeletePoint(BezierPointList& p, int& count, int i);

//-----------------------------------------------------------------------------
// Drawing
//-----------------------------------------------------------------------------

// The most points an outline flattens to: 20 segments of 16 pieces, plus
// one start anchor per segment.
constexpr int kFlatCapacity = 500;

// Flattens the outline into `out` for drawing: for each segment its start
// anchor, then the end of each of its 16 pieces (halving at t = 0.5 to depth
// 4; ends rounded), or of its single piece when it is straight (truncated).
// The closing segment is flattened only when closed; its start anchor is
// added in any case. `firsts[k]` gets the index of segment k's start anchor.
// Returns the number of points written.
int FlattenOutline(const BezierPointList& p, int count, bool closed, const Mapping& m, Pixel* out,
                   int capacity, int* firsts = nullptr);

// The pixel of a unit point, truncated.
Pixel ToPixel(const Mapping& m, Point u);
// A canvas coordinate as a whole pixel, truncated toward zero; a value far
// beyond any canvas stops at +/- 2^24 and one that is not a number gives 0,
// so no conversion leaves the range of the pixel type.
int32_t PixelCoordinate(float v);

// The sample label's four straight edges (left, top, right, bottom of a box
// from (6, 6) to (86, 46)), shortened where a corner uses the outline.
struct SampleEdges {
  Pixel top[2], bottom[2], left[2], right[2];
};
SampleEdges SampleLabelEdges(float firstAnchorX, float lastAnchorY, bool topLeft, bool topRight, bool bottomLeft,
                             bool bottomRight);

//-----------------------------------------------------------------------------
// Predefined outlines
//-----------------------------------------------------------------------------

struct Predefined {
  int count;
  float lineStartX;  // arrowheads only
  BezierPointList points;
};
// Buttons 1 to 6 of each editor (index 0..5).
const Predefined& PredefinedArrow(int index);
const Predefined& PredefinedCorner(int index);

}  // namespace edit
