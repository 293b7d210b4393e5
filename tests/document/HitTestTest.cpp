#include "DocumentFixture.h"

namespace doctest {
namespace {

class HitTesting : public DocumentTest {};

TEST_F(HitTesting, AnchorWithinToleranceIsAnAnchorHit) {
  AIArtHandle line = NewPath(LayerGroup(), {{0, 0}, {100, 0}, {100, 100}});
  const Hit h = HitAt(101.5, 1, 2);
  ASSERT_TRUE(h.hit);
  EXPECT_EQ(h.data.object, line);
  EXPECT_EQ(h.data.type, kAnchorHitType);
  EXPECT_EQ(h.data.segment, 1);
  EXPECT_FLOAT_EQ(h.data.point.h, 100);
  EXPECT_FLOAT_EQ(h.data.point.v, 0);
}

TEST_F(HitTesting, SegmentHitNamesTheAnchorEndingItAndThePointOnThePath) {
  AIArtHandle line = NewPath(LayerGroup(), {{0, 0}, {100, 0}, {100, 100}});
  const Hit h = HitAt(101, 40, 3);
  ASSERT_TRUE(h.hit);
  EXPECT_EQ(h.data.object, line);
  EXPECT_EQ(h.data.type, kSegmentHitType);
  EXPECT_EQ(h.data.segment, 2);  // the segment from anchor 1 to anchor 2
  EXPECT_NEAR(h.data.point.h, 100, 1e-3);
  EXPECT_NEAR(h.data.point.v, 40, 1e-3);
  // t is the cubic's own parameter: evaluating the segment at t gives the point.
  const AIRealBezier segment{{100, 0}, {100, 0}, {100, 100}, {100, 100}};
  AIRealPoint at{};
  ASSERT_EQ(bezier->Evaluate(&segment, h.data.t, &at), kNoErr);
  EXPECT_NEAR(at.v, 40, 1e-3);
}

TEST_F(HitTesting, ClosingSegmentOfAClosedPathEndsAtAnchorZero) {
  NewPath(LayerGroup(), {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
  const Hit h = HitAt(-1, 50, 2);
  ASSERT_TRUE(h.hit);
  EXPECT_EQ(h.data.type, kSegmentHitType);
  EXPECT_EQ(h.data.segment, 0);
}

TEST_F(HitTesting, PointOnACurvedSegmentLiesOnTheCurve) {
  AIArtHandle p = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, LayerGroup(), &p), kNoErr);
  // A quarter-circle-like arc from (100, 0) to (0, 100) around the origin.
  const AIPathSegment segs[2] = {{{100, 0}, {100, 0}, {100, 55.22848f}, false},
                                 {{0, 100}, {55.22848f, 100}, {0, 100}, false}};
  ASSERT_EQ(path->SetPathSegmentCount(p, 2), kNoErr);
  ASSERT_EQ(path->SetPathSegments(p, 0, 2, segs), kNoErr);
  const Hit h = HitAt(72, 72, 2);  // just outside the arc (radius 100 at 45 degrees is 70.71)
  ASSERT_TRUE(h.hit);
  EXPECT_EQ(h.data.type, kSegmentHitType);
  EXPECT_EQ(h.data.segment, 1);
  EXPECT_NEAR(std::hypot(h.data.point.h, h.data.point.v), 100, 0.05);
  EXPECT_NEAR(h.data.point.h, h.data.point.v, 0.05);
  EXPECT_NEAR(h.data.t, 0.5, 1e-3);
}

TEST_F(HitTesting, InsideOfAFilledClosedPathIsAFillHitButNotOfAnUnfilledOne) {
  AIArtHandle filled = NewPath(LayerGroup(), {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true, true);
  NewPath(LayerGroup(), {{200, 0}, {300, 0}, {300, 100}, {200, 100}}, true, false);
  const Hit in = HitAt(50, 50, 2);
  ASSERT_TRUE(in.hit);
  EXPECT_EQ(in.data.type, kFillHitType);
  EXPECT_EQ(in.data.object, filled);
  EXPECT_FALSE(HitAt(250, 50, 2).hit);
  EXPECT_FALSE(HitAt(150, 50, 2).hit);
}

TEST_F(HitTesting, ToleranceDecidesBetweenHitAndMiss) {
  NewPath(LayerGroup(), {{0, 0}, {100, 0}});
  EXPECT_TRUE(HitAt(50, 2.9, 3).hit);
  EXPECT_FALSE(HitAt(50, 3.1, 3).hit);
  EXPECT_FALSE(HitAt(50, 0.5, 0.1).hit);
}

TEST_F(HitTesting, HiddenLockedAndGuideArtAndHiddenOrLockedLayersAreNotHit) {
  AIArtHandle hidden = NewPath(LayerGroup(), {{0, 0}, {100, 0}});
  ASSERT_EQ(art->SetArtUserAttr(hidden, kArtHidden, kArtHidden), kNoErr);
  EXPECT_FALSE(HitAt(50, 0, 2).hit);

  AIArtHandle group = NewGroup(LayerGroup());
  NewPath(group, {{0, 10}, {100, 10}});
  ASSERT_EQ(art->SetArtUserAttr(group, kArtLocked, kArtLocked), kNoErr);
  EXPECT_FALSE(HitAt(50, 10, 2).hit);
  EXPECT_FALSE(HitAt(50, 10, 2, Children(group)[0]).hit) << "art inside a locked group is locked";

  AIArtHandle onLayer = NewPath(LayerGroup(), {{0, 20}, {100, 20}});
  EXPECT_TRUE(HitAt(50, 20, 2).hit);
  AILayerHandle layer = nullptr;
  ASSERT_EQ(art->GetLayerOfArt(onLayer, &layer), kNoErr);
  ASSERT_EQ(layers->SetLayerVisible(layer, false), kNoErr);
  EXPECT_FALSE(HitAt(50, 20, 2).hit);
  ASSERT_EQ(layers->SetLayerVisible(layer, true), kNoErr);
  ASSERT_EQ(layers->SetLayerEditable(layer, false), kNoErr);
  EXPECT_FALSE(HitAt(50, 20, 2).hit);
}

TEST_F(HitTesting, TopMostArtWinsAcrossGroupsAndLayers) {
  AIArtHandle bottom = NewPath(LayerGroup(), {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true, true);
  AIArtHandle top = NewPath(LayerGroup(), {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true, true);
  EXPECT_EQ(HitAt(50, 50, 1).data.object, top);
  EXPECT_EQ(HitAt(50, 50, 1, bottom).data.object, bottom) << "a hit test of one art ignores the others";

  AILayerHandle upper = nullptr;
  ASSERT_EQ(layers->InsertLayer(nullptr, kPlaceAboveAll, &upper), kNoErr);
  AIArtHandle upperGroup = nullptr;
  ASSERT_EQ(art->GetFirstArtOfLayer(upper, &upperGroup), kNoErr);
  AIArtHandle onUpper = NewPath(upperGroup, {{0, 50}, {100, 50}});
  const Hit h = HitAt(50, 50, 1);
  EXPECT_EQ(h.data.object, onUpper);
  EXPECT_EQ(h.data.type, kSegmentHitType);
}

TEST_F(HitTesting, TextIsHitWithinItsBounds) {
  AIArtHandle text = nullptr;
  ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, LayerGroup(), kHorizontalTextOrientation, {10, 10}, &text), kNoErr);
  ATETextRangeRef range = nullptr;
  ASSERT_EQ(frames->GetATETextRange(text, &range), kNoErr);
  ASSERT_EQ(ranges->InsertAfter_AsChar(range, "Hello", 5), kNoErr);
  ASSERT_EQ(ranges->Release(range), kNoErr);
  const Hit h = HitAt(20, 14, 0);
  ASSERT_TRUE(h.hit);
  EXPECT_EQ(h.data.type, kTextHitType);
  EXPECT_EQ(h.data.object, text);
  EXPECT_FALSE(HitAt(5, 14, 0).hit);
}

TEST_F(HitTesting, BadArgumentsAndReleasedRefsGiveErrors) {
  const AIRealPoint p{0, 0};
  AIHitRef ref = nullptr;
  EXPECT_EQ(hits->HitTestEx(nullptr, &p, -1, 0, &ref), kBadParameterErr);
  EXPECT_EQ(hits->HitTestEx(nullptr, &p, NAN, 0, &ref), kBadParameterErr);
  EXPECT_EQ(hits->HitTestEx(reinterpret_cast<AIArtHandle>(0x1234), &p, 1, 0, &ref), kBadParameterErr);
  ASSERT_EQ(hits->HitTestEx(nullptr, &p, 1, 0, &ref), kNoErr);
  EXPECT_FALSE(hits->IsHit(ref));
  ASSERT_EQ(hits->Release(ref), kNoErr);
  AIToolHitData data{};
  EXPECT_EQ(hits->GetHitData(ref, &data), kBadParameterErr);
  EXPECT_EQ(hits->Release(ref), kBadParameterErr);
}

}  // namespace
}  // namespace doctest
