// Places in the host's menus: what a person sees in each menu, and the item a
// path of texts and positions leads to.
#include "hostsim/MenuPlaces.h"

#include <gtest/gtest.h>

#include "host/AISuites.h"

namespace {

using hostsim::FindMenuPlace;
using hostsim::MenuEntriesAt;
using hostsim::MenuLookup;
using hostsim::MenuModel;
using hostsim::ParseMenuPath;

// A menu model laid out as a labels plug-in lays out its commands: an item in
// a sub-menu of the tool palettes, another in a sub-menu of the About group.
class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    AIMenuItemHandle head = nullptr;
    ASSERT_EQ(menus.AddItem("AboutHead", "About", "About the tools\xE2\x80\xA6", 0, &head), kNoErr);
    ASSERT_EQ(menus.AddSubMenuGroup("AboutGroup", 1, head, nullptr), kNoErr);
    ASSERT_EQ(menus.AddItem("AboutLabels", "AboutGroup", "Labels\xE2\x80\xA6", 0, &about), kNoErr);
    ASSERT_EQ(menus.AddItem("ToolsHead", "Tool Palettes", "Tools", 0, &toolsHead), kNoErr);
    ASSERT_EQ(menus.AddSubMenuGroup("ToolsGroup", 1, toolsHead, nullptr), kNoErr);
    ASSERT_EQ(menus.AddItem("PanelItem", "ToolsGroup", "Show Labels", 0, &panel), kNoErr);
  }

  std::vector<std::string> Texts(const char* path) {
    std::vector<std::string> out;
    for (const auto& e : MenuEntriesAt(menus, path[0] ? ParseMenuPath(path) : hostsim::MenuPath{})) out.push_back(e.text);
    return out;
  }
  hostsim::MenuPlace Find(const char* path) { return FindMenuPlace(menus, ParseMenuPath(path)); }
  std::string FoundName(const char* path) {
    const hostsim::MenuPlace place = Find(path);
    return place.lookup == MenuLookup::Found ? place.item->name : "<" + std::to_string(int(place.lookup)) + ">";
  }

  MenuModel menus;
  AIMenuItemHandle about = nullptr, toolsHead = nullptr, panel = nullptr;
};

TEST_F(Menus, APlugInsCommandsAreFoundByPositionOrByTheirTexts) {
  EXPECT_EQ(FoundName("Window > Tool Palettes > 1 > 1"), "PanelItem");
  EXPECT_EQ(FoundName("Window > Tool Palettes > Tools > Show Labels"), "PanelItem");
  EXPECT_EQ(FoundName("2 > About > 1 > 1"), "AboutLabels");
  EXPECT_EQ(FoundName("Help > About > About the tools\xE2\x80\xA6 > Labels\xE2\x80\xA6"), "AboutLabels");
}

TEST_F(Menus, TheMenuBarShowsTheHostsGroupsInTheirPlaces) {
  AIMenuItemHandle item = nullptr;
  ASSERT_EQ(menus.AddItem("W", "Window", "Arrange", 0, &item), kNoErr);
  ASSERT_EQ(menus.AddItem("H", "Help", "Manual", 0, &item), kNoErr);
  EXPECT_EQ(Texts(""), (std::vector<std::string>{"Window", "Help"}));
  EXPECT_EQ(Texts("Window"), (std::vector<std::string>{"Tool Palettes", "Arrange"}));
  EXPECT_EQ(Texts("Help"), (std::vector<std::string>{"Manual", "About"}));
  EXPECT_EQ(Texts("Window > Tool Palettes"), std::vector<std::string>{"Tools"});
  EXPECT_EQ(FoundName("Help > 1"), "H");
  EXPECT_TRUE(Texts("Window > Arrange").empty()) << "a plain item opens nothing";
}

TEST_F(Menus, ASortedGroupListsItsItemsByTextAndOthersInTheOrderAdded) {
  AIMenuItemHandle item = nullptr;
  ASSERT_EQ(menus.AddItem("Z", "ToolsGroup", "Zoom Labels", 0, &item), kNoErr);
  ASSERT_EQ(menus.AddItem("A", "ToolsGroup", "Align Labels", 0, &item), kNoErr);
  EXPECT_EQ(Texts("Window > Tool Palettes > Tools"),
            (std::vector<std::string>{"Align Labels", "Show Labels", "Zoom Labels"}));
  EXPECT_EQ(FoundName("Window > Tool Palettes > 1 > 1"), "A");

  AIMenuItemHandle head = nullptr;
  ASSERT_EQ(menus.AddItem("PlainHead", "Tool Palettes", "Plain", 0, &head), kNoErr);
  ASSERT_EQ(menus.AddSubMenuGroup("PlainGroup", 0, head, nullptr), kNoErr);
  ASSERT_EQ(menus.AddItem("P2", "PlainGroup", "b", 0, &item), kNoErr);
  ASSERT_EQ(menus.AddItem("P1", "PlainGroup", "a", 0, &item), kNoErr);
  EXPECT_EQ(Texts("Window > Tool Palettes > Plain"), (std::vector<std::string>{"b", "a"}));
}

TEST_F(Menus, APlaceThatIsNoCommandFindsNothingToRun) {
  EXPECT_EQ(Find("Window > Tool Palettes > 1").lookup, MenuLookup::SubMenu);
  EXPECT_EQ(Find("Window").lookup, MenuLookup::SubMenu);
  for (const char* nowhere : {"Window > Tool Palettes > 1 > 2", "Window > Tool Palettes > 1 > 0",
                              "Window > Tool Palettes > 1 > 1 > 1", "Window > Tool Palettes > Tools > show labels",
                              "Edit > 1", "3", ""}) {
    EXPECT_EQ(Find(nowhere).lookup, MenuLookup::NoEntry) << nowhere;
  }
  EXPECT_EQ(FindMenuPlace(menus, {}).lookup, MenuLookup::NoEntry);
}

TEST_F(Menus, ADisabledItemOrADisabledSubMenuOnTheWayRunsNothing) {
  menus.Find(panel)->enabled = false;
  EXPECT_EQ(Find("Window > Tool Palettes > 1 > 1").lookup, MenuLookup::Disabled);
  menus.Find(panel)->enabled = true;
  menus.Find(toolsHead)->enabled = false;
  EXPECT_EQ(Find("Window > Tool Palettes > 1 > 1").lookup, MenuLookup::Disabled);
}

TEST_F(Menus, PlacesAreGoneWithThePlugInsEntries) {
  menus.DropPluginEntries();
  EXPECT_EQ(Find("Window > Tool Palettes > 1 > 1").lookup, MenuLookup::NoEntry);
  EXPECT_TRUE(Texts("Window > Tool Palettes").empty());
}

TEST(MenuPath, WordsOfDigitsArePositionsAndAnythingElseIsText) {
  const hostsim::MenuPath path = ParseMenuPath("  Window >Tool Palettes>  12 > 1a > 0 ");
  ASSERT_EQ(path.size(), 5u);
  EXPECT_EQ(path[0], (hostsim::MenuStep{"Window", 0}));
  EXPECT_EQ(path[1], (hostsim::MenuStep{"Tool Palettes", 0}));
  EXPECT_EQ(path[2], (hostsim::MenuStep{"", 12}));
  EXPECT_EQ(path[3], (hostsim::MenuStep{"1a", 0}));
  EXPECT_LT(path[4].position, 0) << "position 0 must match no entry";
  EXPECT_EQ(hostsim::MenuPathText(ParseMenuPath("Help>About > 1")), "Help > About > 1");
  EXPECT_EQ(hostsim::MenuStepFromWord("99999999999").position, 0) << "too long to be a position";
}

}  // namespace
