// The label tool against art changed behind its back: deleted parts of the
// pending label, and finished labels whose structure is not what the tool
// draws. Nothing may be written to a dead handle or read out of range.
#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

#include "PluginHost.h"
#include "host/AllSuites.h"
#include "hostsim/document/Document.h"

namespace {

class LabelArtFaults : public PluginHostTest {
 protected:
  // With `clickInEmptySpace` false a click must land on an object.
  void Start(bool clickInEmptySpace = true) {
    if (!clickInEmptySpace) {
      FirstStart();
      OpenHost();
      ASSERT_EQ(prefs().Put(kSection, "ClicDansVide", false), kNoErr);
    }
    auto& h = clickInEmptySpace ? OpenHost() : host();
    ASSERT_EQ(h.Launch(), kNoErr);
    ASSERT_EQ(h.SelectTool(true), kNoErr);
    art_ = h.suites().AcquireTable<AIArtSuite>(kAIArtSuite, kAIArtSuiteVersion);
    layers_ = h.suites().AcquireTable<AILayerSuite>(kAILayerSuite, kAILayerSuiteVersion);
    paths_ = h.suites().AcquireTable<AIPathSuite>(kAIPathSuite, kAIPathSuiteVersion);
    tags_ = h.suites().AcquireTable<AITagSuite>(kAITagSuite, kAITagSuiteVersion);
    ASSERT_TRUE(art_ && layers_ && paths_ && tags_);
  }

  ASErr Send(const char* selector, float x, float y) { return host().SendTool(selector, AIRealPoint{x, y}); }

  // Click, drag twice and release: one finished label.
  void DrawLabel(float x, float y) {
    EXPECT_EQ(Send(kSelectorAITrackToolCursor, x, y), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDown, x, y), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, x + 80, y + 60), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseDrag, x + 80, y + 60), kNoErr);
    EXPECT_EQ(Send(kSelectorAIToolMouseUp, x + 80, y + 60), kNoErr);
  }

  std::vector<AIArtHandle> Children(AIArtHandle group) {
    std::vector<AIArtHandle> out;
    AIArtHandle child = nullptr;
    art_->GetArtFirstChild(group, &child);
    while (child != nullptr) {
      out.push_back(child);
      art_->GetArtSibling(child, &child);
    }
    return out;
  }

  // Label groups of the top layer, top first.
  std::vector<AIArtHandle> Labels() {
    AILayerHandle layer = nullptr;
    AIArtHandle top = nullptr;
    layers_->GetNthLayer(0, &layer);
    art_->GetFirstArtOfLayer(layer, &top);
    return Children(top);
  }

  AIArtHandle Named(AIArtHandle group, const char* name) {
    for (AIArtHandle child : Children(group)) {
      char buffer[64] = {};
      ASBoolean isDefault = false;
      art_->GetArtName(child, buffer, sizeof buffer, &isDefault);
      if (std::string(buffer) == name) return child;
    }
    return nullptr;
  }

  // A filled rectangle in the drawing, below the labels.
  void AddFilledRectangle(float x, float y, float w, float h) {
    hostsim::Document& doc = host().document();
    hostsim::ObjectId id = 0;
    ASSERT_EQ(doc.NewArt(hostsim::ArtKind::Path, kPlaceBelowAll, 0, &id), kNoErr);
    hostsim::Art& rect = *doc.FindArt(id);
    const auto corner = [](float px, float py) { return AIPathSegment{{px, py}, {px, py}, {px, py}, true}; };
    rect.path.segments = {corner(x, y), corner(x + w, y), corner(x + w, y + h), corner(x, y + h)};
    rect.path.closed = true;
    rect.path.style = hostsim::DefaultPathStyle();
    rect.path.style.fillPaint = true;
    rect.path.style.fill.color = hostsim::GrayColor(0.5);
  }

  // Where each leader line of a label starts.
  std::vector<AIRealPoint> LineStarts(AIArtHandle label) {
    std::vector<AIRealPoint> starts;
    for (AIArtHandle line : Children(Named(label, "Lines"))) {
      AIPathSegment first{};
      paths_->GetPathSegments(line, 0, 1, &first);
      starts.push_back(first.p);
    }
    return starts;
  }

  const AIArtSuite* art_ = nullptr;
  const AILayerSuite* layers_ = nullptr;
  const AIPathSuite* paths_ = nullptr;
  const AITagSuite* tags_ = nullptr;
};

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

  DrawLabel(300, 300);
  ASSERT_EQ(Labels().size(), 1u);
  EXPECT_NE(Named(Labels()[0], "Lines"), nullptr);
}

TEST_F(LabelArtFaults, DeletedLeaderLineStopsTheRebuildCleanly) {
  Start();
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 100, 100), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 120, 90), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 180, 160), kNoErr);
  AIArtHandle lines = Named(Labels()[0], "Lines");
  ASSERT_EQ(Children(lines).size(), 2u);
  ASSERT_EQ(art_->DisposeArt(Children(lines)[1]), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 220, 160), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 220, 160), kNoErr);
}

TEST_F(LabelArtFaults, LabelWithoutArrowsGroupIsNotTakenUpButStartsANewLabel) {
  Start();
  DrawLabel(100, 100);
  ASSERT_EQ(Labels().size(), 1u);
  ASSERT_EQ(art_->DisposeArt(Named(Labels()[0], "Arrows")), kNoErr);

  // On the leader line, half way between tip and end.
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 260, 200), kNoErr);
  EXPECT_EQ(Labels().size(), 2u);
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

  EXPECT_EQ(Send(kSelectorAITrackToolCursor, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, 140, 130), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, 260, 200), kNoErr);
  EXPECT_EQ(Labels().size(), 2u);
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

TEST_F(LabelArtFaults, CursorThatIsNotFiniteIsIgnored) {
  Start();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(Send(kSelectorAITrackToolCursor, inf, 5), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDown, inf, 5), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseDrag, std::nanf(""), 5), kNoErr);
  EXPECT_EQ(Send(kSelectorAIToolMouseUp, 0, 0), kNoErr);
  EXPECT_TRUE(Labels().empty());
}
