// Each stored setting the drawing reads, given a value other than its
// default, changes the label as the formulas say. Expected numbers are worked
// out here from the settings and the measured text width only.
#include <cmath>
#include <string>
#include <vector>

#include "tests/scenario/ScenarioSteps.h"

namespace scenario {
namespace {

constexpr double kLineHeight12 = 12 * 1.2;  // line height of the default 12 pt text

void ExpectPoints(const json& path, const std::vector<Point>& expected, const std::string& what) {
  ASSERT_EQ(AnchorCount(path), expected.size()) << what;
  for (std::size_t i = 0; i < expected.size(); ++i) ExpectNear(AnchorPoint(path, i), expected[i], what + " anchor " + std::to_string(i));
}

std::vector<Point> Moved(std::vector<Point> points, Point by) {
  for (Point& p : points) p = {p.x + by.x, p.y + by.y};
  return points;
}

// Shift-clicks in empty space step the shape: rectangle, ellipse, triangle, custom, none.
std::string NextShape(int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += "press shift\nclick 590 20\nrelease shift\n";
  return s;
}

//-----------------------------------------------------------------------------
// Text offsets and gaps
//-----------------------------------------------------------------------------

// A square label (equal sides) is the text width plus twice the horizontal gap
// on each side; it hangs beside the landing end on the side the leader points
// to, and the text's anchor stands at its centre moved by the offsets, away
// from the leader line horizontally.
TEST(SettingsDrawing, TextOffsetsAndGapPlaceTheBoxAndTheText) {
  Session s;
  s.SetReal("DecalageHoriz", 5);
  s.SetReal("DecalageVerti", 3);
  s.SetReal("DecalageHorizTexte", 10);
  const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}) + DrawLabel({500, 200}, {400, 250}));
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 2u);
  {
    SCOPED_TRACE("leader to the right");
    const json& label = *labels[1];
    const double w = TextWidth(TextOf(label)) + 2 * 10;
    const double landingX = 200 + kDefaultLanding, cx = landingX + w / 2;
    ExpectPoints(ShapeOf(label), Moved({{-w / 2, w / 2}, {w / 2, w / 2}, {w / 2, -w / 2}, {-w / 2, -w / 2}}, {cx, 450}),
                 "box");
    ExpectNear(TextAnchor(TextOf(label)), {cx + 5, 453}, "text anchor");
  }
  {
    SCOPED_TRACE("leader to the left");
    const json& label = *labels[0];
    const double w = TextWidth(TextOf(label)) + 2 * 10;
    const double landingX = 400 - kDefaultLanding, cx = landingX - w / 2;
    ExpectNear(AnchorPoint(Lines(label)[0], 2), {landingX, 250}, "landing end");
    ExpectPoints(ShapeOf(label), Moved({{-w / 2, w / 2}, {w / 2, w / 2}, {w / 2, -w / 2}, {-w / 2, -w / 2}}, {cx, 250}),
                 "box");
    ExpectNear(TextAnchor(TextOf(label)), {cx - 5, 253}, "text anchor");
  }
}

//-----------------------------------------------------------------------------
// The custom corner and its switches
//-----------------------------------------------------------------------------

// The default corner cuts each corner of the square box 12 points along both
// edges; the outline runs top left, bottom left, bottom right, top right, and
// a corner switched off is the box's plain corner.
TEST(SettingsDrawing, EachCornerSwitchReplacesItsOwnCornerOnly) {
  const std::vector<std::string> switches = {"CoinHG", "CoinBG", "CoinBD", "CoinHD"};  // in outline order
  for (std::size_t off = 0; off < switches.size(); ++off) {
    SCOPED_TRACE(switches[off] + " off");
    Session s;
    s.SetBoolean(switches[off], false);
    const RunResult r = RunOk(s, NextShape(3) + DrawLabel({100, 400}, {200, 450}));
    const json& label = OnlyLabel(r.dump);
    EXPECT_EQ(label["name"], "Label (custom.)");
    const double a = (TextWidth(TextOf(label)) + 16) / 2;  // half the square box
    const std::vector<std::vector<Point>> corners = {{{12 - a, a}, {-a, a - 12}},
                                                     {{-a, 12 - a}, {12 - a, -a}},
                                                     {{a - 12, -a}, {a, 12 - a}},
                                                     {{a, a - 12}, {a - 12, a}}};
    const std::vector<Point> boxCorners = {{-a, a}, {-a, -a}, {a, -a}, {a, a}};
    std::vector<Point> expected;
    for (std::size_t c = 0; c < 4; ++c) {
      if (c == off) {
        expected.push_back(boxCorners[c]);
      } else {
        expected.insert(expected.end(), corners[c].begin(), corners[c].end());
      }
    }
    ExpectPoints(ShapeOf(label), Moved(expected, {200 + kDefaultLanding + a, 450}), "outline");
  }
}

// A corner curve of 20 points, stored with the +6 of the point keys: a
// chamfer from (12, 0) to (0, 12) in 19 steps, drawn at each of the four
// corners: 80 anchors.
TEST(SettingsDrawing, ACustomCornerOf20PointsDrawsAll20AtEachCorner) {
  Session s;
  s.SetInteger("NbPtsArrondiEdit", 20);
  std::vector<Point> curve;
  for (int i = 0; i < 20; ++i) {
    curve.push_back({12 - 12.0 * i / 19, 12.0 * i / 19});
    const std::string n = std::to_string(i);
    for (const char* axis : {"X", "Y"}) {
      const double v = (axis[0] == 'X' ? curve.back().x : curve.back().y) + 6;
      s.SetReal(std::string("PtArEdit") + axis + n, v);
      s.SetReal(std::string("ArINOUTEditI") + axis + n, v);
      s.SetReal(std::string("ArINOUTEditO") + axis + n, v);
    }
  }
  const RunResult r = RunOk(s, NextShape(3) + DrawLabel({100, 400}, {200, 450}));
  const json& label = OnlyLabel(r.dump);
  const json& shape = ShapeOf(label);
  ASSERT_EQ(AnchorCount(shape), 80u);
  const double a = (TextWidth(TextOf(label)) + 16) / 2;
  const Point centre{200 + kDefaultLanding + a, 450};
  for (int i : {0, 7, 19}) {
    // Top left: x from the left edge, y down from the top; bottom right: both mirrored.
    ExpectNear(AnchorPoint(shape, i), {centre.x + curve[i].x - a, centre.y + a - curve[i].y}, "top left " + std::to_string(i));
    ExpectNear(AnchorPoint(shape, 40 + i), {centre.x + a - curve[i].x, centre.y + curve[i].y - a},
               "bottom right " + std::to_string(i));
  }
}

//-----------------------------------------------------------------------------
// The custom arrowhead
//-----------------------------------------------------------------------------

// 20 points at x = 0..19, alternately 1.5 below and above the line, each
// with its I handle 0.25 further along x and its O handle 0.25 back; drawn
// at 50 % on a horizontal leader, open and hollow, the line beginning at
// 3 * 50 %.
TEST(SettingsDrawing, ACustomArrowheadOf20PointsDrawsAll20WithItsOwnHandlesOpenAndHollow) {
  Session s;
  s.SetInteger("Fleche", 4);
  s.SetInteger("NbPtsFlEdit", 20);
  s.SetBoolean("FouOEdit", false);
  s.SetBoolean("CouPEdit", true);
  s.SetReal("DebEditSegX", 3);
  s.SetReal("Pointes", 50);
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    const double x = i, y = i % 2 ? 1.5 : -1.5;
    s.SetReal("PtFlEditX" + n, x + 6);
    s.SetReal("PtFlEditY" + n, y + 6);
    s.SetReal("PtINOUTEditIX" + n, x + 0.25 + 6);
    s.SetReal("PtINOUTEditIY" + n, y + 6);
    s.SetReal("PtINOUTEditOX" + n, x - 0.25 + 6);
    s.SetReal("PtINOUTEditOY" + n, y + 6);
  }
  const Point tip{100, 400};
  const RunResult r = RunOk(s, DrawLabel(tip, {300, 400}));
  const json& label = OnlyLabel(r.dump);
  const json& head = Arrows(label)[0];
  ASSERT_EQ(AnchorCount(head), 20u);
  EXPECT_FALSE(head["closed"].get<bool>());
  EXPECT_TRUE(head["fill"].is_null()) << "a hollow head is not filled";
  EXPECT_TRUE(head["stroke"].is_object()) << "a hollow head is stroked like the lines";
  EXPECT_TRUE(head["tags"].contains("FlEl"));
  for (int i : {0, 1, 12, 19}) {
    const json& a = head["anchors"][i];
    const double x = tip.x + 0.5 * i, y = tip.y + 0.5 * (i % 2 ? 1.5 : -1.5);
    EXPECT_NEAR(a[0].get<double>(), x, kNear) << i;
    EXPECT_NEAR(a[1].get<double>(), y, kNear) << i;
    EXPECT_NEAR(a[2].get<double>(), x - 0.125, kNear) << "in handle " << i;
    EXPECT_NEAR(a[4].get<double>(), x + 0.125, kNear) << "out handle " << i;
  }
  ExpectNear(AnchorPoint(Lines(label)[0], 0), {tip.x + 1.5, tip.y}, "line start");
}

//-----------------------------------------------------------------------------
// Negative landing
//-----------------------------------------------------------------------------

// A landing of -20 on a leader pointing right runs back to the left, and the
// label of every shape then lies left of the landing end, whose x is 180 here.
TEST(SettingsDrawing, ANegativeLandingPutsEveryShapeLeftOfTheLandingEnd) {
  const auto rightmost = [](const json& shape) { return AnchorBounds(shape)[2]; };
  const auto leftmost = [](const json& shape) { return AnchorBounds(shape)[0]; };
  // Rectangle, ellipse, triangle and custom shape in one session.
  {
    Session s;
    s.SetReal("Attaches", -20);
    s.SetReal("DecalageHoriz", 2);
    const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}) + NextShape(1) + DrawLabel({100, 200}, {200, 250}) +
                                     NextShape(1) + DrawLabel({100, 600}, {200, 650}) + NextShape(1) +
                                     DrawLabel({300, 100}, {400, 150}));
    const auto labels = LabelGroupsOf(r.dump);
    ASSERT_EQ(labels.size(), 4u);
    const json& rect = *labels[3];
    const json& ellipse = *labels[2];
    const json& triangle = *labels[1];
    const json& custom = *labels[0];
    ExpectNear(AnchorPoint(Lines(rect)[0], 2), {180, 450}, "landing end");

    const double w = TextWidth(TextOf(rect)) + 16;
    EXPECT_NEAR(rightmost(ShapeOf(rect)), 180, kNear);
    EXPECT_NEAR(leftmost(ShapeOf(rect)), 180 - w, kNear);
    ExpectNear(TextAnchor(TextOf(rect)), {180 - w / 2 + 2, 450}, "rectangle's text");

    const double we = TextWidth(TextOf(ellipse)) + 16;
    ExpectNear(AnchorPoint(ShapeOf(ellipse), 2), {180, 250}, "ellipse's right anchor");
    ExpectNear(AnchorPoint(ShapeOf(ellipse), 0), {180 - we, 250}, "ellipse's left anchor");

    // Equilateral: side H = W (text, gaps and half a line height), height
    // W * sqrt(3) / 2; the landing end is the middle of the side P0-P1.
    const double wt = TextWidth(TextOf(triangle)) + 16 + kLineHeight12 / 2;
    const double h = wt * std::sqrt(3.0) / 2, q = wt / 4;
    ExpectPoints(ShapeOf(triangle), {{180 + q, 650 - h / 2}, {180 + q - wt / 2, 650 + h / 2}, {180 + q - wt, 650 - h / 2}},
                 "triangle");
    ExpectNear(TextAnchor(TextOf(triangle)), {180 + q - wt / 2 + 2, 650}, "triangle's text");

    const double wc = TextWidth(TextOf(custom)) + 16;
    EXPECT_NEAR(rightmost(ShapeOf(custom)), 380, kNear);
    EXPECT_NEAR(leftmost(ShapeOf(custom)), 380 - wc, kNear);
  }
  // Rounded corners of either sign.
  for (double radius : {4.0, -4.0}) {
    SCOPED_TRACE("radius " + std::to_string(radius));
    Session s;
    s.SetReal("Attaches", -20);
    s.SetReal("RayonArrondi", radius);
    const RunResult r = RunOk(s, DrawLabel({100, 400}, {200, 450}));
    const json& label = OnlyLabel(r.dump);
    const double w = TextWidth(TextOf(label)) + 16;
    EXPECT_NEAR(rightmost(ShapeOf(label)), 180, kNear);
    EXPECT_NEAR(leftmost(ShapeOf(label)), 180 - w, kNear);
    EXPECT_EQ(AnchorCount(ShapeOf(label)), 8u);
  }
}

//-----------------------------------------------------------------------------
// Colours and widths
//-----------------------------------------------------------------------------

void ExpectColour(const json& paint, const std::vector<double>& rgb, const std::string& what) {
  ASSERT_TRUE(paint.is_object() && paint.contains("rgb")) << what << ": " << paint;
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(paint["rgb"][i].get<double>(), rgb[i], 1e-4) << what;
}
void ExpectGrey(const json& paint, double grey, const std::string& what) {
  ASSERT_TRUE(paint.is_object() && paint.contains("gray")) << what << ": " << paint;
  EXPECT_NEAR(paint["gray"].get<double>(), grey, 1e-4) << what;
}

// An RGB outline of (255, 128, 0), a grey background of 25 %, lines 1.5 wide,
// and solid triangular heads opening 30 degrees each side.
TEST(SettingsDrawing, RgbOutlineGreyBackgroundWidthAndASolidTriangle) {
  Session s;
  s.SetBoolean("RVBC", true);
  s.SetReal("RougeGrisC", 255);
  s.SetReal("VertC", 128);
  s.SetReal("BleuC", 0);
  s.SetBoolean("Fond", true);
  s.SetReal("RougeGrisF", 25);
  s.SetReal("Epaisseur", 1.5);
  s.SetInteger("Fleche", 3);
  s.SetBoolean("FlecheCreuse", false);
  s.SetReal("AnglePointe2", 30);
  const Point tip{100, 400};
  const RunResult r = RunOk(s, DrawLabel(tip, {300, 400}));
  const json& label = OnlyLabel(r.dump);
  const std::vector<double> orange = {1, 128.0 / 255, 0};
  const json& line = Lines(label)[0];
  ExpectColour(line["stroke"], orange, "line");
  EXPECT_NEAR(line["stroke"]["width"].get<double>(), 1.5, 1e-6);
  EXPECT_TRUE(line["fill"].is_null());
  const json& shape = ShapeOf(label);
  ExpectColour(shape["stroke"], orange, "shape outline");
  EXPECT_NEAR(shape["stroke"]["width"].get<double>(), 1.5, 1e-6);
  ExpectGrey(shape["fill"], 0.25, "shape background");
  ExpectColour(TextOf(label)["fill"], orange, "text");

  const json& head = Arrows(label)[0];
  ExpectColour(head["fill"], orange, "solid head");
  EXPECT_TRUE(head["stroke"].is_null()) << "a solid head has no outline";
  const double spread = 9 * std::tan(30 * kPi / 180);  // 5.196152
  ExpectPoints(head, {{tip.x + 9, tip.y + spread}, tip, {tip.x + 9, tip.y - spread}}, "triangle");
  EXPECT_TRUE(head["closed"].get<bool>());
  ExpectNear(AnchorPoint(line, 0), {tip.x + 9, tip.y}, "line starts at the triangle's base");
}

// A grey outline of 40 %, an RGB background of pure blue, lines 0.5 wide, an
// open V opening 45 degrees each side (stroked like the lines), text of 20 pt.
TEST(SettingsDrawing, GreyOutlineRgbBackgroundAndAnOpenVee) {
  Session s;
  s.SetReal("RougeGrisC", 40);
  s.SetBoolean("Fond", true);
  s.SetBoolean("RVBF", true);
  s.SetReal("RougeGrisF", 0);
  s.SetReal("VertF", 0);
  s.SetReal("BleuF", 255);
  s.SetReal("Epaisseur", 0.5);
  s.SetInteger("Fleche", 2);
  s.SetReal("AnglePointe1", 45);
  s.SetReal("Corps", 20);
  const Point tip{100, 400};
  const RunResult r = RunOk(s, DrawLabel(tip, {300, 400}));
  const json& label = OnlyLabel(r.dump);
  ExpectGrey(Lines(label)[0]["stroke"], 0.4, "line");
  ExpectColour(ShapeOf(label)["fill"], {0, 0, 1}, "shape background");
  ExpectGrey(TextOf(label)["fill"], 0.4, "text");
  EXPECT_NEAR(TextOf(label)["size"].get<double>(), 20, 1e-6);
  EXPECT_NEAR(TextOf(label)["baselineShift"].get<double>(), -20.0 / 3, 1e-4);

  const json& head = Arrows(label)[0];
  ExpectGrey(head["stroke"], 0.4, "open V");
  EXPECT_NEAR(head["stroke"]["width"].get<double>(), 0.5, 1e-6);
  EXPECT_TRUE(head["fill"].is_null());
  EXPECT_FALSE(head["closed"].get<bool>());
  ExpectPoints(head, {{tip.x + 9, tip.y + 9}, tip, {tip.x + 9, tip.y - 9}}, "open V");
  ExpectNear(AnchorPoint(Lines(label)[0], 0), tip, "the line begins at the V's point");
}

//-----------------------------------------------------------------------------
// A preference file written by hand
//-----------------------------------------------------------------------------

// Whole numbers written without a decimal point where the store keeps reals
// are read as those reals; settings left out keep their defaults.
TEST(SettingsDrawing, AHandWrittenPreferenceFileWithWholeNumbersForRealsIsRead) {
  Session s;
  s.SetPreferenceText(R"({"format": 1, "sections": {"KPXEtiquette": {
    "Epaisseur": {"real": 2},
    "Pointes": {"real": 200},
    "Attaches": {"real": 10},
    "DecalageHoriz": {"real": 4},
    "DecalageVerti": {"real": -3},
    "DecalageHorizTexte": {"real": 6},
    "Corps": {"real": 18}
  }}})");
  const Point tip{100, 400}, place{200, 450};
  const RunResult r = RunOk(s, DrawLabel(tip, place));
  const json& label = OnlyLabel(r.dump);
  const json& line = Lines(label)[0];
  EXPECT_NEAR(line["stroke"]["width"].get<double>(), 2, 1e-6);
  ExpectNear(AnchorPoint(line, 0), PulledBack(tip, place, 14), "line start behind a head of 200 %");
  ExpectNear(AnchorPoint(line, 2), {210, 450}, "landing end");
  EXPECT_NEAR(TextOf(label)["size"].get<double>(), 18, 1e-6);
  const double w = TextWidth(TextOf(label)) + 2 * 6;
  ExpectNear(TextAnchor(TextOf(label)), {210 + w / 2 + 4, 447}, "text anchor");
  EXPECT_EQ(AnchorCount(Arrows(label)[0]), 6u) << "the default arrowhead kind";
}

}  // namespace
}  // namespace scenario
