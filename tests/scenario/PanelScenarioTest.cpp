// The panel as a whole, driven through sessions as a person drives it: where
// it opens and how big, what it stores at quit and reads back, when it is
// shown and when its controls take input.
#include <string>
#include <vector>

#include "tests/scenario/PanelDump.h"
#include "tests/scenario/Raster.h"

namespace scenario::panel {
namespace {

//-----------------------------------------------------------------------------
// Building, place and size
//-----------------------------------------------------------------------------

TEST(PanelBuild, WithNoPanelKeysStoredItIsHiddenCompactAtTheDefaultPlaceInGroupW) {
  Session s;
  for (const char* key : {"PositionPalette", "TaillePalette", "kADM_DPDockCodeStr", "kADM_DPDockGroupStr",
                          "kADM_DPVisibleStr"})
    s.Remove(key);
  const RunResult r = RunOk(s, "launch\ndump start.json\nquit\n");
  const json start = s.ReadDump("start.json");
  ASSERT_TRUE(start["panel"]["exists"].get<bool>());
  EXPECT_FALSE(start["panel"]["visible"].get<bool>());
  ExpectBounds(start, kDefaultLeft, kDefaultTop, 206, 116);
  EXPECT_EQ(MenuText(start), kShowPanel);
  EXPECT_EQ(FlyoutEntry(start, 1)["text"], "Show text options");
  // What the panel stored when it went at quit.
  EXPECT_EQ(Pref(r.dump, "kADM_DPDockGroupStr"), "W");
  EXPECT_EQ(Pref(r.dump, "kADM_DPDockCodeStr"), 7168);
  EXPECT_EQ(Pref(r.dump, "PositionPalette"), json::array({kDefaultLeft, kDefaultTop}));
  EXPECT_EQ(Pref(r.dump, "TaillePalette"), 0);
  EXPECT_EQ(Pref(r.dump, "kADM_DPVisibleStr"), false);
}

TEST(PanelBuild, TheFirstStartDefaultsShowItWithItsTextOptions185High) {
  Session s;  // the settings a first start writes: visible, text options shown
  RunOk(s, "launch\ndump start.json\nquit\n");
  const json start = s.ReadDump("start.json");
  EXPECT_TRUE(start["panel"]["visible"].get<bool>());
  ExpectBounds(start, kDefaultLeft, kDefaultTop, 206, 185);
  EXPECT_EQ(FlyoutEntry(start, 1)["text"], "Hide text options");
  EXPECT_EQ(MenuText(start), kHidePanel);
  EXPECT_EQ(ItemOf(start, 7)["active"], true) << "the arrowhead size has the keyboard focus after the build";
}

TEST(PanelBuild, ThePanelKeysStoredAtQuitAreReadBackAtTheNextLaunch) {
  Session s;
  s.SetPoint("PositionPalette", 40, 60);
  s.SetInteger("TaillePalette", 0);
  s.SetInteger("kADM_DPDockCodeStr", 5);
  s.SetString("kADM_DPDockGroupStr", "Right");
  s.SetBoolean("kADM_DPVisibleStr", true);
  const RunResult first = RunOk(s, "launch\ndump start.json\ntool select\nflyout 0\nclosebox\nquit\n");
  const json start = s.ReadDump("start.json");
  ExpectBounds(start, 40, 60, 206, 116);
  EXPECT_EQ(Pref(first.dump, "PositionPalette"), json::array({40, 60}));
  EXPECT_EQ(Pref(first.dump, "TaillePalette"), 1) << "the text options were shown at quit";
  EXPECT_EQ(Pref(first.dump, "kADM_DPVisibleStr"), false) << "the close box hid the panel";
  EXPECT_EQ(Pref(first.dump, "kADM_DPDockCodeStr"), 5);
  EXPECT_EQ(Pref(first.dump, "kADM_DPDockGroupStr"), "Right");

  s.KeepSavedSettings();
  RunOk(s, "launch\ndump again.json\nquit\n");
  const json again = s.ReadDump("again.json");
  EXPECT_FALSE(again["panel"]["visible"].get<bool>());
  ExpectBounds(again, 40, 60, 206, 185);
  EXPECT_EQ(FlyoutEntry(again, 1)["text"], "Hide text options");
  EXPECT_EQ(MenuText(again), kShowPanel);
}

TEST(PanelBuild, AStoredPlaceFarBeyondAnyScreenFallsBackToTheDefault) {
  Session s;
  s.SetPoint("PositionPalette", 2147483600, -2147483600);
  RunOk(s, "launch\ndump start.json\nquit\n");
  ExpectBounds(s.ReadDump("start.json"), kDefaultLeft, kDefaultTop, 206, 185);
}

TEST(PanelBuild, EveryItemStandsInItsRectangleAsItsKind) {
  Session s;
  RunOk(s, "launch\ndump start.json\nquit\n");
  const json start = s.ReadDump("start.json");
  struct Expected {
    int id;
    const char* kind;
    int left, top, right, bottom;
  };
  const char* radio = "picture radio button";
  const char* push = "picture push button";
  const Expected items[] = {
      {50, radio, 23, 4, 45, 22},   {51, radio, 51, 4, 73, 22},    {52, radio, 79, 4, 101, 22},
      {53, radio, 107, 4, 129, 22}, {54, radio, 135, 4, 157, 22},  {34, radio, 4, 4, 22, 22},
      {6, push, 182, 4, 202, 24},   {35, "slider", 4, 30, 184, 37}, {36, "slider", 4, 45, 184, 52},
      {37, push, 0, 58, 8, 77},     {24, push, 8, 58, 20, 77},     {7, "spin edit popup", 28, 58, 100, 77},
      {41, radio, 130, 61, 146, 75}, {42, radio, 147, 61, 163, 75}, {43, radio, 164, 61, 180, 75},
      {44, radio, 181, 61, 197, 75}, {38, push, 1, 79, 14, 98},     {25, push, 16, 79, 23, 98},
      {8, "spin edit", 28, 79, 100, 98}, {27, "picture static", 104, 80, 122, 98},
      {15, "spin edit popup", 128, 79, 200, 98}, {26, push, 4, 100, 27, 119},
      {9, "spin edit", 28, 100, 100, 119}, {28, push, 104, 102, 127, 121},
      {16, "spin edit", 128, 100, 200, 119}, {10, "popup list", 3, 122, 100, 139},
      {29, push, 104, 123, 127, 142}, {17, "spin edit", 128, 121, 200, 140}, {32, push, 5, 146, 60, 158},
      {11, "text edit", 60, 143, 100, 161}, {31, push, 5, 146, 60, 158}, {12, "text edit", 60, 143, 100, 161},
      {13, "text edit", 3, 143, 84, 161}, {14, "popup menu", 84, 143, 100, 160}, {30, push, 104, 144, 127, 163},
      {18, "spin edit", 128, 142, 200, 161}, {19, "text edit scrolling popup", 3, 163, 100, 183},
      {33, push, 104, 164, 127, 183}, {20, "spin edit", 128, 163, 200, 182},
      {60, "static text multi line", 206, 2, 408, 172}, {61, push, 375, 174, 388, 185},
      {62, push, 214, 174, 227, 185}, {136, "static text", 278, 174, 298, 188},
      {137, "static text", 298, 174, 308, 188}, {138, "static text", 308, 174, 328, 188},
  };
  EXPECT_EQ(start["panel"]["items"].size(), std::size(items)) << "an item too many or too few";
  for (const Expected& e : items) {
    const json& item = ItemOf(start, e.id);
    EXPECT_EQ(item["kind"], e.kind) << "item " << e.id;
    EXPECT_EQ(item["bounds"], json::array({e.left, e.top, e.right, e.bottom})) << "item " << e.id;
  }
}

TEST(PanelSize, TextOptionsToggledTwiceAfterABuildAt185Give116Then187) {
  Session s;
  RunOk(s, "launch\ntool select\nflyout 0\ndump hidden.json\nflyout 0\ndump shown.json\nquit\n");
  const json hidden = s.ReadDump("hidden.json"), shown = s.ReadDump("shown.json");
  ExpectBounds(hidden, kDefaultLeft, kDefaultTop, 206, 116);
  EXPECT_EQ(FlyoutEntry(hidden, 1)["text"], "Show text options");
  ExpectBounds(shown, kDefaultLeft, kDefaultTop, 206, 187);
  EXPECT_EQ(FlyoutEntry(shown, 1)["text"], "Hide text options");
}

TEST(PanelSize, HelpWidensTo412And187HighAndHidingItRestoresTheTextOptionsHeight) {
  Session s;
  s.SetInteger("TaillePalette", 0);
  RunOk(s, "launch\ntool select\nflyout 9\ndump help.json\nflyout 9\ndump back.json\nquit\n");
  const json help = s.ReadDump("help.json"), back = s.ReadDump("back.json");
  ExpectBounds(help, kDefaultLeft, kDefaultTop, 412, 187);
  EXPECT_EQ(FlyoutEntry(help, 10)["text"], "Hide help");
  EXPECT_EQ(FlyoutEntry(help, 1)["enabled"], false) << "Show text options stays off while help is shown";
  EXPECT_EQ(Value(help, 136), 1);
  EXPECT_EQ(ItemOf(help, 60)["text"].get<std::string>().rfind("OPTION-CLICK\r\n", 0), 0u) << "page 1 is shown";
  ExpectBounds(back, kDefaultLeft, kDefaultTop, 206, 116);
  EXPECT_EQ(FlyoutEntry(back, 1)["enabled"], true);
}

TEST(PanelSize, QuittingWithHelpShownStoresTheTextOptionsStateOnly) {
  Session s;
  s.SetInteger("TaillePalette", 0);
  const RunResult r = RunOk(s, "launch\ntool select\nflyout 9\nquit\n");
  EXPECT_EQ(Pref(r.dump, "TaillePalette"), 0) << "the help's 187 pixels are not the text options";
}

//-----------------------------------------------------------------------------
// Visibility and enabling
//-----------------------------------------------------------------------------

TEST(PanelVisibility, TheMenuCommandTwiceReturnsToTheFirstVisibilityAndItsTextFollows) {
  Session s;
  s.SetBoolean("kADM_DPVisibleStr", false);
  RunOk(s, "launch\nmenu panel\ndump shown.json\nmenu panel\ndump hidden.json\nquit\n");
  const json shown = s.ReadDump("shown.json"), hidden = s.ReadDump("hidden.json");
  EXPECT_TRUE(shown["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(shown), kHidePanel);
  bool toolSelected = false;
  for (const json& t : shown["tools"]) toolSelected = toolSelected || t.value("selected", false);
  EXPECT_TRUE(toolSelected) << "showing the panel makes the label tool current";
  EXPECT_FALSE(hidden["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(hidden), kShowPanel);
}

TEST(PanelVisibility, TheUsersCloseAfterToolSelectionRenamesTheMenuItemButTheSelfSentOneDoesNot) {
  Session s;
  RunOk(s, "launch\ntool select\ndump selected.json\nclosebox\ndump closed.json\nquit\n");
  const json selected = s.ReadDump("selected.json"), closed = s.ReadDump("closed.json");
  EXPECT_TRUE(selected["panel"]["visible"].get<bool>()) << "tool selection shows a visible panel again";
  EXPECT_EQ(MenuText(selected), kHidePanel);
  EXPECT_FALSE(closed["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(closed), kShowPanel);
}

TEST(PanelVisibility, TheUsersFirstCloseBeforeAnyToolSelectionAlsoRenamesTheMenuItem) {
  Session s;
  RunOk(s, "launch\nclosebox\ndump closed.json\nmenu panel\ndump shown.json\nquit\n");
  const json closed = s.ReadDump("closed.json"), shown = s.ReadDump("shown.json");
  EXPECT_FALSE(closed["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(closed), kShowPanel) << "the menu offered to hide a hidden panel";
  EXPECT_TRUE(shown["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(shown), kHidePanel);
}

TEST(PanelVisibility, AltClickOnTheDocumentTogglesThePanelAndItsMenuText) {
  Session s;
  RunOk(s, "launch\ntool select\npress alt\nclick 300 300\nrelease alt\ndump hidden.json\n"
           "press alt\nclick 300 300\nrelease alt\ndump shown.json\nquit\n");
  const json hidden = s.ReadDump("hidden.json"), shown = s.ReadDump("shown.json");
  EXPECT_FALSE(hidden["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(hidden), kShowPanel);
  EXPECT_TRUE(shown["panel"]["visible"].get<bool>());
  EXPECT_EQ(MenuText(shown), kHidePanel);
  EXPECT_TRUE(LabelGroupsOf(shown).empty()) << "an Alt-click draws nothing";
}

TEST(PanelEnabling, WithTheToolDeselectedEveryControlAndFlyoutEntryIsDisabled) {
  Session s;
  RunOk(s, "launch\ntool select\ndump on.json\ntool deselect\ndump off.json\nquit\n");
  const json on = s.ReadDump("on.json"), off = s.ReadDump("off.json");
  const std::vector<int> controls = {6,  7,  8,  9,  10, 12, 15, 16, 17, 18, 19, 20, 24, 25, 26, 27, 28, 29, 30,
                                     31, 33, 34, 35, 37, 38, 41, 42, 43, 44, 50, 51, 52, 53, 54};
  for (int id : controls) {
    EXPECT_EQ(ItemOf(on, id)["enabled"], true) << "item " << id << " with the tool selected";
    EXPECT_EQ(ItemOf(off, id)["enabled"], false) << "item " << id << " with the tool deselected";
  }
  for (const json& e : off["panel"]["flyout"]) {
    if (!e["separator"].get<bool>()) {
      EXPECT_EQ(e["enabled"], false) << e.dump();
    }
  }
  for (const json& e : on["panel"]["flyout"]) EXPECT_EQ(e["enabled"], true) << e.dump();
}

TEST(PanelEnabling, WithEqualSidesTheVerticalMarginStaysDisabledWhileTheToolIsSelected) {
  Session s;
  RunOk(s, "launch\ntool select\ndump equal.json\nitem 34 click\ndump free.json\nitem 34 click\ndump again.json\nquit\n");
  const json equal = s.ReadDump("equal.json"), free = s.ReadDump("free.json"), again = s.ReadDump("again.json");
  EXPECT_EQ(ItemOf(equal, 36)["enabled"], false);
  EXPECT_EQ(ItemOf(equal, 35)["enabled"], true);
  EXPECT_EQ(ItemOf(free, 36)["enabled"], true);
  EXPECT_EQ(ItemOf(free, 34)["tooltip"], "Label's width will be adapted to the text length.");
  EXPECT_EQ(ItemOf(again, 36)["enabled"], false);
  EXPECT_EQ(ItemOf(again, 34)["tooltip"], "Width and height will be equal.");
}


//-----------------------------------------------------------------------------
// Help, dialogs and the About box
//-----------------------------------------------------------------------------

TEST(PanelHelp, NextAndPreviousStopAtBothEndsWithTheirTooltipsAndTheCounterFollows) {
  Session s;
  std::string body = "launch\ntool select\nflyout 9\ndump first.json\n";
  for (int i = 0; i < 10; ++i) body += "item 61 click\n";
  body += "dump last.json\nitem 61 click\n";  // disabled now: nothing happens
  for (int i = 0; i < 9; ++i) body += "item 62 click\n";
  body += "dump second.json\nitem 62 click\ndump back.json\nquit\n";
  RunOk(s, body);
  const json first = s.ReadDump("first.json"), last = s.ReadDump("last.json"), second = s.ReadDump("second.json"),
             back = s.ReadDump("back.json");
  EXPECT_EQ(ItemOf(first, 62)["enabled"], false);
  EXPECT_EQ(ItemOf(first, 62)["tooltip"], "Premi\xC3\xA8re page de l'aide.");
  EXPECT_EQ(ItemOf(first, 137)["text"], "/");
  EXPECT_EQ(Value(first, 138), 11);

  EXPECT_EQ(Value(last, 136), 11);
  EXPECT_EQ(ItemOf(last, 61)["enabled"], false);
  EXPECT_EQ(ItemOf(last, 61)["tooltip"], "Derni\xC3\xA8re page de l'aide.");
  EXPECT_EQ(ItemOf(last, 62)["tooltip"], "Page pr\xC3\xA9" "c\xC3\xA9" "dente de l'aide.");
  EXPECT_EQ(ItemOf(last, 60)["text"].get<std::string>().rfind("SHAPE EDITOR\r\n\r\nThis article", 0), 0u);

  EXPECT_EQ(Value(second, 136), 2);
  EXPECT_EQ(ItemOf(second, 62)["enabled"], true);
  EXPECT_EQ(Value(back, 136), 1);
  EXPECT_EQ(ItemOf(back, 62)["enabled"], false);
  EXPECT_EQ(ItemOf(back, 62)["tooltip"], "Premi\xC3\xA8re page de l'aide.");
  EXPECT_EQ(ItemOf(back, 61)["enabled"], true);
  EXPECT_EQ(ItemOf(back, 61)["tooltip"], "Page suivante de l'aide.");
  // Page 1 whole: 405 characters once its bullet-free text is counted in bytes.
  EXPECT_EQ(ItemOf(back, 60)["text"].get<std::string>().size(), 405u);
}

TEST(PanelDialogs, TheFlyoutAndTheOptionClicksOpenTheirDialogsByName) {
  Session s;
  // Each dialog opens, is dumped, and closes at the next line that is not for it.
  RunOk(s, "launch\ntool select\n"
           "flyout 3\ndump colors.json\ntool select\n"
           "flyout 4\ndump arrows.json\ntool select\n"
           "flyout 5\ndump shape.json\ntool select\n"
           "flyout 7\ndump preferences.json\ntool select\n"
           "item 38 click\ndump swatch.json\ntool select\n"
           "item 54 click opt\ndump custom.json\ntool select\ndump chosen.json\n"
           "item 37 click\nitem 44 click opt\ndump points.json\ntool select\nquit\n");
  EXPECT_EQ(s.ReadDump("colors.json")["dialog"]["name"], "\xC3\x89tiqBidon");
  const json arrows = s.ReadDump("arrows.json");
  EXPECT_EQ(arrows["dialog"]["name"], "bidon");
  EXPECT_EQ(Value(arrows, 136), 10) << "the arrows editor's help page";
  EXPECT_EQ(s.ReadDump("shape.json")["dialog"]["name"], "Mod\xC3\xA8leBidon");
  EXPECT_EQ(s.ReadDump("preferences.json")["dialog"]["name"], "bidon");
  EXPECT_EQ(s.ReadDump("swatch.json")["dialog"]["name"], "\xC3\x89tiqBidon");
  const json custom = s.ReadDump("custom.json");
  EXPECT_EQ(custom["dialog"]["name"], "bidon");
  EXPECT_EQ(ItemOf(s.ReadDump("chosen.json"), 54)["value"], 1) << "the Option-click also chooses the custom shape";
  const json points = s.ReadDump("points.json");
  EXPECT_TRUE(points["dialog"].is_null()) << "points have no editor";
  EXPECT_EQ(ItemOf(points, 44)["value"], 1) << "the click still chooses kind 4";
}

TEST(PanelDialogs, TheAboutBoxNamesTheProductAndItsVersionAndClosesWithOk) {
  Session s;
  RunOk(s, "launch\nmenu about\ndump about.json\nitem 1 click\ndump after.json\nquit\n");
  const json about = s.ReadDump("about.json");
  ASSERT_TRUE(about["dialog"].is_object());
  EXPECT_EQ(about["dialog"]["title"], "About KPX\xE2\x80\xA2Labels");
  const std::string text = about["dialog"]["items"]["3"]["text"];
  EXPECT_EQ(text.rfind("KPX\xE2\x80\xA2Labels 4.5", 0), 0u);
  EXPECT_EQ(about["dialog"]["items"]["1"]["text"], "OK");
  EXPECT_EQ(about["dialog"]["bounds"], json::array({560, 260, 880, 380})) << "centred, a third down";
  EXPECT_TRUE(s.ReadDump("after.json")["dialog"].is_null());
}

//-----------------------------------------------------------------------------
// The panel's picture
//-----------------------------------------------------------------------------

TEST(PanelPicture, ThePngHasThePanelsSizeAndItsSwatchShowsTheLabelColours) {
  Session s;
  s.SetBoolean("RVBC", true);
  s.SetReal("RougeGrisC", 0);
  s.SetReal("VertC", 0);
  s.SetReal("BleuC", 255);
  s.SetBoolean("Fond", true);
  s.SetBoolean("RVBF", true);
  s.SetReal("RougeGrisF", 255);
  s.SetReal("VertF", 255);
  s.SetReal("BleuF", 0);
  RunOk(s, "launch\ntool select\npng panel panel.png\nflyout 9\npng panel help.png\npng panel big.png 2\nquit\n");
  Picture panel, help, big;
  if (!ReadPng(s.dir() / "panel.png", panel)) GTEST_SKIP() << "no PNG reader in this build";
  ASSERT_TRUE(ReadPng(s.dir() / "help.png", help));
  ASSERT_TRUE(ReadPng(s.dir() / "big.png", big));
  EXPECT_EQ(big.width, 2 * 412);
  EXPECT_EQ(big.height, 2 * 187);
  EXPECT_EQ(panel.width, 206);
  EXPECT_EQ(panel.height, 187) << "built 185 high, 187 once the tool is selected";
  EXPECT_EQ(help.width, 412);
  EXPECT_EQ(help.height, 187);
  // The frame in black, the outline colour inside it, the background in a bar.
  EXPECT_LT(panel.Gray(9, 81), 10);
  const Rgb outline = panel.At(10, 83), background = panel.At(14, 90);
  EXPECT_TRUE(outline.r < 10 && outline.g < 10 && outline.b > 240) << "blue outline";
  EXPECT_TRUE(background.r > 240 && background.g > 240 && background.b < 10) << "yellow background";
  // The help page is written in the area the help opens.
  EXPECT_GT(CountDark(help, 100, {210, 2, 408, 172}), 300);
  EXPECT_EQ(CountDark(panel, 100, {186, 60, 206, 185}), CountDark(help, 100, {186, 60, 206, 185}))
      << "the controls are drawn alike whether the help is shown or not";
}

TEST(PanelPicture, APictureOfADialogNeedsAnOpenDialog) {
  Session s;
  const RunResult r = s.Run("launch\npng dialog none.png\nquit\n");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("there is no open dialog"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace scenario::panel
