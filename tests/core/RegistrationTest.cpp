#include "PluginHost.h"
#include "hostsim/UserActions.h"

namespace {

using Registration = PluginHostTest;

const hostsim::MenuItem* Item(hostsim::Host& h, const std::string& name) { return h.menus().FindItem(name); }

}  // namespace

TEST_F(Registration, MenuItemsStandInTheirGroupsWithTheirTexts) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  const hostsim::MenuItem* panel = Item(h, "Outil1");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->text, "Show KPX•Labels");
  EXPECT_EQ(panel->group, "KPXOutils");
  const hostsim::MenuItem* tools = Item(h, "KPXOutils");
  ASSERT_NE(tools, nullptr);
  EXPECT_EQ(tools->text, "KPX•Tools");
  EXPECT_EQ(tools->group, "Tool Palettes");
  const hostsim::MenuItem* about = h.menus().AboutItem();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->text, "KPX•Labels…");
  EXPECT_EQ(about->group, "SDKAboutPluginsGroupName");
  const hostsim::MenuItem* aboutHead = Item(h, "SDKAboutPluginsGroupName");
  ASSERT_NE(aboutHead, nullptr);
  EXPECT_EQ(aboutHead->text, "À propos des KPX•Outils…");
  EXPECT_EQ(aboutHead->group, "About");
}

TEST_F(Registration, AnExistingAboutPluginsGroupIsSharedNotAddedAgain) {
  auto& h = OpenHost();
  AIMenuItemHandle head = nullptr;
  AIMenuGroup group = nullptr;
  ASSERT_EQ(h.menus().AddItem("OtherPluginsAbout", "About", "About other tools", 0, &head), kNoErr);
  ASSERT_EQ(h.menus().AddSubMenuGroup("SDKAboutPluginsGroupName", 1, head, &group), kNoErr);
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_EQ(Item(h, "SDKAboutPluginsGroupName"), nullptr);
  const hostsim::MenuItem* about = h.menus().AboutItem();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->group, "SDKAboutPluginsGroupName");
}

TEST_F(Registration, TheToolSharesTheSegmentToolsGroupInAToolSetOfItsOwn) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  const hostsim::Tool* tool = h.tools().FindByName("Labels Tool");
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->title, "Labels Tool");
  EXPECT_EQ(tool->tooltip, "Labels Tool 4.5");
  EXPECT_EQ(tool->options, 1);
  EXPECT_EQ(tool->group, h.tools().FindByName("Segment Tool")->group);
  EXPECT_EQ(tool->toolset, tool->number);
  ASSERT_NE(tool->rolloverIcon, nullptr);
  EXPECT_EQ(h.icons().Find(tool->rolloverIcon)->resourceId, 18001);
  EXPECT_EQ(h.icons().Find(tool->icon)->resourceId, 16051);
}

TEST_F(Registration, WithToolsGroupedTheToolJoinsThePenTool) {
  FirstStart();
  auto& h = OpenHost();
  h.prefs().Put(kSection, "OutilsGroupe", true);
  ASSERT_EQ(h.Launch(), kNoErr);
  const hostsim::Tool* tool = h.tools().FindByName("Labels Tool");
  const hostsim::Tool* pen = h.tools().FindByName("Adobe Pen Tool");
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ(tool->group, pen->group);
  EXPECT_EQ(tool->toolset, pen->toolset);
}

TEST_F(Registration, BothNotifiersAreRegisteredUnderOneName) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  int found = 0;
  for (const auto& n : h.notifiers().all()) {
    EXPECT_EQ(n.name, "notifierName");
    found += n.type == kAIArtSelectionChangedNotifier || n.type == kAIApplicationStartedNotifier;
  }
  EXPECT_EQ(found, 2);
}

TEST_F(Registration, CommandsWithoutTheirDialogsAnswerZero) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_EQ(hostsim::UserActions(h).ChooseMenu(hostsim::ParseMenuPath("Help > About > 1 > 1")).code(), kNoErr);
  EXPECT_EQ(h.ToolOptions(), kNoErr);
  EXPECT_EQ(h.Notify(kAIArtSelectionChangedNotifier), kNoErr);
}

TEST_F(Registration, ThePanelCommandChangesNothingWhileThereIsNoPanel) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  const nlohmann::json panel = h.Dump()["panel"];
  if (panel.is_object() && panel.value("exists", false)) GTEST_SKIP() << "the panel is built at launch";
  EXPECT_EQ(hostsim::UserActions(h).ChooseMenu(hostsim::ParseMenuPath("Window > Tool Palettes > 1 > 1")).code(),
            kNoErr);
  EXPECT_EQ(Item(h, "Outil1")->text, "Show KPX•Labels");
  EXPECT_FALSE(h.tools().PluginToolSelected());
}

// Start-up does not stop at a refused menu or tool: what can be registered is.
TEST_F(Registration, ARefusedMenuOrToolIconLeavesTheRestRegistered) {
  {
    auto& h = OpenHost();
    h.faults().Add(hostsim::FaultRule::Of(kAIMenuSuite, "AddMenu*").About("KPXOutils").Onward());
    ASSERT_EQ(h.Launch(), kNoErr);
    EXPECT_EQ(Item(h, "Outil1"), nullptr);
    EXPECT_NE(h.tools().FindByName("Labels Tool"), nullptr);
    EXPECT_EQ(h.notifiers().OfType(kAIApplicationStartedNotifier).size(), 1u);
  }
  {
    auto& h = OpenHost();
    h.icons().MakeUnreadable(16051);
    ASSERT_EQ(h.Launch(), kNoErr);
    EXPECT_EQ(h.tools().FindByName("Labels Tool"), nullptr);
    EXPECT_NE(Item(h, "Outil1"), nullptr);
    EXPECT_EQ(h.notifiers().OfType(kAIApplicationStartedNotifier).size(), 1u);
  }
}
