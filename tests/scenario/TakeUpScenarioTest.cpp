// Taking a finished label up again by a click on one of its leader lines:
// which label, which tips, and what a click beyond the leader-line limit
// leaves in it.
#include <string>
#include <vector>

#include "tests/scenario/ScenarioSteps.h"

namespace scenario {
namespace {

// A point half way between a tip and the place the label was dragged to:
// on the main leader line, where a click takes the label up.
Point OnMainLine(Point tip, Point place) { return {(tip.x + place.x) / 2, (tip.y + place.y) / 2}; }

std::string TakeUp(Point tip, Point place) { return At("move", OnMainLine(tip, place)) + At("click", OnMainLine(tip, place)); }

// Clicks 1 to 28 along the top of the page, then the 29th pressed at `main`
// and dragged to `place`: a label of 29 leader lines. Returns the clicks.
std::vector<Point> TwentyNineLines(std::string& script, Point main, Point place) {
  std::vector<Point> clicks;
  for (int i = 0; i < 28; ++i) clicks.push_back({60.0 + 15 * i, 700});
  for (Point c : clicks) script += At("click", c);
  script += DrawLabel(main, place);
  clicks.push_back(main);
  return clicks;
}

TEST(TakeUp, AnOlderLabelTakenUpGetsTheNewLineAndKeepsItsTipsWhileTheNewerOneStaysAsItWas) {
  Session s;
  s.SetReal("Pointes", 150);  // heads and pull-backs half as long again: 7 * 1.5
  const double pullBack = 10.5;
  const Point olderTip{100, 300}, olderPlace{200, 380}, newerTip{400, 300}, newerPlace{500, 380};
  const Point added{150, 150}, place{250, 450};
  const RunResult r = RunOk(s, "zoom 2\n" + DrawLabel(olderTip, olderPlace) + DrawLabel(newerTip, newerPlace) +
                                   "dump before.json\n" + TakeUp(olderTip, olderPlace) + At("click", added) +
                                   At("drag", place) + At("drag", place) + At("up", place));
  EXPECT_TRUE(CursorShown(r.dump, 20007)) << "the cursor did not show the leader line under it";
  const json beforeDump = s.ReadDump("before.json");
  const auto before = LabelGroupsOf(beforeDump);
  const auto after = LabelGroupsOf(r.dump);
  ASSERT_EQ(before.size(), 2u);
  ASSERT_EQ(after.size(), 2u) << "a new label was started instead";
  EXPECT_EQ(*after[0], *before[0]) << "the newer label changed";

  const json& older = *after[1];
  ASSERT_EQ(Lines(older).size(), 2u);
  ASSERT_EQ(Arrows(older).size(), 2u);
  // The added click is the main tip now; the old main tip has the other line.
  ExpectNear(AnchorPoint(Lines(older)[0], 0), PulledBack(added, place, pullBack), "main line start");
  ExpectNear(AnchorPoint(Lines(older)[1], 0), PulledBack(olderTip, place, pullBack), "old tip's line start");
  ExpectNear(AnchorPoint(Lines(older)[1], 1), place, "old tip's line end");
  ExpectNear(AnchorPoint(Arrows(older)[0], 0), added, "main head");
  ExpectNear(AnchorPoint(Arrows(older)[1], 0), olderTip, "old tip's head");
}

// Each head kind gives its tip back by its own anchor: the notched and the
// custom arrowhead at anchor 0, the open V and the triangle at anchor 1, dots
// and squares between anchors 0 and 2. At 200 % a line begins 14 (notch),
// 0 (V), 18 (triangle base) or 5 (edge of a point) from its tip.
TEST(TakeUp, EveryHeadKindGivesItsTipsBackToTheRebuild) {
  struct Kind {
    bool arrowheads;
    int kind;
    double pullBack;
  };
  for (const Kind k : {Kind{true, 1, 14}, Kind{true, 2, 0}, Kind{true, 3, 18}, Kind{false, 1, 5}, Kind{false, 3, 5}}) {
    SCOPED_TRACE((k.arrowheads ? "arrowhead kind " : "point kind ") + std::to_string(k.kind));
    Session s;
    s.SetBoolean("FouP", k.arrowheads);
    s.SetInteger("Fleche", k.kind);
    s.SetReal("Pointes", 200);
    const Point other{100, 500}, main{150, 300}, place{250, 400}, moved{300, 200};
    const RunResult r = RunOk(s, At("click", other) + DrawLabel(main, place) + TakeUp(main, place) +
                                     At("drag", moved) + At("drag", moved) + At("up", moved));
    const json& label = OnlyLabel(r.dump);
    ASSERT_EQ(Lines(label).size(), 2u);
    ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack(main, moved, k.pullBack), "main line start");
    ExpectNear(AnchorPoint(Lines(label)[1], 0), PulledBack(other, moved, k.pullBack), "other line start");
    ExpectNear(AnchorPoint(Lines(label)[1], 1), moved, "other line end");
  }
}

TEST(TakeUp, ALabelOf29LeaderLinesIsTakenUpWhole) {
  Session s;
  std::string script;
  const Point main{300, 300}, place{350, 400}, moved{420, 380};
  const std::vector<Point> clicks = TwentyNineLines(script, main, place);
  const RunResult r = RunOk(s, script + TakeUp(main, place) + At("drag", moved) + At("drag", moved) + At("up", moved));
  const json& label = OnlyLabel(r.dump);
  ASSERT_EQ(Lines(label).size(), 29u);
  ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack(main, moved, kNotchPullBack), "main line start");
  for (std::size_t n = 1; n < 29; ++n) {
    ExpectNear(AnchorPoint(Lines(label)[n], 0), PulledBack(clicks[n - 1], moved, kNotchPullBack),
               "start of line " + std::to_string(n));
    ExpectNear(AnchorPoint(Lines(label)[n], 1), moved, "end of line " + std::to_string(n));
  }
}

// The click beyond the limit takes the main tip; the count drops to 28, so
// the 28th click's line goes: nothing of the label stays where it was.
TEST(TakeUp, AClickBeyondTheLimitLeavesOnlyLinesAndHeadsTheRebuildPlaced) {
  Session s;
  std::string script;
  const Point main{300, 300}, place{350, 400}, added{100, 200}, moved{400, 250};
  const std::vector<Point> clicks = TwentyNineLines(script, main, place);
  const RunResult r = RunOk(s, script + TakeUp(main, place) + At("click", added) + At("drag", moved) +
                                   At("drag", moved) + At("up", moved));
  EXPECT_EQ(AlertTexts(r.dump), std::vector<std::string>{"Too much multiple arrows !"});
  const json& label = OnlyLabel(r.dump);
  ASSERT_EQ(Lines(label).size(), 28u);
  ASSERT_EQ(Arrows(label).size(), 28u);
  ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack(added, moved, kNotchPullBack), "main line start");
  ExpectNear(AnchorPoint(Arrows(label)[0], 0), added, "main head");
  for (std::size_t n = 1; n < 28; ++n) {
    const std::string which = " of line " + std::to_string(n);
    ExpectNear(AnchorPoint(Lines(label)[n], 0), PulledBack(clicks[n - 1], moved, kNotchPullBack), "start" + which);
    ExpectNear(AnchorPoint(Lines(label)[n], 1), moved, "end" + which);
    ExpectNear(AnchorPoint(Arrows(label)[n], 0), clicks[n - 1], "head" + which);
  }
}

// A refused click takes its unfinished label away; the label taken up next
// is the one clicked, and it follows the drag.
TEST(TakeUp, ALabelTakenUpRightAfterARefusedClickFollowsTheDrag) {
  Session s;
  s.SetBoolean("ClicDansVide", false);
  const Point tip{150, 150}, place{250, 250}, moved{400, 200};
  const RunResult r = RunOk(s, "rect 100 100 100 100 filled\n" + DrawLabel(tip, place) + At("click", {500, 600}) +
                                   TakeUp(tip, place) + At("drag", moved) + At("drag", moved) + At("up", moved));
  EXPECT_EQ(AlertTexts(r.dump).size(), 1u);
  const json& label = OnlyLabel(r.dump);
  ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack(tip, moved, kNotchPullBack), "line start");
  ExpectNear(AnchorPoint(Lines(label)[0], 1), moved, "line end");
}

TEST(TakeUp, ARefusedClickBeyondTheLimitLeavesTheTakenUpLabelWhole) {
  Session s;
  s.SetBoolean("ClicDansVide", false);
  std::string script = "rect 0 0 600 790 filled\n";  // every click of the label lands inside it
  const Point main{300, 300}, place{350, 400};
  TwentyNineLines(script, main, place);
  const RunResult r = RunOk(s, script + "dump before.json\n" + TakeUp(main, place) + At("click", {700, 600}) +
                                   "drag 650 650\ndrag 650 650\nup 650 650\n");
  EXPECT_EQ(AlertTexts(r.dump), (std::vector<std::string>{"Too much multiple arrows !",
                                                          "Clicking outside an object is forbidden (see preferences)."}));
  const json beforeDump = s.ReadDump("before.json");
  const json& before = OnlyLabel(beforeDump);
  const json& after = OnlyLabel(r.dump);
  EXPECT_EQ(Lines(after), Lines(before)) << "the refused click changed the leader lines";
  EXPECT_EQ(Arrows(after), Arrows(before)) << "the refused click changed the heads";
}

}  // namespace
}  // namespace scenario
