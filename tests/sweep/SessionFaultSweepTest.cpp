// Fails the host calls of whole sessions, one call per run, and checks that
// each run ends well: no crash (the sanitizer build also catches memory
// faults), no block left allocated, every label in the drawing either shaped
// as the tool's take-up expects or refused by it without harm, the
// preference file whole, and the plug-in drawing a label again once the
// failure is over.
//
// The sessions are the examples, those in sessions/ that work every dialog,
// editor and panel control, and a few made here. A first run of each counts its calls per operation and
// traces each call to the place in the plug-in that made it. Then:
//  - by default (CI), one run per call site of the plug-in: the first call
//    made there fails, so every site is seen failing at least once;
//  - KPX_FAULT_SWEEP=all: one run per (operation, N) of every session, N from
//    1 to the number of calls (scripts/fault-sweep runs this);
//  - KPX_FAULT_SWEEP=sites: the counting runs only, to list the sites reached
//    quickly (scripts/fault-sweep --sites);
//  - KPX_FAULT_SWEEP_ONLY=NAME: only the sessions whose name holds NAME (a
//    slice; sites reached only by other sessions are then not expected).
// The test prints the number of (operation, N) pairs it ran and the sites.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "LabelShape.h"
#include "apps/labels-run/Runner.h"
#include "hostsim/Blocks.h"
#include "hostsim/Host.h"
#include "hostsim/PreferenceStore.h"
#include "hostsim/UserActions.h"

namespace {

namespace fs = std::filesystem;
using hostsim::FaultInjector;
using hostsim::FaultRule;
using nlohmann::json;

struct SweepSession {
  std::string name;
  fs::path script;
  fs::path prefsSeed;  // copied to the run's preference file first; empty: no file
};

struct Pair {
  std::size_t session = 0;
  std::string suite;
  std::string op;
  int64_t nth = 0;
};

// Sessions made here: the panel's controls, the settings dialogs (preferences,
// the nested colours dialog, free texts), a label taken up again, the About box.
const char* const kMadeSessions[][2] = {
    {"dialogs",
     "launch\nmenu panel\ntool select\nflyout 7\nitem 19 value 1\nitem 13 value 200\nitem 28 click\nitem 1 click\n"
     "item 1 click\ndown 100 100\ndrag 180 160\nup 180 160\nitem 10 pick 2\nitem 14 pick 6\nitem 12 text \"Hello\"\n"
     "item 1 click\ndown 300 100\ndrag 380 160\nup 380 160\nmenu about\nitem 1 click\nclosebox\n"},
    {"take-up",
     "launch\nmenu panel\ntool select\nrect 40 40 50 50 filled\nclick 60 60\ndown 90 90\ndrag 200 200\nup 200 200\n"
     "item 52 click\ndown 130 130\ndrag 240 180\nup 240 180\nclick 300 300\nflyout 1\nclosebox\nunload\nreload\n"
     "tool deselect\ntool select\ndown 400 400\ndrag 450 480\nup 450 480\nquit\n"},
};

class SessionFaultSweep : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    scratch_ = fs::temp_directory_path() / ("kpx-sweep-" + std::to_string(::getpid()));
    fs::remove_all(scratch_);
    fs::create_directories(scratch_);
    // Examples write their pictures to the working folder.
    fs::current_path(scratch_);
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(scratch_, ec);
  }

  static std::vector<SweepSession> Sessions() {
    std::vector<SweepSession> sessions;
    std::vector<fs::path> examples;
    for (const auto& entry : fs::directory_iterator(KPX_EXAMPLES_DIR)) {
      if (entry.path().extension() == ".session") examples.push_back(entry.path());
    }
    std::sort(examples.begin(), examples.end());
    for (const fs::path& script : examples) {
      fs::path seed = script;
      seed.replace_extension(".prefs.json");
      sessions.push_back({script.stem().string(), script, fs::exists(seed) ? seed : fs::path()});
    }
    std::vector<fs::path> own;
    for (const auto& entry : fs::directory_iterator(KPX_SWEEP_SESSIONS_DIR)) {
      if (entry.path().extension() == ".session") own.push_back(entry.path());
    }
    std::sort(own.begin(), own.end());
    // Copied beside the files they write, so that `open` finds what `svg` wrote.
    for (const fs::path& script : own) {
      const fs::path copy = scratch_ / script.filename();
      fs::copy_file(script, copy, fs::copy_options::overwrite_existing);
      sessions.push_back({script.stem().string(), copy, {}});
    }
    for (const auto& [name, text] : kMadeSessions) {
      const fs::path script = scratch_ / (std::string(name) + ".session");
      std::ofstream(script) << text;
      sessions.push_back({name, script, {}});
    }
    return sessions;
  }

  static std::string PluginName() { return fs::path(KPX_PLUGIN_FILE).filename().string(); }
  static fs::path PrefsFile() { return scratch_ / "preferences.json"; }

  // Runs a session over a fresh copy of its preference file.
  static int Run(const SweepSession& s, std::function<void(hostsim::Host&)> onStart,
                 std::function<void(hostsim::Host&, hostsim::UserActions&)> onEnd, std::string* messages = nullptr) {
    std::error_code ec;
    fs::remove(PrefsFile(), ec);
    if (!s.prefsSeed.empty()) fs::copy_file(s.prefsSeed, PrefsFile(), fs::copy_options::overwrite_existing);
    labelsrun::RunOptions options;
    options.script = s.script;
    options.prefsFile = PrefsFile();
    options.pluginFile = KPX_PLUGIN_FILE;
    options.onStart = std::move(onStart);
    options.onEnd = std::move(onEnd);
    std::ostringstream err;
    const int code = labelsrun::RunScript(options, err);
    if (messages != nullptr) *messages = err.str();
    return code;
  }

  static bool PrefsFileWhole(std::string& why) {
    if (!fs::exists(PrefsFile())) return true;
    hostsim::PreferenceStore store;
    if (auto problem = store.Load(PrefsFile())) {
      why = *problem;
      return false;
    }
    return true;
  }

  // The checks once a session has run with one call failed; `what` names the failure.
  static void CheckAfterwards(hostsim::Host& h, hostsim::UserActions& user, const std::string& what) {
    h.faults().ClearRules();
    h.faults().SetCounting(false);
    std::string why;
    EXPECT_TRUE(PrefsFileWhole(why)) << what << ": " << why;

    // Labels the take-up would not read are clicked on: the tool must refuse them without harm.
    json dump = h.Dump();
    std::vector<AIRealPoint> refused;
    sweep::ForEachLabel(dump, [&](const json& label) {
      if (sweep::LabelProblem(label).empty()) return;
      ++malformedLabels_;
      for (const json& part : label["children"]) {
        if (part["name"] != "Lines") continue;
        for (const json& line : part["children"]) {
          if (line["type"] == "path" && !line["anchors"].empty()) {
            refused.push_back({line["anchors"][0][0].get<float>(), line["anchors"][0][1].get<float>()});
          }
        }
      }
    });

    // The plug-in works again: launched if it was not, the tool chosen, one more label drawn.
    // A start-up that failed left no tool: the plug-in is quit and started again, as the
    // next start of the host would.
    if (!h.launched()) {
      EXPECT_EQ(h.Launch(), kNoErr) << what << ": the plug-in does not start again";
    }
    if (!user.SelectTool().done()) {
      h.Quit();
      EXPECT_EQ(h.Launch(), kNoErr) << what << ": the plug-in does not start again";
      EXPECT_TRUE(user.SelectTool().done()) << what << ": the tool is not there after a new start";
    }
    std::multiset<std::string> untouched;  // labels as they were, each as its JSON
    sweep::ForEachLabel(h.Dump(), [&](const json& label) { untouched.insert(label.dump()); });
    const int labelsBefore = static_cast<int>(untouched.size());
    // A click on a label's line that is not whole starts a new label (its first
    // leader line); the drag below then places that same label.
    for (const AIRealPoint& p : refused) {
      user.MouseDown(p);
      user.MouseUp(p);
    }
    // Three labels: a session stopped by the failure may have left a click
    // waiting for its label (a click adds a leader line), which the first completes.
    // A failed read may have left clicks outside objects, or inside them,
    // forbidden: the third label goes on blank space again, the second on a shape.
    for (const float at : {4000.0f, 6000.0f, 8000.0f}) {
      if (at == 6000.0f) user.AddRect(at - 20, at - 20, 40, 40, true);
      user.MouseDown({at, at});
      user.Drag({at + 60, at + 50});
      user.Drag({at + 120, at + 100});
      user.MouseUp({at + 120, at + 100});
    }
    const json after = h.Dump();
    EXPECT_GE(sweep::CountLabels(after), labelsBefore + 1) << what << ": no label is drawn after the failure";
    sweep::ForEachLabel(after, [&](const json& label) {
      // Every label the tool has made or changed since is whole.
      const auto same = untouched.find(label.dump());
      if (same != untouched.end()) {
        untouched.erase(same);
        return;
      }
      const std::string problem = sweep::LabelProblem(label);
      if (!problem.empty()) ADD_FAILURE() << what << ": the label drawn afterwards has " << problem;
    });
    h.Quit();
    EXPECT_TRUE(PrefsFileWhole(why)) << what << " then a quit: " << why;
  }

  static fs::path scratch_;
  static int malformedLabels_;
};

fs::path SessionFaultSweep::scratch_;
int SessionFaultSweep::malformedLabels_ = 0;

TEST_F(SessionFaultSweep, EveryFailedCallOfEverySessionLeavesAWorkingPlugInAndAWholeDrawing) {
  std::vector<SweepSession> sessions = Sessions();
  ASSERT_GE(sessions.size(), 10u);
  // KPX_FAULT_SWEEP_ONLY=NAME: only the sessions whose name holds NAME, for a quick slice.
  if (const char* only = std::getenv("KPX_FAULT_SWEEP_ONLY"); only != nullptr && *only != '\0') {
    std::erase_if(sessions, [&](const SweepSession& s) { return s.name.find(only) == std::string::npos; });
    ASSERT_FALSE(sessions.empty()) << "no session's name holds " << only;
  }

  // Counting runs: the calls of each session, and the sites that make them.
  std::vector<std::vector<hostsim::CallCount>> counts(sessions.size());
  std::map<FaultInjector::Site, Pair> firstFailureAt;  // site -> a pair that fails a call made there
  for (std::size_t i = 0; i < sessions.size(); ++i) {
    std::string messages;
    const std::size_t blocks = hostsim::LiveBlocks();
    const int code = Run(
        sessions[i],
        [](hostsim::Host& h) {
          h.faults().SetCounting(true);
          h.faults().TrackSites(PluginName());
        },
        [&](hostsim::Host& h, hostsim::UserActions&) {
          counts[i] = h.faults().counts();
          for (const auto& [site, nth] : h.faults().sitesCounted()) {
            const std::string& key = site.first;
            const std::size_t slash = key.find('/');
            firstFailureAt.try_emplace(site, Pair{i, key.substr(0, slash), key.substr(slash + 1), nth});
          }
          // A session that does not quit leaves the plug-in's blocks to its shut-down.
          if (h.launched()) h.Quit();
        },
        &messages);
    EXPECT_EQ(hostsim::LiveBlocks(), blocks) << sessions[i].name << " leaks blocks without any failure";
    ASSERT_FALSE(counts[i].empty()) << sessions[i].name << ": " << messages;
    // Every line of every session must do what it says: a line the runner
    // refuses or skips would leave the code after it unreached.
    EXPECT_EQ(code, 0) << sessions[i].name << ": " << messages;
    EXPECT_EQ(messages, "") << sessions[i].name;
  }

  std::vector<Pair> pairs;
  const char* setting = std::getenv("KPX_FAULT_SWEEP");
  const std::string mode = setting != nullptr ? setting : "";
  if (mode == "all") {
    for (std::size_t i = 0; i < sessions.size(); ++i) {
      for (const hostsim::CallCount& c : counts[i]) {
        for (int64_t n = 1; n <= c.calls; ++n) pairs.push_back({i, c.suite, c.op, n});
      }
    }
  } else if (mode != "sites") {
    std::set<std::tuple<std::size_t, std::string, std::string, int64_t>> chosen;
    for (const auto& [site, pair] : firstFailureAt) {
      if (chosen.emplace(pair.session, pair.suite, pair.op, pair.nth).second) pairs.push_back(pair);
    }
  }

  std::set<FaultInjector::Site> failedSites;
  std::size_t runs = 0;
  for (const Pair& p : pairs) {
    const std::string what = sessions[p.session].name + ": " + p.suite + "/" + p.op + " #" + std::to_string(p.nth);
    const std::size_t blocks = hostsim::LiveBlocks();
    FaultInjector::RuleId rule = 0;
    int64_t failures = -1;
    std::string halfMade;  // the first label of the run's drawing the take-up would refuse
    const int code = Run(
        sessions[p.session],
        [&](hostsim::Host& h) {
          h.faults().TrackSites(PluginName());
          rule = h.faults().Add(FaultRule::Of(p.suite, p.op).At(p.nth));
        },
        [&](hostsim::Host& h, hostsim::UserActions& user) {
          failures = h.faults().Failures(rule);
          failedSites.insert(h.faults().sitesFailed().begin(), h.faults().sitesFailed().end());
          sweep::ForEachLabel(h.Dump(), [&](const json& label) {
            if (halfMade.empty()) halfMade = sweep::LabelProblem(label);
          });
          CheckAfterwards(h, user, what);
        });
    // A run that ends well saves its drawing: no label in it may be half-made.
    if (code == 0) {
      EXPECT_EQ(halfMade, "") << what << ": the run exits 0 with a label that has " << halfMade;
    }
    ++runs;
    EXPECT_EQ(failures, 1) << what << " was not reached: the session is not deterministic";
    // A block the host refused to free is the one block allowed to stay.
    EXPECT_LE(hostsim::LiveBlocks(), blocks + (p.op == "FreeBlock" ? 1u : 0u)) << what << " leaks blocks";
    if (HasFatalFailure()) return;
  }

  std::set<FaultInjector::Site> sites;
  for (const auto& [site, pair] : firstFailureAt) sites.insert(site);
  std::size_t missed = 0;
  for (const FaultInjector::Site& site : sites) {
    if (failedSites.count(site) == 0) {
      ++missed;
      if (mode == "sites") continue;
      ADD_FAILURE() << "the call site " << site.first << " at +0x" << std::hex << site.second
                    << " never saw a failure";
    }
  }
  std::size_t totalCalls = 0;
  for (const auto& session : counts) {
    for (const hostsim::CallCount& c : session) totalCalls += static_cast<std::size_t>(c.calls);
  }
  std::printf("fault sweep: %zu sessions, %zu (operation, N) pairs run of %zu calls; %zu plug-in call sites reached, "
              "%zu of them failed; %d labels the take-up refuses were left by failures\n",
              sessions.size(), runs, totalCalls, sites.size(), sites.size() - missed, malformedLabels_);
  if (const char* out = std::getenv("KPX_FAULT_SWEEP_SITES")) {
    // For scripts/fault-sweep: the sites as offsets in the library, one a line.
    std::ofstream list(out);
    for (const FaultInjector::Site& site : sites) {
      list << site.first << " 0x" << std::hex << site.second << std::dec << (failedSites.count(site) ? " failed" : " missed")
           << "\n";
    }
  }
}

}  // namespace
