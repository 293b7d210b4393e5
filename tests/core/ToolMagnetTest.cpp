// The magnet over curved segments, which the runner cannot draw: a segment
// is straight only when both its handles lie on their anchors, and only a
// straight one lets Alt move the tip to its middle.
#include <string>
#include <vector>

#include "ToolSession.h"

namespace {

class ToolMagnet : public ToolSessionTest {
 protected:
  static AIPathSegment Anchor(AIRealPoint p, AIRealPoint in, AIRealPoint out) { return {p, in, out, false}; }

  // Press at `at` with Alt held through the drag; returns the tip the label
  // got (anchor 0 of its notched arrowhead).
  AIRealPoint AltDragFrom(float x, float y) {
    Press(x, y);
    HoldKey(VK_MENU);
    DragTo(x + 50, y + 150);
    ReleaseKey(VK_MENU);
    const std::vector<AIArtHandle> labels = Labels();
    EXPECT_FALSE(labels.empty());
    if (labels.empty()) return {0, 0};
    const std::vector<AIArtHandle> heads = Children(Named(labels.front(), "Arrows"));
    EXPECT_FALSE(heads.empty());
    return heads.empty() ? AIRealPoint{0, 0} : Segments(heads[0]).at(0).p;
  }

  int CursorAfterHover(float x, float y) {
    EXPECT_EQ(Hover(x, y), kNoErr);
    const std::vector<int> cursors = Cursors();
    return cursors.empty() ? 0 : cursors.back();
  }
};

constexpr int kCurveCursor = 17009;
constexpr int kStraightCursor = 19001;
constexpr int kSquareCursor = 17001;  // the default shape, when nothing is under the cursor

// Every segment below runs from (100, 100) to (300, 100); at t = 0.5 a cubic
// is at 1/8 of each end plus 3/8 of each handle.
struct Segment {
  const char* what;
  AIRealPoint out0, in1;  // anchor 0's out handle, anchor 1's in handle
  AIRealPoint middle;     // the point at t = 0.5
};
const Segment kCurves[] = {
    {"both handles out", {100, 200}, {300, 200}, {200, 175}},
    {"first handle on its anchor", {100, 100}, {300, 200}, {200, 137.5f}},
    {"second handle on its anchor", {100, 200}, {300, 100}, {200, 137.5f}},
};

}  // namespace

TEST_F(ToolMagnet, ACurvedSegmentSnapsAsACurveAndAltLeavesTheTipWhereTheClickHitIt) {
  for (const Segment& c : kCurves) {
    SCOPED_TRACE(c.what);
    Start();
    AddPath({Anchor({100, 100}, {100, 100}, c.out0), Anchor({300, 100}, c.in1, {300, 100})}, false);
    EXPECT_EQ(CursorAfterHover(c.middle.h, c.middle.v), kCurveCursor);
    const AIRealPoint tip = AltDragFrom(c.middle.h, c.middle.v);
    EXPECT_NEAR(tip.h, c.middle.h, 1e-3);
    EXPECT_NEAR(tip.v, c.middle.v, 1e-3) << "the tip went to the middle of the anchors";
    EXPECT_EQ(Beeps(), std::vector<int>{9001});
    CloseHost();
  }
}

// With both handles on their anchors the segment's point at t is
// 100 + 200 (3t^2 - 2t^3) along x: 131.25 at t = 0.25.
TEST_F(ToolMagnet, AStraightSegmentSnapsAsStraightAndAltMovesTheTipToItsMiddle) {
  Start();
  AddPath({Corner(100, 100), Corner(300, 100)}, false);
  EXPECT_EQ(CursorAfterHover(131.25f, 100.5f), kStraightCursor);
  const AIRealPoint tip = AltDragFrom(131.25f, 100.5f);
  EXPECT_NEAR(tip.h, 200, 1e-3);
  EXPECT_NEAR(tip.v, 100, 1e-3);
}

// A segment is reached within one document unit whatever the zoom and the
// magnet distance (which only concerns anchors).
TEST_F(ToolMagnet, ASegmentIsReachedWithinOneDocumentUnitAtAnyZoom) {
  Start([](hostsim::PreferenceStore& p) { p.Put(kSection, "Tolerance", int32_t{3}); });
  AddPath({Corner(100, 100), Corner(500, 100)}, false);
  for (double zoom : {4.0, 0.25}) {
    SCOPED_TRACE("zoom " + std::to_string(zoom));
    host().document().zoom = zoom;
    EXPECT_EQ(CursorAfterHover(300, 100.6f), kStraightCursor);
    EXPECT_EQ(CursorAfterHover(300, 101.5f), kSquareCursor);
  }
}

// Zoomed in twice, the magnet reaches 4 points from an anchor but a segment
// still within one: 0.5 above the segment and 5.6 from its first anchor the
// cursor finds the segment, while the click's hit test (8 points) finds the
// anchor. Alt then centres the tip on the segment the magnet found.
TEST_F(ToolMagnet, AltCentresTheTipOnTheMagnetsSegmentWhenTheClickHitsItsAnchor) {
  Start();
  host().document().zoom = 2;
  AddPath({Corner(100, 100), Corner(300, 100)}, false);
  // At t = 0.1 the segment is at 100 + 200 (0.03 - 0.002) = 105.6.
  EXPECT_EQ(CursorAfterHover(105.6f, 100.5f), kStraightCursor);
  const AIRealPoint tip = AltDragFrom(105.6f, 100.5f);
  EXPECT_NEAR(tip.h, 200, 1e-3);
  EXPECT_NEAR(tip.v, 100, 1e-3);
}

// The walk along a segment stops short of its end (t < 1): near the end
// anchor only the anchor's own test, with the magnet distance, applies. This
// segment runs fast at its end: at t = 0.99 it is still 6 points short.
TEST_F(ToolMagnet, TheSegmentWalkStopsShortOfTheEndAnchor) {
  Start([](hostsim::PreferenceStore& p) { p.Put(kSection, "Tolerance", int32_t{1}); });
  host().document().zoom = 2;  // the magnet distance is 0.5
  AddPath({Anchor({100, 100}, {100, 100}, {100, 100}), Anchor({300, 100}, {100, 100}, {300, 100})}, false);
  EXPECT_EQ(CursorAfterHover(300.6f, 100), kSquareCursor);
}

// Over a finished label's leader line the take-up cursor stays: nothing
// after it replaces it.
TEST_F(ToolMagnet, OverALabelsLeaderLineTheTakeUpCursorStays) {
  Start();
  DrawLabel(100, 100);  // its leader line runs from the tip to (180, 160)
  EXPECT_EQ(CursorAfterHover(140, 130), 20007);
}
