#include <cmath>
#include <cstring>
#include <limits>

#include "GeometryExpect.h"
#include "geometry/Arrowheads.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kPi = 3.1415927f;

HeadSettings DefaultSettings() { return {17, 17, true, 6, true, false, 2}; }

BezierPointList DefaultCustomArrow() {
  BezierPointList l{};
  const float rows[6][6] = {
      // X, Y, IX, IY, OX, OY
      {0, 0, 0, 0, 0, 0},
      {11, -4.5f, 14.6f, -5.8f, 11, -4.5f},
      {13, -2, 10.7f, -1.4f, 15.25f, -2.55f},
      {2, 0, 2, 0, 2, 0},
      {13, 2, 15.25f, 2.55f, 10.7f, 1.4f},
      {11, 4.5f, 11, 4.5f, 14.6f, 5.8f},
  };
  for (int i = 0; i < 6; ++i) {
    l.X[i] = rows[i][0];
    l.Y[i] = rows[i][1];
    l.IX[i] = rows[i][2];
    l.IY[i] = rows[i][3];
    l.OX[i] = rows[i][4];
    l.OY[i] = rows[i][5];
  }
  return l;
}

HeadOutline Choose(int kind, bool arrowsOn, HeadSettings s = DefaultSettings(),
                   const BezierPointList& custom = DefaultCustomArrow()) {
  HeadOutline h{};
  EXPECT_TRUE(ChooseHeadOutline(kind, arrowsOn, s, custom, h));
  return h;
}

}  // namespace

TEST(NotchedArrowhead, AtFullSizeBarbsSitBehindTheTipAndTheLineStartsAtTheNotch) {
  HeadOutline h = Choose(1, true);
  auto head = PlaceHead(h, 100, 0, {0, 0});
  ASSERT_EQ(head.size(), 6u);
  const Point outline[6] = {{0, 0},         {4.890738f, 1.0395584f},  {8.5727577f, 2.602483f},
                            {7, 0},         {8.5727577f, -2.602483f}, {4.890738f, -1.0395584f}};
  for (int i = 0; i < 6; ++i) ExpectSharpAt(head[i], outline[i]);
  EXPECT_NEAR(head[2].p.y - head[4].p.y, 5.204966f, 1e-5);
  ExpectNear(LeaderLineStart({0, 0}, 0, h.HeadLength, 100), {7, 0});
  EXPECT_TRUE(h.HeadClosed);
  EXPECT_FALSE(h.HollowHead);
}

TEST(NotchedArrowhead, DoubleSizeDoublesEveryCoordinateAndThePullBack) {
  HeadOutline h = Choose(1, true);
  auto full = PlaceHead(h, 100, 0, {0, 0});
  auto twice = PlaceHead(h, 200, 0, {0, 0});
  ASSERT_EQ(twice.size(), full.size());
  for (size_t i = 0; i < full.size(); ++i)
    ExpectNear(twice[i], {Scale(full[i].p, 2), Scale(full[i].in, 2), Scale(full[i].out, 2)});
  ExpectNear(LeaderLineStart({0, 0}, 0, h.HeadLength, 200), {14, 0});
}

TEST(PlacedHead, TurnsAboutTheTipAndFollowsTheLeaderAngle) {
  HeadOutline h = Choose(1, true);
  auto head = PlaceHead(h, 100, kPi / 2, {10, 20});
  ASSERT_EQ(head.size(), 6u);
  ExpectSharpAt(head[0], {10, 20});
  ExpectSharpAt(head[3], {10, 27});  // the notch, 7 along the line
  ExpectSharpAt(head[2], {10 - 2.602483f, 20 + 8.5727577f});  // upper barb turns left
  ExpectNear(LeaderLineStart({10, 20}, kPi / 2, h.HeadLength, 100), {10, 27});
}

TEST(PlacedHead, NothingIsDrawnOrPulledBackAtZeroSize) {
  HeadOutline h = Choose(1, true);
  EXPECT_TRUE(PlaceHead(h, 0, 0, {1, 2}).empty());
  EXPECT_TRUE(PlaceHead(h, -50, 0, {1, 2}).empty());
  EXPECT_TRUE(PlaceHead(h, kNaN, 0, {1, 2}).empty());
  ExpectNear(LeaderLineStart({1, 2}, 0.5f, h.HeadLength, 0), {1, 2});
  ExpectNear(LeaderLineStart({1, 2}, 0.5f, h.HeadLength, -10), {1, 2});
}

TEST(PlacedHead, GarbageCountInTheStateBlockDrawsNothing) {
  HeadOutline h = Choose(1, true);
  for (int8_t bad : {int8_t{0}, int8_t{-3}, int8_t{21}, int8_t{127}}) {
    h.count = bad;
    EXPECT_TRUE(PlaceHead(h, 100, 0, {0, 0}).empty()) << int(bad);
  }
}

TEST(BarbedArrowheads, DefaultAngleGivesTheStatedSpread) {
  HeadOutline v = Choose(2, true);
  HeadOutline t = Choose(3, true);
  EXPECT_NEAR(v.Y[0], 2.7515761f, 1e-5);
  EXPECT_NEAR(t.Y[2], -2.7515761f, 1e-5);
  EXPECT_FALSE(v.HeadClosed);
  EXPECT_TRUE(v.HollowHead);
  EXPECT_EQ(v.HeadLength, 0);
  EXPECT_TRUE(t.HeadClosed);
  EXPECT_TRUE(t.HollowHead);
  EXPECT_EQ(t.HeadLength, 9);
  HeadSettings solid = DefaultSettings();
  solid.hollowTriangle = false;
  EXPECT_FALSE(Choose(3, true, solid).HollowHead);
}

TEST(BarbedArrowheads, ZeroAngleFoldsTheOpenVOntoItself) {
  HeadSettings s = DefaultSettings();
  s.openAngleDegrees = 0;
  HeadOutline v = Choose(2, true, s);
  EXPECT_EQ(v.Y[0], 0);
  EXPECT_EQ(v.X[0], v.X[2]);
  EXPECT_EQ(v.Y[0], v.Y[2]);
}

TEST(BarbedArrowheads, RightOrWildAnglesNeverGiveInfiniteBarbs) {
  const float at89 = 9 * std::tan(89 * kPi / 180);
  for (float angle : {90.0f, 120.0f, 1e30f}) {
    const float spread = BarbHalfSpread(angle);
    EXPECT_TRUE(std::isfinite(spread)) << angle;
    EXPECT_NEAR(spread, at89, 0.05f) << angle;
  }
  EXPECT_NEAR(BarbHalfSpread(-17), -2.7515761f, 1e-5);  // the same V, mirrored
  EXPECT_NEAR(BarbHalfSpread(-120), -at89, 0.05f);
  EXPECT_NEAR(BarbHalfSpread(kNaN), 2.7515761f, 1e-5);  // unreadable: the default
  EXPECT_NEAR(BarbHalfSpread(std::numeric_limits<float>::infinity()), 2.7515761f, 1e-5);
  EXPECT_NEAR(BarbHalfSpread(45), 9, 1e-5);  // within range: unchanged

  HeadSettings s = DefaultSettings();
  s.triangleAngleDegrees = 90;
  auto head = PlaceHead(Choose(3, true, s), 100, 0.3f, {5, 5});
  ASSERT_EQ(head.size(), 3u);
  for (const Anchor& a : head) EXPECT_TRUE(IsFinite(a));
}

TEST(Points, DotIsACircleOfRadiusTwoAndAHalf) {
  HeadOutline dot = Choose(1, false);
  ASSERT_EQ(dot.count, 4);
  auto d = PlaceHead(dot, 100, 0, {0, 0});
  ExpectNear(d[0], {{-2.5f, 0}, {-2.5f, -kDotHandle}, {-2.5f, kDotHandle}});
  ExpectNear(d[3], {{0, -2.5f}, {kDotHandle, -2.5f}, {-kDotHandle, -2.5f}});
  EXPECT_FALSE(dot.HollowHead);
  EXPECT_TRUE(Choose(2, false).HollowHead);
  EXPECT_EQ(dot.HeadLength, 2.5f);

  HeadOutline square = Choose(4, false);
  EXPECT_TRUE(square.HollowHead);
  EXPECT_FALSE(Choose(3, false).HollowHead);
  auto sq = PlaceHead(square, 100, 0, {0, 0});
  ASSERT_EQ(sq.size(), 4u);
  const Point corners[4] = {{-2.5f, -2.5f}, {2.5f, -2.5f}, {2.5f, 2.5f}, {-2.5f, 2.5f}};
  for (int i = 0; i < 4; ++i) ExpectSharpAt(sq[i], corners[i]);
}

TEST(Points, TipIsFoundAgainAtTheCentreOfTheDotOrSquare) {
  for (int kind = 1; kind <= 4; ++kind) {
    ASSERT_EQ(TagForHead(false, kind), HeadTag::Point);
    auto head = PlaceHead(Choose(kind, false), 150, 2.1f, {30, 40});
    Point tip{};
    ASSERT_TRUE(FindTip(head, HeadTag::Point, tip));
    ExpectNear(tip, {30, 40});
  }
}

TEST(CustomArrow, EditorInHandleBecomesThePathsOutHandle) {
  HeadOutline h = Choose(4, true);
  ASSERT_EQ(h.count, 6);
  EXPECT_EQ(h.OutX[1], 14.6f);
  EXPECT_EQ(h.OutY[1], -5.8f);
  EXPECT_EQ(h.InX[2], 15.25f);
  EXPECT_EQ(h.InY[2], -2.55f);
  EXPECT_TRUE(h.HeadClosed);
  EXPECT_FALSE(h.HollowHead);
  EXPECT_EQ(h.HeadLength, 2);
  EXPECT_EQ(h.X[6], 0);  // entries beyond the count are cleared
}

TEST(CustomArrow, OffsetTipIsDrawnOffsetAndFoundAgainAtAnchorZero) {
  BezierPointList l = DefaultCustomArrow();
  for (int i = 0; i < 6; ++i) {
    l.X[i] += 3; l.IX[i] += 3; l.OX[i] += 3;
    l.Y[i] += 1; l.IY[i] += 1; l.OY[i] += 1;
  }
  auto head = PlaceHead(Choose(4, true, DefaultSettings(), l), 100, 0, {50, 60});
  ASSERT_EQ(TagForHead(true, 4), HeadTag::Arrow);
  Point tip{};
  ASSERT_TRUE(FindTip(head, HeadTag::Arrow, tip));
  ExpectNear(tip, {53, 61});
}

TEST(ChoosingOutline, InvalidRequestsLeaveTheOutlineInForce) {
  HeadOutline before;
  std::memset(&before, 0x5A, sizeof before);
  HeadOutline h = before;
  const BezierPointList custom = DefaultCustomArrow();
  EXPECT_FALSE(ChooseHeadOutline(0, true, DefaultSettings(), custom, h));
  EXPECT_FALSE(ChooseHeadOutline(5, false, DefaultSettings(), custom, h));
  for (int n : {-1, 1, 21}) {
    HeadSettings s = DefaultSettings();
    s.customCount = n;
    EXPECT_FALSE(ChooseHeadOutline(4, true, s, custom, h)) << n;
  }
  BezierPointList nan = custom;
  nan.OY[5] = kNaN;
  EXPECT_FALSE(ChooseHeadOutline(4, true, DefaultSettings(), nan, h));
  EXPECT_EQ(std::memcmp(&h, &before, sizeof h), 0);
}

TEST(HeadTags, OnlyPointsAndTheNotchedOrCustomArrowsAreTagged) {
  EXPECT_EQ(TagForHead(true, 1), HeadTag::Arrow);
  EXPECT_EQ(TagForHead(true, 2), HeadTag::None);
  EXPECT_EQ(TagForHead(true, 3), HeadTag::None);
  EXPECT_STREQ(HeadTagName(HeadTag::Point), "FlPo");
  EXPECT_STREQ(HeadTagName(HeadTag::Arrow), "FlEl");
  EXPECT_EQ(HeadTagName(HeadTag::None), nullptr);

  // An untagged V has its tip in the middle.
  auto v = PlaceHead(Choose(2, true), 100, 1, {7, 8});
  Point tip{};
  ASSERT_TRUE(FindTip(v, HeadTag::None, tip));
  ExpectNear(tip, {7, 8});
}

TEST(HeadTags, TooFewAnchorsReportFailureWithoutReading) {
  const Anchor two[2] = {Sharp(1, 1), Sharp(2, 2)};
  Point tip{9, 9};
  EXPECT_FALSE(FindTip(std::span<const Anchor>(two, 2), HeadTag::Point, tip));
  EXPECT_FALSE(FindTip(std::span<const Anchor>(two, 1), HeadTag::None, tip));
  EXPECT_FALSE(FindTip({}, HeadTag::Arrow, tip));
  ExpectNear(tip, {9, 9});
}
