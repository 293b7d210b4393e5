#include <cmath>
#include <limits>

#include "GeometryExpect.h"
#include "geometry/Shapes.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kPi = 3.1415927f;

BezierPointList Chamfer12() {
  BezierPointList c{};
  c.X[0] = c.IX[0] = c.OX[0] = 12;
  c.Y[0] = c.IY[0] = c.OY[0] = 0;
  c.X[1] = c.IX[1] = c.OX[1] = 0;
  c.Y[1] = c.IY[1] = c.OY[1] = 12;
  return c;
}

constexpr CornerSwitches kAllCorners = {true, true, true, true};

}  // namespace

TEST(RectangleShape, SharpCornersAroundCentreWhateverTheSignOfTheSize) {
  for (float w : {40.0f, -40.0f}) {
    auto r = RectangleOutline(w, 20, {100, 50});
    ASSERT_EQ(r.size(), 4u);
    ExpectSharpAt(r[0], {80, 60});
    ExpectSharpAt(r[1], {120, 60});
    ExpectSharpAt(r[2], {120, 40});
    ExpectSharpAt(r[3], {80, 40});
  }
  EXPECT_EQ(RoundedRectangleOutline(40, 20, 0, {0, 0}).size(), 4u);
}

TEST(RectangleShape, ConvexAndConcaveCornersShareAnchorsAndDifferInHandles) {
  auto convex = RoundedRectangleOutline(40, 20, 5, {0, 0});
  auto concave = RoundedRectangleOutline(40, 20, -5, {0, 0});
  ASSERT_EQ(convex.size(), 8u);
  ASSERT_EQ(concave.size(), 8u);
  for (size_t i = 0; i < 8; ++i) ExpectNear(convex[i].p, concave[i].p);

  const float k = 5 * kCircleHandle;
  // Each handle leaves its anchor along the box's edge (convex, towards the
  // box corner) or across it (concave, away from the corner).
  const Anchor convexHandles[8] = {
      {{-20, 5}, {-20, 5}, {-20, 5 + k}},      {{-15, 10}, {-15 - k, 10}, {-15, 10}},
      {{15, 10}, {15, 10}, {15 + k, 10}},      {{20, 5}, {20, 5 + k}, {20, 5}},
      {{20, -5}, {20, -5}, {20, -5 - k}},      {{15, -10}, {15 + k, -10}, {15, -10}},
      {{-15, -10}, {-15, -10}, {-15 - k, -10}}, {{-20, -5}, {-20, -5 - k}, {-20, -5}}};
  const Anchor concaveHandles[8] = {
      {{-20, 5}, {-20, 5}, {-20 + k, 5}},      {{-15, 10}, {-15, 10 - k}, {-15, 10}},
      {{15, 10}, {15, 10}, {15, 10 - k}},      {{20, 5}, {20 - k, 5}, {20, 5}},
      {{20, -5}, {20, -5}, {20 - k, -5}},      {{15, -10}, {15, -10 + k}, {15, -10}},
      {{-15, -10}, {-15, -10}, {-15, -10 + k}}, {{-20, -5}, {-20 + k, -5}, {-20, -5}}};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    ExpectNear(convex[i], convexHandles[i]);
    ExpectNear(concave[i], concaveHandles[i]);
  }
}

TEST(RectangleShape, RadiusLargerThanHalfTheBoxEnlargesIt) {
  // Half sizes 5 x 3 grow to 8 x 8: the four quarter circles make a circle.
  auto r = RoundedRectangleOutline(10, 6, 8, {1, 2});
  ASSERT_EQ(r.size(), 8u);
  for (const Anchor& a : r) EXPECT_NEAR(std::hypot(a.p.x - 1, a.p.y - 2), 8, 1e-4);
  ExpectNear(r[0].p, {-7, 2});
  ExpectNear(r[1].p, {1, 10});
}

TEST(EllipseShape, FourAnchorsWithQuarterArcHandles) {
  auto e = EllipseOutline(20, 10, {5, 5});
  ASSERT_EQ(e.size(), 4u);
  const float ka = 20 * kCircleHandle, kb = 10 * kCircleHandle;
  ExpectNear(e[0], {{-15, 5}, {-15, 5 - kb}, {-15, 5 + kb}});
  ExpectNear(e[1], {{5, 15}, {5 - ka, 15}, {5 + ka, 15}});
  ExpectNear(e[2], {{25, 5}, {25, 5 + kb}, {25, 5 - kb}});
  ExpectNear(e[3], {{5, -5}, {5 + ka, -5}, {5 - ka, -5}});
}

TEST(TriangleShape, LabelOnTheLeftMirrorsTheOneOnTheRight) {
  const Point landing{50, 20};
  PlacedOutline right = TriangleOutline(40, 40, landing, 0.3f, false);
  PlacedOutline left = TriangleOutline(40, 40, landing, kPi - 0.3f, false);
  ASSERT_EQ(right.anchors.size(), 3u);
  ASSERT_EQ(left.anchors.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(left.anchors[i].p.x, 2 * landing.x - right.anchors[i].p.x, 1e-4);
    EXPECT_NEAR(left.anchors[i].p.y, right.anchors[i].p.y, 1e-4);
  }
  EXPECT_NEAR(left.centreX, 2 * landing.x - right.centreX, 1e-4);
  // Equilateral, with the landing end at the middle of the side P0-P1.
  const auto& a = right.anchors;
  EXPECT_NEAR(std::hypot(a[1].p.x - a[0].p.x, a[1].p.y - a[0].p.y), 40, 1e-3);
  EXPECT_NEAR(a[2].p.x - a[0].p.x, 40, 1e-4);
  ExpectNear({(a[0].p.x + a[1].p.x) / 2, (a[0].p.y + a[1].p.y) / 2}, landing);
  EXPECT_FLOAT_EQ(right.centreX, a[1].p.x);
}

TEST(TrapezoidShape, SixtyDegreeSidesWithLandingAtTheNearSide) {
  const Point landing{0, 0};
  PlacedOutline t = TrapezoidOutline(100, 20, landing, 0, false);
  ASSERT_EQ(t.anchors.size(), 4u);
  const auto& a = t.anchors;
  EXPECT_NEAR(a[3].p.x - a[0].p.x, 100, 1e-4);  // bottom edge W
  EXPECT_NEAR(a[2].p.x - a[1].p.x, 80, 1e-4);   // top edge W - H
  EXPECT_NEAR(a[1].p.y - a[0].p.y, 2 * 20 * 0.4330127f, 1e-4);
  ExpectNear({(a[0].p.x + a[1].p.x) / 2, (a[0].p.y + a[1].p.y) / 2}, landing);
  EXPECT_NEAR(t.centreX, (a[1].p.x + a[2].p.x) / 2, 1e-4);
  // Flipping a right-pointing leader sends the label left.
  PlacedOutline flipped = TrapezoidOutline(100, 20, landing, 0, true);
  ASSERT_EQ(flipped.anchors.size(), 4u);
  EXPECT_LT(flipped.centreX, 0);
}

TEST(ShapeSide, LeaderPointingStraightUpOrDownKeepsTheShapeOnTheLandingSide) {
  EXPECT_TRUE(LabelExtendsRight(0, false));
  EXPECT_FALSE(LabelExtendsRight(0, true));
  // The label box lies right of the landing for a vertical leader: so does the shape.
  EXPECT_TRUE(LabelExtendsRight(kPi / 2, false));
  EXPECT_TRUE(LabelExtendsRight(-kPi / 2, false));
  EXPECT_FALSE(LabelExtendsRight(kPi / 2 + 0.01f, false));
  EXPECT_TRUE(LabelExtendsRight(kPi, true));
}

TEST(CustomShape, DefaultChamferGivesAnOctagonCut12FromEachCorner) {
  auto o = CustomOutline(50, 30, {0, 0}, 2, Chamfer12(), kAllCorners);
  ASSERT_EQ(o.size(), 8u);
  const Point expected[8] = {{-38, 30}, {-50, 18}, {-50, -18}, {-38, -30},
                             {38, -30}, {50, -18}, {50, 18},   {38, 30}};
  for (size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    ExpectSharpAt(o[i], expected[i]);
  }
}

TEST(CustomShape, SwitchedOffCornersBecomeSingleBoxCorners) {
  auto none = CustomOutline(50, 30, {10, 10}, 2, Chamfer12(), {false, false, false, false});
  ASSERT_EQ(none.size(), 4u);
  ExpectSharpAt(none[0], {-40, 40});
  ExpectSharpAt(none[1], {-40, -20});
  ExpectSharpAt(none[2], {60, -20});
  ExpectSharpAt(none[3], {60, 40});

  auto noBottomLeft = CustomOutline(50, 30, {0, 0}, 2, Chamfer12(), {true, true, false, true});
  ASSERT_EQ(noBottomLeft.size(), 7u);
  ExpectSharpAt(noBottomLeft[2], {-50, -30});
  ExpectSharpAt(noBottomLeft[3], {38, -30});
}

TEST(CustomShape, EditorHandlesMapToPathHandlesAndSwapWhenMirrored) {
  BezierPointList c = Chamfer12();
  c.IX[0] = 8;  c.IY[0] = 1;   // leaves anchor 0 towards anchor 1
  c.OX[1] = 1;  c.OY[1] = 8;   // arrives at anchor 1
  auto o = CustomOutline(50, 30, {0, 0}, 2, c, kAllCorners);
  ASSERT_EQ(o.size(), 8u);
  ExpectNear(o[0].out, {8 - 50, 30 - 1});
  ExpectNear(o[1].in, {1 - 50, 30 - 8});
  // Bottom left runs the other way: its first anchor leaves along what was
  // the top-left curve's arriving handle, mirrored.
  ExpectNear(o[2].out, {1 - 50, -(30 - 8)});
  ExpectNear(o[3].in, {8 - 50, -(30 - 1)});
  // Top right, two mirrors later, is the top left seen in the y axis.
  ExpectNear(o[7].in, {50 - 8, 30 - 1});
}

TEST(CustomShape, BadCurveCountOrNonFiniteInputGivesNoOutline) {
  const BezierPointList c = Chamfer12();
  for (int n : {-1, 0, 1, 21, 127}) EXPECT_TRUE(CustomOutline(50, 30, {0, 0}, n, c, kAllCorners).empty()) << n;
  EXPECT_EQ(CustomOutline(50, 30, {0, 0}, 20, c, kAllCorners).size(), 80u);
  BezierPointList bad = c;
  bad.OY[1] = kNaN;
  EXPECT_TRUE(CustomOutline(50, 30, {0, 0}, 2, bad, kAllCorners).empty());
  EXPECT_TRUE(RectangleOutline(kNaN, 10, {0, 0}).empty());
  EXPECT_TRUE(RoundedRectangleOutline(10, 10, std::numeric_limits<float>::infinity(), {0, 0}).empty());
  EXPECT_TRUE(EllipseOutline(10, 10, {kNaN, 0}).empty());
  PlacedOutline t = TriangleOutline(10, 10, {3, kNaN}, 0, false);
  EXPECT_TRUE(t.anchors.empty());
  EXPECT_EQ(t.centreX, 3);
  EXPECT_TRUE(TrapezoidOutline(3e38f, 10, {3e38f, 0}, 0, false).anchors.empty());
}
