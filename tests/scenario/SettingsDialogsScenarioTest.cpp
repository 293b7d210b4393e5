// The settings dialogs as the panel opens them, driven through whole
// sessions: what they leave in the panel, in the labels drawn afterwards and
// in the stored settings.
#include <string>

#include "tests/scenario/PanelDump.h"

namespace scenario {
namespace {

using panel::ItemOf;
using panel::Pref;
using panel::RunOk;

// The panel shown and enabled; at the end, the dump "last.json" while the panel
// is still there (quit destroys it and stores its own keys).
const std::string kStart = "launch\nmenu panel\ntool select\n";
const std::string kEnd = "dump last.json\nquit\n";
const std::string kPreferences = "flyout 7\n";
const std::string kFreeTexts = "item 10 pick 2\nitem 14 pick 6\n";  // free text mode, then "Modify…"
const std::string kLabelLayer = "KPX\xE2\x80\xA2\xC3\x89tiq";

std::string Label(int x, int y) {
  const std::string at = std::to_string(x + 80) + " " + std::to_string(y + 60) + "\n";
  return "down " + std::to_string(x) + " " + std::to_string(y) + "\ndrag " + at + "drag " + at + "up " + at;
}

const json& DialogItem(const json& dump, int id) { return dump["dialog"]["items"][std::to_string(id)]; }

std::string PopupText(const json& dump, int position) {
  return ItemOf(dump, 14)["entries"][position]["text"].get<std::string>();
}

int SelectedFont(const json& dump) {
  for (const json& e : ItemOf(dump, 19)["entries"])
    if (e["selected"].get<bool>()) return e["id"].get<int>();
  return -1;
}

// Labels per layer title.
std::size_t LabelsOn(const json& dump, const std::string& title) {
  for (const json& layer : dump["layers"])
    if (layer["title"] == title) return LabelGroups(layer).size();
  return 0;
}

//-----------------------------------------------------------------------------
// Preferences
//-----------------------------------------------------------------------------

TEST(PreferencesSession, OkStoresTheDefaultsTheToolRulesActAtTheNextClickTheValuesInForceWaitForTheKpxButton) {
  Session s;
  RunOk(s, kStart + kPreferences +
               "item 19 value 1\n"    // labels on a layer of their own
               "item 13 value 200\n"  // arrowhead size by default
               "item 1 click\n" +
               Label(100, 100) + "dump before-kpx.json\nitem 6 click\n" + kEnd);
  const json end = s.ReadDump("last.json");
  const json mid = s.ReadDump("before-kpx.json");
  EXPECT_EQ(LabelsOn(mid, kLabelLayer), 1u);
  EXPECT_EQ(panel::Value(mid, 7), 100);
  EXPECT_EQ(panel::Value(end, 7), 200);
  EXPECT_EQ(Pref(end, "Pointes").get<double>(), 200);
  EXPECT_EQ(Pref(end, "Calque").get<bool>(), true);
}

TEST(PreferencesSession, CancelChangesNeitherTheNextLabelNorTheStore) {
  Session s;
  RunOk(s, kStart + "dump before.json\n" + kPreferences +
               "item 23 click\n"  // points instead of arrowheads
               "dump points.json\n"
               "item 19 value 1\nitem 13 value 200\nitem 2 click\n" +
               Label(100, 100) + kEnd);
  const json end = s.ReadDump("last.json");
  const json points = s.ReadDump("points.json");
  EXPECT_EQ(DialogItem(points, 13)["tooltip"], "Points size by default (from 0%).");
  EXPECT_EQ(DialogItem(points, 30)["tooltip"], "Shape of the points by default.");
  EXPECT_EQ(end["prefs"], s.ReadDump("before.json")["prefs"]);
  EXPECT_EQ(LabelsOn(end, "Layer 1"), 1u);
  EXPECT_EQ(LabelsOn(end, kLabelLayer), 0u);
}

TEST(PreferencesSession, TheFontAdjustmentMovesThePanelsFontAtOnceAndCancelDoesNotStoreIt) {
  Session s;
  RunOk(s, kStart + "dump before.json\n" + kPreferences +
               "item 51 click\n"  // expand
               "item 52 value 1\n"
               "dump expanded.json\n"
               "item 2 click\n" +
               kEnd);
  const json end = s.ReadDump("last.json");
  const json before = s.ReadDump("before.json");
  const json expanded = s.ReadDump("expanded.json");
  const std::vector<int> bounds = expanded["dialog"]["bounds"].get<std::vector<int>>();
  EXPECT_EQ(bounds[3] - bounds[1], 327);
  EXPECT_EQ(DialogItem(expanded, 52)["active"], true);
  EXPECT_EQ(SelectedFont(expanded), SelectedFont(before) + 1);
  EXPECT_EQ(Pref(end, "VariablePolice").get<int>(), 0);
}

//-----------------------------------------------------------------------------
// Colors and options from the panel
//-----------------------------------------------------------------------------

TEST(ColorsFromThePanel, OkPutsTheTextGapsInThePanelsMarginSliders) {
  Session s;
  RunOk(s, kStart + "item 38 click\nitem 113 track down 100 20\nitem 1 click\n" + kEnd);
  const json end = s.ReadDump("last.json");
  EXPECT_EQ(panel::Value(end, 35), 13);
  EXPECT_EQ(panel::Value(end, 36), 13);
}

TEST(ColorsFromThePanel, TheColoursAreaOfThePreferencesOpensItOverThem) {
  Session s;
  RunOk(s, kStart + kPreferences + "item 28 click\ndump nested.json\nitem 1 click\n" +
               "dump back.json\nitem 2 click\n" + kEnd);
  const json end = s.ReadDump("last.json");
  EXPECT_EQ(s.ReadDump("nested.json")["dialog"]["title"], "Colors (KPX\xE2\x80\xA2Labels).");
  EXPECT_EQ(s.ReadDump("back.json")["dialog"]["title"], "Preferences (KPX\xE2\x80\xA2Labels)");
  EXPECT_TRUE(end["dialog"].is_null());
}

//-----------------------------------------------------------------------------
// Preferred free texts
//-----------------------------------------------------------------------------

TEST(FreeTextsSession, AFiftyCharacterTextIsStoredWholeAndShownInThePopup) {
  Session s;
  const std::string fifty = "Fifty characters of a preferred text, all of them!";
  ASSERT_EQ(fifty.size(), 50u);
  RunOk(s, kStart + kFreeTexts + "item 12 text \"" + fifty + "\"\nitem 1 click\n" + kEnd);
  const json end = s.ReadDump("last.json");
  EXPECT_EQ(Pref(end, "TexteLibre3").get<std::string>(), fifty);
  EXPECT_EQ(PopupText(end, 2), fifty);
}

TEST(FreeTextsSession, DefaultThenCancelLeavesThePopupButTheDialogShowsTheDefaultsWhenReopened) {
  Session s;
  s.SetString("TexteLibre1", "Top");
  RunOk(s, kStart + kFreeTexts + "item 3 click\nitem 2 click\n" + "item 14 pick 6\n" +
               "dump reopened.json\nitem 2 click\n" + kEnd);
  const json end = s.ReadDump("last.json");
  EXPECT_EQ(PopupText(end, 0), "Top");
  EXPECT_EQ(Pref(end, "TexteLibre1").get<std::string>(), "Top");
  EXPECT_EQ(DialogItem(s.ReadDump("reopened.json"), 10)["text"], "Face");
}

TEST(FreeTextsSession, AnEmptyTextIsStoredEmptyAndComesBackAsItsDefaultAtTheNextStart) {
  Session s;
  RunOk(s, kStart + kFreeTexts + "item 10 text \"\"\nitem 1 click\n" + kEnd);
  const json end = s.ReadDump("last.json");
  EXPECT_EQ(Pref(end, "TexteLibre1").get<std::string>(), "");
  s.KeepSavedSettings();
  RunOk(s, kStart + kEnd);
  EXPECT_EQ(PopupText(s.ReadDump("last.json"), 0), "Face");
}

}  // namespace
}  // namespace scenario
