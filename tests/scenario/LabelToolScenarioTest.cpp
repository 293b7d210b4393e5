// The label tool driven through whole sessions: clicks, drags and keys as a
// user makes them, checked on the document the runner dumps.
#include <cmath>
#include <functional>
#include <string>

#include "tests/scenario/ScenarioSteps.h"

namespace scenario {
namespace {

// A refused click leaves nothing of a label behind: no group, no path that
// a later hover would take for a label's leader line.
void ExpectNoLabelArt(const json& dump) {
  EXPECT_TRUE(LabelGroupsOf(dump).empty()) << "a label group stayed behind a refused click";
  for (const json* art : AllArt(dump)) {
    EXPECT_FALSE(art->contains("tags") && (*art)["tags"].contains("lab")) << "a leader line stayed behind";
  }
}

//-----------------------------------------------------------------------------
// Building a label
//-----------------------------------------------------------------------------

TEST(LabelScenario, ThreeClicksAndADragMakeOneLabelWithThreeLeadersAndOneNumber) {
  Session s;
  const Point first{100, 600}, second{150, 620}, third{200, 500}, place{300, 550};
  const RunResult r = RunOk(s, At("click", first) + At("click", second) + DrawLabel(third, place));
  const json& label = OnlyLabel(r.dump);
  const json& lines = Lines(label);
  ASSERT_EQ(lines.size(), 3u);
  for (const json& line : lines) {
    EXPECT_EQ(line["tags"].value("lab", ""), "jj");
    EXPECT_FALSE(line["closed"].get<bool>()) << "a leader line is an open path";
  }
  EXPECT_EQ(Arrows(label).size(), 3u);
  ASSERT_TRUE(TextOf(label).is_object());
  EXPECT_EQ(TextOf(label)["text"], "1");
  EXPECT_EQ(TextOf(label)["justification"], "center") << "the number stands centred in its shape";
  int texts = 0;
  for (const json* art : AllArt(r.dump)) texts += art->value("type", "") == "text" ? 1 : 0;
  EXPECT_EQ(texts, 1) << "each leader line got a number of its own";
  EXPECT_EQ(EventsOfType(r.dump, "cursor").back()["id"], 20009) << "the cursor after the release";

  // The main leader line starts at the third click, behind its arrowhead.
  ExpectNear(AnchorPoint(lines[0], 0), PulledBack(third, place, kNotchPullBack), "main line start");
  ExpectNear(AnchorPoint(lines[0], 1), place, "main line end");
  EXPECT_EQ(AnchorCount(lines[0]), 3u) << "the main line carries the landing";
  // The others run from the earlier clicks to the main line's end.
  ExpectNear(AnchorPoint(lines[1], 0), PulledBack(first, place, kNotchPullBack), "line 1 start");
  ExpectNear(AnchorPoint(lines[2], 0), PulledBack(second, place, kNotchPullBack), "line 2 start");
  for (int n : {1, 2}) {
    ASSERT_EQ(AnchorCount(lines[n]), 2u);
    ExpectNear(AnchorPoint(lines[n], 1), place, "line end " + std::to_string(n));
  }
}

// A click makes the label's parts, top to bottom: an empty text, the
// "Lines" group with a leader line of 3 anchors tagged "lab", the "Arrows"
// group with a head of 6 anchors, and an empty shape; each further click a
// line of 2 anchors and an empty head. Nothing is drawn before the drag.
TEST(LabelScenario, EachClickMakesTheArtTheDragWillDraw) {
  Session s;
  const RunResult r = RunOk(s, At("click", {100, 400}) + "dump one.json\n" + At("click", {150, 420}));
  const json one = s.ReadDump("one.json");
  const json& first = OnlyLabel(one);
  EXPECT_EQ(first["name"], "Label (square)");
  ASSERT_EQ(first["children"].size(), 4u);
  EXPECT_EQ(first["children"][0]["type"], "text");
  EXPECT_EQ(first["children"][0]["text"], "");
  EXPECT_EQ(first["children"][1]["name"], "Lines");
  EXPECT_EQ(first["children"][2]["name"], "Arrows");
  EXPECT_EQ(first["children"][3]["type"], "path");
  EXPECT_EQ(AnchorCount(ShapeOf(first)), 0u);
  ASSERT_EQ(Lines(first).size(), 1u);
  EXPECT_EQ(AnchorCount(Lines(first)[0]), 3u);
  EXPECT_EQ(Lines(first)[0]["tags"].value("lab", ""), "jj");
  ASSERT_EQ(Arrows(first).size(), 1u);
  EXPECT_EQ(AnchorCount(Arrows(first)[0]), 6u);

  const json& second = OnlyLabel(r.dump);
  ASSERT_EQ(Lines(second).size(), 2u);
  EXPECT_EQ(AnchorCount(Lines(second)[1]), 2u);
  EXPECT_EQ(Lines(second)[1]["tags"].value("lab", ""), "jj");
  ASSERT_EQ(Arrows(second).size(), 2u);
  EXPECT_EQ(AnchorCount(Arrows(second)[1]), 0u);
}

TEST(LabelScenario, ShiftMakesTheLeaderAngleAMultipleOf45AndAHorizontalLeaderHasNoLanding) {
  Session s;
  // Shift goes down after the press: Shift at the press would step the shape.
  const auto shiftDrag = [](Point tip, Point to) {
    return At("down", tip) + "press shift\n" + At("drag", to) + At("drag", to) + "release shift\n" + At("up", to);
  };
  const RunResult r = RunOk(s, shiftDrag({100, 300}, {200, 300}) +  // straight right
                                   shiftDrag({100, 500}, {200, 497}) +  // just below: snaps to 0
                                   shiftDrag({300, 300}, {400, 370}) +  // 35 degrees
                                   DrawLabel({500, 600}, {400, 600}));  // straight left, no Shift needed
  const auto labels = LabelGroupsOf(r.dump);  // the newest on top
  ASSERT_EQ(labels.size(), 4u);
  const double expected[] = {180, 45, 0, 0};
  for (int i = 0; i < 4; ++i) {
    const json& line = Lines(*labels[i])[0];
    EXPECT_NEAR(AngleDegrees(AnchorPoint(line, 0), AnchorPoint(line, 1)), expected[i], 0.01) << "label " << i;
    EXPECT_EQ(AnchorCount(line), expected[i] == 45 ? 3u : 2u) << "only a horizontal leader loses its landing";
  }
}

TEST(LabelScenario, ZeroLandingLengthGivesNoLandingAtAnyAngle) {
  Session s;
  s.SetReal("Attaches", 0);
  const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}) + DrawLabel({400, 400}, {300, 480}) +
                                   DrawLabel({400, 200}, {300, 120}) + DrawLabel({100, 200}, {180, 100}));
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 4u);
  for (const json* label : labels) EXPECT_EQ(AnchorCount(Lines(*label)[0]), 2u);
}

TEST(LabelScenario, ZeroArrowSizeDrawsNoHeadsAndLinesStartAtTheTips) {
  Session s;
  s.SetReal("Pointes", 0);
  const Point first{100, 600}, tip{200, 500}, place{300, 550};
  const RunResult r = RunOk(s, At("click", first) + DrawLabel(tip, place));
  const json& label = OnlyLabel(r.dump);
  for (const json& head : Arrows(label)) EXPECT_EQ(AnchorCount(head), 0u) << "an arrowhead was drawn";
  ASSERT_EQ(Lines(label).size(), 2u);
  ExpectNear(AnchorPoint(Lines(label)[0], 0), tip, "main line start");
  ExpectNear(AnchorPoint(Lines(label)[1], 0), first, "second line start");
}

TEST(LabelScenario, EqualSidesMakeASquareBoxOfTheTextWidthPlusMargins) {
  Session s;
  const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}));
  const json& label = OnlyLabel(r.dump);
  const auto box = AnchorBounds(ShapeOf(label));
  const auto text = TextOf(label)["bounds"];
  const double width = box[2] - box[0], height = box[3] - box[1];
  EXPECT_NEAR(width, height, kNear);
  EXPECT_NEAR(width, text[2].get<double>() - text[0].get<double>() + 2 * 8, kNear);
  EXPECT_EQ(label["name"], "Label (square)");
}

TEST(LabelScenario, TriangleBoxIsHalfALineHeightWiderThanTheRectangle) {
  double widths[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    Session s;
    s.SetInteger("Etiquette", i == 0 ? 1 : 3);
    const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}));
    const json& shape = ShapeOf(OnlyLabel(r.dump));
    ASSERT_EQ(AnchorCount(shape), i == 0 ? 4u : 3u);
    // The rectangle's top edge and the triangle's base are both the box width.
    widths[i] = i == 0 ? AnchorPoint(shape, 1).x - AnchorPoint(shape, 0).x
                       : std::fabs(AnchorPoint(shape, 2).x - AnchorPoint(shape, 0).x);
  }
  EXPECT_NEAR(widths[1] - widths[0], 0.6 * 12, kNear);
}

TEST(LabelScenario, SpaceDuringTheDragMovesOnlyTheText) {
  Session s;
  const RunResult r = RunOk(s,
                            "down 100 400\ndrag 200 450\ndrag 200 450\ndump before.json\n"
                            "press space\ndrag 260 300\ndrag 270 310\nrelease space\ndump moved.json\n"
                            "drag 280 320\ndrag 280 320\nup 280 320\n");
  const json before = s.ReadDump("before.json"), moved = s.ReadDump("moved.json");
  const json& was = OnlyLabel(before);
  const json& now = OnlyLabel(moved);
  EXPECT_EQ(Lines(now), Lines(was)) << "the leader lines moved with the text";
  EXPECT_EQ(Arrows(now), Arrows(was)) << "the arrowheads moved with the text";
  EXPECT_EQ(ShapeOf(now)["anchors"], ShapeOf(was)["anchors"]) << "the shape moved with the text";
  // The text stands at the cursor of the previous drag message.
  ExpectNear({TextOf(now)["anchor"][0].get<double>(), TextOf(now)["anchor"][1].get<double>()}, {260, 300},
             "moved text");

  // Without Space the text goes back into its label.
  const json& done = OnlyLabel(r.dump);
  const auto box = AnchorBounds(ShapeOf(done));
  ExpectNear({TextOf(done)["anchor"][0].get<double>(), TextOf(done)["anchor"][1].get<double>()},
             {(box[0] + box[2]) / 2, (box[1] + box[3]) / 2}, "text back in the label");
}

// With Space held from the first drag message the text goes to the cursor of
// the message before, which for the first drag is where the mouse-down put
// the end of a leader of the default length (85.03937) and angle (45 degrees).
TEST(LabelScenario, SpaceFromTheFirstDragPutsTheTextAtTheEndOfTheDefaultLeader) {
  Session s;
  RunOk(s, "down 100 100\npress space\ndrag 300 300\ndump first.json\nrelease space\nup 300 300\n");
  const json first = s.ReadDump("first.json");
  const double side = 85.03937 / std::sqrt(2.0);  // 60.1303
  ExpectNear(TextAnchor(TextOf(OnlyLabel(first))), {100 + side, 100 + side}, "text");
}

TEST(LabelScenario, CtrlDuringTheDragPutsTheLabelOnTheOtherSideOfItsLanding) {
  Session s;
  const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}) +
                                   "down 100 200\npress ctrl\ndrag 200 250\ndrag 200 250\nrelease ctrl\nup 200 250\n");
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 2u);
  const json* plain = labels[1];    // painted first: the older label is below
  const json* flipped = labels[0];
  const double landing = kDefaultLanding;

  const json& plainLine = Lines(*plain)[0];
  ASSERT_EQ(AnchorCount(plainLine), 3u);
  ExpectNear(AnchorPoint(plainLine, 2), {200 + landing, 450}, "landing to the right");
  EXPECT_GE(AnchorBounds(ShapeOf(*plain))[0], 200 + landing - kNear) << "label right of its landing";

  const json& flippedLine = Lines(*flipped)[0];
  ASSERT_EQ(AnchorCount(flippedLine), 3u);
  ExpectNear(AnchorPoint(flippedLine, 2), {200 - landing, 250}, "landing to the left");
  EXPECT_LE(AnchorBounds(ShapeOf(*flipped))[2], 200 - landing + kNear) << "label left of its landing";
}

TEST(LabelScenario, ThirtiethLeaderLineIsRefusedWithAnAlertAndALabelKeepsAtMost29) {
  Session s;
  std::string body;
  for (int i = 0; i < 29; ++i) body += At("click", {60.0 + 15 * i, 700});
  body += DrawLabel({300, 300}, {350, 400});  // the 30th press
  const RunResult r = RunOk(s, body);
  const auto alerts = AlertTexts(r.dump);
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0], "Too much multiple arrows !");
  const json& label = OnlyLabel(r.dump);
  EXPECT_LE(Lines(label).size(), 29u);
  // Every leader line path of the label is drawn and reaches the label:
  // none is left behind unbuilt.
  const Point end = AnchorPoint(Lines(label)[0], 1);
  for (std::size_t n = 1; n < Lines(label).size(); ++n) {
    ASSERT_EQ(AnchorCount(Lines(label)[n]), 2u) << "line " << n;
    ExpectNear(AnchorPoint(Lines(label)[n], 1), end, "end of line " + std::to_string(n));
  }
}

// The side Ctrl chooses is kept: the next labels hang on it without Ctrl,
// until Ctrl during a drag turns it back.
TEST(LabelScenario, TheSideChosenWithCtrlStaysForTheNextLabelsUntilCtrlAgain) {
  Session s;
  const bool ctrl[] = {true, false, true, false};
  const bool flipped[] = {true, true, false, false};
  std::string body;
  for (int i = 0; i < 4; ++i) {
    const Point tip{100, 100 + 150.0 * i}, place{200, 150 + 150.0 * i};
    body += At("down", tip) + (ctrl[i] ? "press ctrl\n" : "") + At("drag", place) + At("drag", place) +
            (ctrl[i] ? "release ctrl\n" : "") + At("up", place);
  }
  const RunResult r = RunOk(s, body);
  const auto labels = LabelGroupsOf(r.dump);  // newest first
  ASSERT_EQ(labels.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const double landingX = flipped[i] ? 200 - kDefaultLanding : 200 + kDefaultLanding;
    ExpectNear(AnchorPoint(Lines(*labels[3 - i])[0], 2), {landingX, 150 + 150.0 * i}, "landing of label " + std::to_string(i));
  }
}

//-----------------------------------------------------------------------------
// Snapping
//-----------------------------------------------------------------------------

TEST(SnapScenario, ClickNearACornerPutsTheTipOnTheAnchorAndBeeps9000) {
  Session s;
  const RunResult r = RunOk(s, "rect 100 100 200 150\n" + DrawLabel({104, 97}, {50, 50}));
  EXPECT_EQ(BeepFrequencies(r.dump), std::vector<int>{9000});
  const json& label = OnlyLabel(r.dump);
  ExpectNear(AnchorPoint(Arrows(label)[0], 0), {100, 100}, "arrowhead tip");
  ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack({100, 100}, {50, 50}, kNotchPullBack), "line start");
  bool anchorCursor = false;
  for (const json& e : EventsOfType(r.dump, "cursor")) anchorCursor = anchorCursor || e["id"] == 19000;
  EXPECT_TRUE(anchorCursor) << "the cursor did not show the anchor snap";
}

TEST(SnapScenario, ClickOnASegmentBeeps9001AndInsideAFilledObjectBeeps9003) {
  Session s;
  s.SetBoolean("InterieurObjet", true);
  const RunResult r = RunOk(s, "rect 100 100 200 150 filled\n" + DrawLabel({200, 100.5}, {200, 50}) +
                                   DrawLabel({200, 175}, {400, 400}));
  EXPECT_EQ(BeepFrequencies(r.dump), (std::vector<int>{9001, 9003}));
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 2u);
  // On a straight segment the tip drops onto it.
  ExpectNear(AnchorPoint(Arrows(*labels[1])[0], 0), {200, 100}, "tip on the segment");
  ExpectNear(AnchorPoint(Arrows(*labels[0])[0], 0), {200, 175}, "tip inside");
  bool segmentCursor = false;
  for (const json& e : EventsOfType(r.dump, "cursor")) segmentCursor = segmentCursor || e["id"] == 19001;
  EXPECT_TRUE(segmentCursor) << "the cursor did not show the segment snap";
}

TEST(SnapScenario, ClickInsideAFilledObjectIsRefusedWithMessage2WhenForbidden) {
  Session s;
  s.SetBoolean("InterieurObjet", false);
  const RunResult r = RunOk(s, "rect 100 100 200 150 filled\n" + DrawLabel({200, 175}, {400, 400}));
  EXPECT_EQ(AlertTexts(r.dump),
            std::vector<std::string>{"Clicking inside an object is forbidden (see preferences)."});
  ExpectNoLabelArt(r.dump);
  EXPECT_TRUE(BeepFrequencies(r.dump).empty()) << "a refused click beeped";
}

TEST(SnapScenario, AltDuringTheDragMovesTheTipToTheMiddleOfTheClickedSegment) {
  Session s;
  const RunResult r =
      RunOk(s, "rect 100 100 200 150\ndown 140 100.5\npress alt\ndrag 250 300\ndrag 250 300\nrelease alt\nup 250 300\n");
  const json& label = OnlyLabel(r.dump);
  ExpectNear(AnchorPoint(Arrows(label)[0], 0), {200, 100}, "tip at the middle of the segment");
  ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack({200, 100}, {250, 300}, kNotchPullBack), "line start");
}

//-----------------------------------------------------------------------------
// Rules of the tool
//-----------------------------------------------------------------------------

// While the label is dragged the cursor shows its shape; with Space held
// the drag moves the text and the cursor says so, and the shape's cursor
// comes back when Space is let go.
TEST(ToolScenario, TheDragCursorShowsTheShapeBeingPlacedOrTheTextBeingMoved) {
  const std::vector<std::pair<int, int>> cursorAfterShiftClicks = {
      {0, 17001}, {1, 17004}, {2, 17005}, {3, 17007}, {4, 17006}};
  for (const auto& [shiftClicks, cursor] : cursorAfterShiftClicks) {
    SCOPED_TRACE(shiftClicks);
    Session s;
    std::string body;
    for (int i = 0; i < shiftClicks; ++i) body += "press shift\nclick 300 300\nrelease shift\n";
    body += "down 100 100\ndrag 200 150\npress space\ndrag 205 155\ndump moving.json\n"
            "release space\ndrag 210 160\ndump placing.json\n";
    RunOk(s, body);
    const std::vector<json> moving = EventsOfType(s.ReadDump("moving.json"), "cursor");
    const std::vector<json> placing = EventsOfType(s.ReadDump("placing.json"), "cursor");
    ASSERT_FALSE(moving.empty());
    ASSERT_FALSE(placing.empty());
    EXPECT_EQ(moving.back().value("id", 0), 20008);
    EXPECT_EQ(placing.back().value("id", 0), cursor);
  }
}

TEST(ToolScenario, FiveShiftClicksCycleThroughTheShapesAndCreateNoArt) {
  Session s;
  std::string body;
  for (int i = 0; i < 5; ++i) body += "press shift\nclick 300 300\nrelease shift\n" + At("move", {11.0 + i, 11});
  const RunResult r = RunOk(s, body);
  EXPECT_TRUE(AllArt(r.dump).empty()) << "a Shift-click created art";

  const std::vector<std::pair<int, std::string>> expected = {{17004, "Round or oval label."},
                                                             {17005, "Triangular label."},
                                                             {17007, "Customizable label."},
                                                             {17006, "No label."},
                                                             {17001, "Rectangular label."}};
  const json& events = r.dump["events"];
  for (int i = 0; i < 5; ++i) {
    bool found = false;
    for (std::size_t k = 1; k < events.size(); ++k) {
      const json& e = events[k];
      if (e["type"] != "info" || e["x"] != 11.0 + i) continue;
      found = true;
      EXPECT_EQ(e["text"], expected[i].second) << "after " << i + 1 << " Shift-clicks";
      EXPECT_EQ(events[k - 1].value("id", 0), expected[i].first) << "cursor after " << i + 1 << " Shift-clicks";
    }
    EXPECT_TRUE(found) << "no Info text for the move after Shift-click " << i + 1;
  }
  for (const json& e : EventsOfType(r.dump, "info")) {
    if (e["x"] == 300.0) {
      EXPECT_EQ(e["text"], "Next shape.");
    }
  }
}

// A Shift or Alt click places no tip, even when the mouse moves while it is
// down: the clicks around it make one label, and nothing is left unbuilt.
TEST(ToolScenario, AShiftOrAltClickBetweenTwoClicksKeepsThemInOneLabelEvenWhenDragged) {
  for (const std::string key : {"shift", "alt"}) {
    SCOPED_TRACE(key);
    Session s;
    const Point first{100, 600}, second{200, 500}, place{300, 550};
    const RunResult r = RunOk(s, At("click", first) + "press " + key + "\ndown 400 100\nrelease " + key +
                                     "\ndrag 402 101\nup 402 101\n" + DrawLabel(second, place));
    const json& label = OnlyLabel(r.dump);
    ASSERT_EQ(Lines(label).size(), 2u);
    ExpectNear(AnchorPoint(Lines(label)[0], 0), PulledBack(second, place, kNotchPullBack), "main line start");
    ExpectNear(AnchorPoint(Lines(label)[1], 0), PulledBack(first, place, kNotchPullBack), "first line start");
  }
}

TEST(ToolScenario, OwnLayerIsCreatedAboveAllOthersAndReusedForTheNextLabel) {
  Session s;
  s.SetBoolean("Calque", true);
  const RunResult r = RunOk(s, "layer Notes\n" + DrawLabel({100, 400}, {200, 450}) + DrawLabel({300, 400}, {400, 450}));
  const json& layers = r.dump["layers"];
  ASSERT_EQ(layers.size(), 3u);
  EXPECT_EQ(layers[0]["title"], kLabelLayer) << "the labels' layer is not on top";
  int labelLayers = 0;
  for (const json& layer : layers) labelLayers += layer["title"] == kLabelLayer ? 1 : 0;
  EXPECT_EQ(labelLayers, 1);
  EXPECT_EQ(LabelGroups(layers[0]).size(), 2u);
  EXPECT_TRUE(LabelGroups(LayerTitled(r.dump, "Notes")).empty());
}

TEST(ToolScenario, LockedCurrentLayerRefusesTheClickWithMessage3) {
  Session s;
  const RunResult r = RunOk(s, "layer Frozen locked\n" + DrawLabel({100, 400}, {200, 450}));
  EXPECT_EQ(AlertTexts(r.dump), std::vector<std::string>{"Impossible, locked layer."});
  EXPECT_TRUE(AllArt(r.dump).empty()) << "art was created on a locked layer";
}

// A label of one click, not dragged yet, has its group, an empty text, a
// leader line and a head, all at the origin: a click refused for a locked
// layer takes it away, as any refused click does, and keeps finished labels.
TEST(ToolScenario, ClickRefusedForALockedLayerRemovesTheUnfinishedLabelAndKeepsFinishedOnes) {
  Session s;
  const RunResult r = RunOk(s, DrawLabel({100, 300}, {200, 380}) + "dump finished.json\n" + At("click", {300, 600}) +
                                   "layer Frozen locked\n" + At("click", {400, 600}) + At("move", {0.5, 0.5}));
  EXPECT_EQ(AlertTexts(r.dump), std::vector<std::string>{"Impossible, locked layer."});
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 1u) << "the unfinished label stayed, or the finished one went";
  const json finished = s.ReadDump("finished.json");
  EXPECT_EQ(*labels[0], OnlyLabel(finished)) << "the finished label changed";
  EXPECT_FALSE(CursorShown(r.dump, 20007)) << "a leader line stayed at the origin";
}

TEST(ToolScenario, LockedLabelsLayerRefusesTheClickAndTheUnfinishedLabelGoes) {
  Session s;
  s.SetBoolean("Calque", true);
  // The first click makes the labels' layer; a locked layer of the same title
  // then stands above it, and an editable one above all.
  const RunResult r = RunOk(s, At("click", {300, 600}) + "layer " + kLabelLayer + " locked\nlayer Notes\n" +
                                   At("click", {400, 600}));
  EXPECT_EQ(AlertTexts(r.dump), std::vector<std::string>{"Impossible, locked layer."});
  ExpectNoLabelArt(r.dump);
}

TEST(ToolScenario, LockedCurrentLayerLeavesNoLabelsLayerBehind) {
  Session s;
  s.SetBoolean("Calque", true);
  const RunResult r = RunOk(s, "layer Frozen locked\n" + At("click", {300, 600}));
  EXPECT_EQ(AlertTexts(r.dump), std::vector<std::string>{"Impossible, locked layer."});
  ASSERT_EQ(r.dump["layers"].size(), 2u) << "a labels' layer was made for a refused click";
  EXPECT_EQ(r.dump["layers"][0]["title"], "Frozen");
  EXPECT_EQ(r.dump["layers"][1]["title"], "Layer 1");
}

TEST(ToolScenario, ClickInEmptySpaceIsRefusedWhenForbiddenAndTheDragDrawsNothing) {
  Session s;
  s.SetBoolean("ClicDansVide", false);
  const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}));
  EXPECT_EQ(AlertTexts(r.dump),
            std::vector<std::string>{"Clicking outside an object is forbidden (see preferences)."});
  ExpectNoLabelArt(r.dump);
}

TEST(ToolScenario, ClickOnAFinishedLeaderLineTakesThatLabelUpInsteadOfStartingANewOne) {
  Session s;
  // The label is finished, the shape switched to an ellipse, then its leader
  // line (tip 100,400 to 200,450) is picked up at its middle.
  const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}) + "dump first.json\n" +
                                   "press shift\nclick 500 700\nrelease shift\n" + "move 150 425\n" +
                                   DrawLabel({150, 425}, {250, 500}));
  const json first = s.ReadDump("first.json");
  bool overLine = false;
  for (const json& e : EventsOfType(r.dump, "cursor")) overLine = overLine || e["id"] == 20007;
  EXPECT_TRUE(overLine) << "the cursor did not show it is over a label's leader line";

  const json& label = OnlyLabel(r.dump);
  ASSERT_EQ(Lines(label).size(), 1u);
  const json& line = Lines(label)[0];
  EXPECT_NE(line, Lines(OnlyLabel(first))[0]) << "the label was not rebuilt";
  ExpectNear(AnchorPoint(line, 1), {250, 500}, "main line end follows the drag");
  ExpectNear(AnchorPoint(line, 0), PulledBack({100, 400}, {250, 500}, kNotchPullBack), "tip kept");
  EXPECT_EQ(TextOf(label)["text"], "1") << "taking a label up must not renumber it";
  // It follows the settings now in force: the shape is an ellipse (curved anchors).
  const json& shape = ShapeOf(label);
  ASSERT_EQ(AnchorCount(shape), 4u);
  const json& a = shape["anchors"][0];
  EXPECT_FALSE(a[0] == a[2] && a[1] == a[3]) << "the shape is still a rectangle";
}

}  // namespace
}  // namespace scenario
