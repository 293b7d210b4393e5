// The label tool against art changed behind its back: deleted parts of the
// pending label, and finished labels whose structure is not what the tool
// draws. Nothing may be written to a dead handle or read out of range.
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "ToolSession.h"

namespace {

class LabelArtFaults : public ToolSessionTest {
 protected:
  // With `clickInEmptySpace` false a click must land on an object.
  void Start(bool clickInEmptySpace = true) {
    if (clickInEmptySpace) return ToolSessionTest::Start();
    ToolSessionTest::Start([](hostsim::PreferenceStore& p) { p.Put(kSection, "ClicDansVide", false); });
  }

  // Where each leader line of a label starts.
  std::vector<AIRealPoint> LineStarts(AIArtHandle label) {
    std::vector<AIRealPoint> starts;
    for (AIArtHandle line : Children(Named(label, "Lines"))) starts.push_back(Segments(line).at(0).p);
    return starts;
  }

  int DeadHandleWrites() { return host().document().deadHandleWrites; }

  std::vector<AIRealPoint> Points(AIArtHandle path) {
    std::vector<AIRealPoint> points;
    for (const AIPathSegment& s : Segments(path)) points.push_back(s.p);
    return points;
  }
  static bool Same(const std::vector<AIRealPoint>& a, const std::vector<AIRealPoint>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
      if (a[i].h != b[i].h || a[i].v != b[i].v) return false;
    return true;
  }

  // A click at (140, 130) on the finished label's leader line that cannot
  // take it up, dragged to (260, 200): a new label of its own, the finished
  // one untouched.
  void ExpectANewLabelBesideTheFinishedOne(const std::vector<AIRealPoint>& finishedLine) {
    EXPECT_EQ(Hover(140, 130), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDown, 140, 130), kNoErr);
    DragTo(260, 200);
    const std::vector<AIArtHandle> labels = Labels();
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_TRUE(Same(Points(Children(Named(labels[1], "Lines"))[0]), finishedLine)) << "the finished label changed";
    const std::vector<AIArtHandle> lines = Children(Named(labels[0], "Lines"));
    ASSERT_EQ(lines.size(), 1u);
    // 7 points from the click towards (260, 200): 120 across, 70 up.
    const AIRealPoint start = Points(lines[0]).at(0);
    const double d = std::hypot(120.0, 70.0);
    EXPECT_NEAR(start.h, 140 + 7 * 120 / d, 1e-3);
    EXPECT_NEAR(start.v, 130 + 7 * 70 / d, 1e-3);
  }
};

// Labels on their own layer: when the host cannot count the layers the
// labels' layer cannot be found, so the click is refused with the host's
// code rather than making a second labels' layer; the next click works.
TEST_F(LabelArtFaults, AFailedLayerCountRefusesTheClickInsteadOfMakingASecondLabelsLayer) {
  ToolSessionTest::Start([](hostsim::PreferenceStore& p) { p.Put(kSection, "Calque", true); });
  DrawLabel(100, 100);
  const auto layerCount = [&] { return host().Dump()["layers"].size(); };
  ASSERT_EQ(layerCount(), 2u) << "the labels' layer was not made";
  host().faults().Add(hostsim::FaultRule::Of(kAILayerSuite, "CountLayers"));
  EXPECT_EQ(Hover(300, 300), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 300, 300), kInjectedFailureErr);
  EXPECT_EQ(layerCount(), 2u) << "a second labels' layer was made";
  DrawLabel(300, 300);
  EXPECT_EQ(layerCount(), 2u);
  EXPECT_EQ(Labels().size(), 2u);
}

}  // namespace

TEST_F(LabelArtFaults, DeletedPendingLabelIsNotWrittenToAndTheNextLabelDrawsNormally) {
  Start();
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 100, 100), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
  ASSERT_EQ(Labels().size(), 1u);
  ASSERT_EQ(art_->DisposeArt(Labels()[0]), kNoErr);

  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 200, 170), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 200, 170), kNoErr);
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(DeadHandleWrites(), 0) << "the plug-in changed art through a deleted handle";

  DrawLabel(300, 300);
  ASSERT_EQ(Labels().size(), 1u);
  EXPECT_NE(Named(Labels()[0], "Lines"), nullptr);
  EXPECT_EQ(DeadHandleWrites(), 0);
}

// Each part of a pending label of two leader lines deleted between two drag
// messages: the rest of the drag and the release change nothing through the
// deleted handles.
TEST_F(LabelArtFaults, NoPartOfAPendingLabelIsWrittenToOnceDeleted) {
  struct Case {
    const char* part;
    std::function<AIArtHandle(AIArtHandle)> find;
  };
  const auto lines = [this](AIArtHandle label) { return Children(Named(label, "Lines")); };
  const auto heads = [this](AIArtHandle label) { return Children(Named(label, "Arrows")); };
  const std::vector<Case> cases = {
      {"second leader line", [&](AIArtHandle label) { return lines(label)[1]; }},
      {"Lines group", [this](AIArtHandle label) { return Named(label, "Lines"); }},
      {"first head", [&](AIArtHandle label) { return heads(label)[0]; }},
      {"second head", [&](AIArtHandle label) { return heads(label)[1]; }},
      {"Arrows group", [this](AIArtHandle label) { return Named(label, "Arrows"); }},
      {"text", [this](AIArtHandle label) { return Children(label).front(); }},
      {"shape", [this](AIArtHandle label) { return Children(label).back(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.part);
    Start();
    Press(100, 100);
    Press(120, 90);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
    ASSERT_EQ(Labels().size(), 1u);
    ASSERT_EQ(art_->DisposeArt(c.find(Labels()[0])), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 220, 160), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 230, 170), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseUp, 230, 170), kNoErr);
    EXPECT_EQ(DeadHandleWrites(), 0) << "the plug-in changed art through a deleted handle";
    CloseHost();
  }
}

TEST_F(LabelArtFaults, LabelWithoutArrowsGroupIsNotTakenUpButStartsANewLabel) {
  Start();
  DrawLabel(100, 100);
  ASSERT_EQ(Labels().size(), 1u);
  ASSERT_EQ(art_->DisposeArt(Named(Labels()[0], "Arrows")), kNoErr);
  ExpectANewLabelBesideTheFinishedOne(Points(Children(Named(Labels()[0], "Lines"))[0]));
}

TEST_F(LabelArtFaults, ArrowheadWithTooFewAnchorsForItsTagStartsANewLabel) {
  Start();
  DrawLabel(100, 100);
  AIArtHandle arrows = Named(Labels()[0], "Arrows");
  ASSERT_EQ(Children(arrows).size(), 1u);
  AIArtHandle head = Children(arrows)[0];
  // A dot's tip lies between anchors 0 and 2: two anchors cannot hold it.
  ASSERT_EQ(tags_->RemoveTag(head, "FlEl"), kNoErr);
  ASSERT_EQ(tags_->SetTag(head, "FlPo", "string", "jj"), kNoErr);
  ASSERT_EQ(paths_->SetPathSegmentCount(head, 2), kNoErr);
  ExpectANewLabelBesideTheFinishedOne(Points(Children(Named(Labels()[0], "Lines"))[0]));
}

// Without its main leader line, or its "Lines" group, a pending label cannot
// be drawn: the drag goes on but moves nothing of it.
TEST_F(LabelArtFaults, DeletedMainLeaderLineLeavesTheRestOfTheLabelWhereItWas) {
  for (bool wholeGroup : {false, true}) {
    SCOPED_TRACE(wholeGroup ? "Lines group" : "main leader line");
    Start();
    Press(100, 100);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
    const AIArtHandle label = Labels().at(0);
    const std::vector<AIRealPoint> shape = Points(Children(label).back());
    const std::vector<AIRealPoint> head = Points(Children(Named(label, "Arrows")).at(0));
    const AIArtHandle lines = Named(label, "Lines");
    ASSERT_EQ(art_->DisposeArt(wholeGroup ? lines : Children(lines).at(0)), kNoErr);
    DragTo(260, 220);
    EXPECT_TRUE(Same(Points(Children(label).back()), shape)) << "the shape moved";
    EXPECT_TRUE(Same(Points(Children(Named(label, "Arrows")).at(0)), head)) << "the head moved";
    EXPECT_EQ(DeadHandleWrites(), 0);
    CloseHost();
  }
}

TEST_F(LabelArtFaults, WellFormedLabelIsTakenUpNotDuplicated) {
  Start();
  DrawLabel(100, 100);
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 60, 200), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 60, 200), kNoErr);
  EXPECT_EQ(Labels().size(), 1u);
}

TEST_F(LabelArtFaults, RefusedClickAfterATakeUpKeepsTheFinishedLabel) {
  Start(false);
  AddFilledRectangle(50, 50, 120, 120);
  DrawLabel(100, 100);  // inside the rectangle: allowed
  ASSERT_EQ(Labels().size(), 2u);  // the label above the rectangle
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 140, 130), kNoErr);  // takes it up
  // Empty space is refused; the label taken up must survive.
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 500, 600), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 500, 600), kNoErr);
  ASSERT_EQ(Labels().size(), 2u);
  EXPECT_EQ(Children(Named(Labels()[0], "Lines")).size(), 1u);
}

TEST_F(LabelArtFaults, LineAddedToATakenUpLabelKeepsTheOldMainTip) {
  Start();
  DrawLabel(100, 100);
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 140, 130), kNoErr);  // take up, no drag
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 300, 100), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 300, 100), kNoErr);  // one more leader line
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 220, 260), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 220, 260), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 220, 260), kNoErr);
  ASSERT_EQ(Labels().size(), 1u);
  const std::vector<AIRealPoint> starts = LineStarts(Labels()[0]);
  ASSERT_EQ(starts.size(), 2u);
  // Each line starts 7 points (the head's length) from its tip.
  const auto near = [](AIRealPoint p, float x, float y) { return std::hypot(p.h - x, p.v - y) < 7.5f; };
  EXPECT_TRUE(near(starts[0], 300, 100) || near(starts[1], 300, 100));
  EXPECT_TRUE(near(starts[0], 100, 100) || near(starts[1], 100, 100));
}

// A host that cannot make the label's groups ends the click with its own
// code and nothing made; the next click draws normally.
TEST_F(LabelArtFaults, AGroupTheHostCannotMakeEndsTheClickWithTheHostsCode) {
  Start();
  host().faults().Add(hostsim::FaultRule::Of(kAIArtSuite, "NewArt").Onward());
  EXPECT_EQ(Hover(100, 100), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 100, 100), kInjectedFailureErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 180, 160), kNoErr);
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(DeadHandleWrites(), 0);

  host().faults().ClearRules();
  DrawLabel(300, 300);
  ASSERT_EQ(Labels().size(), 1u);
  EXPECT_EQ(Points(Children(Named(Labels()[0], "Lines")).at(0)).size(), 3u);
}

// The text is written once the shape is: a shape the host refuses leaves
// the text empty, and the drag reports the host's code.
TEST_F(LabelArtFaults, AShapeTheHostRefusesIsReportedAndItsTextWaits) {
  const std::pair<const char*, const char*> refusals[] = {{kAIPathStyleSuite, "SetPathStyle"},
                                                         {kAIPathSuite, "SetPathSegments"}};
  for (const auto& [suite, op] : refusals) {
    SCOPED_TRACE(op);
    Start();
    DrawLabel(100, 100);  // the label before is built, text and all
    host().faults().Add(hostsim::FaultRule::Of(suite, op).Onward());
    Press(300, 300);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 380, 360), kInjectedFailureErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 380, 360), kInjectedFailureErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseUp, 380, 360), kNoErr);
    const nlohmann::json labels = host().Dump()["layers"][0]["art"];
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0]["children"][0]["text"], "") << "the text was written without its shape";
    EXPECT_EQ(labels[1]["children"][0]["text"], "1");
    CloseHost();
  }
}

TEST_F(LabelArtFaults, CursorThatIsNotFiniteIsIgnored) {
  Start();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, inf, 5), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, inf, 5), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, std::nanf(""), 5), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 0, 0), kNoErr);
  EXPECT_TRUE(Labels().empty());
}
