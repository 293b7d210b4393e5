// The editors' pure geometry: mirror rules, snapping, picking and hovering,
// insertion by division, flattening. Expected values are worked out by hand
// from the editors' rules, not with the functions under test.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "geometry/EditGeometry.h"

namespace {

std::atomic<long> gAllocations{0};

}  // namespace

// Counts every allocation of this test program, to show that editing never
// allocates.
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace edit;

void ExpectPoint(Point actual, float x, float y) {
  EXPECT_NEAR(actual.x, x, 1e-4f);
  EXPECT_NEAR(actual.y, y, 1e-4f);
}

void ExpectAngleAt(const BezierPointList& p, int i, float x, float y) {
  SCOPED_TRACE(i);
  ExpectPoint(AnchorOf(p, i), x, y);
  ExpectPoint(InOf(p, i), x, y);
  ExpectPoint(OutOf(p, i), x, y);
}

void SetPoint(BezierPointList& p, int i, Point a, Point in, Point out) {
  p.X[i] = a.x, p.Y[i] = a.y, p.IX[i] = in.x, p.IY[i] = in.y, p.OX[i] = out.x, p.OY[i] = out.y;
}

void SetAngle(BezierPointList& p, int i, float x, float y) { SetPoint(p, i, {x, y}, {x, y}, {x, y}); }

//-----------------------------------------------------------------------------
// Snapping
//-----------------------------------------------------------------------------

TEST(EditSnapping, ArrowRoundsToTheNearestGridLineHalvesAwayFromZero) {
  EXPECT_FLOAT_EQ(ArrowUnits(29, 20, true), 1.0f);   // 1.45 grid steps
  EXPECT_FLOAT_EQ(ArrowUnits(31, 20, true), 2.0f);   // 1.55
  EXPECT_FLOAT_EQ(ArrowUnits(-30, 20, true), -2.0f); // -1.5 rounds away from zero
  EXPECT_FLOAT_EQ(ArrowUnits(50, 100, true), 5.0f);  // 0.5 of a 100-pixel step
  EXPECT_FLOAT_EQ(ArrowUnits(49, 100, true), 0.0f);
  EXPECT_FLOAT_EQ(ArrowUnits(31, 20, false), 1.55f);
  EXPECT_FLOAT_EQ(ArrowUnits(-7, 4, false), -0.35f);
}

TEST(EditSnapping, CornerLandsOnTheDrawnGridLinesTwentyPixelsFromTheOrigin) {
  // Spacing 100: lines at offsets 20, 120, 220 ... and -80.
  EXPECT_FLOAT_EQ(CornerUnits(0, 100, true) * 20, 20.0f);
  EXPECT_FLOAT_EQ(CornerUnits(70, 100, true) * 20, 120.0f);
  EXPECT_FLOAT_EQ(CornerUnits(260, 100, true) * 20, 320.0f);
  EXPECT_FLOAT_EQ(CornerUnits(-60, 100, true) * 20, -80.0f);
  // Spacing 20: multiples of 20.
  EXPECT_FLOAT_EQ(CornerUnits(29, 20, true) * 20, 40.0f);
  EXPECT_FLOAT_EQ(CornerUnits(-31, 20, true) * 20, -20.0f);
  EXPECT_FLOAT_EQ(CornerUnits(31, 20, false), 1.55f);
}

//-----------------------------------------------------------------------------
// Arrowhead mirror across the x axis
//-----------------------------------------------------------------------------

TEST(ArrowMirror, AxisPointsAreZeroAndTheMiddleOfAnEvenCountOnly) {
  EXPECT_TRUE(OnArrowAxis(6, 0));
  EXPECT_TRUE(OnArrowAxis(6, 3));
  EXPECT_FALSE(OnArrowAxis(6, 2));
  EXPECT_TRUE(OnArrowAxis(5, 0));
  EXPECT_FALSE(OnArrowAxis(5, 2));
  EXPECT_FALSE(OnArrowAxis(5, 3));
  EXPECT_EQ(ArrowMirror(5, 2), 3);
  EXPECT_EQ(ArrowMirror(5, 3), 2);
  EXPECT_EQ(ArrowMirror(6, 1), 5);
}

TEST(ArrowMirror, DraggingAPointMovesItsMirrorToTheOppositeSide) {
  BezierPointList p = PredefinedArrow(0).points;  // A(0,0) A(10,-5) A(10,-4) A(2,0) A(10,4) A(10,5)
  DragArrowTo(p, 6, 1, {5, -2}, true);
  ExpectAngleAt(p, 1, 5, -2);
  ExpectAngleAt(p, 5, 5, 2);
  ExpectAngleAt(p, 2, 10, -4);  // the others stay
  ExpectAngleAt(p, 4, 10, 4);
}

TEST(ArrowMirror, AxisPointsStayOnTheAxisAndKeepTheirHandleOffsets) {
  BezierPointList p = PredefinedArrow(0).points;
  SetPoint(p, 3, {2, 0}, {3, 1}, {1, -1});
  DragArrowTo(p, 6, 3, {4, 3}, true);
  ExpectPoint(AnchorOf(p, 3), 4, 0);
  ExpectPoint(InOf(p, 3), 5, 1);
  ExpectPoint(OutOf(p, 3), 3, -1);
  DragArrowTo(p, 6, 0, {0.5f, 2}, true);
  ExpectAngleAt(p, 0, 0.5f, 0);
  // Independent mode: nothing is mirrored or held on the axis.
  DragArrowTo(p, 6, 0, {0.5f, 2}, false);
  ExpectAngleAt(p, 0, 0.5f, 2);
  ExpectAngleAt(p, 5, 10, 5);
}

TEST(ArrowMirror, OddCountMirrorsTheTwoMiddlePointsOnEachOther) {
  BezierPointList p{};
  SetAngle(p, 0, 0, 0), SetAngle(p, 1, 8, -4), SetAngle(p, 2, 10, -1), SetAngle(p, 3, 10, 1), SetAngle(p, 4, 8, 4);
  DragArrowTo(p, 5, 2, {4, -1.5f}, true);
  ExpectAngleAt(p, 3, 4, 1.5f);
  DragArrowTo(p, 5, 3, {6, 2}, true);
  ExpectAngleAt(p, 2, 6, -2);
}

TEST(ArrowMirror, TangentPointsMirrorIntoTheOtherRole) {
  BezierPointList p = PredefinedArrow(0).points;
  DragArrowTo(p, 6, kSelectIn + 1, {7, -3}, true);
  ExpectPoint(InOf(p, 1), 7, -3);
  ExpectPoint(OutOf(p, 5), 7, 3);
  // Point 0 answers its own out tangent with its in tangent.
  DragArrowTo(p, 6, kSelectOut + 0, {-1, 2}, true);
  ExpectPoint(InOf(p, 0), -1, -2);
}

TEST(ArrowFields, TypedValuesMoveTheMirrorAndHoldAxisPoints) {
  BezierPointList p = PredefinedArrow(0).points;
  EXPECT_EQ(TypeArrowY(p, 6, 0, 3, true), 0.0f);  // the field goes back to 0
  ExpectAngleAt(p, 0, 0, 0);
  EXPECT_EQ(TypeArrowY(p, 6, 2, -3, true), -3.0f);
  ExpectAngleAt(p, 2, 10, -3);
  ExpectAngleAt(p, 4, 10, 3);
  TypeArrowX(p, 6, 2, 7, true);
  ExpectAngleAt(p, 2, 7, -3);
  ExpectAngleAt(p, 4, 7, 3);
  // An axis anchor's x moves alone; its tangents follow it.
  TypeArrowX(p, 6, 3, 3, true);
  ExpectAngleAt(p, 3, 3, 0);
  TypeArrowY(p, 6, kSelectOut + 1, 2, true);
  EXPECT_FLOAT_EQ(p.OY[1], 2);
  EXPECT_FLOAT_EQ(p.IY[5], -2);
  TypeArrowX(p, 6, kSelectIn + 0, 4, true);
  EXPECT_FLOAT_EQ(p.IX[0], 4);
  EXPECT_FLOAT_EQ(p.OX[0], 4);
}

TEST(ArrowAngleSwitch, RoundedAxisPointGetsVerticalHandlesOthersHorizontalMirrored) {
  BezierPointList p = PredefinedArrow(0).points;
  MakeArrowPointRounded(p, 6, 0, true);
  ExpectPoint(InOf(p, 0), 0, -1);
  ExpectPoint(OutOf(p, 0), 0, 1);
  EXPECT_FALSE(IsAnglePoint(p, 0));
  MakeArrowPointRounded(p, 6, 2, true);  // A(10,-4)
  ExpectPoint(InOf(p, 2), 11, -4);
  ExpectPoint(OutOf(p, 2), 9, -4);
  ExpectPoint(InOf(p, 4), 9, 4);  // A(10,4)
  ExpectPoint(OutOf(p, 4), 11, 4);
  MakeArrowPointAngle(p, 6, 2, true);
  EXPECT_TRUE(IsAnglePoint(p, 2));
  EXPECT_TRUE(IsAnglePoint(p, 4));
  MakeArrowPointRounded(p, 6, 2, false);
  EXPECT_TRUE(IsAnglePoint(p, 4));
}

//-----------------------------------------------------------------------------
// Corner: mirror across the diagonal, edge rules
//-----------------------------------------------------------------------------

TEST(CornerDrag, FirstPointStaysOnTheTopEdgeAndLastOnTheLeftEdge) {
  BezierPointList p = PredefinedCorner(1).points;  // A(12,0) A(12,12) A(0,12)
  DragCornerTo(p, 3, 0, {5, 3}, false, false);
  ExpectPoint(AnchorOf(p, 0), 5, 0);
  ExpectPoint(OutOf(p, 0), 5, 0);
  EXPECT_FLOAT_EQ(p.IX[0], 5);  // the in tangent's x followed the drag
  DragCornerTo(p, 3, 2, {3, 8}, false, false);
  ExpectPoint(AnchorOf(p, 2), 0, 8);
  ExpectPoint(InOf(p, 2), 0, 8);
}

TEST(CornerDrag, MiddlePointOfAnOddCountLandsOnTheDiagonalAtItsX) {
  BezierPointList p = PredefinedCorner(1).points;
  DragCornerTo(p, 3, 1, {5, 8}, true, false);
  ExpectPoint(AnchorOf(p, 1), 5, 5);
  DragCornerTo(p, 3, 1, {9, 2}, true, true);
  ExpectPoint(AnchorOf(p, 1), 9, 9);
}

TEST(CornerDrag, MirrorSwapsCoordinatesAndTangentRoles) {
  BezierPointList p = PredefinedCorner(3).points;  // (12,2)/(6.5,2)/(12,2) is point 1
  DragCornerTo(p, 4, 1, {10, 3}, true, false);
  ExpectPoint(AnchorOf(p, 1), 10, 3);
  ExpectPoint(InOf(p, 1), 4.5f, 3);
  ExpectPoint(OutOf(p, 1), 10, 3);
  ExpectPoint(AnchorOf(p, 2), 3, 10);
  ExpectPoint(InOf(p, 2), 3, 10);
  ExpectPoint(OutOf(p, 2), 3, 4.5f);
  DragCornerTo(p, 4, kSelectOut + 1, {11, 1}, true, false);
  ExpectPoint(InOf(p, 2), 1, 11);
}

TEST(CornerDrag, LastPointTangentFollowsOnlyWhenSnapping) {
  BezierPointList p = PredefinedCorner(3).points;  // last point A(0,12)
  DragCornerTo(p, 4, 3, {0, 14}, false, false);
  EXPECT_FLOAT_EQ(p.OY[3], 12);
  DragCornerTo(p, 4, 3, {0, 15}, false, true);
  EXPECT_FLOAT_EQ(p.OY[3], 13);
}

TEST(CornerFields, TypedValueGoesToTheMirrorCoordinate) {
  BezierPointList p = PredefinedCorner(0).points;  // A(12,0) A(0,12)
  TypeCornerX(p, 2, 0, 10, true);
  EXPECT_FLOAT_EQ(p.X[0], 10);
  EXPECT_FLOAT_EQ(p.Y[1], 10);
  EXPECT_FLOAT_EQ(p.IX[0], 12);  // tangents do not follow a typed anchor
  TypeCornerY(p, 2, kSelectIn + 0, 3, true);
  EXPECT_FLOAT_EQ(p.IY[0], 3);
  EXPECT_FLOAT_EQ(p.OX[1], 3);
  TypeCornerX(p, 2, kSelectOut + 1, 4, false);
  EXPECT_FLOAT_EQ(p.OX[1], 4);
  EXPECT_FLOAT_EQ(p.IY[0], 3);
}

//-----------------------------------------------------------------------------
// Insertion, deletion, hovering, picking
//-----------------------------------------------------------------------------

// One arch: (0,0) with in (0,4), to (10,0) with out (10,4).
BezierPointList Arch() {
  BezierPointList p{};
  SetPoint(p, 0, {0, 0}, {0, 4}, {0, 0});
  SetPoint(p, 1, {10, 0}, {10, 0}, {10, 4});
  return p;
}

TEST(EditInsert, DividingTheSegmentKeepsTheCurveOnBothSides) {
  BezierPointList p = Arch();
  int count = 2;
  // The arch's point at t = 0.5 is (5, 3).
  ASSERT_TRUE(InsertPoint(p, count, 0, 0.5f, {5, 3}));
  EXPECT_EQ(count, 3);
  ExpectPoint(InOf(p, 0), 0, 2);
  ExpectPoint(OutOf(p, 1), 2.5f, 3);
  ExpectPoint(InOf(p, 1), 7.5f, 3);
  ExpectPoint(OutOf(p, 2), 10, 2);
  ExpectPoint(AnchorOf(p, 2), 10, 0);
  // The arch at t = 0.25 and 0.75 is now the middle of each half.
  ExpectPoint(Evaluate(SegmentOf(p, 3, 0), 0.5f), 1.5625f, 2.25f);
  ExpectPoint(Evaluate(SegmentOf(p, 3, 1), 0.5f), 8.4375f, 2.25f);
}

TEST(EditInsert, ClosingSegmentAppendsThePointAndReshapesPointZero) {
  BezierPointList p{};
  SetAngle(p, 0, 0, 0), SetAngle(p, 1, 10, 0), SetAngle(p, 2, 10, 5);
  int count = 3;
  ASSERT_TRUE(InsertPoint(p, count, 2, 0.5f, {5, 2.5f}));
  EXPECT_EQ(count, 4);
  ExpectPoint(AnchorOf(p, 3), 5, 2.5f);
  ExpectPoint(AnchorOf(p, 1), 10, 0);  // nothing before moved
  // The closing segment (10,5) (10,5) (0,0) (0,0) halved: left (10,5) (10,5)
  // (7.5,3.75) (5,2.5), right (5,2.5) (2.5,1.25) (0,0) (0,0).
  ExpectPoint(InOf(p, 2), 10, 5);
  ExpectPoint(OutOf(p, 3), 7.5f, 3.75f);
  ExpectPoint(InOf(p, 3), 2.5f, 1.25f);
  ExpectPoint(OutOf(p, 0), 0, 0);
}

TEST(EditInsert, CapacityAndMinimumAreKept) {
  BezierPointList p{};
  int count = 20;
  EXPECT_FALSE(InsertPoint(p, count, 3, 0.5f, {1, 1}));
  EXPECT_EQ(count, 20);
  count = 2;
  EXPECT_FALSE(DeletePoint(p, count, 0));
  EXPECT_EQ(count, 2);
  SetAngle(p, 0, 1, 1), SetAngle(p, 1, 2, 2), SetAngle(p, 2, 3, 3);
  count = 3;
  ASSERT_TRUE(DeletePoint(p, count, 1));
  EXPECT_EQ(count, 2);
  ExpectAngleAt(p, 1, 3, 3);
  EXPECT_FALSE(DeletePoint(p, count, 5));
}

TEST(EditHover, AnchorsFirstThenSegmentsAndTheClosingOneOnlyWhenClosed) {
  BezierPointList p{};
  SetAngle(p, 0, 0, 0), SetAngle(p, 1, 10, 0), SetAngle(p, 2, 10, 5);  // pixels (130,130) (330,130) (330,230)
  Hover h = FindHover(p, 3, true, kArrowCanvas, {126, 133});
  EXPECT_EQ(h.kind, Hover::Anchor);
  EXPECT_EQ(h.index, 0);
  h = FindHover(p, 3, true, kArrowCanvas, {333, 126});
  EXPECT_EQ(h.kind, Hover::Anchor);
  EXPECT_EQ(h.index, 1);
  h = FindHover(p, 3, true, kArrowCanvas, {330, 136});  // 6 pixels below the anchor: on segment 1
  EXPECT_EQ(h.kind, Hover::Segment);
  EXPECT_EQ(h.index, 1);
  h = FindHover(p, 3, true, kArrowCanvas, {230, 133});
  EXPECT_EQ(h.kind, Hover::Segment);
  EXPECT_EQ(h.index, 0);
  EXPECT_NEAR(h.t, 0.5f - 0.015f, 0.02f);  // the first t whose point comes within 4 pixels
  h = FindHover(p, 3, true, kArrowCanvas, {230, 180});
  EXPECT_EQ(h.kind, Hover::Segment);
  EXPECT_EQ(h.index, 2);
  EXPECT_EQ(FindHover(p, 3, false, kArrowCanvas, {230, 180}).kind, Hover::Nothing);
  EXPECT_EQ(FindHover(p, 3, true, kArrowCanvas, {230, 140}).kind, Hover::Nothing);
}

TEST(EditPick, FirstMarkWithinSixPixelsInAnchorInOutLineStartOrder) {
  BezierPointList p{};
  SetPoint(p, 0, {0, 0}, {0, 0}, {1, 1});
  SetAngle(p, 1, 10, 0);
  const Point lineStart{2, 0};
  EXPECT_EQ(PickMark(p, 2, kArrowCanvas, {135, 125}, 6, &lineStart), 0);  // the in tangent on it loses
  EXPECT_EQ(PickMark(p, 2, kArrowCanvas, {152, 152}, 6, &lineStart), kSelectOut + 0);
  EXPECT_EQ(PickMark(p, 2, kArrowCanvas, {170, 131}, 6, &lineStart), kSelectLineStart);
  EXPECT_EQ(PickMark(p, 2, kArrowCanvas, {170, 131}, 6, nullptr), -1);
  EXPECT_EQ(PickMark(p, 2, kArrowCanvas, {136, 130}, 6, nullptr), -1);
}

//-----------------------------------------------------------------------------
// Flattening and the sample label
//-----------------------------------------------------------------------------

TEST(EditFlatten, StraightSegmentsTruncateCurvedOnesGiveSixteenRoundedPieces) {
  BezierPointList p{};
  SetAngle(p, 0, 0, 0), SetAngle(p, 1, 0.99f, 0), SetAngle(p, 2, 0.99f, 1);
  Pixel out[kFlatCapacity];
  EXPECT_EQ(FlattenOutline(p, 3, false, kArrowCanvas, out, kFlatCapacity), 5);
  EXPECT_EQ(out[1].h, 149);  // 0.99 * 20 + 130 = 149.8, truncated
  EXPECT_EQ(FlattenOutline(p, 3, true, kArrowCanvas, out, kFlatCapacity), 6);
  EXPECT_EQ(out[5].h, 130);

  p.IY[0] = 0.5f;  // segment 0 is now a curve
  EXPECT_EQ(FlattenOutline(p, 3, false, kArrowCanvas, out, kFlatCapacity), 1 + 16 + 2 + 1);
  EXPECT_EQ(out[16].h, 150);  // the curve's end, rounded
  EXPECT_EQ(out[16].v, 130);
}

TEST(EditFlatten, TwentyCurvedSegmentsFitTheFixedBuffer) {
  BezierPointList p{};
  for (int i = 0; i < 20; ++i) SetPoint(p, i, {float(i), 0}, {float(i) + 0.3f, 1}, {float(i) - 0.3f, -1});
  Pixel out[kFlatCapacity];
  EXPECT_EQ(FlattenOutline(p, 20, true, kArrowCanvas, out, kFlatCapacity), 20 * 17);
  Pixel tiny[10];
  EXPECT_EQ(FlattenOutline(p, 20, true, kArrowCanvas, tiny, 10), 10);
}

TEST(SampleLabel, UntickedCornerLetsItsEdgesRunToTheBoxCorner) {
  const SampleEdges all = SampleLabelEdges(12, 12, true, true, true, true);
  EXPECT_EQ(all.top[0].h, 18);
  EXPECT_EQ(all.top[1].h, 74);
  EXPECT_EQ(all.right[0].v, 18);
  const SampleEdges e = SampleLabelEdges(12, 12, true, false, true, true);
  EXPECT_EQ(e.top[0].h, 18);
  EXPECT_EQ(e.top[1].h, 86);
  EXPECT_EQ(e.right[0].v, 6);
  EXPECT_EQ(e.right[1].v, 34);
  EXPECT_EQ(e.left[0].v, 18);
  EXPECT_EQ(e.bottom[1].h, 74);
}

TEST(Predefined, TablesHoldTheButtonsOutlines) {
  const Predefined& a5 = PredefinedArrow(4);
  EXPECT_EQ(a5.count, 6);
  EXPECT_FLOAT_EQ(a5.lineStartX, 2);
  ExpectPoint(InOf(a5.points, 2), 10.7f, -1.4f);
  ExpectPoint(OutOf(a5.points, 2), 15.25f, -2.55f);
  EXPECT_EQ(PredefinedArrow(5).count, 12);
  EXPECT_FLOAT_EQ(PredefinedArrow(5).lineStartX, 13);
  const Predefined& c5 = PredefinedCorner(4);
  EXPECT_EQ(c5.count, 9);
  ExpectPoint(InOf(c5.points, 6), -4, 6);
  ExpectPoint(OutOf(c5.points, 8), -1, 12);
}

//-----------------------------------------------------------------------------
// No allocation while editing
//-----------------------------------------------------------------------------

TEST(EditAllocation, DragHoverPickAndFlattenNeverAllocate) {
  BezierPointList p{};
  for (int i = 0; i < 20; ++i) SetPoint(p, i, {float(i) * 0.5f, 0}, {float(i) * 0.5f + 0.3f, 1}, {float(i) * 0.5f, -1});
  Pixel out[kFlatCapacity];
  const long before = gAllocations.load();
  for (int step = 0; step < 50; ++step) {
    DragArrowTo(p, 20, step % 20, {ArrowUnits(step, 20, true), ArrowUnits(-step, 20, false)}, true);
    DragCornerTo(p, 20, step % 20, {CornerUnits(step, 10, true), 1}, true, step % 2 == 0);
    (void)FindHover(p, 20, true, kArrowCanvas, {200 + step, 130});
    (void)PickMark(p, 20, kArrowCanvas, {130 + step, 130}, 6, nullptr);
    (void)FlattenOutline(p, 20, true, kArrowCanvas, out, kFlatCapacity);
  }
  EXPECT_EQ(gAllocations.load(), before);
}

}  // namespace
