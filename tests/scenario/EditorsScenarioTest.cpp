// The arrows editor and the shape editor driven through whole sessions:
// opened from the panel's flyout, worked with clicks, typed values and
// tracking on the canvas, checked on the dialog the runner dumps while it is
// open, on the stored point keys and on the art of labels drawn afterwards.
// Canvas pixels: the arrows canvas has its origin at (130, 130), the shape
// canvas at (110, 110); one unit is 20 pixels.
#include <cmath>
#include <string>

#include "tests/scenario/Raster.h"
#include "tests/scenario/ScenarioHarness.h"

namespace scenario {
namespace {

const char* const kArrows = "flyout 4\n";
const char* const kShape = "flyout 5\n";

RunResult RunOk(Session& s, const std::string& body) {
  RunResult r = s.RunTool(body);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r;
}

const json& Items(const json& dump) {
  static const json kNone = json::object();
  if (!dump.contains("dialog") || !dump["dialog"].is_object()) return kNone;
  return dump["dialog"]["items"];
}

double Value(const json& dump, const std::string& id) { return Items(dump).at(id).at("value").get<double>(); }
std::string Text(const json& dump, const std::string& id) { return Items(dump).at(id).at("text").get<std::string>(); }

const json& Prefs(const json& dump) { return dump.at("prefs").at("KPXEtiquette"); }
double Stored(const json& dump, const std::string& key) { return Prefs(dump).at(key).get<double>(); }
bool IsStored(const json& dump, const std::string& key) { return Prefs(dump).contains(key); }

std::string Track(const std::string& action, int x, int y, const std::string& keys = "") {
  return "item 12 track " + action + " " + std::to_string(x) + " " + std::to_string(y) + (keys.empty() ? "" : " " + keys) +
         "\n";
}
// Presses on a mark, drags it to (x, y) and lets go.
std::string DragMark(int fromX, int fromY, int x, int y, const std::string& keys = "") {
  return Track("drag", fromX, fromY) + Track("drag", x, y, keys) + Track("up", x, y);
}

const std::string kDrawLabel = "down 100 100\ndrag 180 160\ndrag 180 160\nup 180 160\n";

const json& FirstHead(const json& dump) {
  static const json kNone = json::object();
  const auto labels = LabelGroupsOf(dump);
  if (labels.empty()) return kNone;
  const json& heads = Arrows(*labels.back());
  return heads.empty() ? kNone : heads[0];
}

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

//-----------------------------------------------------------------------------
// Arrows editor: working copy, mirror, snapping
//-----------------------------------------------------------------------------

TEST(ArrowsEditor, ReopeningAfterCancelShowsTheSavedArrowheadAgain) {
  Session s;
  RunOk(s, std::string(kArrows) + "item 19 click\ndump changed.json\nitem 2 click\n" + kArrows +
               "dump again.json\nitem 2 click\n");
  EXPECT_EQ(Text(s.ReadDump("changed.json"), "31"), "10 points.");
  const json again = s.ReadDump("again.json");
  EXPECT_EQ(Text(again, "31"), "6 points.");  // the factory arrowhead
  EXPECT_EQ(Value(again, "10"), 0);
  EXPECT_EQ(Stored(again, "NbPtsFlEdit"), 6);
}

TEST(ArrowsEditor, SymmetricDragMovesTheMirrorAndKeepsAxisPointsOnTheAxis) {
  Session s;
  // Arrow 1 (symmetric): point 1 at (10,-5) is the mark at pixel (330, 30).
  const RunResult r = RunOk(s, std::string(kArrows) + "item 18 click\n" + DragMark(330, 30, 230, 90) +
                                   "dump dragged.json\n" +
                                   // point 3 at (2,0), dragged down, stays on the axis
                                   DragMark(170, 130, 210, 190) + "dump axis.json\nitem 1 click\n");
  const json dragged = s.ReadDump("dragged.json");
  EXPECT_EQ(Value(dragged, "10"), 5);
  EXPECT_EQ(Value(dragged, "11"), -2);
  EXPECT_EQ(Value(dragged, "26"), 1);
  const json axis = s.ReadDump("axis.json");
  EXPECT_EQ(Value(axis, "10"), 4);
  EXPECT_EQ(Value(axis, "11"), 0);
  // Stored with the 6.0 offset: point 5 mirrors point 1.
  EXPECT_EQ(Stored(r.dump, "PtFlEditX5"), 11);
  EXPECT_EQ(Stored(r.dump, "PtFlEditY5"), 8);
  EXPECT_EQ(Stored(r.dump, "PtFlEditY1"), 4);
  EXPECT_EQ(Stored(r.dump, "PtFlEditY3"), 6);
}

TEST(ArrowsEditor, SnapsAt29And31PixelsAndTheShiftKeyInvertsMagnetism) {
  Session s;
  RunOk(s, std::string(kArrows) + "item 18 click\n" + Track("drag", 130, 130) + Track("drag", 159, 130) +
               "dump d29.json\n" + Track("drag", 161, 130) + "dump d31.json\n" + Track("drag", 161, 130, "shift") +
               "dump free.json\n" + Track("up", 161, 130) + "item 17 pick 7\n" + Track("drag", 161, 130) +
               "dump off.json\n" + Track("drag", 161, 130, "shift") + "dump offShift.json\nitem 2 click\n");
  EXPECT_EQ(Value(s.ReadDump("d29.json"), "10"), 1);
  EXPECT_EQ(Value(s.ReadDump("d31.json"), "10"), 2);
  EXPECT_NEAR(Value(s.ReadDump("free.json"), "10"), 1.55, 1e-5);
  EXPECT_NEAR(Value(s.ReadDump("off.json"), "10"), 1.55, 1e-5);
  EXPECT_EQ(Value(s.ReadDump("offShift.json"), "10"), 2);
}

#ifdef KPX_HAVE_PNG
TEST(ArrowsEditor, GridOfSpacing100HasItsLinesEveryHundredPixelsFromThirty) {
  Session s;
  RunOk(s, std::string(kArrows) + "item 18 click\npng dialog s20.png\nitem 17 pick 4\npng dialog s100.png\nitem 2 click\n");
  Picture p20, p100;
  ASSERT_TRUE(ReadPng(s.dir() / "s20.png", p20));
  ASSERT_TRUE(ReadPng(s.dir() / "s100.png", p100));
  // The canvas sits at (30, 35) in the dialog; the grid is light grey, the rest white.
  const auto grey = [](const Picture& p, int x, int y) { return p.Gray(30 + x, 35 + y) < 240; };
  EXPECT_TRUE(grey(p100, 430, 60));   // vertical line x = 430
  EXPECT_FALSE(grey(p100, 410, 60));  // none at 410 ...
  EXPECT_TRUE(grey(p20, 410, 60));    // ... where spacing 20 has one
  EXPECT_TRUE(grey(p100, 400, 30));   // horizontal lines y = 30 and 230
  EXPECT_TRUE(grey(p100, 400, 230));
  EXPECT_FALSE(grey(p100, 400, 210));
  EXPECT_FALSE(grey(p100, 400, 240));  // below the grid
  EXPECT_FALSE(grey(p100, 430, 232));  // the vertical lines stop at 230
  EXPECT_FALSE(grey(p100, 432, 130));  // the horizontal ones at 430
}
#endif

//-----------------------------------------------------------------------------
// Arrows editor: points, add/delete mode, angle switch
//-----------------------------------------------------------------------------

TEST(ArrowsEditor, HoverSelectsWithoutTouchingTheFieldsAndAClickDeletes) {
  Session s;
  const RunResult r = RunOk(s, std::string(kArrows) + "item 18 click\nitem 9 click\n" + Track("hover", 332, 28) +
                                   "dump hover.json\n" + Track("down", 332, 28) + Track("up", 332, 28) +
                                   "dump deleted.json\n"
                                   "item 10 value 3\n"  // nothing is selected: no effect
                                   "item 1 click\n");
  const json hover = s.ReadDump("hover.json");
  EXPECT_EQ(Value(hover, "10"), 0);  // still point 0's
  EXPECT_EQ(EventsOfType(hover, "cursor").back()["id"], 311);
  EXPECT_EQ(Text(s.ReadDump("deleted.json"), "31"), "5 points.");
  EXPECT_EQ(Stored(r.dump, "NbPtsFlEdit"), 5);
  EXPECT_EQ(Stored(r.dump, "PtFlEditX0"), 6);   // point 0 untouched by the field
  EXPECT_EQ(Stored(r.dump, "PtFlEditY1"), 2);   // old point 2 (10,-4) moved down
}

TEST(ArrowsEditor, DeletingBelowTwoPointsIsRefused) {
  Session s;
  // Arrow 4 has three points: (0,0), (15,-5) and (15,5).
  const RunResult r = RunOk(s, std::string(kArrows) + "item 21 click\nitem 9 click\n" + Track("down", 430, 230) +
                                   Track("down", 430, 30) + "item 1 click\n");
  EXPECT_EQ(Stored(r.dump, "NbPtsFlEdit"), 2);
  ASSERT_FALSE(AlertTexts(r.dump).empty());
  EXPECT_EQ(AlertTexts(r.dump).back(), "Deletion impossible.");
}

TEST(ArrowsEditor, ClickOnTheClosingSegmentAppendsAPointOnlyWhenClosed) {
  Session s;
  // Arrow 1's closing segment runs from (10,5) at pixel (330,230) to the tip.
  const RunResult r = RunOk(s, std::string(kArrows) + "item 18 click\nitem 9 click\n" + Track("down", 230, 180) +
                                   "dump added.json\nitem 13 click\n" + Track("down", 180, 155) +
                                   "dump open.json\nitem 1 click\n");
  const json added = s.ReadDump("added.json");
  EXPECT_EQ(Text(added, "31"), "7 points.");
  EXPECT_EQ(Value(added, "10"), 5);
  EXPECT_EQ(Value(added, "11"), 2.5);
  EXPECT_EQ(Text(s.ReadDump("open.json"), "31"), "7 points.");  // open: the closing segment is not there
  EXPECT_EQ(Stored(r.dump, "PtFlEditX6"), 11);
  EXPECT_EQ(Stored(r.dump, "PtFlEditY6"), 8.5);
  EXPECT_EQ(Stored(r.dump, "PtFlEditX5"), 16);  // the old last point keeps its place
  EXPECT_EQ(Prefs(r.dump).at("FouOEdit"), false);
}

TEST(ArrowsEditor, RoundedPointsGetHandlesAcrossTheAxisOrAlongItMirrored) {
  Session s;
  const RunResult r = RunOk(s, std::string(kArrows) + "item 18 click\nitem 32 click\ndump p0.json\n"
                                   "item 26 value 2\nitem 32 click\nitem 1 click\n");
  EXPECT_EQ(Items(s.ReadDump("p0.json")).at("32").at("tooltip"), "Transform the selected point into an angle point.");
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditIY0"), 5);  // point 0 (0,0): in at y - 1, out at y + 1
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditOY0"), 7);
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditIX0"), 6);
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditIX2"), 17);  // point 2 (10,-4): in x + 1, out x - 1
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditOX2"), 15);
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditIX4"), 15);  // its mirror point 4: the other way round
  EXPECT_EQ(Stored(r.dump, "PtINOUTEditOX4"), 17);
}

TEST(ArrowsEditor, NextAndPreviousWrapAroundWithinTheSelectedKind) {
  Session s;
  // Arrow 3: point 3 is (16,6) with in (14,2.5); point 0's out is (10,1).
  RunOk(s, std::string(kArrows) + "item 20 click\nitem 28 click\nitem 25 click\ndump previous.json\n"
                                   "item 24 click\nitem 29 click\ndump next.json\nitem 2 click\n");
  const json previous = s.ReadDump("previous.json");
  EXPECT_EQ(Value(previous, "26"), 3);
  EXPECT_EQ(Value(previous, "10"), 14);
  EXPECT_EQ(Value(previous, "11"), 2.5);
  const json next = s.ReadDump("next.json");
  EXPECT_EQ(Value(next, "26"), 0);
  EXPECT_EQ(Value(next, "10"), 10);
  EXPECT_EQ(Value(next, "11"), 1);
}

TEST(ArrowsEditor, DefaultGoesBackToTheSavedArrowheadAndTheGridDefaults) {
  Session s;
  const RunResult r = RunOk(s, std::string(kArrows) + "item 19 click\nitem 17 pick 4\nitem 17 pick 7\nitem 9 click\n"
                                   "item 3 click\ndump default.json\n" + Track("down", 350, 40) +
                                   "dump still.json\nitem 1 click\n");
  const json d = s.ReadDump("default.json");
  EXPECT_EQ(Text(d, "31"), "6 points.");
  const json& entries = Items(d).at("17").at("entries");
  EXPECT_TRUE(entries[2].at("selected").get<bool>());
  EXPECT_TRUE(entries[7].at("checked").get<bool>());
  EXPECT_TRUE(entries[5].at("separator").get<bool>());
  EXPECT_EQ(entries[4].at("text"), "Grid spacing =\t100 pts");
  EXPECT_EQ(entries[6].at("text"), "Hide grid");
  // The mode is kept: a press on point 1, (11,-4.5) of the factory arrowhead, still deletes it.
  EXPECT_EQ(Text(s.ReadDump("still.json"), "31"), "5 points.");
  EXPECT_EQ(Stored(r.dump, "NbPtsFlEdit"), 5);
}

//-----------------------------------------------------------------------------
// Arrows editor: OK, keys, the arrowhead in force
//-----------------------------------------------------------------------------

TEST(ArrowsEditor, PointKeysAreWrittenInBlocksOfTen) {
  {
    Session s;  // 10 points: 0 to 19, slots past the count as the arrays hold them
    const RunResult r = RunOk(s, std::string(kArrows) + "item 19 click\nitem 1 click\n");
    EXPECT_EQ(Stored(r.dump, "PtFlEditX9"), 13.5);
    EXPECT_EQ(Stored(r.dump, "PtFlEditX19"), 6);
    EXPECT_EQ(Stored(r.dump, "PtINOUTEditOY19"), 6);
  }
  {
    Session s;  // 9 points: 0 to 9 only
    const RunResult r = RunOk(s, std::string(kArrows) + "item 19 click\nitem 9 click\n" + Track("down", 280, 230) +
                                     "item 1 click\n");
    EXPECT_EQ(Stored(r.dump, "NbPtsFlEdit"), 9);
    EXPECT_EQ(Stored(r.dump, "PtFlEditX9"), 13.5);
    EXPECT_FALSE(IsStored(r.dump, "PtFlEditX10"));
  }
  {
    Session s;  // 2 points: still 0 to 9
    const RunResult r = RunOk(s, std::string(kArrows) + "item 21 click\nitem 9 click\n" + Track("down", 430, 230) +
                                     "item 1 click\n");
    EXPECT_EQ(Stored(r.dump, "NbPtsFlEdit"), 2);
    EXPECT_EQ(Stored(r.dump, "PtFlEditX2"), 21);  // the deleted point's old slot
    EXPECT_EQ(Stored(r.dump, "PtINOUTEditIY9"), 6);
    for (const auto& [key, value] : Prefs(r.dump).items()) {
      if (key.rfind("PtFlEdit", 0) != 0 && key.rfind("PtINOUTEdit", 0) != 0) continue;
      const std::size_t digits = key.find_first_of("0123456789");
      ASSERT_NE(digits, std::string::npos) << key;
      EXPECT_LE(std::stoi(key.substr(digits)), 19) << key;
    }
  }
}

TEST(ArrowsEditor, OkPutsTheArrowheadInForceOnlyForTheCustomKind) {
  // Custom kind in force: the pending label is rebuilt with Arrow 4, and so is
  // the next one. Size 50 %: anchor 1 (15,-5) lies 7.906 from the tip.
  Session s;
  s.SetInteger("Fleche", 4);
  s.SetReal("Pointes", 50);
  const RunResult r = RunOk(s, kDrawLabel + kArrows + "item 21 click\nitem 1 click\ndump pending.json\n" +
                                   "down 300 300\ndrag 380 360\nup 380 360\n");
  const json pending = s.ReadDump("pending.json");
  for (const json* dump : {&pending, &r.dump}) {
    const json& head = FirstHead(*dump);
    ASSERT_EQ(AnchorCount(head), 3u);
    EXPECT_TRUE(head.at("closed").get<bool>());
    EXPECT_NEAR(Distance(AnchorPoint(head, 0), AnchorPoint(head, 1)), 7.9057, 1e-3);
    EXPECT_NEAR(Distance(AnchorPoint(head, 1), AnchorPoint(head, 2)), 5.0, 1e-3);
  }

  // Another kind in force: the arrowhead is stored, the label keeps its head.
  Session other;
  other.SetInteger("Fleche", 3);
  const RunResult before = RunOk(other, kDrawLabel);
  const RunResult after = RunOk(other, kDrawLabel + kArrows + "item 21 click\nitem 1 click\n");
  EXPECT_EQ(Stored(after.dump, "NbPtsFlEdit"), 3);
  ASSERT_GT(AnchorCount(FirstHead(before.dump)), 0u);
  EXPECT_EQ(FirstHead(after.dump).at("anchors"), FirstHead(before.dump).at("anchors"));
}

TEST(ArrowsEditor, StoredKeysReadBackToTheSameOutlineAtTheNextLaunch) {
  Session s;
  s.SetInteger("Fleche", 4);
  RunOk(s, std::string(kArrows) + "item 23 click\nitem 1 click\n");  // Arrow 6: 12 points
  s.KeepSavedSettings();
  const RunResult r = RunOk(s, std::string(kArrows) + "item 26 value 11\ndump again.json\nitem 2 click\n" + kDrawLabel);
  const json again = s.ReadDump("again.json");
  EXPECT_EQ(Text(again, "31"), "12 points.");
  EXPECT_EQ(Value(again, "10"), 4);  // point 11 is (4,3)
  EXPECT_EQ(Value(again, "11"), 3);
  // "Arrow 6." is symmetric; the flag is read back although the corner's key is read after the arrow's.
  EXPECT_EQ(Items(again).at("15").at("tooltip"), "Symmetrical movement of points.");
  const json& head = FirstHead(r.dump);
  ASSERT_EQ(AnchorCount(head), 12u);
  // Point 5 (14,-6) at the default size of 100 %.
  const double expected = std::hypot(14.0, -6.0) * Stored(r.dump, "Pointes") / 100.0;
  EXPECT_NEAR(Distance(AnchorPoint(head, 0), AnchorPoint(head, 5)), expected, 1e-3);
}

//-----------------------------------------------------------------------------
// Shape editor
//-----------------------------------------------------------------------------

TEST(ShapeEditor, EdgeRulesAndTheDiagonalMirror) {
  Session s;
  // Shape 2: (12,0) at pixel (350,110), (12,12) at (350,350), (0,12) at (110,350).
  const RunResult r = RunOk(s, std::string(kShape) + "item 19 click\n" + DragMark(350, 350, 190, 250) +
                                   "dump middle.json\n" + DragMark(350, 110, 290, 240) + "dump first.json\n" +
                                   "item 1 click\n");
  const json middle = s.ReadDump("middle.json");
  EXPECT_EQ(Value(middle, "10"), 5);  // dragged to (5,8), put on the diagonal
  EXPECT_EQ(Value(middle, "11"), 5);
  const json first = s.ReadDump("first.json");
  EXPECT_EQ(Value(first, "10"), 10);
  EXPECT_EQ(Value(first, "11"), 0);  // on the top edge
  EXPECT_EQ(Stored(r.dump, "PtArEditX0"), 16);
  EXPECT_EQ(Stored(r.dump, "ArINOUTEditOX0"), 16);  // out tangent on the anchor
  EXPECT_EQ(Stored(r.dump, "ArINOUTEditOY0"), 6);
  EXPECT_EQ(Stored(r.dump, "PtArEditX2"), 6);   // the mirror, on the left edge
  EXPECT_EQ(Stored(r.dump, "PtArEditY2"), 16);
}

TEST(ShapeEditor, OpensWithTheStoredSymmetricFlagAndFocusesTheFieldsFromTheirGlyphs) {
  Session s;
  s.SetBoolean("SymetrieArrondiEdit", true);
  s.SetBoolean("SymetriEdit", true);
  const RunResult r = RunOk(s, std::string(kShape) + "dump open.json\nitem 181 click\ndump focus.json\n"
                                   "item 10 value 9\nitem 1 click\n");
  const json open = s.ReadDump("open.json");
  EXPECT_EQ(Items(open).at("15").at("tooltip"), "Symmetrical movement of points.");
  EXPECT_EQ(Items(s.ReadDump("focus.json")).at("11").at("active"), true);
  // The factory corner (12,0) (0,12): the typed x of point 0 is mirrored.
  EXPECT_EQ(Stored(r.dump, "PtArEditY1"), 15);
}

TEST(ShapeEditor, TypedXOfPointZeroBecomesTheLastPointsY) {
  Session s;
  const RunResult r = RunOk(s, std::string(kShape) + "item 18 click\nitem 10 value 10\nitem 1 click\n");
  EXPECT_EQ(Stored(r.dump, "PtArEditX0"), 16);
  EXPECT_EQ(Stored(r.dump, "PtArEditY1"), 16);
  EXPECT_EQ(Stored(r.dump, "NbPtsArrondiEdit"), 2);
  EXPECT_EQ(Prefs(r.dump).at("SymetrieArrondiEdit"), true);
  EXPECT_EQ(Prefs(r.dump).at("SymetriEdit"), true);  // one flag under both keys
}

TEST(ShapeEditor, SnappedPointsLandOnTheDrawnGridLines) {
  Session s;
  RunOk(s, std::string(kShape) + "item 18 click\nitem 17 pick 4\n" + Track("drag", 350, 110) +
               Track("drag", 260, 110) + "dump right.json\n" + Track("drag", 60, 110) + "dump left.json\n" +
               Track("up", 60, 110) + "item 17 pick 2\n" + Track("drag", 39, 110) + "dump fine.json\nitem 2 click\n");
  EXPECT_EQ(Value(s.ReadDump("right.json"), "10"), 11);  // pixel 330, the line 30 + 300
  EXPECT_EQ(Value(s.ReadDump("left.json"), "10"), -4);   // pixel 30
  EXPECT_EQ(Value(s.ReadDump("fine.json"), "10"), -3);   // 50 pixels: a line of spacing 20
}

TEST(ShapeEditor, InsertionSelectsPointZeroAndWidensThePointNumber) {
  Session s;
  RunOk(s, std::string(kShape) + "item 18 click\nitem 9 click\n" + Track("down", 230, 230) + "dump added.json\n" +
               "item 26 value 2\ndump last.json\nitem 2 click\n");
  const json added = s.ReadDump("added.json");
  EXPECT_EQ(Text(added, "31"), "3 points");
  EXPECT_EQ(Value(added, "26"), 0);
  EXPECT_EQ(Value(added, "10"), 12);
  const json last = s.ReadDump("last.json");
  EXPECT_EQ(Value(last, "26"), 2);
  EXPECT_EQ(Value(last, "10"), 0);
  EXPECT_EQ(Value(last, "11"), 12);
}

TEST(ShapeEditor, NextCustomLabelUsesTheNewCornerAndCornerSwitches) {
  Session s;
  // Opened while the rectangle is current; the custom shape chosen afterwards.
  const RunResult r = RunOk(s, std::string(kShape) + "item 19 click\nitem 183 value 0\nitem 1 click\n" +
                                   "item 54 click\n" + kDrawLabel);
  EXPECT_EQ(Prefs(r.dump).at("CoinHD"), false);
  EXPECT_EQ(Prefs(r.dump).at("CoinHG"), true);
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_FALSE(labels.empty());
  // Three corners of three anchors and one sharp corner.
  EXPECT_EQ(AnchorCount(ShapeOf(*labels.back())), 10u);

  s.KeepSavedSettings();
  RunOk(s, std::string(kShape) + "dump again.json\nitem 2 click\n");
  const json again = s.ReadDump("again.json");
  EXPECT_EQ(Text(again, "31"), "3 points");
  EXPECT_EQ(Value(again, "183"), 0);
  EXPECT_EQ(Value(again, "182"), 1);
}

TEST(ShapeEditor, DefaultReloadsTheSavedCornerAndItsSwitches) {
  Session s;
  RunOk(s, std::string(kShape) + "item 22 click\nitem 184 value 0\nitem 3 click\ndump default.json\nitem 2 click\n");
  const json d = s.ReadDump("default.json");
  EXPECT_EQ(Text(d, "31"), "2 points");
  EXPECT_EQ(Value(d, "184"), 1);
  EXPECT_EQ(Value(d, "10"), 12);
  EXPECT_EQ(Items(d).at("15").at("tooltip"), "Independent movement of points.");
}

#ifdef KPX_HAVE_PNG
TEST(ShapeEditor, GridLinesSpanThirtyToFourHundredThirty) {
  Session s;
  RunOk(s, std::string(kShape) + "item 17 pick 4\npng dialog grid.png\nitem 2 click\n");
  Picture p;
  ASSERT_TRUE(ReadPng(s.dir() / "grid.png", p));
  const auto grey = [&p](int x, int y) { return p.Gray(30 + x, 35 + y) < 240; };
  EXPECT_TRUE(grey(230, 425));   // vertical line x = 230, to the bottom
  EXPECT_FALSE(grey(230, 433));
  EXPECT_TRUE(grey(425, 330));   // horizontal line y = 330
  EXPECT_FALSE(grey(433, 330));
  EXPECT_FALSE(grey(180, 400));  // between lines
}

TEST(ShapeEditor, TheCornerOutlineIsOpen) {
  Session s;
  // "Predefined shape 2." runs (12,0) (12,12) (0,12): nothing joins its ends.
  RunOk(s, std::string(kShape) + "item 19 click\npng dialog open.png\nitem 2 click\n");
  Picture p;
  ASSERT_TRUE(ReadPng(s.dir() / "open.png", p));
  EXPECT_LT(p.Gray(30 + 350, 35 + 230), 100);  // on the outline's right side
  EXPECT_GT(p.Gray(30 + 180, 35 + 280), 150);  // where a closing line would pass
}

TEST(ShapeEditor, UntickedCornerLetsTheSampleTopEdgeRunToTheEnd) {
  Session s;
  RunOk(s, std::string(kShape) + "item 18 click\npng dialog on.png\nitem 183 value 0\npng dialog off.png\nitem 2 click\n");
  Picture on, off;
  ASSERT_TRUE(ReadPng(s.dir() / "on.png", on));
  ASSERT_TRUE(ReadPng(s.dir() / "off.png", off));
  // The sample is at (205, 510); its top edge is y = 6, the corner 12 wide.
  EXPECT_GT(on.Gray(205 + 83, 516), 128);
  EXPECT_LT(off.Gray(205 + 83, 516), 128);
  EXPECT_LT(off.Gray(205 + 60, 516), 128);
}
#endif

}  // namespace
}  // namespace scenario
