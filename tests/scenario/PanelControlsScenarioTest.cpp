// What the panel's controls do to the labels the tool draws, checked in the
// art of the dump: every number is worked out here from the label's rules
// (head outlines, pull-back, landing, box, text place), never read from the
// plug-in. Settings other than the defaults and a zoom other than 1 are used
// throughout, so that a value taken from the wrong place shows.
#include <cmath>
#include <string>
#include <vector>

#include "tests/scenario/PanelDump.h"

namespace scenario::panel {
namespace {

const Point kTip{100, 400}, kPlace{220, 460};
const double kTheta = std::atan2(60.0, 120.0);  // from the tip to the place

double StrokeWidth(const json& path) { return path["stroke"]["width"].get<double>(); }
Point TextAnchor(const json& text) { return {text["anchor"][0].get<double>(), text["anchor"][1].get<double>()}; }
std::string Session1(const std::string& body) { return "launch\nzoom 2\ntool select\n" + body + "quit\n"; }

// Head of kind 1 (notched) in its own frame.
const std::vector<Point> kNotched = {{0, 0}, {4.890738, 1.0395584}, {8.5727577, 2.602483},
                                     {7, 0}, {8.5727577, -2.602483}, {4.890738, -1.0395584}};

void ExpectHead(const json& head, const std::vector<Point>& local, double scale, double angle, Point tip) {
  ASSERT_EQ(AnchorCount(head), local.size());
  for (std::size_t j = 0; j < local.size(); ++j)
    ExpectNear(AnchorPoint(head, j), Placed(local[j], scale, angle, tip), "head anchor " + std::to_string(j));
}

//-----------------------------------------------------------------------------
// Values set before drawing
//-----------------------------------------------------------------------------

TEST(PanelControls, EveryValueSetInThePanelIsInTheNextLabelsArt) {
  Session s;
  s.SetReal("AnglePointe2", 25);
  s.SetReal("DecalageVertiTexte", 6);
  const RunResult r = RunOk(s, Session1("item 7 value 150\nitem 8 value 1.5\nitem 9 value 10\nitem 35 value 12\n"
                                        "item 17 value 3\nitem 18 value 4\nitem 20 value 18\nitem 43 click\n"
                                        "item 52 click\nitem 34 click\n" +
                                        DrawLabel(kTip, kPlace)));
  const json& label = OnlyLabel(r.dump);
  EXPECT_EQ(label["name"], "Lable (ellipse)") << "an ellipse of free proportions";
  const json& line = Lines(label)[0];
  // Triangle heads begin the line at their base: 9 points at 100 %, here 150 %.
  ExpectNear(AnchorPoint(line, 0), Polar(kTip, 9 * 1.5, kTheta), "line start");
  ExpectNear(AnchorPoint(line, 1), kPlace, "line end");
  ASSERT_EQ(AnchorCount(line), 3u);
  const Point landingEnd{kPlace.x + 10 * kMillimetre, kPlace.y};
  ExpectNear(AnchorPoint(line, 2), landingEnd, "a 10 mm landing to the right");
  EXPECT_NEAR(StrokeWidth(line), 1.5, kNear);

  // The triangle of 25 degrees, hollow (FlecheCreuse), at 150 %.
  const double y2 = 9 * std::tan(25 * kPi / 180);
  const json& head = Arrows(label)[0];
  ExpectHead(head, {{9, y2}, {0, 0}, {9, -y2}}, 1.5, kTheta, kTip);
  EXPECT_TRUE(head["closed"].get<bool>());
  EXPECT_TRUE(head["fill"].is_null()) << "a hollow triangle is stroked, not filled";
  EXPECT_NEAR(StrokeWidth(head), 1.5, kNear);

  // The box: text width + 2 x 12 wide, 18 x 1.2 + 6 high, right of the landing.
  const json& text = TextOf(label);
  ASSERT_TRUE(text.is_object());
  EXPECT_NEAR(text["size"].get<double>(), 18, kNear);
  const double width = text["bounds"][2].get<double>() - text["bounds"][0].get<double>() + 2 * 12;
  const double height = 18 * 1.2 + 6;
  const double centreX = landingEnd.x + width / 2;
  const auto box = AnchorBounds(ShapeOf(label));
  EXPECT_NEAR(box[0], centreX - width / 2, kNear);
  EXPECT_NEAR(box[2], centreX + width / 2, kNear);
  EXPECT_NEAR(box[1], landingEnd.y - height / 2, kNear);
  EXPECT_NEAR(box[3], landingEnd.y + height / 2, kNear);
  EXPECT_NEAR(StrokeWidth(ShapeOf(label)), 1.5, kNear);
  // The text: 4 to the right of the centre (the label is right of its line), 3 up.
  ExpectNear(TextAnchor(text), {centreX + 4, landingEnd.y + 3}, "text anchor");
}

TEST(PanelControls, HeadButtonsAndArrowsOrPointsChangeTheOutlineAndTwoTogglesComeBack) {
  Session s;
  s.SetReal("Pointes", 120);
  s.SetReal("AnglePointe1", 20);
  const RunResult r =
      RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 42 click\ndump open.json\nitem 37 click\ndump points.json\n"
                                                  "item 37 click\ndump back.json\n"));
  const json open = s.ReadDump("open.json"), points = s.ReadDump("points.json"), back = s.ReadDump("back.json");
  // The open V: no pull-back, an open path of 3 anchors at 120 %.
  const double y1 = 9 * std::tan(20 * kPi / 180);
  const json& v = Arrows(OnlyLabel(open))[0];
  ExpectHead(v, {{9, y1}, {0, 0}, {9, -y1}}, 1.2, kTheta, kTip);
  EXPECT_FALSE(v["closed"].get<bool>());
  ExpectNear(AnchorPoint(Lines(OnlyLabel(open))[0], 0), kTip, "the V's line starts at the tip");

  // Points, kind 2: a ring of radius 2.5 x 1.2 around the tip, tagged FlPo.
  const json& ring = Arrows(OnlyLabel(points))[0];
  ExpectHead(ring, {{-2.5, 0}, {0, 2.5}, {2.5, 0}, {0, -2.5}}, 1.2, kTheta, kTip);
  EXPECT_EQ(ring["tags"].value("FlPo", ""), "jj");
  EXPECT_TRUE(ring["fill"].is_null()) << "a ring is stroked";
  ExpectNear(AnchorPoint(Lines(OnlyLabel(points))[0], 0), Polar(kTip, 2.5 * 1.2, kTheta), "line at the ring's edge");
  EXPECT_EQ(ItemOf(points, 7)["tooltip"], "Points size.");
  EXPECT_EQ(ItemOf(points, 44)["tooltip"], "Points shape.");

  EXPECT_EQ(Arrows(OnlyLabel(back))[0], v) << "arrows, points, arrows: the same V again";
  EXPECT_EQ(ItemOf(back, 7)["tooltip"], "Arrowheads size.");
  EXPECT_EQ(ItemOf(back, 44)["tooltip"], "Arrowheads shape or Arrows Editor dialog...(option key pressed).");
  EXPECT_EQ(ItemOf(back, 42)["value"], 1) << "kind 2 stays selected";
  (void)r;
}

TEST(PanelControls, SizeZeroLeavesAnEmptyArrowsGroupAndAHundredGivesEachLeaderItsHead) {
  Session s;
  const Point first{60, 300};
  RunOk(s, Session1(At("click", first) + DrawLabel(kTip, kPlace) + "item 7 value 0\ndump none.json\n"
                    "item 7 value 100\ndump back.json\n"));
  const json none = s.ReadDump("none.json"), back = s.ReadDump("back.json");
  const json& bare = OnlyLabel(none);
  EXPECT_TRUE(Arrows(bare).empty());
  // Paint order, top first: text, "Lines", then "Arrows" below it.
  const json& children = bare["children"];
  ASSERT_GE(children.size(), 3u);
  EXPECT_EQ(children[1]["name"], "Lines");
  EXPECT_EQ(children[2]["name"], "Arrows");
  ExpectNear(AnchorPoint(Lines(bare)[0], 0), kTip, "main line at its tip");
  ExpectNear(AnchorPoint(Lines(bare)[1], 0), first, "second line at its tip");

  const json& headed = OnlyLabel(back);
  ASSERT_EQ(Arrows(headed).size(), 2u) << "one head per leader line";
  ExpectHead(Arrows(headed)[0], kNotched, 1.0, kTheta, kTip);
  const double second = std::atan2(kPlace.y - first.y, kPlace.x - first.x);
  ExpectHead(Arrows(headed)[1], kNotched, 1.0, second, first);
}

//-----------------------------------------------------------------------------
// The label just drawn follows
//-----------------------------------------------------------------------------

TEST(PanelControls, AngleAndLengthTurnAndStretchTheLabelJustDrawn) {
  Session s;
  s.SetReal("Pointes", 200);
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "dump drawn.json\nitem 15 value 30\ndump turned.json\n"
                    "item 16 value 40\ndump stretched.json\n"));
  const json drawn = s.ReadDump("drawn.json"), turned = s.ReadDump("turned.json"),
             stretched = s.ReadDump("stretched.json");
  // Mouse up showed the line's angle and length (from its start, 14 points
  // along at 200 %) in the panel, in degrees and millimetres.
  const Point start = Polar(kTip, 14, kTheta);
  const double drawnLength = std::hypot(kPlace.x - start.x, kPlace.y - start.y);
  EXPECT_NEAR(Value(drawn, 15), kTheta * 180 / kPi, 1e-3);
  EXPECT_NEAR(Value(drawn, 16), drawnLength / kMillimetre, 1e-3);

  // 30 degrees: the line turns about its tip and keeps reaching for the same place.
  const double a = 30 * kPi / 180;
  const Point turnedStart = Polar(kTip, 14, a);
  const double turnedLength = std::hypot(kPlace.x - turnedStart.x, kPlace.y - turnedStart.y);
  const json& turnedLine = Lines(OnlyLabel(turned))[0];
  ExpectNear(AnchorPoint(turnedLine, 0), turnedStart, "turned start");
  ExpectNear(AnchorPoint(turnedLine, 1), Polar(turnedStart, turnedLength, a), "turned end");
  ExpectHead(Arrows(OnlyLabel(turned))[0], kNotched, 2.0, a, kTip);

  // 40 mm from the start.
  ExpectNear(AnchorPoint(Lines(OnlyLabel(stretched))[0], 1), Polar(turnedStart, 40 * kMillimetre, a), "40 mm");
}

TEST(PanelControls, TheDialSetsTheAngleInStepsOf10WithinPlusOrMinus180) {
  Session s;
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 27 track down 0 9\ndump below.json\nitem 27 track drag 0 7\n"
                    "dump above.json\nitem 27 track up 0 7\ndump up.json\n"));
  const json below = s.ReadDump("below.json"), above = s.ReadDump("above.json"), up = s.ReadDump("up.json");
  // (0, 9) is 8 left and 1 down of the centre: -172.9 degrees, snapped up to -170.
  EXPECT_NEAR(Value(below, 15), -170, 1e-3);
  const json& line = Lines(OnlyLabel(below))[0];
  const Point a = AnchorPoint(line, 0), b = AnchorPoint(line, 1);
  EXPECT_NEAR(std::atan2(b.y - a.y, b.x - a.x) * 180 / kPi, -170, 1e-3);
  // (0, 7): 172.9 degrees snaps up to 180, never beyond.
  EXPECT_NEAR(Value(above, 15), 180, 1e-3);
  EXPECT_EQ(ItemOf(up, 15)["active"], true) << "the button-up gives the angle field the focus";
}

TEST(PanelControls, EqualSidesAndTheShapeButtonsRenameThePendingLabel) {
  Session s;
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "dump square.json\nitem 34 click\ndump rect.json\nitem 52 click\n"
                    "dump ellipse.json\nitem 34 click\ndump circle.json\nitem 50 click\ndump none.json\n"));
  EXPECT_EQ(OnlyLabel(s.ReadDump("square.json"))["name"], "Label (square)");
  EXPECT_EQ(OnlyLabel(s.ReadDump("rect.json"))["name"], "Label (rect.)");
  EXPECT_EQ(OnlyLabel(s.ReadDump("ellipse.json"))["name"], "Lable (ellipse)");
  EXPECT_EQ(OnlyLabel(s.ReadDump("circle.json"))["name"], "Label (circle)");
  const json none = s.ReadDump("none.json");
  EXPECT_EQ(OnlyLabel(none)["name"], "Label (without)");
  EXPECT_EQ(ShapeOf(OnlyLabel(none))["name"], "Arrows") << "no shape: the last child is the arrows group";
  EXPECT_EQ(ItemOf(none, 50)["value"], 1);
  EXPECT_EQ(ItemOf(none, 52)["value"], 0);
}

TEST(PanelControls, TheKpxButtonAppliesTheDefaultSettingsToThePendingLabel) {
  Session s;
  s.SetReal("Epaisseur", 0.7);
  s.SetReal("Pointes", 80);
  const RunResult r = RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 8 value 2\nitem 7 value 150\nitem 6 click\n"));
  const json& label = OnlyLabel(r.dump);
  EXPECT_NEAR(StrokeWidth(Lines(label)[0]), 0.7, kNear);
  ExpectHead(Arrows(label)[0], kNotched, 0.8, kTheta, kTip);
  ExpectNear(AnchorPoint(Lines(label)[0], 0), Polar(kTip, 7 * 0.8, kTheta), "line start at 80 %");
}

TEST(PanelControls, CommandClickOnTheKpxButtonDeletesThePendingLabelAndTheNextLabelHasTheDefaults) {
  Session s;
  s.SetReal("Epaisseur", 0.7);
  s.SetReal("Pointes", 80);
  const Point otherTip{300, 200}, otherPlace{380, 260};
  const RunResult r = RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 7 value 0\nitem 8 value 3\n"
                                        "item 6 click cmd\ndump deleted.json\n" +
                                        DrawLabel(otherTip, otherPlace)));
  const json deleted = s.ReadDump("deleted.json");
  EXPECT_TRUE(LabelGroupsOf(deleted).empty()) << "the pending label is still there";
  EXPECT_TRUE(AllArt(deleted).empty()) << "applying the defaults wrote art of the deleted label";
  EXPECT_NEAR(Value(deleted, 7), 80, kNear);
  EXPECT_NEAR(Value(deleted, 8), 0.7, kNear);
  EXPECT_TRUE(AlertTexts(r.dump).empty());

  const json& label = OnlyLabel(r.dump);
  const double angle = std::atan2(otherPlace.y - otherTip.y, otherPlace.x - otherTip.x);
  ExpectHead(Arrows(label)[0], kNotched, 0.8, angle, otherTip);
  EXPECT_NEAR(StrokeWidth(Lines(label)[0]), 0.7, kNear);
}

TEST(PanelControls, CommandClickOnAnIconAreaResetsItsFieldAndAPlainClickFocusesIt) {
  Session s;
  s.SetReal("Epaisseur", 0.7);
  s.SetReal("DecalageVerti", 2);
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 8 value 2\nitem 17 value 9\nitem 25 click cmd\n"
                    "item 29 click cmd\ndump reset.json\nitem 26 click\ndump focus.json\nitem 33 click\n"
                    "dump size.json\n"));
  const json reset = s.ReadDump("reset.json");
  EXPECT_NEAR(Value(reset, 8), 0.7, kNear);
  EXPECT_NEAR(Value(reset, 17), 2, kNear);
  const json& label = OnlyLabel(reset);
  EXPECT_NEAR(StrokeWidth(Lines(label)[0]), 0.7, kNear);
  const auto box = AnchorBounds(ShapeOf(label));
  EXPECT_NEAR(TextAnchor(TextOf(label)).y, (box[1] + box[3]) / 2 + 2, kNear) << "text 2 above the centre";
  EXPECT_EQ(ItemOf(s.ReadDump("focus.json"), 9)["active"], true);
  EXPECT_EQ(ItemOf(s.ReadDump("size.json"), 20)["active"], true) << "the text size icon focuses its field";
}

TEST(PanelControls, MouseUpShowsTheNumberLengthAndAngleAndFocusesTheNumber) {
  Session s;
  RunOk(s, Session1(DrawLabel({50, 50}, {90, 90}) + DrawLabel(kTip, kPlace) + "dump done.json\n"));
  const json done = s.ReadDump("done.json");
  EXPECT_EQ(Value(done, 12), 2) << "the first label keeps 1, the second counts on";
  EXPECT_EQ(ItemOf(done, 12)["active"], true);
  EXPECT_NEAR(Value(done, 15), kTheta * 180 / kPi, 1e-3);
}

}  // namespace
}  // namespace scenario::panel
