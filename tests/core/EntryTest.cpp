#include "PluginHost.h"
#include "hostsim/Blocks.h"
#include "hostsim/UserActions.h"

namespace {

using Entry = PluginHostTest;

constexpr int kSuiteRows = 118;

ASErr SendUpdate(hostsim::Host& h) {
  AIMenuMessage message{};
  return h.SendRaw(kCallerAIMenu, kSelectorAIUpdateMenuItem, &message);
}

}  // namespace

TEST_F(Entry, OneAcquisitionWalkServesEveryLaterCall) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  EXPECT_EQ(h.suites().HeldCount(kAIArtSuite, kAIArtSuiteVersion), 1);
  EXPECT_EQ(h.suites().HeldCount(kADMTrackerSuite, kADMTrackerSuiteVersion), 2);
  EXPECT_EQ(h.suites().HeldCount(kAIDocumentSuite, kAIDocumentSuiteVersion), 2);
  EXPECT_EQ(h.suites().HeldCount(kAIMenuSuite, kAIMenuSuiteVersion), 1) << "the About step gives its own back";
  const auto acquired = h.suites().acquisitions();
  for (int i = 0; i < 200; ++i) ASSERT_EQ(SendUpdate(h), kNoErr);
  EXPECT_EQ(h.suites().acquisitions(), acquired);
}

TEST_F(Entry, AccessCallsNeverAcquireAndAReloadMakesTheNextCallAcquireAfresh) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  ASSERT_EQ(h.Unload(), kNoErr);
  ASSERT_EQ(h.Reload(), kNoErr);
  const auto acquired = h.suites().acquisitions();
  SPAccessMessage access{};
  EXPECT_EQ(h.SendRaw(kSPAccessCaller, "Some Access Selector", &access), kNoErr);
  EXPECT_EQ(h.suites().acquisitions(), acquired);
  ASSERT_EQ(SendUpdate(h), kNoErr);
  EXPECT_EQ(h.suites().acquisitions(), acquired + kSuiteRows);
}

TEST_F(Entry, TheStateBlockSurvivesUnloadAndIsFreedAtShutdown) {
  const auto blocksBefore = hostsim::LiveBlocks();
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  ASSERT_EQ(h.Unload(), kNoErr);
  EXPECT_NE(h.globals(), nullptr) << "the block was not parked";
  ASSERT_EQ(h.Reload(), kNoErr);
  ASSERT_EQ(h.Quit(), kNoErr);
  EXPECT_EQ(h.globals(), nullptr);
  EXPECT_EQ(hostsim::LiveBlocks(), blocksBefore) << "the parked block was lost or never freed";
}

TEST_F(Entry, ManyMessagesNeitherReacquireNorReleaseTheSuites) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  const auto acquired = h.suites().acquisitions();
  const auto released = h.suites().releases();
  for (int i = 0; i < 70000; ++i) {
    if (SendUpdate(h) != kNoErr) FAIL() << "message " << i;
  }
  EXPECT_EQ(h.suites().acquisitions(), acquired);
  EXPECT_EQ(h.suites().releases(), released);
  EXPECT_EQ(h.suites().HeldCount(kAIArtSuite, kAIArtSuiteVersion), 1);
}

TEST_F(Entry, ASuiteMissingBeforeTheDialogToolkitFailsTheCallAndNothingRuns) {
  auto& h = OpenHost();
  const auto missing = h.faults().Add(hostsim::MissingSuite(kAIMenuSuite));
  EXPECT_EQ(h.Launch(), kSPSuiteNotFoundError);
  EXPECT_TRUE(h.events().OfType("alert").empty());
  EXPECT_EQ(h.tools().PluginTool(), nullptr) << "a handler ran without its suites";
  EXPECT_EQ(h.suites().HeldCount(kSPBlocksSuite, kSPBlocksSuiteVersion), 0);

  h.faults().Remove(missing);
  EXPECT_EQ(h.SendInterface(kSPInterfaceStartupSelector), kNoErr) << "the next call did not acquire again";
  EXPECT_NE(h.tools().PluginTool(), nullptr);
}

TEST_F(Entry, ASuiteMissingAfterTheDialogToolkitIsShownInAnAlert) {
  auto& h = OpenHost();
  h.faults().Add(hostsim::MissingSuite(kAIFontSuite));
  EXPECT_EQ(h.Launch(), kSPSuiteNotFoundError);
  const auto alerts = h.events().OfType("alert");
  ASSERT_FALSE(alerts.empty());
  EXPECT_EQ(alerts[0]["text"], "Error: 1394689636, suite: AI Font Suite, version: 3!");
  EXPECT_EQ(h.suites().HeldCount(kADMBasicSuite, kADMBasicSuiteVersion), 0);
  EXPECT_EQ(h.tools().PluginTool(), nullptr);
  // Every later message fails the same way, but the missing suite is reported once.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(h.SendInterface("Another selector"), kSPSuiteNotFoundError);
  EXPECT_EQ(h.events().OfType("alert").size(), alerts.size());
}

TEST_F(Entry, SelectorsAKnownCallerDoesNotListAnswerZero) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  SPInterfaceMessage interface{};
  AIMenuMessage menu{};
  AIToolMessage tool{};
  AINotifierMessage notifier{};
  EXPECT_EQ(h.SendRaw(kSPInterfaceCaller, "Unknown", &interface), kNoErr);
  EXPECT_EQ(h.SendRaw(kCallerAIMenu, "Unknown", &menu), kNoErr);
  EXPECT_EQ(h.SendRaw(kCallerAITool, "Unknown", &tool), kNoErr);
  EXPECT_EQ(h.SendRaw(kCallerAINotify, "Unknown", &notifier), kNoErr);
  EXPECT_EQ(h.SendRaw("Another Caller", "Unknown", &interface), kNoErr);
  EXPECT_EQ(h.SendInterface(kSPInterfaceAboutSelector), kNoErr);
}

TEST_F(Entry, MessagesAfterShutdownFindNoStateAndDoNoHarm) {
  auto& h = OpenHost();
  ASSERT_EQ(h.Launch(), kNoErr);
  ASSERT_EQ(h.SendInterface(kSPInterfaceShutdownSelector), kNoErr);
  hostsim::UserActions user(h);
  EXPECT_EQ(user.ChooseMenu(hostsim::ParseMenuPath("Window > Tool Palettes > 1 > 1")).code(), kNoErr);
  EXPECT_EQ(user.ChooseMenu(hostsim::ParseMenuPath("Help > About > 1 > 1")).code(), kNoErr);
  EXPECT_EQ(h.SendTool(kSelectorAIToolMouseDown, {10, 10}), kNoErr);
  EXPECT_EQ(h.ToolOptions(), kNoErr);
  EXPECT_EQ(h.Notify(kAIApplicationStartedNotifier), kNoErr);
}
