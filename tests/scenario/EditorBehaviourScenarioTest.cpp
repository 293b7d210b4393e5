// Editor behaviours no other session covers: both editors' items, titles
// and sizes, the arrowhead's line start, the position fields' ranges, the
// 20-point limit, the hollow switch, the grid popup's entries, moving points
// with Command in add/delete mode and the canvas cursors. Canvas pixels: the
// arrows canvas has its origin at (130, 130), the shape canvas at (110, 110);
// one unit is 20 pixels.
#include <string>
#include <vector>

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

const json& Item(const json& dump, int id) { return dump.at("dialog").at("items").at(std::to_string(id)); }
double Value(const json& dump, int id) { return Item(dump, id).at("value").get<double>(); }
const json& Prefs(const json& dump) { return dump.at("prefs").at("KPXEtiquette"); }

std::string Track(const std::string& action, int x, int y, const std::string& keys = "") {
  return "item 12 track " + action + " " + std::to_string(x) + " " + std::to_string(y) + (keys.empty() ? "" : " " + keys) +
         "\n";
}

int LastCursor(const json& dump) {
  const auto cursors = EventsOfType(dump, "cursor");
  return cursors.empty() ? -1 : cursors.back()["id"].get<int>();
}

struct ItemRow {
  int id;
  std::vector<int> bounds;
  std::string tooltip;
};

void ExpectItems(const json& dump, const std::vector<ItemRow>& rows) {
  for (const ItemRow& row : rows) {
    const std::string key = std::to_string(row.id);
    ASSERT_TRUE(dump["dialog"]["items"].contains(key)) << "no item " << row.id;
    const json& item = Item(dump, row.id);
    EXPECT_EQ(item["bounds"].get<std::vector<int>>(), row.bounds) << "item " << row.id;
    EXPECT_EQ(item["tooltip"], row.tooltip) << "item " << row.id;
  }
}

const std::string kHorizontal = "Horizontal position of the selected point.";
const std::string kVertical = "Vertical position of the selected point.";
const std::string kIndependent = "Independent movement of points.";

//-----------------------------------------------------------------------------
// Items, titles and sizes
//-----------------------------------------------------------------------------

// Screen 1440 x 900: the editors open centred, a third of the way down.
TEST(EditorItems, TheArrowsEditorHasItsItemsTitleAndSize) {
  Session s;
  RunOk(s, std::string(kArrows) + "dump open.json\nitem 2 click\n");
  const json open = s.ReadDump("open.json");
  EXPECT_EQ(open["dialog"]["title"], "Arrows editor (KPX\xE2\x80\xA2Labels).");
  EXPECT_EQ(open["dialog"]["bounds"], json::array({470, 163, 970, 573}));
  std::vector<ItemRow> rows = {
      {10, {30, 8, 95, 30}, kHorizontal},
      {180, {2, 8, 28, 30}, kHorizontal},
      {11, {110, 8, 175, 30}, kVertical},
      {181, {82, 8, 110, 30}, kVertical},
      {27, {177, 14, 187, 24}, "Selection of a control point."},
      {30, {290, 14, 300, 24}, "Selection of the beginning point of the line."},
      {28, {202, 8, 212, 18}, "Selection of a tangent point (in)."},
      {29, {202, 20, 212, 30}, "Selection of a tangent point (out)."},
      {17, {310, 8, 490, 30}, "Grid spacing =\t"},
      {8, {6, 35, 25, 54}, "Move points."},
      {9, {6, 55, 25, 74}, "Add or delete points."},
      {15, {6, 75, 25, 94}, kIndependent},
      {13, {6, 102, 25, 121}, "Opened or closed."},
      {14, {6, 122, 25, 141}, "Solid or hollow."},
      {32, {6, 142, 25, 161}, "Transform the selected point into a rounded point."},
      {31, {210, 295, 290, 313}, "Number of control points of the arrow (<21 and >1)."},
      {16, {30, 314, 490, 342}, ""},
      {12, {30, 35, 490, 295}, ""},
      {24, {264, 14, 277, 25}, "Modify the next point."},
      {25, {223, 14, 236, 25}, "Modify the previous point."},
      {26, {238, 8, 262, 30}, ""},
      {2, {10, 352, 78, 372}, "No modification."},
      {3, {218, 352, 290, 372}, "Back to the last default arrow."},
      {1, {431, 352, 489, 372}, "Validation of the new default arrow."}};
  for (int k = 0; k < 6; ++k)
    rows.push_back({18 + k, {6, 175 + 20 * k, 25, 194 + 20 * k}, "Arrow " + std::to_string(k + 1) + "."});
  ExpectItems(open, rows);
  EXPECT_EQ(open["dialog"]["items"].size(), rows.size());
  EXPECT_EQ(Item(open, 31)["text"], "6 points.");
  EXPECT_EQ(Item(open, 2)["text"], "Cancel");
  EXPECT_EQ(Item(open, 3)["text"], "Default");
  EXPECT_EQ(Item(open, 1)["text"], "OK");
}

TEST(EditorItems, TheShapeEditorHasItsItemsTitleAndSize) {
  Session s;
  RunOk(s, std::string(kShape) + "dump open.json\nitem 2 click\n");
  const json open = s.ReadDump("open.json");
  EXPECT_EQ(open["dialog"]["title"], "Shape editor (KPX\xE2\x80\xA2Labels)");
  EXPECT_EQ(open["dialog"]["bounds"], json::array({470, 100, 970, 700}));
  std::vector<ItemRow> rows = {{10, {30, 8, 95, 30}, kHorizontal},
                               {180, {2, 8, 28, 30}, kHorizontal},
                               {11, {110, 8, 175, 30}, kVertical},
                               {181, {82, 8, 110, 30}, kVertical},
                               {27, {177, 14, 187, 24}, "Selection of a control point."},
                               {28, {202, 8, 212, 18}, "Selection of a tangent point (in)."},
                               {29, {202, 20, 212, 30}, "Selection of a tangent point (out)."},
                               {17, {310, 8, 490, 30}, "Choice of the grid spacing."},
                               {8, {6, 35, 25, 54}, "Move points."},
                               {9, {6, 57, 25, 76}, "Add or delete points."},
                               {15, {6, 79, 25, 98}, kIndependent},
                               {31, {210, 498, 290, 512}, "Number of control points of the shape (<21 and >1)."},
                               {16, {205, 510, 297, 562}, ""},
                               {12, {30, 35, 490, 495}, ""},
                               {24, {264, 14, 277, 25}, "Modify the next point."},
                               {25, {223, 14, 236, 25}, "Modify the previous point."},
                               {26, {238, 8, 262, 30}, ""},
                               {182, {185, 502, 205, 516}, ""},
                               {183, {299, 502, 319, 516}, ""},
                               {184, {185, 555, 205, 569}, ""},
                               {185, {299, 555, 319, 569}, ""},
                               {2, {10, 542, 78, 562}, "No modification."},
                               {3, {100, 542, 172, 562}, "Back to the last default shape."},
                               {1, {431, 542, 489, 562}, "Validation of the new default shape."}};
  for (int k = 0; k < 6; ++k)
    rows.push_back({18 + k, {6, 165 + 22 * k, 25, 184 + 22 * k}, "Predefined shape " + std::to_string(k + 1) + "."});
  ExpectItems(open, rows);
  EXPECT_EQ(open["dialog"]["items"].size(), rows.size()) << "items 30, 13, 14 and 32 are the arrows editor's only";
  EXPECT_EQ(Item(open, 31)["text"], "2 points");
  const std::vector<std::string> steps = {"4", "10", "20", "50", "100"};
  const json& entries = Item(open, 17)["entries"];
  ASSERT_GE(entries.size(), 5u);
  for (std::size_t i = 0; i < steps.size(); ++i)
    EXPECT_EQ(entries[i]["text"], "Pas de la grille = " + steps[i] + " pts");
}

//-----------------------------------------------------------------------------
// Arrows editor: line start, ranges, limits
//-----------------------------------------------------------------------------

// The factory line start is (2, 0), its mark at pixel (170, 130).
TEST(ArrowsEditorBehaviour, TheLineStartButtonTurnsOffThePointButtonsItsDragStaysInTheGridAndOkStoresIt) {
  Session s;
  const RunResult r = RunOk(s, std::string(kArrows) + "item 30 click\ndump chosen.json\n" + Track("drag", 5, 255) +
                                   "dump low.json\n" + Track("drag", 460, 5) + "dump high.json\n" +
                                   Track("up", 460, 5) + "item 1 click\n");
  const json chosen = s.ReadDump("chosen.json");
  for (int id : {24, 25, 26}) EXPECT_EQ(Item(chosen, id)["enabled"], false) << "item " << id;
  EXPECT_EQ(Value(chosen, 10), 2);
  // Held to the grid area 30..430 x 30..230: pixel (30, 230) is (-5, 5).
  const json low = s.ReadDump("low.json");
  EXPECT_EQ(Value(low, 10), -5);
  EXPECT_EQ(Value(low, 11), 5);
  const json high = s.ReadDump("high.json");
  EXPECT_EQ(Value(high, 10), 15);
  EXPECT_EQ(Value(high, 11), -5);
  for (int id : {24, 25, 26}) EXPECT_EQ(Item(high, id)["enabled"], false) << "item " << id;
  EXPECT_EQ(Prefs(r.dump)["DebEditSegX"], 15);
  EXPECT_EQ(Prefs(r.dump)["DebEditSegY"], -5);
}

TEST(ArrowsEditorBehaviour, ThePositionFieldsHoldToTheActiveAreaAndThePointNumberToTheCount) {
  Session s;
  RunOk(s, std::string(kArrows) + "item 10 value 20\nitem 11 value 9\ndump high.json\nitem 10 value -9\n"
               "item 11 value -9\ndump low.json\nitem 26 value 9\ndump number.json\nitem 2 click\n" + kShape +
               "item 10 value 20\nitem 11 value -9\ndump shape.json\nitem 2 click\n");
  const json high = s.ReadDump("high.json"), low = s.ReadDump("low.json");
  EXPECT_EQ(Value(high, 10), 16);
  EXPECT_EQ(Value(high, 11), 6);
  EXPECT_EQ(Value(low, 10), -6);
  EXPECT_EQ(Value(low, 11), -6);
  EXPECT_EQ(Value(s.ReadDump("number.json"), 26), 5);  // six points: 0 .. 5
  // The shape editor's fields are held to its canvas's active area, pixels
  // 10 to 450 about the origin 110: -5 to 17 units on both axes.
  const json shape = s.ReadDump("shape.json");
  EXPECT_EQ(Value(shape, 10), 17);
  EXPECT_EQ(Value(shape, 11), -5);
}

// Twenty angle points along y = 2, from x = 0 in steps of 0.5, stored with
// the keys' offset of 6.
void StoreTwentyPoints(Session& s, const std::string& count, const std::string& anchor, const std::string& tangent) {
  s.SetInteger(count, 20);
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    const double x = 0.5 * i + 6, y = 2 + 6;
    s.SetReal(anchor + "X" + n, x);
    s.SetReal(anchor + "Y" + n, y);
    for (const char* io : {"I", "O"}) {
      s.SetReal(tangent + io + "X" + n, x);
      s.SetReal(tangent + io + "Y" + n, y);
    }
  }
}

TEST(EditorLimits, AClickOnTheOutlineOfTwentyPointsAddsNoneAndSaysSo) {
  Session s;
  StoreTwentyPoints(s, "NbPtsFlEdit", "PtFlEdit", "PtINOUTEdit");
  StoreTwentyPoints(s, "NbPtsArrondiEdit", "PtArEdit", "ArINOUTEdit");
  s.SetBoolean("FouOEdit", false);
  // Between points 0 and 1, 5 pixels from each: on the outline, on no point.
  const RunResult r = RunOk(s, std::string(kArrows) + "item 9 click\n" + Track("down", 135, 170) + Track("up", 135, 170) +
                                   "dump arrows.json\nitem 2 click\n" + kShape + "item 9 click\n" +
                                   Track("down", 115, 150) + Track("up", 115, 150) + "dump shape.json\nitem 2 click\n");
  EXPECT_EQ(Item(s.ReadDump("arrows.json"), 31)["text"], "20 points.");
  EXPECT_EQ(Item(s.ReadDump("shape.json"), 31)["text"], "20 points");
  EXPECT_EQ(AlertTexts(r.dump),
            (std::vector<std::string>{"Add a new point is impossible.", "Add a new point is impossible."}));
}

TEST(ArrowsEditorBehaviour, TheHollowButtonMakesTheCustomArrowheadStroked) {
  Session s;
  const RunResult r = RunOk(s, std::string(kArrows) + "item 14 click\nitem 1 click\nitem 44 click\n"
                                   "down 100 100\ndrag 180 160\ndrag 180 160\nup 180 160\n");
  EXPECT_EQ(Prefs(r.dump)["CouPEdit"], true);
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 1u);
  const json& head = Arrows(*labels[0])[0];
  EXPECT_TRUE(head["fill"].is_null()) << "a hollow arrowhead is not filled";
  EXPECT_FALSE(head["stroke"].is_null());
}

//-----------------------------------------------------------------------------
// Grid popup, add/delete with Command, cursors
//-----------------------------------------------------------------------------

TEST(EditorGrid, HidingTheGridRenamesItsEntryShowGridAndKeepsTheSpacingSelected) {
  Session s;
  RunOk(s, std::string(kArrows) + "item 17 pick 3\nitem 17 pick 6\ndump hidden.json\nitem 17 pick 6\n"
               "dump shown.json\nitem 2 click\n");
  const json hidden = s.ReadDump("hidden.json"), shown = s.ReadDump("shown.json");
  EXPECT_EQ(Item(hidden, 17)["entries"][6]["text"], "Show grid");
  EXPECT_EQ(Item(hidden, 17)["entries"][3]["selected"], true) << "the 50 pts entry";
  EXPECT_EQ(Item(shown, 17)["entries"][6]["text"], "Hide grid");
  EXPECT_EQ(Item(shown, 17)["entries"][3]["selected"], true);
}

// "Arrow 1.": point 1 at (10, -5), its mark at pixel (330, 30).
TEST(EditorAddDelete, WithCommandHeldAPointIsDraggedInsteadOfDeleted) {
  Session s;
  RunOk(s, std::string(kArrows) + "item 18 click\nitem 9 click\n" + Track("hover", 330, 30, "cmd") +
               Track("down", 330, 30, "cmd") + Track("drag", 330, 30, "cmd") + Track("drag", 230, 90, "cmd") +
               Track("up", 230, 90, "cmd") + "dump moved.json\nitem 2 click\n");
  const json moved = s.ReadDump("moved.json");
  EXPECT_EQ(Item(moved, 31)["text"], "6 points.");
  EXPECT_EQ(Value(moved, 26), 1);
  EXPECT_EQ(Value(moved, 10), 5);
  EXPECT_EQ(Value(moved, 11), -2);
}

TEST(EditorCursors, DraggingAPointShows20008AndHoveringTheOutlineInAddModeShows310) {
  Session s;
  // Segment 0 of "Arrow 1." runs from pixel (130, 130) to (330, 30); (230, 80) is on it.
  RunOk(s, std::string(kArrows) + "item 18 click\n" + Track("drag", 330, 30) + "dump drag.json\n" +
               Track("up", 330, 30) + "dump up.json\nitem 9 click\n" + Track("hover", 230, 80) +
               "dump add.json\nitem 2 click\n");
  EXPECT_EQ(LastCursor(s.ReadDump("drag.json")), 20008);
  EXPECT_EQ(LastCursor(s.ReadDump("up.json")), 20009);
  EXPECT_EQ(LastCursor(s.ReadDump("add.json")), 310);
}


// The factory corner's point 0 at (12, 0) is the mark at pixel (350, 110).
TEST(ShapeEditorBehaviour, DraggingAPointLeavesTheNextPreviousAndNumberItemsEnabled) {
  Session s;
  RunOk(s, std::string(kShape) + Track("drag", 350, 110) + Track("drag", 290, 110) + Track("up", 290, 110) +
               "dump dragged.json\nitem 2 click\n");
  const json dragged = s.ReadDump("dragged.json");
  // Snapped: 180 pixels from the origin is 9 steps of 20, and the grid's 20 more: 10 units.
  EXPECT_EQ(Value(dragged, 10), 10);
  for (int id : {24, 25, 26}) EXPECT_EQ(Item(dragged, id)["enabled"], true) << "item " << id;
}


// The factory arrowhead moves its points independently: typing x for point 1
// leaves its mirror, point 5 at (11, 4.5), where it was. Keys carry 6 more.
TEST(ArrowsEditorBehaviour, InIndependentModeATypedXMovesOnlyTheSelectedPoint) {
  Session s;
  const RunResult r = RunOk(s, std::string(kArrows) + "item 26 value 1\nitem 10 value 9\nitem 1 click\n");
  EXPECT_EQ(Prefs(r.dump)["PtFlEditX1"], 9 + 6);
  EXPECT_EQ(Prefs(r.dump)["PtFlEditX5"], 11 + 6);
}

}  // namespace
}  // namespace scenario
