// Fails the calls of a short session one at a time and checks that the host
// and the plug-in live through each: no crash, no sanitizer report, the
// failed call reached, and nothing left allocated once the host has quit.
//
// A first run counts the calls the session makes. CI then fails the first call
// of every operation and a spread of the others, a bounded number of runs.
// KPX_FAULT_SWEEP=all fails every call of the session in turn; a number
// instead sets how many of the others are sampled.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "hostsim/UserActions.h"
#include "PluginHost.h"
#include "host/AllSuites.h"
#include "hostsim/Blocks.h"
#include "hostsim/HostSuites.h"
#include "hostsim/document/Document.h"

namespace {

using hostsim::FaultRule;

constexpr std::size_t kSampledByDefault = 24;

struct Call {
  std::string suite;
  std::string op;
  int64_t nth = 0;
};

class FaultSweep : public PluginHostTest {
 protected:
  // A first start over no preference file, with a filled rectangle to click
  // beside; then the panel, two labels, the tool's options and the About box.
  void Session(hostsim::Host& h) {
    AddFilledRectangle(h.document());
    h.Launch();
    hostsim::UserActions user(h);
    const hostsim::MenuPath panel = hostsim::ParseMenuPath("Window > Tool Palettes > 1 > 1");
    user.ChooseMenu(panel);
    h.SelectTool(true);
    DrawLabel(h, 100, 100);
    DrawLabel(h, 300, 120);
    user.ChooseMenu(panel);
    h.ToolOptions();
    user.ChooseMenu(hostsim::ParseMenuPath("Help > About > 1 > 1"));
    h.SelectTool(false);
    h.Quit();
  }

  hostsim::Host& FreshHost() {
    CloseHost();
    std::filesystem::remove(PrefsFile());
    return OpenHost();
  }

  // Every call the session makes, as (suite, operation, its number among that operation's calls).
  std::vector<Call> CallsOfTheSession() {
    auto& h = FreshHost();
    h.faults().SetCounting(true);
    Session(h);
    std::vector<Call> calls;
    for (const hostsim::CallCount& c : h.faults().counts()) {
      for (int64_t n = 1; n <= c.calls; ++n) calls.push_back({c.suite, c.op, n});
    }
    CloseHost();
    return calls;
  }

 private:
  static void AddFilledRectangle(hostsim::Document& doc) {
    hostsim::ObjectId id = 0;
    ASSERT_EQ(doc.NewArt(hostsim::ArtKind::Path, kPlaceBelowAll, 0, &id), kNoErr);
    hostsim::Art& rect = *doc.FindArt(id);
    const auto corner = [](float x, float y) { return AIPathSegment{{x, y}, {x, y}, {x, y}, true}; };
    rect.path.segments = {corner(200, 200), corner(260, 200), corner(260, 240), corner(200, 240)};
    rect.path.closed = true;
    rect.path.style.fillPaint = true;
    rect.path.style.fill.color = hostsim::GrayColor(0.5);
  }

  static void DrawLabel(hostsim::Host& h, float x, float y) {
    h.SendTool(kSelectorAITrackToolCursor, {x, y});
    h.SendTool(kSelectorAIToolMouseDown, {x, y});
    h.SendTool(kSelectorAIToolMouseDrag, {x + 40, y + 30});
    h.SendTool(kSelectorAIToolMouseDrag, {x + 80, y + 60});
    h.SendTool(kSelectorAIToolMouseUp, {x + 80, y + 60});
  }
};

// The calls to fail: all of them, or the first call of every operation and
// `sampled` of the others, evenly spread.
std::vector<Call> Chosen(const std::vector<Call>& calls) {
  const char* setting = std::getenv("KPX_FAULT_SWEEP");
  if (setting != nullptr && std::string(setting) == "all") return calls;
  const std::size_t sampled = setting != nullptr ? std::strtoul(setting, nullptr, 10) : kSampledByDefault;
  std::vector<Call> chosen;
  std::vector<Call> others;
  for (const Call& c : calls) (c.nth == 1 ? chosen : others).push_back(c);
  if (sampled > 0 && !others.empty()) {
    const std::size_t step = std::max<std::size_t>(1, others.size() / sampled);
    for (std::size_t i = step / 2; i < others.size() && chosen.size() < calls.size(); i += step) {
      chosen.push_back(others[i]);
    }
  }
  return chosen;
}

}  // namespace

TEST_F(FaultSweep, TheHostAndThePlugInLiveThroughAnyFailedCall) {
  const std::size_t blocksBefore = hostsim::LiveBlocks();
  const std::vector<Call> calls = CallsOfTheSession();
  ASSERT_GT(calls.size(), 100u) << "the session makes too few calls to be worth sweeping";
  ASSERT_EQ(hostsim::LiveBlocks(), blocksBefore) << "the session leaks blocks without any failure";

  const std::vector<Call> chosen = Chosen(calls);
  for (const Call& c : chosen) {
    const std::string what = c.suite + "/" + c.op + " #" + std::to_string(c.nth);
    std::printf("failing %s\n", what.c_str());
    std::fflush(stdout);
    const std::size_t blocks = hostsim::LiveBlocks();
    auto& h = FreshHost();
    const auto rule = h.faults().Add(FaultRule::Of(c.suite, c.op).At(c.nth));
    Session(h);
    EXPECT_EQ(h.faults().Failures(rule), 1) << what << " was never reached: the session is not deterministic";
    EXPECT_TRUE(h.Dump().is_object()) << what;
    CloseHost();
    // A block the host refused to free is the one block allowed to stay.
    const std::size_t allowed = c.op == "FreeBlock" ? 1 : 0;
    EXPECT_LE(hostsim::LiveBlocks(), blocks + allowed) << "blocks leak after a failed " << what;
  }
  std::printf("%zu of the session's %zu calls failed in turn\n", chosen.size(), calls.size());
}

TEST_F(FaultSweep, TheHostAndThePlugInLiveThroughASuiteThatFailsForGood) {
  // Each suite the session calls, with its number of calls.
  std::vector<std::pair<std::string, int64_t>> suites;
  for (const Call& c : CallsOfTheSession()) {
    auto it = std::find_if(suites.begin(), suites.end(), [&](const auto& s) { return s.first == c.suite; });
    if (it == suites.end()) it = suites.insert(suites.end(), {c.suite, 0});
    ++it->second;
  }
  for (const auto& [suite, calls] : suites) {
    // From its first call, and from half-way through the session's calls of it.
    for (int64_t from : {int64_t{1}, calls / 2 + 1}) {
      const std::string what = suite + " from call " + std::to_string(from);
      std::printf("failing %s\n", what.c_str());
      std::fflush(stdout);
      const std::size_t blocks = hostsim::LiveBlocks();
      auto& h = FreshHost();
      const auto rule = h.faults().Add(FaultRule::Of(suite).At(from).Onward());
      Session(h);
      EXPECT_GE(h.faults().Failures(rule), 1) << what;
      CloseHost();
      // Blocks the host refused to free stay allocated; every other one is given back.
      if (suite != hostsim::kBasicSuiteName) {
        EXPECT_EQ(hostsim::LiveBlocks(), blocks) << "blocks leak after " << what;
      }
    }
  }
}
