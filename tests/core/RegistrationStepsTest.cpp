// Registration when the host refuses part of it (a menu item, the tool's
// icon, the lookup of the tools the label tool is placed beside) and the
// panel's menu command. The registration steps run in the test, so their
// codes can be read.
#include <string>

#include "InProcessCore.h"
#include "shell/Registration.h"

namespace {

constexpr ASErr kIconError = 0x2169636F;  // '!ico'

class RegistrationSteps : public InProcessCoreTest {
 protected:
  // Icons and strings come from the library's resources.
  std::filesystem::path ResourceLibrary() const override { return KPX_PLUGIN_FILE; }

  void SetUp() override {
    InProcessCoreTest::SetUp();
    // The launched library registered itself; the steps below start afresh.
    host().menus().DropPluginEntries();
    host().tools().DropPluginEntries();
    host().notifiers().Clear();
  }

  const hostsim::MenuItem* Item(const std::string& name) { return host().menus().FindItem(name); }
  const hostsim::Tool* LabelsTool() { return host().tools().FindByName("Labels Tool"); }
  int32_t ToolNumber(const std::string& name) { return *host().tools().NumberFromName(name); }
};

}  // namespace

TEST_F(RegistrationSteps, ARefusedMenuItemEndsTheMenusWithTheHostsCodeButTheAboutItemIsOptional) {
  struct Case {
    const char* refused;
    ASErr code;
    bool panelItem, aboutItem;
  };
  for (const Case c : {Case{"KPXOutils", kInjectedFailureErr, false, true},
                       Case{"Outil1", kInjectedFailureErr, false, true},
                       Case{"SDKAboutPluginsGroupName", kNoErr, true, false},
                       Case{"KPX\x95Labels\x85", kNoErr, true, false}}) {
    SCOPED_TRACE(c.refused);
    StartHost(false);
    host().menus().DropPluginEntries();
    host().faults().Add(hostsim::FaultRule::Of(kAIMenuSuite, "AddMenu*").About(c.refused).Onward());
    EXPECT_EQ(RegisterMenus(), c.code);
    EXPECT_EQ(Item("Outil1") != nullptr, c.panelItem);
    EXPECT_EQ(g().PanelMenuItem != nullptr, c.panelItem);
    EXPECT_EQ(host().menus().AboutItem() != nullptr, c.aboutItem);
    EXPECT_EQ(g().AboutMenuItem != nullptr, c.aboutItem);
  }
}

TEST_F(RegistrationSteps, AToolIconThatCannotBeReadEndsTheToolWithIcoAndASecondIconIsOptional) {
  host().icons().MakeUnreadable(16051);
  EXPECT_EQ(RegisterTool(), kIconError);
  EXPECT_EQ(LabelsTool(), nullptr);
  EXPECT_EQ(g().LabelsTool, nullptr);

  StartHost(false);
  host().tools().DropPluginEntries();
  host().icons().MakeUnreadable(18001);
  EXPECT_EQ(RegisterTool(), kNoErr);
  ASSERT_NE(LabelsTool(), nullptr);
  EXPECT_EQ(LabelsTool()->rolloverIcon, nullptr);
}

// The host's tools: the pen tool (10) in a slot and set of its own, the
// segment tool (20) and the arcs tool (21) sharing slot 20.
TEST_F(RegistrationSteps, AFailedToolLookupFallsBackToTheNextPlacement) {
  struct Case {
    const char* what;
    bool withPen;
    std::vector<std::string> failing;
    bool ownGroup;  // else the group of slot `group`
    int32_t group;
    bool ownToolset;
  };
  const std::vector<Case> cases = {
      {"pen tool found", true, {}, false, 10, false},
      {"pen tool not found", true, {"Adobe Pen Tool"}, true, 0, true},
      {"segment tool not found", false, {"Segment Tool"}, false, 20, true},
      {"neither found", false, {"Segment Tool", "Arcs & Circles Tool"}, true, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartHost(false);
    host().tools().DropPluginEntries();
    ASSERT_EQ(WriteDefaultSettings(), kNoErr);
    Put(keys::OutilsGroupe, c.withPen);
    for (const std::string& name : c.failing) host().tools().FailLookup(name);
    ASSERT_EQ(RegisterTool(), kNoErr);
    const hostsim::Tool* tool = LabelsTool();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->group, c.ownGroup ? tool->number : c.group);
    EXPECT_EQ(tool->toolset, c.ownToolset ? tool->number : c.group);
  }
}
