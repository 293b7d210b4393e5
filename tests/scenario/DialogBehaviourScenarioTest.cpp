// Settings-dialog behaviours no other session covers: the Colors and options
// dialog's Default button, its cursors and the hollow band of item 114, its
// OK switching the label's fill, where the Colors and free-text dialogs open,
// the Preferences click areas, and every key the Preferences OK stores,
// changed or taken afresh from the settings at each opening.
#include <string>
#include <vector>

#include "tests/scenario/PanelDump.h"

namespace scenario::panel {
namespace {

const Point kTip{100, 400}, kPlace{220, 460};
std::string Session1(const std::string& body) { return "launch\ntool select\n" + body + "quit\n"; }

const json& DialogItem(const json& dump, int id) { return dump["dialog"]["items"][std::to_string(id)]; }
double DialogValue(const json& dump, int id) { return DialogItem(dump, id)["value"].get<double>(); }
bool DialogActive(const json& dump, int id) { return DialogItem(dump, id)["active"].get<bool>(); }

int LastCursor(const json& dump) {
  const auto cursors = EventsOfType(dump, "cursor");
  return cursors.empty() ? -1 : cursors.back()["id"].get<int>();
}

const char* const kSolidTip = "Angle of the solid arrow (from 0\xC2\xB0 to 90\xC2\xB0).";
const char* const kHollowTip = "Angle of the hollow arrow (from 0\xC2\xB0 to 90\xC2\xB0).";

//-----------------------------------------------------------------------------
// Colors and options
//-----------------------------------------------------------------------------

TEST(ColorsBehaviour, DefaultShowsTheFactoryAnglesGapsAndBlackOutlineAndOkStoresThem) {
  Session s;
  s.SetReal("AnglePointe1", 30);
  s.SetReal("AnglePointe2", 40);
  s.SetBoolean("FlecheCreuse", false);
  s.SetReal("DecalageHorizTexte", 3);
  s.SetReal("DecalageVertiTexte", 2);
  s.SetBoolean("RVBC", true);
  s.SetReal("RougeGrisC", 10);
  s.SetReal("VertC", 20);
  s.SetReal("BleuC", 30);
  s.SetBoolean("RVBF", true);
  s.SetReal("RougeGrisF", 50);
  s.SetBoolean("Fond", true);
  const RunResult r = RunOk(s, Session1("item 38 click\nitem 3 click\ndump default.json\n"
                                        "item 1 click\n"));
  const json d = s.ReadDump("default.json");
  EXPECT_EQ(DialogValue(d, 108), 17);
  EXPECT_EQ(DialogValue(d, 110), 17);
  EXPECT_EQ(DialogItem(d, 110)["tooltip"], kHollowTip);
  EXPECT_EQ(DialogValue(d, 111), 8);
  EXPECT_EQ(DialogValue(d, 112), 8);
  EXPECT_EQ(DialogValue(d, 127), 100);
  EXPECT_EQ(DialogValue(d, 120), 100);
  EXPECT_EQ(DialogItem(d, 120)["enabled"], true);
  for (int id : {121, 122, 128, 129, 131, 132}) EXPECT_EQ(DialogItem(d, id)["visible"], false) << "item " << id;
  EXPECT_EQ(DialogItem(d, 133)["visible"], true);
  EXPECT_TRUE(DialogActive(d, 108));

  EXPECT_EQ(Pref(r.dump, "AnglePointe1"), 17);
  EXPECT_EQ(Pref(r.dump, "AnglePointe2"), 17);
  EXPECT_EQ(Pref(r.dump, "FlecheCreuse"), true);
  EXPECT_EQ(Pref(r.dump, "DecalageHorizTexte"), 8);
  EXPECT_EQ(Pref(r.dump, "DecalageVertiTexte"), 8);
  EXPECT_EQ(Pref(r.dump, "RVBC"), false);
  EXPECT_EQ(Pref(r.dump, "RougeGrisC"), 100);
  EXPECT_EQ(Pref(r.dump, "Fond"), false);
  // The background's colour is not the Default's.
  EXPECT_EQ(Pref(r.dump, "RVBF"), true);
  EXPECT_EQ(Pref(r.dump, "RougeGrisF"), 50);
}

TEST(ColorsBehaviour, TheCursorFollowsTheAngleBandAndTheHollowStateBelowIt) {
  Session s;
  s.SetBoolean("FlecheCreuse", false);
  RunOk(s, Session1("item 38 click\nitem 114 track hover 30 21\ndump band.json\nitem 114 track hover 30 22\n"
                    "dump solid.json\nitem 114 track down 30 30\nitem 114 track up 30 30\n"
                    "item 114 track hover 30 22\ndump hollow.json\nitem 107 track hover 10 20\ndump angle.json\n"
                    "item 114 track hover 30 22\nitem 113 track hover 60 20\ndump gaps.json\nitem 2 click\n"));
  EXPECT_EQ(LastCursor(s.ReadDump("band.json")), 1850);
  EXPECT_EQ(LastCursor(s.ReadDump("solid.json")), 1851);
  EXPECT_EQ(LastCursor(s.ReadDump("hollow.json")), 1852);
  EXPECT_EQ(LastCursor(s.ReadDump("angle.json")), 1850);
  EXPECT_EQ(LastCursor(s.ReadDump("gaps.json")), 1850);
}

// y = 22 is the angle's, y = 23 the hollow switch's.
TEST(ColorsBehaviour, Item114ActsOnTheAngleAbove23AndSwitchesHollowFrom23) {
  Session s;
  s.SetBoolean("FlecheCreuse", false);
  s.SetReal("AnglePointe2", 40);
  RunOk(s, Session1("item 38 click\nitem 114 track down 30 22\nitem 114 track up 30 22\ndump angle.json\n"
                    "item 114 track down 30 23\nitem 114 track up 30 23\ndump hollow.json\nitem 2 click\n"));
  const json angle = s.ReadDump("angle.json"), hollow = s.ReadDump("hollow.json");
  EXPECT_NE(DialogValue(angle, 110), 40) << "y = 22 left the angle alone";
  EXPECT_EQ(DialogItem(angle, 110)["tooltip"], kSolidTip);
  EXPECT_EQ(DialogValue(hollow, 110), DialogValue(angle, 110)) << "y = 23 changed the angle";
  EXPECT_EQ(DialogItem(hollow, 110)["tooltip"], kHollowTip);
}

TEST(ColorsBehaviour, OkWithTheBackgroundSwitchedFillsTheLabelsShapeAndSwitchedBackEmptiesIt) {
  Session s;
  s.SetBoolean("Fond", false);
  s.SetBoolean("RVBF", false);
  s.SetReal("RougeGrisF", 30);
  RunOk(s, Session1(DrawLabel(kTip, kPlace) + "item 38 click\nitem 125 click\nitem 134 click\nitem 1 click\n"
                    "dump on.json\nitem 38 click\nitem 125 click\nitem 134 click\nitem 1 click\ndump off.json\n"));
  const json on = s.ReadDump("on.json"), off = s.ReadDump("off.json");
  const json& filled = ShapeOf(OnlyLabel(on))["fill"];
  ASSERT_TRUE(filled.is_object()) << "the shape stayed unfilled";
  EXPECT_NEAR(filled["gray"].get<double>(), 0.3, 1e-6);
  EXPECT_EQ(Pref(on, "Fond"), true);
  EXPECT_TRUE(ShapeOf(OnlyLabel(off))["fill"].is_null());
  EXPECT_EQ(Pref(off, "Fond"), false);
}

//-----------------------------------------------------------------------------
// Where the dialogs open
//-----------------------------------------------------------------------------

// Screen 1440 x 900: centred across, a third of the way down, for the sizes
// the panel computes the places with (Colors 185 x 165, free texts 260 x 220).
TEST(DialogPlaces, TheColorsAndFreeTextDialogsOpenCentredAThirdDown) {
  Session s;
  RunOk(s, Session1("item 38 click\ndump colors.json\nitem 2 click\nitem 10 pick 2\nitem 14 pick 6\n"
                    "dump texts.json\nitem 2 click\n"));
  EXPECT_EQ(s.ReadDump("colors.json")["dialog"]["bounds"], json::array({627, 245, 627 + 230, 245 + 230}));
  EXPECT_EQ(s.ReadDump("texts.json")["dialog"]["bounds"], json::array({590, 226, 590 + 260, 226 + 220}));
}

//-----------------------------------------------------------------------------
// Preferences
//-----------------------------------------------------------------------------

TEST(PreferencesBehaviour, TheClickAreasFocusTheirFields) {
  Session s;
  const std::vector<std::pair<int, int>> areas = {{4, 14}, {5, 15}, {6, 16}, {7, 17}, {8, 18}, {9, 25}};
  std::string body = "flyout 7\n";
  for (const auto& [area, field] : areas) body += "item " + std::to_string(area) + " click\ndump a" + std::to_string(area) + ".json\n";
  body += "item 51 click\nitem 4 click\nitem 53 click\ndump a53.json\nitem 2 click\n";
  RunOk(s, Session1(body));
  for (const auto& [area, field] : areas)
    EXPECT_TRUE(DialogActive(s.ReadDump("a" + std::to_string(area) + ".json"), field)) << "area " << area;
  EXPECT_TRUE(DialogActive(s.ReadDump("a53.json"), 52));
}

TEST(PreferencesBehaviour, OkStoresEveryValueChanged) {
  Session s;
  const RunResult r = RunOk(s, Session1("flyout 7\nitem 13 value 150\nitem 23 click\nitem 32 click\nitem 37 click\n"
                                        "item 14 value 0.5\nitem 15 value 10\nitem 16 value -2\nitem 17 value -1.5\n"
                                        "item 18 value 2.5\nitem 20 value 0\nitem 21 value 0\nitem 22 value 0\n"
                                        "item 25 value 12\nitem 24 value 0\nitem 19 value 1\nitem 26 value 1\n"
                                        "item 51 click\nitem 52 value 3\nitem 1 click\n"));
  const json& d = r.dump;
  EXPECT_EQ(Pref(d, "Pointes"), 150);
  EXPECT_EQ(Pref(d, "FouP"), false);
  EXPECT_EQ(Pref(d, "Fleche"), 3);
  EXPECT_EQ(Pref(d, "Etiquette"), 2);
  EXPECT_NEAR(Pref(d, "Epaisseur").get<double>(), 0.5, 1e-6);
  EXPECT_NEAR(Pref(d, "Attaches").get<double>(), 10 * kMillimetre, 1e-4);
  EXPECT_EQ(Pref(d, "RayonArrondi"), -2);
  EXPECT_EQ(Pref(d, "DecalageVerti"), -1.5);
  EXPECT_EQ(Pref(d, "DecalageHoriz"), 2.5);
  EXPECT_EQ(Pref(d, "Son"), false);
  EXPECT_EQ(Pref(d, "InterieurObjet"), false);
  EXPECT_EQ(Pref(d, "ClicDansVide"), false);
  EXPECT_EQ(Pref(d, "Magnetisme"), false);
  EXPECT_EQ(Pref(d, "Tolerance"), 12);
  EXPECT_EQ(Pref(d, "Calque"), true);
  EXPECT_EQ(Pref(d, "OutilsGroupe"), true);
  EXPECT_EQ(Pref(d, "VariablePolice"), 3);
}

// Every value the dialog edits, away from its factory value; a Cancel in
// between must not leave its edits in the next opening's copies.
TEST(PreferencesBehaviour, OkWithoutTouchingAnythingKeepsEveryStoredValue) {
  Session s;
  s.SetReal("Pointes", 60);
  s.SetReal("Epaisseur", 1.5);
  s.SetReal("Attaches", 28.5);
  s.SetInteger("Fleche", 2);
  s.SetInteger("Etiquette", 3);
  s.SetReal("DecalageVerti", -2.5);
  s.SetReal("DecalageHoriz", 4.5);
  s.SetReal("RayonArrondi", -3);
  s.SetBoolean("Son", false);
  s.SetBoolean("InterieurObjet", false);
  s.SetBoolean("ClicDansVide", false);
  s.SetBoolean("FouP", false);
  s.SetBoolean("Magnetisme", false);
  s.SetInteger("Tolerance", 20);
  s.SetBoolean("Calque", true);
  s.SetBoolean("OutilsGroupe", true);
  const RunResult r = RunOk(s, Session1("flyout 7\nitem 13 value 175\nitem 23 click\nitem 16 value 5\n"
                                        "item 20 value 1\nitem 24 value 1\nitem 25 value 9\nitem 2 click\n"
                                        "flyout 7\nitem 1 click\n"));
  const json& d = r.dump;
  EXPECT_EQ(Pref(d, "Pointes"), 60);
  EXPECT_EQ(Pref(d, "Epaisseur"), 1.5);
  EXPECT_EQ(Pref(d, "Attaches"), 28.5);
  EXPECT_EQ(Pref(d, "Fleche"), 2);
  EXPECT_EQ(Pref(d, "Etiquette"), 3);
  EXPECT_EQ(Pref(d, "DecalageVerti"), -2.5);
  EXPECT_EQ(Pref(d, "DecalageHoriz"), 4.5);
  EXPECT_EQ(Pref(d, "RayonArrondi"), -3);
  EXPECT_EQ(Pref(d, "Son"), false);
  EXPECT_EQ(Pref(d, "InterieurObjet"), false);
  EXPECT_EQ(Pref(d, "ClicDansVide"), false);
  EXPECT_EQ(Pref(d, "FouP"), false);
  EXPECT_EQ(Pref(d, "Magnetisme"), false);
  EXPECT_EQ(Pref(d, "Tolerance"), 20);
  EXPECT_EQ(Pref(d, "Calque"), true);
  EXPECT_EQ(Pref(d, "OutilsGroupe"), true);
}


//-----------------------------------------------------------------------------
// Item tables
//-----------------------------------------------------------------------------

struct ItemRow {
  int id;
  std::vector<int> bounds;
};

void ExpectBoundsOf(const json& dump, const std::vector<ItemRow>& rows) {
  for (const ItemRow& row : rows) {
    const std::string key = std::to_string(row.id);
    ASSERT_TRUE(dump["dialog"]["items"].contains(key)) << "no item " << row.id;
    EXPECT_EQ(DialogItem(dump, row.id)["bounds"].get<std::vector<int>>(), row.bounds) << "item " << row.id;
  }
}

TEST(PreferencesBehaviour, EveryItemStandsInItsRectangle) {
  Session s;
  RunOk(s, Session1("flyout 7\ndump open.json\nitem 2 click\n"));
  std::vector<ItemRow> rows = {
      {13, {30, 5, 94, 27}},     {23, {8, 8, 25, 21}},      {14, {30, 32, 94, 54}},    {4, {15, 34, 28, 54}},
      {28, {0, 34, 15, 54}},     {15, {30, 59, 94, 81}},    {5, {0, 61, 28, 81}},      {16, {30, 86, 94, 108}},
      {6, {0, 89, 28, 108}},     {17, {30, 113, 94, 135}},  {7, {0, 114, 28, 135}},    {18, {201, 113, 265, 135}},
      {8, {172, 116, 200, 135}}, {20, {118, 34, 172, 50}},  {21, {118, 62, 248, 78}},  {22, {118, 90, 248, 106}},
      {24, {10, 140, 114, 156}}, {25, {201, 139, 265, 161}}, {9, {173, 139, 201, 161}}, {19, {10, 160, 267, 176}},
      {26, {10, 180, 223, 196}}, {27, {18, 182, 238, 213}}, {51, {261, 201, 270, 214}}, {52, {209, 262, 273, 284}},
      {53, {12, 262, 199, 284}}, {2, {10, 219, 78, 239}},   {1, {215, 219, 273, 239}}};
  for (int k = 0; k < 4; ++k) {
    rows.push_back({30 + k, {180 + 23 * k, 7, 196 + 23 * k, 23}});
    rows.push_back({35 + k, {178 + 23 * k, 34, 200 + 23 * k, 53}});
  }
  const json open = s.ReadDump("open.json");
  ExpectBoundsOf(open, rows);
  // Id 3 twice: the click area beside item 13, then the Default button.
  EXPECT_EQ(open["dialog"]["items"]["3"]["bounds"], json::array({13, 7, 29, 27}));
  EXPECT_EQ(open["dialog"]["items"]["3#2"]["bounds"], json::array({104, 219, 186, 239}));
}

TEST(ColorsBehaviour, EveryItemStandsInItsRectangle) {
  Session s;
  RunOk(s, Session1("item 38 click\nitem 126 click\ndump open.json\nitem 2 click\n"));  // RGB: every item shown
  const std::vector<ItemRow> rows = {
      {108, {38, 7, 92, 29}},     {107, {10, 2, 34, 32}},     {110, {150, 7, 204, 29}},   {114, {97, 6, 146, 32}},
      {111, {150, 32, 204, 54}},  {113, {7, 32, 145, 79}},    {112, {150, 57, 204, 79}},  {125, {5, 90, 22, 107}},
      {126, {14, 99, 31, 116}},   {134, {13, 119, 21, 127}},  {120, {38, 100, 146, 106}}, {121, {38, 124, 146, 130}},
      {122, {38, 148, 146, 154}}, {127, {164, 87, 204, 109}}, {133, {206, 92, 216, 106}}, {130, {150, 89, 160, 111}},
      {128, {164, 112, 204, 134}}, {131, {150, 114, 160, 136}}, {129, {164, 136, 204, 158}}, {132, {150, 138, 160, 160}},
      {2, {6, 172, 74, 192}},     {3, {91, 172, 151, 192}},   {1, {166, 172, 220, 192}}};
  ExpectBoundsOf(s.ReadDump("open.json"), rows);
}

TEST(PreferencesBehaviour, DefaultUngroupsTheToolsAndOkStoresIt) {
  Session s;
  s.SetBoolean("OutilsGroupe", true);
  s.SetBoolean("Calque", true);
  const RunResult r = RunOk(s, Session1("flyout 7\nitem 3 click\nitem 1 click\n"));
  EXPECT_EQ(Pref(r.dump, "OutilsGroupe"), false);
  EXPECT_EQ(Pref(r.dump, "Calque"), false);
}

TEST(ColorsBehaviour, OkStoresEachBackgroundComponentFromItsOwnValue) {
  Session s;
  s.SetBoolean("RVBF", true);
  s.SetReal("RougeGrisF", 10);
  s.SetReal("VertF", 20);
  s.SetReal("BleuF", 30);
  const RunResult r = RunOk(s, Session1("item 38 click\nitem 1 click\n"));
  EXPECT_EQ(Pref(r.dump, "RougeGrisF"), 10);
  EXPECT_EQ(Pref(r.dump, "VertF"), 20);
  EXPECT_EQ(Pref(r.dump, "BleuF"), 30);
}

}  // namespace
}  // namespace scenario::panel
