#include "hostsim/Host.h"

#include <dlfcn.h>

#include "TestSupport.h"
#include "hostsim/Blocks.h"
#include "hostsim/UserActions.h"

namespace {

using hostsim::Host;
using hostsim::HostOptions;
using hostsim_test::ReadFile;
using hostsim_test::ScratchDir;
using hostsim_test::WriteFile;
using nlohmann::json;

const json* FindByName(const json& list, const std::string& name) {
  for (const json& entry : list) {
    if (entry.value("name", "") == name) return &entry;
  }
  return nullptr;
}

bool LibraryIsMapped(const char* file) {
  void* handle = dlopen(file, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

class HostWithFixture : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::unique_ptr<Host> host = std::make_unique<Host>(HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN});
  const char* kSection = "Fixture";
  // Where the fixture puts its commands, as the runner's "menu panel" and "menu about" find them.
  static constexpr const char* kPanelPlace = "Window > Tool Palettes > 1 > 1";
  static constexpr const char* kAboutPlace = "Help > About > 1 > 1";

  ASErr Choose(const char* place) { return hostsim::UserActions(*host).ChooseMenu(hostsim::ParseMenuPath(place)).code(); }
  hostsim::MenuLookup Lookup(const char* place) {
    return hostsim::FindMenuPlace(host->menus(), hostsim::ParseMenuPath(place)).lookup;
  }
};

TEST_F(HostWithFixture, LaunchRegistersMenusToolAndBuildsThePanel) {
  ASSERT_EQ(host->Launch(), kNoErr);
  const json dump = host->Dump();
  for (const char* key : {"layers", "prefs", "menus", "tools", "panel", "dialog", "events"}) {
    EXPECT_TRUE(dump.contains(key)) << key;
  }
  const json* panelItem = FindByName(dump["menus"], "Outil1");
  ASSERT_NE(panelItem, nullptr);
  EXPECT_EQ((*panelItem)["group"], "KPXOutils");
  EXPECT_EQ((*panelItem)["text"], "Show Fixture");
  EXPECT_EQ((*FindByName(dump["menus"], "KPXOutils"))["text"], "KPX\u2022Tools");
  EXPECT_EQ(host->prefs().GetString(kSection, "FirstMenuGroup"), "Tool Palettes");

  const json* tool = FindByName(dump["tools"], "Fixture Tool");
  ASSERT_NE(tool, nullptr);
  EXPECT_EQ((*tool)["tooltip"], "Fixture Tool 1.0");  // the \r of the string list is not kept
  const json* pen = FindByName(dump["tools"], "Adobe Pen Tool");
  EXPECT_EQ((*tool)["group"], (*pen)["group"]);
  EXPECT_EQ((*tool)["toolset"], (*pen)["toolset"]);
  EXPECT_EQ((*tool)["selected"], false);

  EXPECT_EQ(dump["panel"]["exists"], true);
  EXPECT_EQ(dump["panel"]["visible"], false);
  EXPECT_TRUE(dump["dialog"].is_null());
}

TEST_F(HostWithFixture, ThePanelCommandTogglesAndSelectsTheToolAfterTheMessage) {
  ASSERT_EQ(host->Launch(), kNoErr);
  ASSERT_EQ(Choose(kPanelPlace), kNoErr);
  json dump = host->Dump();
  EXPECT_EQ(dump["panel"]["visible"], true);
  EXPECT_EQ((*FindByName(dump["menus"], "Outil1"))["text"], "Hide Fixture");
  EXPECT_TRUE(host->tools().PluginToolSelected());
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Selects"), 1);
  // Selecting the current tool again sends nothing.
  EXPECT_EQ(host->SelectTool(true), kNoErr);
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Selects"), 1);
  EXPECT_EQ(host->SelectTool(false), kNoErr);
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Deselects"), 1);
  ASSERT_EQ(Choose(kPanelPlace), kNoErr);
  EXPECT_EQ(host->Dump()["panel"]["visible"], false);
}

TEST_F(HostWithFixture, AModalDialogWithoutAFrontEndClosesAsCancelled) {
  ASSERT_EQ(host->Launch(), kNoErr);
  int seen = 0;
  struct Watcher : hostsim::NullFrontEnd {
    int* seen;
    explicit Watcher(int* s) : seen(s) {}
    void RunModal(Host& h, ADMDialogRef dialog) override {
      ++*seen;
      EXPECT_EQ(h.Dump()["dialog"]["name"], "About");
      EXPECT_EQ(h.dialogs().Find(dialog)->modal, true);
    }
  };
  host->SetFrontEnd(std::make_unique<Watcher>(&seen));
  ASSERT_EQ(Choose(kAboutPlace), kNoErr);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(host->prefs().GetInteger(kSection, "AboutHit"), 2);
  EXPECT_TRUE(host->Dump()["dialog"].is_null());
}

TEST_F(HostWithFixture, ToolMessagesReadTheKeyboardAndRecordWhatTheUserSeesAndHears) {
  ASSERT_EQ(host->Launch(), kNoErr);
  ASSERT_EQ(host->SelectTool(true), kNoErr);
  host->keyboard().Press(VK_SHIFT);
  EXPECT_EQ(host->SendTool(kSelectorAIToolMouseDown, {10.5f, -20}), kNoErr);
  EXPECT_EQ(host->prefs().GetBoolean(kSection, "ShiftAtDown"), true);
  EXPECT_EQ(host->prefs().GetBoolean(kSection, "AltAtDown"), false);
  EXPECT_EQ(host->prefs().GetReal(kSection, "DownX"), 10.5);
  EXPECT_EQ(host->prefs().GetReal(kSection, "DownY"), -20.0);
  host->keyboard().ReleaseAll();
  EXPECT_EQ(host->SendTool(kSelectorAIToolMouseDown, {0, 0}), kNoErr);
  EXPECT_EQ(host->prefs().GetBoolean(kSection, "ShiftAtDown"), false);
  EXPECT_EQ(host->SendTool(kSelectorAIToolMouseUp, {0, 0}), 7);

  EXPECT_EQ(host->SendTool(kSelectorAITrackToolCursor, {3, 4}), kNoErr);
  EXPECT_EQ(host->ToolOptions(), kNoErr);
  const json events = host->events().Json();
  EXPECT_EQ(events, json::parse(R"([
      {"type":"beep","hz":880,"ms":30}, {"type":"beep","hz":880,"ms":30},
      {"type":"cursor","id":16000},
      {"type":"info","x":3.0,"y":4.0,"text":"\u2022 here"},
      {"type":"alert","text":"Options \u2026"}])"));
}

TEST_F(HostWithFixture, UnloadReallyUnloadsAndReloadGivesTheParkedBlockBack) {
  ASSERT_EQ(host->Launch(), kNoErr);
  host->dialogs().Clear();  // no procedures of the plug-in held by the host
  ASSERT_EQ(host->Unload(), kNoErr);
  EXPECT_FALSE(host->loaded());
  EXPECT_NE(host->globals(), nullptr);
  EXPECT_FALSE(LibraryIsMapped(KPX_FIXTURE_PLUGIN));
  ASSERT_EQ(host->Reload(), kNoErr);
  ASSERT_EQ(host->SendInterface("Check"), kNoErr);
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Magic"), 0x4B505831);

  // A message to an unloaded plug-in reloads it first.
  ASSERT_EQ(host->Unload(), kNoErr);
  host->prefs().Erase(kSection, "Magic");
  ASSERT_EQ(host->SendInterface("Check"), kNoErr);
  EXPECT_TRUE(host->loaded());
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Magic"), 0x4B505831);
}

TEST_F(HostWithFixture, UnloadKeepsTheLibraryInMemoryWhileItsDialogExists) {
  ASSERT_EQ(host->Launch(), kNoErr);
  ASSERT_EQ(host->Unload(), kNoErr);
  EXPECT_FALSE(host->loaded());
  EXPECT_TRUE(LibraryIsMapped(KPX_FIXTURE_PLUGIN));
  ASSERT_EQ(host->Reload(), kNoErr);
  ASSERT_EQ(host->SendInterface("Check"), kNoErr);
  EXPECT_EQ(host->prefs().GetInteger(kSection, "Magic"), 0x4B505831);
}

TEST_F(HostWithFixture, QuitSavesThePreferencesFreesTheBlockAndForgetsThePlugIn) {
  const std::size_t blocks = hostsim::LiveBlocks();
  ASSERT_EQ(host->Launch(), kNoErr);
  EXPECT_EQ(hostsim::LiveBlocks(), blocks + 1);
  ASSERT_EQ(host->Quit(), kNoErr);
  EXPECT_EQ(hostsim::LiveBlocks(), blocks);
  EXPECT_TRUE(host->menus().items().empty());
  EXPECT_EQ(host->tools().PluginTool(), nullptr);
  EXPECT_EQ(host->SendTool(kSelectorAIToolMouseDown, {0, 0}), kCantHappenErr);
  EXPECT_EQ(Lookup(kPanelPlace), hostsim::MenuLookup::NoEntry);

  const json file = json::parse(ReadFile(dir / "prefs.json"));
  EXPECT_EQ(file["format"], 1);
  EXPECT_GT(file["sections"]["Fixture"]["MessagesAtShutdown"]["integer"].get<int>(), 1);

  // A second launch in the same host starts the plug-in again.
  ASSERT_EQ(host->Launch(), kNoErr);
  EXPECT_EQ(Lookup(kPanelPlace), hostsim::MenuLookup::Found);
  EXPECT_EQ(host->Quit(), kNoErr);
}

TEST_F(HostWithFixture, SuitesRefusedAtStartAreReportedByTheStartUpCode) {
  host->faults().Add(hostsim::MissingSuite(kAIToolSuite));
  EXPECT_EQ(host->Launch(), kSPSuiteNotFoundError);
  EXPECT_TRUE(host->menus().items().empty());
}

TEST(HostStart, ABadPreferenceFileIsReportedOnceAndKeptAside) {
  ScratchDir dir;
  WriteFile(dir / "prefs.json", "not json");
  Host host(HostOptions{dir / "prefs.json", KPX_FIXTURE_PLUGIN});
  auto messages = host.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find((dir / "prefs.json").string()), std::string::npos);
  EXPECT_TRUE(host.TakeMessages().empty());
  EXPECT_EQ(ReadFile(dir / "prefs.json.corrupt-1"), "not json");
  EXPECT_TRUE(host.prefs().empty());
}

TEST(HostStart, PlugInsThatCannotBeLoadedAreNamedInTheMessage) {
  ScratchDir dir;
  {
    Host host(HostOptions{dir / "prefs.json", dir / "missing.so"});
    EXPECT_EQ(host.Launch(), kNameNotFoundErr);
    EXPECT_FALSE(host.launched());
    auto messages = host.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("missing.so"), std::string::npos) << messages[0];
    EXPECT_EQ(host.SendInterface("About"), kCantHappenErr);
  }
  {
    Host host(HostOptions{dir / "prefs.json", KPX_NOENTRY_PLUGIN});
    EXPECT_EQ(host.Launch(), kNameNotFoundErr);
    auto messages = host.TakeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("PluginMain"), std::string::npos) << messages[0];
  }
}

TEST(HostStart, OnlyOneHostAtATime) {
  ScratchDir dir;
  Host first(HostOptions{dir / "prefs.json", {}, false});
  EXPECT_THROW(Host(HostOptions{dir / "prefs.json", {}, false}), std::logic_error);
  EXPECT_EQ(&hostsim::CurrentHost(), &first);
}

}  // namespace
