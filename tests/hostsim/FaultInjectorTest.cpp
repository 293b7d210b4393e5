// The fault injector on its own (which calls a rule fails, and how calls are
// counted), then through the host's suites: every family asks it, under the
// names the plug-in's tables use.
#include <functional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "host/AllSuites.h"
#include "hostsim/Host.h"
#include "hostsim/HostSuites.h"
#include "hostsim/suites/FaultInjector.h"

namespace {

using hostsim::FaultInjector;
using hostsim::FaultRule;
using hostsim_test::ScratchDir;

constexpr ASErr kChosen = KPX_FOURCC('T', 'e', 's', 't');

// The codes of `n` calls of one operation, in order.
std::vector<ASErr> Calls(FaultInjector& faults, int n, const char* suite, const char* op, const char* detail = "") {
  std::vector<ASErr> codes;
  for (int i = 0; i < n; ++i) codes.push_back(faults.Check(suite, op, detail));
  return codes;
}

using Codes = std::vector<ASErr>;
constexpr ASErr kOk = kNoErr;
constexpr ASErr kInj = kInjectedFailureErr;

}  // namespace

// --- Which calls fail ------------------------------------------------------------

TEST(FaultRules, TheNthCallFailsOnceCountingFromWhenTheRuleIsAdded) {
  FaultInjector faults;
  EXPECT_EQ(Calls(faults, 2, "S", "Op"), (Codes{kOk, kOk}));
  const auto id = faults.Add(FaultRule::Of("S", "Op").At(3));
  EXPECT_EQ(Calls(faults, 5, "S", "Op"), (Codes{kOk, kOk, kInj, kOk, kOk}));
  EXPECT_EQ(faults.Failures(id), 1);
  // Another operation of the suite, and the same operation of another suite, are not watched.
  EXPECT_EQ(Calls(faults, 4, "S", "Other"), (Codes{kOk, kOk, kOk, kOk}));
  EXPECT_EQ(Calls(faults, 4, "T", "Op"), (Codes{kOk, kOk, kOk, kOk}));
}

TEST(FaultRules, FromThenOnTheNthAndEveryLaterCallFailUntilTheRuleIsRemoved) {
  FaultInjector faults;
  const auto id = faults.Add(FaultRule::Of("S", "Op").At(2).Onward());
  EXPECT_EQ(Calls(faults, 4, "S", "Op"), (Codes{kOk, kInj, kInj, kInj}));
  EXPECT_EQ(faults.Failures(id), 3);
  EXPECT_TRUE(faults.Remove(id));
  EXPECT_FALSE(faults.Remove(id));
  EXPECT_EQ(Calls(faults, 2, "S", "Op"), (Codes{kOk, kOk}));
}

TEST(FaultRules, AFailedCallReturnsTheChosenCode) {
  FaultInjector faults;
  faults.Add(FaultRule::Of("S", "Op").WithCode(kChosen));
  EXPECT_EQ(faults.Check("S", "Op", ""), kChosen);
}

TEST(FaultRules, WithoutAnOperationEveryOperationOfTheSuiteCountsAndFails) {
  FaultInjector faults;
  faults.Add(FaultRule::Of("S").At(2).Onward());
  EXPECT_EQ(faults.Check("S", "A", ""), kOk);
  EXPECT_EQ(faults.Check("T", "A", ""), kOk) << "another suite's call was counted";
  EXPECT_EQ(faults.Check("S", "B", ""), kInj);
  EXPECT_EQ(faults.Check("S", "A", ""), kInj);
  EXPECT_EQ(faults.Check("T", "B", ""), kOk);
}

TEST(FaultRules, ATrailingStarMatchesOperationsByTheirBeginning) {
  FaultInjector faults;
  faults.Add(FaultRule::Of("S", "Put*").At(2));
  EXPECT_EQ(faults.Check("S", "PutReal", ""), kOk);
  EXPECT_EQ(faults.Check("S", "GetReal", ""), kOk);
  EXPECT_EQ(faults.Check("S", "Pu", ""), kOk);
  EXPECT_EQ(faults.Check("S", "PutString", ""), kInj);
}

TEST(FaultRules, ADetailedRuleCountsOnlyTheCallsAboutItsDetail) {
  FaultInjector faults;
  const auto id = faults.Add(FaultRule::Of("S", "Put").About("Fleche").At(2));
  EXPECT_EQ(faults.Check("S", "Put", "Pointes"), kOk);
  EXPECT_EQ(faults.Check("S", "Put", "Fleche"), kOk);
  EXPECT_EQ(faults.Check("S", "Put", ""), kOk);
  EXPECT_EQ(faults.Check("S", "Put", "Epaisseur"), kOk);
  EXPECT_EQ(faults.Check("S", "Put", "Fleche"), kInj) << "the second store of the key";
  EXPECT_EQ(faults.Check("S", "Put", "Fleche"), kOk);
  EXPECT_EQ(faults.Failures(id), 1);
}

TEST(FaultRules, EveryRuleCountsTheCallsItMatchesAndTheFirstOneThatFailsDecides) {
  FaultInjector faults;
  const auto first = faults.Add(FaultRule::Of("S", "Op").Onward().WithCode(kChosen));
  const auto second = faults.Add(FaultRule::Of("S", "Op").At(2));
  EXPECT_EQ(faults.Check("S", "Op", ""), kChosen);
  EXPECT_EQ(faults.Check("S", "Op", ""), kChosen) << "the rule added first decides";
  EXPECT_EQ(faults.Failures(second), 0);
  faults.Remove(first);
  EXPECT_EQ(faults.Check("S", "Op", ""), kOk) << "the second rule's count went on while the first decided";
  faults.Add(FaultRule::Of("S", "Op"));
  faults.ClearRules();
  EXPECT_EQ(faults.ruleCount(), 0u);
  EXPECT_EQ(faults.Check("S", "Op", ""), kOk);
}

TEST(FaultRules, RulesThatCanMatchNothingFailNothing) {
  FaultInjector faults;
  faults.Add(FaultRule::Of("").Onward());
  faults.Add(FaultRule::Of("S", "Op").At(0).Onward());
  faults.Add(FaultRule::Of("S", "Op").At(-5).Onward());
  EXPECT_EQ(Calls(faults, 3, "S", "Op"), (Codes{kOk, kOk, kOk}));
  EXPECT_EQ(faults.Check("", "", ""), kOk);
}

// --- Counting ------------------------------------------------------------------------

TEST(FaultCounting, CallsAreCountedOnlyWhileCountingIsOnInTheOrderFirstMade) {
  FaultInjector faults;
  faults.Check("S", "A", "");
  EXPECT_TRUE(faults.counts().empty());
  faults.SetCounting(true);
  faults.Add(FaultRule::Of("S", "B"));
  faults.Check("S", "B", "");  // failed calls count too
  faults.Check("S", "A", "x");
  faults.Check("T", "A", "");
  faults.Check("S", "B", "");
  const auto& counts = faults.counts();
  ASSERT_EQ(counts.size(), 3u);
  EXPECT_EQ(counts[0].suite + "/" + counts[0].op + "=" + std::to_string(counts[0].calls), "S/B=2");
  EXPECT_EQ(counts[1].suite + "/" + counts[1].op + "=" + std::to_string(counts[1].calls), "S/A=1");
  EXPECT_EQ(counts[2].suite + "/" + counts[2].op + "=" + std::to_string(counts[2].calls), "T/A=1");
  EXPECT_EQ(faults.Count("S", "B"), 2);
  EXPECT_EQ(faults.Count("S", "C"), 0);
  faults.SetCounting(false);
  faults.Check("S", "B", "");
  EXPECT_EQ(faults.Count("S", "B"), 2);
  faults.ResetCounts();
  EXPECT_TRUE(faults.counts().empty());
  EXPECT_EQ(faults.Count("S", "B"), 0);
}

// --- Through the host's suites ---------------------------------------------------------

namespace {

class InjectedHost : public ::testing::Test {
 protected:
  template <class Suite>
  const Suite& Get(const char* name, int32_t version) {
    const Suite* suite = host.suites().AcquireTable<Suite>(name, version);
    EXPECT_NE(suite, nullptr) << name;
    return *suite;
  }

  ScratchDir dir;
  hostsim::Host host{hostsim::HostOptions{dir / "prefs.json", {}, false}};
  hostsim::FaultInjector& faults = host.faults();
  SPPluginRef self = host.pluginRef();
};

}  // namespace

TEST_F(InjectedHost, EveryFamilyAsksTheInjectorUnderItsTablesNames) {
  const SPBasicSuite& basic = *host.basicSuite();
  const auto& blocks = Get<SPBlocksSuite>(kSPBlocksSuite, kSPBlocksSuiteVersion);
  const auto& access = Get<SPAccessSuite>(kSPAccessSuite, kSPAccessSuiteVersion);
  const auto& menu = Get<AIMenuSuite>(kAIMenuSuite, kAIMenuSuiteVersion);
  const auto& tool = Get<AIToolSuite>(kAIToolSuite, kAIToolSuiteVersion);
  const auto& notifier = Get<AINotifierSuite>(kAINotifierSuite, kAINotifierSuiteVersion);
  const auto& prefs = Get<AIPreferenceSuite>(kAIPreferenceSuite, kAIPreferenceSuiteVersion);
  const auto& font = Get<AIFontSuite>(kAIFontSuite, kAIFontSuiteVersion);
  const auto& ateFont = Get<ATEFontSuite>(kATEFontSuite, 1);
  const auto& adm = Get<ADMBasicSuite>(kADMBasicSuite, kADMBasicSuiteVersion);
  const auto& icon = Get<ADMIconSuite>(kADMIconSuite, kADMIconSuiteVersion2);
  const auto& dialog = Get<ADMDialogSuite>(kADMDialogSuite, kADMDialogSuiteVersion);
  const auto& layers = Get<AILayerSuite>(kAILayerSuite, kAILayerSuiteVersion);
  const auto& math = Get<AIRealMathSuite>(kAIRealMathSuite, kAIRealMathSuiteVersion);
  const auto& ranges = Get<ATETextRangeSuite>(kATETextRangeSuite, 1);

  struct Case {
    const char* suite;
    const char* op;
    std::function<ASErr()> call;
  };
  void* block = nullptr;
  char text[32];
  int32_t number = 0;
  AIToolHandle selected = nullptr;
  AINotifierHandle added = nullptr;
  ASBoolean flag = 0;
  AIReal real = 0;
  const std::vector<Case> cases = {
      {hostsim::kBasicSuiteName, "AllocateBlock", [&] { return basic.AllocateBlock(8, &block); }},
      {hostsim::kBasicSuiteName, "FreeBlock", [&] { return basic.FreeBlock(nullptr); }},
      {kSPBlocksSuite, "AllocateBlock", [&] { return blocks.AllocateBlock(8, "t", &block); }},
      {kSPAccessSuite, "GetPluginName", [&] { return access.GetPluginName(self, text, sizeof text); }},
      {kAIMenuSuite, "CountMenuGroups", [&] { return menu.CountMenuGroups(&number); }},
      {kAIToolSuite, "GetSelectedTool", [&] { return tool.GetSelectedTool(&selected); }},
      {kAINotifierSuite, "AddNotifier", [&] { return notifier.AddNotifier(self, "n", "Some Notifier", &added); }},
      {kAIPreferenceSuite, "PutBooleanPreference", [&] { return prefs.PutBooleanPreference("S", "K", 1); }},
      {kAIPreferenceSuite, "GetBooleanPreference", [&] { return prefs.GetBooleanPreference("S", "K", &flag); }},
      {kAIFontSuite, "CountFonts", [&] { return font.CountFonts(&number); }},
      {kATEFontSuite, "Release", [&] { return ateFont.Release(nullptr); }},
      {kADMBasicSuite, "ValueToText", [&] { return adm.ValueToText(1.5f, text, sizeof text, 1); }},
      {kADMIconSuite, "GetType", [&] { return icon.GetType(nullptr, &number); }},
      {kADMDialogSuite, "IsVisible", [&] { return dialog.IsVisible(nullptr, &flag); }},
      {kAILayerSuite, "CountLayers", [&] { return layers.CountLayers(&number); }},
      {kAIRealMathSuite, "AIRealSin", [&] { return math.AIRealSin(1, &real); }},
      {kATETextRangeSuite, "GetSize", [&] { return ranges.GetSize(nullptr, &number); }},
  };
  faults.SetCounting(true);
  for (const Case& c : cases) {
    const ASErr unhindered = c.call();
    const auto id = faults.Add(FaultRule::Of(c.suite, c.op).WithCode(kChosen));
    EXPECT_EQ(c.call(), kChosen) << c.suite << "/" << c.op;
    EXPECT_EQ(c.call(), unhindered) << c.suite << "/" << c.op << " failed again";
    EXPECT_EQ(faults.Failures(id), 1) << c.suite << "/" << c.op;
    EXPECT_EQ(faults.Count(c.suite, c.op), 3) << c.suite << "/" << c.op;
  }
  basic.FreeBlock(block);
}

TEST_F(InjectedHost, AFailedStoreOfOneKeyStoresNothingUnderItAndLeavesTheRestAlone) {
  const auto& prefs = Get<AIPreferenceSuite>(kAIPreferenceSuite, kAIPreferenceSuiteVersion);
  ASSERT_EQ(host.prefs().Put("KPXEtiquette", "Attaches", 1.0), kNoErr);
  faults.Add(hostsim::FailedStore("Attaches"));
  EXPECT_EQ(prefs.PutRealPreference("KPXEtiquette", "Attaches", 2.0), kInjectedFailureErr);
  EXPECT_EQ(prefs.PutStringPreference("Other", "Attaches", "x"), kInjectedFailureErr) << "any type, any section";
  EXPECT_EQ(prefs.PutRealPreference("KPXEtiquette", "Attaches", 3.0), kInjectedFailureErr) << "from then on";
  EXPECT_EQ(host.prefs().GetReal("KPXEtiquette", "Attaches"), 1.0);
  EXPECT_FALSE(host.prefs().HasSection("Other"));
  double read = 0;
  EXPECT_EQ(prefs.GetRealPreference("KPXEtiquette", "Attaches", &read), kNoErr) << "reads do not fail";
  EXPECT_EQ(read, 1.0);
  EXPECT_EQ(prefs.PutRealPreference("KPXEtiquette", "Pointes", 100), kNoErr);
  EXPECT_EQ(host.prefs().GetReal("KPXEtiquette", "Pointes"), 100.0);
}

TEST_F(InjectedHost, AMissingSuiteIsNotFoundInEveryVersionUntilTheRuleGoes) {
  const SPBasicSuite& basic = *host.basicSuite();
  const auto id = faults.Add(hostsim::MissingSuite(kADMIconSuite));
  for (int32_t version : {kADMIconSuiteVersion1, kADMIconSuiteVersion2}) {
    const void* table = &table;
    EXPECT_EQ(basic.AcquireSuite(kADMIconSuite, version, &table), kSPSuiteNotFoundError) << version;
    EXPECT_EQ(table, nullptr) << version;
  }
  const void* other = nullptr;
  EXPECT_EQ(basic.AcquireSuite(kADMBasicSuite, kADMBasicSuiteVersion, &other), kNoErr);
  EXPECT_EQ(host.suites().HeldCount(kADMIconSuite, kADMIconSuiteVersion1), 0);
  faults.Remove(id);
  EXPECT_EQ(basic.AcquireSuite(kADMIconSuite, kADMIconSuiteVersion1, &other), kNoErr);
}

TEST_F(InjectedHost, AMenuItemIsRefusedByItsName) {
  const auto& menu = Get<AIMenuSuite>(kAIMenuSuite, kAIMenuSuiteVersion);
  faults.Add(FaultRule::Of(kAIMenuSuite, "AddMenuItem").About("Refused").Onward());
  AIMenuItemHandle item = nullptr;
  EXPECT_EQ(menu.AddMenuItem(self, "Refused", "About", "Refused", 0, &item), kInjectedFailureErr);
  EXPECT_EQ(menu.AddMenuItem(self, "Taken", "About", "Taken", 0, &item), kNoErr);
  EXPECT_EQ(host.menus().FindItem("Refused"), nullptr);
  EXPECT_NE(host.menus().FindItem("Taken"), nullptr);
}

TEST_F(InjectedHost, TheDocumentsSuitesFailTheNamedCallAndChangeNothing) {
  const auto& art = Get<AIArtSuite>(kAIArtSuite, kAIArtSuiteVersion);
  const auto& layers = Get<AILayerSuite>(kAILayerSuite, kAILayerSuiteVersion);
  AILayerHandle layer = nullptr;
  AIArtHandle top = nullptr;
  ASSERT_EQ(layers.GetNthLayer(0, &layer), kNoErr);
  ASSERT_EQ(art.GetFirstArtOfLayer(layer, &top), kNoErr);
  faults.Add(FaultRule::Of(kAIArtSuite, "NewArt").At(2));
  AIArtHandle made[3] = {};
  EXPECT_EQ(art.NewArt(kGroupArt, kPlaceInsideOnTop, top, &made[0]), kNoErr);
  EXPECT_EQ(art.NewArt(kGroupArt, kPlaceInsideOnTop, top, &made[1]), kInjectedFailureErr);
  EXPECT_EQ(art.NewArt(kGroupArt, kPlaceInsideOnTop, top, &made[2]), kNoErr);
  EXPECT_EQ(made[1], nullptr);
  AIArtHandle child = nullptr;
  int children = 0;
  for (art.GetArtFirstChild(top, &child); child != nullptr; art.GetArtSibling(child, &child)) ++children;
  EXPECT_EQ(children, 2);
}

TEST(SuiteGuard, ACallThatArrivesWithNoLiveHostIsRefusedAndTouchesNothing) {
  ScratchDir dir;
  const AIMenuSuite* menu = nullptr;
  const AIPreferenceSuite* prefs = nullptr;
  {
    hostsim::Host host{hostsim::HostOptions{dir / "prefs.json", {}, false}};
    menu = host.suites().AcquireTable<AIMenuSuite>(kAIMenuSuite, kAIMenuSuiteVersion);
    prefs = host.suites().AcquireTable<AIPreferenceSuite>(kAIPreferenceSuite, kAIPreferenceSuiteVersion);
    ASSERT_TRUE(menu && prefs);
  }
  int32_t count = -7;
  EXPECT_EQ(menu->CountMenuGroups(&count), kCantHappenErr);
  EXPECT_EQ(count, -7);
  EXPECT_EQ(prefs->PutRealPreference("KPXEtiquette", "Pointes", 1.0), kCantHappenErr);
}
