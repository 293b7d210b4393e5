// The Colors and options dialog driven through whole sessions: opened by a
// double-click on the tool, worked item by item, checked on the dialog the
// runner dumps while it is open, on the label art and on the stored settings.
#include <string>

#include "tests/scenario/ScenarioHarness.h"

namespace scenario {
namespace {

const char* const kOpen = "tool options\n";

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
bool Enabled(const json& dump, const std::string& id) { return Items(dump).at(id).at("enabled").get<bool>(); }
bool Visible(const json& dump, const std::string& id) { return Items(dump).at(id).at("visible").get<bool>(); }
std::string Tip(const json& dump, const std::string& id) { return Items(dump).at(id).at("tooltip").get<std::string>(); }

const json& Stored(const json& dump, const std::string& key) { return dump.at("prefs").at("KPXEtiquette").at(key); }

// "track ACTION X Y" lines on one item.
std::string Track(int item, const std::string& action, int x, int y, const std::string& keys = "") {
  return "item " + std::to_string(item) + " track " + action + " " + std::to_string(x) + " " + std::to_string(y) +
         (keys.empty() ? "" : " " + keys) + "\n";
}

// The label's first arrowhead path.
const json& FirstHead(const json& dump) {
  const auto labels = LabelGroupsOf(dump);
  EXPECT_FALSE(labels.empty());
  static const json kNone = json::object();
  if (labels.empty()) return kNone;
  const json& heads = Arrows(*labels.back());
  if (heads.empty()) return kNone;
  return heads[0];
}

const std::string kDrawLabel = "down 100 100\ndrag 180 160\ndrag 180 160\nup 180 160\n";

//-----------------------------------------------------------------------------
// Colours
//-----------------------------------------------------------------------------

TEST(ColorsDialog, GreyFortySwitchedToRgbShowsRedOneHundredTwoAndBackForty) {
  Session s;
  s.SetReal("VertC", 7);
  s.SetReal("BleuC", 9);
  const RunResult r = RunOk(s, std::string(kOpen) +
                                   "item 127 value 40\n"
                                   "dump grey.json\n"
                                   "item 126 click\n"  // the outline is the edited colour: its mode flips
                                   "dump rgb.json\n"
                                   "item 126 click\n"
                                   "dump back.json\n"
                                   "item 2 click\n");
  const json grey = s.ReadDump("grey.json");
  EXPECT_EQ(Value(grey, "127"), 40);
  EXPECT_EQ(Value(grey, "120"), 40);
  EXPECT_FALSE(Visible(grey, "128"));
  EXPECT_TRUE(Visible(grey, "133"));

  const json rgb = s.ReadDump("rgb.json");
  EXPECT_EQ(Value(rgb, "127"), 102);
  EXPECT_EQ(Value(rgb, "120"), 102);
  EXPECT_EQ(Value(rgb, "128"), 7);  // green and blue stay as they were
  EXPECT_EQ(Value(rgb, "129"), 9);
  EXPECT_TRUE(Visible(rgb, "128"));
  EXPECT_TRUE(Visible(rgb, "122"));
  EXPECT_FALSE(Visible(rgb, "133"));
  EXPECT_EQ(Tip(rgb, "127"), "Red level for the outline (from 0 to 255).");
  EXPECT_EQ(Tip(rgb, "130"), "Red");

  const json back = s.ReadDump("back.json");
  EXPECT_EQ(Value(back, "127"), 40);
  EXPECT_FALSE(Visible(back, "128"));
  EXPECT_EQ(Tip(back, "127"), "Grey level for the outline (from 0 % to 100 %).");
  // Cancel: nothing stored.
  EXPECT_EQ(Stored(r.dump, "RougeGrisC").get<double>(), 100);
  EXPECT_EQ(Stored(r.dump, "RVBC").get<bool>(), false);
}

TEST(ColorsDialog, TheBackgroundSwitchEnablesTheColourControlsAndCancelPutsItBack) {
  Session s;
  const RunResult r = RunOk(s, std::string(kOpen) +
                                   "dump outline.json\n"
                                   "item 125 click\n"  // edit the background, which is off
                                   "dump off.json\n"
                                   "item 134 click\n"  // turn it on
                                   "dump on.json\n"
                                   "item 2 click\n" +
                                   kOpen +  // open again: the cancelled switch is off
                                   "item 125 click\n"
                                   "dump again.json\n"
                                   "item 1 click\n" +  // OK without a change draws unfilled labels
                                   "down 100 100\ndrag 180 160\ndrag 180 160\nup 180 160\n");
  const json outline = s.ReadDump("outline.json");
  EXPECT_TRUE(Enabled(outline, "120"));
  EXPECT_FALSE(Enabled(outline, "134"));

  const json off = s.ReadDump("off.json");
  EXPECT_FALSE(Enabled(off, "120"));
  EXPECT_FALSE(Enabled(off, "127"));
  EXPECT_TRUE(Enabled(off, "134"));
  EXPECT_EQ(Tip(off, "127"), "Grey level for the background (from 0 % to 100 %).");

  EXPECT_TRUE(Enabled(s.ReadDump("on.json"), "120"));
  EXPECT_FALSE(Enabled(s.ReadDump("again.json"), "120")) << "Cancel kept the background on";
  EXPECT_EQ(Stored(r.dump, "Fond").get<bool>(), false);
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_TRUE(ShapeOf(*labels[0])["fill"].is_null());
}

//-----------------------------------------------------------------------------
// Angles and gaps
//-----------------------------------------------------------------------------

TEST(ColorsDialog, DraggingRightOpensTheAngleTwoDegreesAnEventUpToNinetyAndCommandUndoes) {
  Session s;
  std::string body = kOpen + Track(107, "down", 0, 15);
  for (int x = 1; x <= 24; ++x) body += Track(107, "drag", x, 15);
  body += "dump right.json\n";
  for (int i = 0; i < 12; ++i) body += Track(107, "drag", 24, 15);
  body += "dump top.json\n" + Track(107, "drag", 20, 15) + "dump left.json\n" +
          Track(107, "drag", 40, 15) +  // beyond the picture: default handling only
          "dump outside.json\n" + Track(107, "drag", 22, 15, "cmd") + "dump undone.json\n" + "item 2 click\n";
  const RunResult r = RunOk(s, body);
  EXPECT_EQ(Value(s.ReadDump("right.json"), "108"), 17 + 25 * 2);
  EXPECT_EQ(Value(s.ReadDump("top.json"), "108"), 90);
  EXPECT_EQ(Value(s.ReadDump("left.json"), "108"), 88);
  EXPECT_EQ(Value(s.ReadDump("outside.json"), "108"), 88);
  EXPECT_EQ(Value(s.ReadDump("undone.json"), "108"), 17);
  EXPECT_EQ(Stored(r.dump, "AnglePointe1").get<double>(), 17);
}

TEST(ColorsDialog, TheAngleNeverGoesBelowZero) {
  Session s;
  s.SetReal("AnglePointe2", 3);
  std::string body = kOpen + Track(114, "down", 30, 5);
  for (int x = 29; x >= 20; --x) body += Track(114, "drag", x, 5);
  body += "dump closed.json\nitem 2 click\n";
  RunOk(s, body);
  // Opened once by the press (30 lies right of the last x, 0), then closed by ten moves left.
  EXPECT_EQ(Value(s.ReadDump("closed.json"), "110"), 0);
}

TEST(ColorsDialog, GapClicksAtTheEdgeAndInsideTheLabelSetBothGaps) {
  Session s;
  const RunResult r = RunOk(s, std::string(kOpen) + Track(113, "down", 126, 46) + Track(113, "up", 126, 46) +
                                   "dump edge.json\n" + Track(113, "down", 100, 20) + Track(113, "up", 100, 20) +
                                   "dump inside.json\n"
                                   "item 1 click\n");
  const json edge = s.ReadDump("edge.json");
  EXPECT_EQ(Value(edge, "111"), 0);
  EXPECT_EQ(Value(edge, "112"), 7);
  const json inside = s.ReadDump("inside.json");
  EXPECT_EQ(Value(inside, "111"), 13);
  EXPECT_EQ(Value(inside, "112"), 13);
  EXPECT_EQ(Stored(r.dump, "DecalageHorizTexte").get<double>(), 13);
  EXPECT_EQ(Stored(r.dump, "DecalageVertiTexte").get<double>(), 13);
}

//-----------------------------------------------------------------------------
// OK and Cancel on the label and the stored settings
//-----------------------------------------------------------------------------

TEST(ColorsDialog, OkWithTheTriangleInForceMakesTheDrawnArrowheadsSolidAtOnce) {
  Session s;
  s.SetInteger("Fleche", 3);
  const RunResult r = RunOk(s, kDrawLabel + "dump hollow.json\n" + kOpen + Track(114, "down", 24, 24) +
                                   Track(114, "up", 24, 24) + "dump dialog.json\nitem 1 click\n");
  const json hollow = s.ReadDump("hollow.json");
  const json& before = FirstHead(hollow);
  EXPECT_TRUE(before["fill"].is_null());
  EXPECT_FALSE(before["stroke"].is_null());
  EXPECT_EQ(Tip(s.ReadDump("dialog.json"), "110"), "Angle of the solid arrow (from 0\xC2\xB0 to 90\xC2\xB0).");

  const json& after = FirstHead(r.dump);
  EXPECT_FALSE(after["fill"].is_null());
  EXPECT_TRUE(after["stroke"].is_null());
  EXPECT_EQ(Stored(r.dump, "FlecheCreuse").get<bool>(), false);
}

TEST(ColorsDialog, OkWithAnotherArrowheadInForceOnlyStoresTheTrianglesLook) {
  Session s;
  const RunResult r = RunOk(s, kDrawLabel + "dump before.json\n" + kOpen + Track(114, "down", 24, 24) +
                                   "item 1 click\n");
  const json before = s.ReadDump("before.json");
  EXPECT_EQ(FirstHead(r.dump)["fill"], FirstHead(before)["fill"]);
  EXPECT_EQ(Stored(r.dump, "FlecheCreuse").get<bool>(), false);
}

// With points, kind 3 is the solid square: the triangles' hollow choice is not its.
TEST(ColorsDialog, OkWithTheSolidSquarePointInForceKeepsItSolid) {
  Session s;
  s.SetBoolean("FouP", false);
  s.SetInteger("Fleche", 3);
  const RunResult r = RunOk(s, kDrawLabel + "dump before.json\n" + kOpen + "item 1 click\n");
  const json before = s.ReadDump("before.json");
  EXPECT_FALSE(FirstHead(before)["fill"].is_null());
  EXPECT_EQ(FirstHead(r.dump)["fill"], FirstHead(before)["fill"]);
  EXPECT_TRUE(FirstHead(r.dump)["stroke"].is_null());
  EXPECT_EQ(Stored(r.dump, "FlecheCreuse").get<bool>(), true);
}

TEST(ColorsDialog, OkRecoloursTheDrawnLabelAndTheNextOneAndStoresTheColours) {
  Session s;
  const RunResult r = RunOk(s, kDrawLabel + kOpen + "item 127 value 40\nitem 1 click\n" +
                                   "down 300 300\ndrag 380 360\ndrag 380 360\nup 380 360\n");
  const auto labels = LabelGroupsOf(r.dump);
  ASSERT_EQ(labels.size(), 2u);
  for (const json* label : labels) {
    const json& line = Lines(*label)[0];
    EXPECT_NEAR(line["stroke"]["gray"].get<double>(), 0.4, 1e-6) << label->value("name", "");
  }
  EXPECT_EQ(Stored(r.dump, "RougeGrisC").get<double>(), 40);
}

TEST(ColorsDialog, CancelLeavesTheLabelAndTheStoreAsTheyWere) {
  Session s;
  const RunResult r = RunOk(s, kDrawLabel + "dump before.json\n" + kOpen + "item 127 value 40\n" +
                                   Track(114, "down", 24, 24) + Track(113, "down", 100, 20) +
                                   "item 2 click\n");
  const json before = s.ReadDump("before.json");
  EXPECT_EQ(r.dump["layers"], before["layers"]);
  EXPECT_EQ(r.dump["prefs"], before["prefs"]);
}

}  // namespace
}  // namespace scenario
