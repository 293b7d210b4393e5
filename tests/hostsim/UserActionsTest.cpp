// What a person does, through the host: the pointer, the tool, menus by their
// place, artwork built by hand, and dialog items. Runs the fixture plug-in,
// which records what its tool saw in the preference section "Fixture".
#include "hostsim/UserActions.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "TestSupport.h"
#include "hostsim/Host.h"

namespace {

using hostsim::ActionStatus;
using hostsim::Host;
using hostsim::HostOptions;
using nlohmann::json;

constexpr const char* kSection = "Fixture";

std::vector<std::string> Selectors(const hostsim::ActionResult& r) {
  std::vector<std::string> out;
  for (const auto& m : r.sent) out.push_back(m.selector);
  return out;
}

class UserActions : public ::testing::Test {
 protected:
  hostsim_test::ScratchDir dir;
  Host host{HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN}};
  hostsim::UserActions user{host};

  void LaunchWithTool() {
    ASSERT_EQ(host.Launch(), kNoErr);
    ASSERT_TRUE(user.SelectTool().done());
    host.events().Clear();
  }
  std::vector<std::string> EventTypes() {
    std::vector<std::string> out;
    for (const json& e : host.events().Json()) out.push_back(e["type"]);
    return out;
  }
  const json& Art(std::size_t i) {
    dump = host.Dump();
    return dump["layers"][0]["art"][i];
  }
  json dump;
};

// -- The pointer --------------------------------------------------------------

TEST_F(UserActions, ThePointerArrivesAtThePointBeforeTheButtonGoesDown) {
  LaunchWithTool();
  const hostsim::ActionResult r = user.MouseDown({12.5f, -3});
  ASSERT_TRUE(r.done());
  EXPECT_EQ(Selectors(r), (std::vector<std::string>{kSelectorAITrackToolCursor, kSelectorAIToolMouseDown}));
  // The tool's tracking (cursor and Info at the point) comes before the tone of its mouse down.
  EXPECT_EQ(EventTypes(), (std::vector<std::string>{"cursor", "info", "beep"}));
  EXPECT_EQ(host.events().Json()[1]["x"], 12.5);
  EXPECT_EQ(host.events().Json()[1]["y"], -3.0);
  EXPECT_EQ(host.prefs().GetReal(kSection, "DownX"), 12.5);
}

TEST_F(UserActions, AClickIsAPressAndAReleaseAtOnePointWithNoDrag) {
  LaunchWithTool();
  const hostsim::ActionResult r = user.Click({40, 50});
  EXPECT_EQ(Selectors(r), (std::vector<std::string>{kSelectorAITrackToolCursor, kSelectorAIToolMouseDown,
                                                    kSelectorAIToolMouseUp}));
  EXPECT_EQ(r.code(), 7) << "the release's answer is passed on";
  EXPECT_EQ(host.prefs().GetReal(kSection, "DownY"), 50.0);
}

TEST_F(UserActions, MovesDragsAndReleasesAreOneMessageEach) {
  LaunchWithTool();
  EXPECT_EQ(Selectors(user.PointerMove({1, 2})), std::vector<std::string>{kSelectorAITrackToolCursor});
  EXPECT_EQ(Selectors(user.Drag({1, 2})), std::vector<std::string>{kSelectorAIToolMouseDrag});
  EXPECT_EQ(Selectors(user.MouseUp({1, 2})), std::vector<std::string>{kSelectorAIToolMouseUp});
  EXPECT_FALSE(host.prefs().GetReal(kSection, "DownX").has_value()) << "no button went down";
}

TEST_F(UserActions, MouseMessagesReachOnlyTheCurrentTool) {
  EXPECT_EQ(user.Click({1, 1}).status, ActionStatus::NotLaunched);
  ASSERT_EQ(host.Launch(), kNoErr);
  host.events().Clear();
  for (const auto& r : {user.PointerMove({1, 1}), user.MouseDown({1, 1}), user.Drag({1, 1}), user.MouseUp({1, 1}),
                        user.Click({1, 1})}) {
    EXPECT_EQ(r.status, ActionStatus::ToolNotCurrent);
    EXPECT_TRUE(r.sent.empty());
  }
  EXPECT_EQ(host.events().size(), 0u) << "the tool answered a message while not current";
  EXPECT_FALSE(host.prefs().GetReal(kSection, "DownX").has_value());

  ASSERT_TRUE(user.SelectTool().done());
  ASSERT_TRUE(user.DeselectTool().done());
  EXPECT_EQ(user.Click({1, 1}).status, ActionStatus::ToolNotCurrent);
  EXPECT_FALSE(host.prefs().GetReal(kSection, "DownX").has_value());
}

TEST_F(UserActions, KeysHeldAreWhatTheToolReadsWhenTheButtonGoesDown) {
  LaunchWithTool();
  user.PressKey(VK_SHIFT);
  user.PressKey(VK_MENU);
  user.ReleaseKey(VK_MENU);
  user.MouseDown({0, 0});
  EXPECT_EQ(host.prefs().GetBoolean(kSection, "ShiftAtDown"), true);
  EXPECT_EQ(host.prefs().GetBoolean(kSection, "AltAtDown"), false);
  user.ReleaseAllKeys();
  user.MouseDown({0, 0});
  EXPECT_EQ(host.prefs().GetBoolean(kSection, "ShiftAtDown"), false);
}

// -- Tools and menus --------------------------------------------------------------

TEST_F(UserActions, ChoosingTheCurrentToolAgainOrDeselectingAnotherSendsNothing) {
  ASSERT_EQ(host.Launch(), kNoErr);
  EXPECT_TRUE(user.DeselectTool().sent.empty());
  EXPECT_EQ(Selectors(user.SelectTool()), std::vector<std::string>{kSelectorAISelectTool});
  EXPECT_TRUE(user.SelectTool().sent.empty());
  EXPECT_EQ(host.prefs().GetInteger(kSection, "Selects"), 1);
  EXPECT_EQ(Selectors(user.ToolOptions()), std::vector<std::string>{kSelectorAIEditToolOptions});
  EXPECT_EQ(host.events().All<hostsim::AlertEvent>().back().text, "Options \u2026");
}

TEST_F(UserActions, AToolActionWithoutThePlugInsToolIsRefused) {
  EXPECT_EQ(user.SelectTool().status, ActionStatus::NotLaunched);
  EXPECT_EQ(user.ToolOptions().status, ActionStatus::NotLaunched);
  host.faults().Add(hostsim::MissingSuite(kAIToolSuite));  // the fixture cannot register its tool
  host.Launch();
  ASSERT_TRUE(host.launched());
  EXPECT_EQ(user.SelectTool().status, ActionStatus::NoTool);
  EXPECT_EQ(user.ToolOptions().status, ActionStatus::NoTool);
  EXPECT_EQ(user.Click({0, 0}).status, ActionStatus::NoTool);
}

TEST_F(UserActions, AMenuPlaceThatIsNoEnabledCommandSendsNothing) {
  const hostsim::MenuPath panel = hostsim::ParseMenuPath("Window > Tool Palettes > 1 > 1");
  EXPECT_EQ(user.ChooseMenu(panel).status, ActionStatus::NotLaunched);
  ASSERT_EQ(host.Launch(), kNoErr);
  EXPECT_EQ(user.ChooseMenu(hostsim::ParseMenuPath("Window > Tool Palettes > 1")).status, ActionStatus::SubMenu);
  EXPECT_EQ(user.ChooseMenu(hostsim::ParseMenuPath("Window > Tool Palettes > 2")).status, ActionStatus::NoMenuEntry);
  host.menus().Find(host.menus().HandleOf(*host.menus().FindItem("Outil1")))->enabled = false;
  const hostsim::ActionResult r = user.ChooseMenu(panel);
  EXPECT_EQ(r.status, ActionStatus::MenuDisabled);
  EXPECT_TRUE(r.sent.empty());
  EXPECT_EQ(host.menus().FindItem("Outil1")->text, "Show Fixture") << "a disabled item ran its command";
}

TEST_F(UserActions, AMenuCommandFoundByItsTextsReachesThePlugIn) {
  ASSERT_EQ(host.Launch(), kNoErr);
  const hostsim::ActionResult r =
      user.ChooseMenu(hostsim::ParseMenuPath("Window > Tool Palettes > KPX\u2022Tools > Show Fixture"));
  EXPECT_EQ(Selectors(r), std::vector<std::string>{kSelectorAIGoMenuItem});
  EXPECT_EQ(host.menus().FindItem("Outil1")->text, "Hide Fixture");
}

TEST_F(UserActions, AModalDialogIsOpenUntilItsLoopReturns) {
  ASSERT_EQ(host.Launch(), kNoErr);
  struct Watcher : hostsim::NullFrontEnd {
    hostsim::UserActions* user;
    ADMDialogRef seen = nullptr;
    bool openInside = false;
    explicit Watcher(hostsim::UserActions* u) : user(u) {}
    void RunModal(Host&, ADMDialogRef dialog) override {
      seen = dialog;
      openInside = user->ModalOpen(dialog);
    }
  };
  auto watcher = std::make_unique<Watcher>(&user);
  Watcher& w = *watcher;
  host.SetFrontEnd(std::move(watcher));
  ASSERT_TRUE(user.ChooseMenu(hostsim::ParseMenuPath("Help > About > 1 > 1")).done());
  ASSERT_NE(w.seen, nullptr);
  EXPECT_TRUE(w.openInside);
  EXPECT_FALSE(user.ModalOpen(w.seen)) << "the About box outlived its modal call";
  EXPECT_FALSE(user.ModalOpen(nullptr));
}

// -- Artwork ------------------------------------------------------------------------

TEST_F(UserActions, ARectangleIsAClosedPathThroughItsFourCorners) {
  ASSERT_TRUE(user.AddRect(10, 20, 30, 40, true).done());
  const json& rect = Art(0);
  EXPECT_EQ(rect["closed"], true);
  EXPECT_EQ(rect["anchors"], json::parse("[[10,20,10,20,10,20],[40,20,40,20,40,20],[40,60,40,60,40,60],[10,60,10,60,10,60]]"));
  EXPECT_EQ(rect["fill"], json::parse(R"({"gray":0.5})"));
  EXPECT_EQ(rect["stroke"]["width"], 1.0);
  ASSERT_TRUE(user.AddLine({0, 0}, {5, 5}).done());
  EXPECT_EQ(Art(0)["closed"], false) << "new art goes on top";
  EXPECT_TRUE(Art(0)["fill"].is_null());
}

TEST_F(UserActions, AnEllipseIsFourArcsThroughItsExtremePoints) {
  ASSERT_TRUE(user.AddEllipse(100, 50, 20, 10, false).done());
  // A quarter arc of radius r has handles r * 0.5522848 long, tangent to the ellipse.
  const json expected = json::parse(R"([
      [120,50, 120,44.4772, 120,55.5228],
      [100,60, 111.0457,60, 88.9543,60],
      [80,50, 80,55.5228, 80,44.4772],
      [100,40, 88.9543,40, 111.0457,40]])");
  const json& anchors = Art(0)["anchors"];
  ASSERT_EQ(anchors.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    for (std::size_t k = 0; k < 6; ++k) {
      EXPECT_NEAR(anchors[i][k].get<double>(), expected[i][k].get<double>(), 1e-3) << i << "," << k;
    }
  }
  EXPECT_EQ(Art(0)["closed"], true);
}

TEST_F(UserActions, ALayerGoesOnTopBecomesCurrentAndTakesTheNextArt) {
  ASSERT_TRUE(user.AddLayer("Notes \xC3\xA9", true, false).done());
  ASSERT_TRUE(user.AddPath({{0, 0}, {1, 0}, {1, 1}}, true).done());
  dump = host.Dump();
  ASSERT_EQ(dump["layers"].size(), 2u);
  EXPECT_EQ(dump["layers"][0]["title"], "Notes \u00e9");
  EXPECT_EQ(dump["layers"][0]["editable"], false);
  EXPECT_EQ(dump["layers"][0]["visible"], true);
  EXPECT_EQ(dump["layers"][0]["current"], true);
  EXPECT_EQ(dump["layers"][0]["art"].size(), 1u);
  EXPECT_TRUE(dump["layers"][1]["art"].empty());
}

TEST_F(UserActions, ValuesTheDocumentCannotHoldAreRefusedAndChangeNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double zoom : {0.0, -2.0, nan, inf}) EXPECT_EQ(user.SetZoom(zoom).status, ActionStatus::BadValue) << zoom;
  EXPECT_TRUE(user.SetZoom(2.5).done());
  EXPECT_EQ(user.AddRect(nan, 0, 1, 1, false).status, ActionStatus::BadValue);
  EXPECT_EQ(user.AddRect(0, 0, 1e39, 1, false).status, ActionStatus::BadValue) << "beyond single precision";
  EXPECT_EQ(user.AddEllipse(0, 0, 1, inf, false).status, ActionStatus::BadValue);
  EXPECT_EQ(user.AddLine({0, 0}, {std::numeric_limits<float>::infinity(), 0}).status, ActionStatus::BadValue);
  EXPECT_EQ(user.AddPath({{0, 0}}, false).status, ActionStatus::BadValue);
  EXPECT_EQ(user.AddLayer("", false, false).status, ActionStatus::BadValue);
  dump = host.Dump();
  EXPECT_EQ(dump["layers"].size(), 1u);
  EXPECT_TRUE(dump["layers"][0]["art"].empty());
}

TEST_F(UserActions, SavingToAFailedStreamSaysSo) {
  std::ostringstream good;
  EXPECT_TRUE(user.SaveSvg(good));
  EXPECT_NE(good.str().find("<svg"), std::string::npos);
  std::ostringstream bad;
  bad.setstate(std::ios::badbit);
  EXPECT_FALSE(user.SaveSvg(bad));
}

// -- Dialog items ------------------------------------------------------------------

TEST_F(UserActions, ItemActionsNeedADialogAndAnItemTheToolkitKnows) {
  EXPECT_EQ(user.ItemClick(1, {}).status, ActionStatus::NoDialog);
  EXPECT_EQ(user.FlyoutPick(0).status, ActionStatus::NoDialog);
  EXPECT_EQ(user.CloseBox().status, ActionStatus::NoDialog);
  ASSERT_EQ(host.Launch(), kNoErr);  // the fixture builds its panel
  const hostsim::ActionResult results[] = {
      user.ItemClick(999, {true, false, true}), user.ItemValue(999, 2.0), user.ItemText(999, "t"),
      user.ItemPick(999, 0), user.ItemTrack(999, hostsim::TrackAction::Drag, {3, 4}, {})};
  for (const auto& r : results) {
    EXPECT_EQ(r.status, ActionStatus::NoItem);
    EXPECT_TRUE(r.sent.empty());
  }
  EXPECT_EQ(user.FlyoutPick(99).status, ActionStatus::BadValue);
}

}  // namespace
