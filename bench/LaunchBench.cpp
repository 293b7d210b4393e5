// A session's fixed cost, as the session fuzzer and the fault sweep pay it
// for every script: a fresh host, the plug-in's start-up with no preference
// file (every default written, the panel built), and for a whole session the
// shut-down that saves the file. Run through the real runner.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "apps/labels-run/Runner.h"

namespace {

namespace fs = std::filesystem;

// Runs `script` `state.iterations()` times, each from no preference file.
void RunFromScratch(benchmark::State& state, const std::string& script, bool pngs) {
  const fs::path folder = fs::temp_directory_path() / "kpxlabels-launch-bench";
  fs::create_directories(folder);
  labelsrun::RunOptions options;
  options.script = "bench.session";
  options.prefsFile = folder / "preferences.json";
  options.pluginFile = KPX_PLUGIN_FILE;
  options.sandbox = folder;
  options.quickPng = pngs;
  for (auto _ : state) {
    fs::remove(options.prefsFile);
    std::istringstream in(script);
    std::ostringstream err;
    if (labelsrun::RunSession(options, in, err) != 0) state.SkipWithError(err.str().c_str());
  }
  state.counters["sessions/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  fs::remove_all(folder);
}

void LaunchFromNoPreferences(benchmark::State& state) { RunFromScratch(state, "launch\n", false); }
BENCHMARK(LaunchFromNoPreferences)->Unit(benchmark::kMicrosecond);

void LaunchAndQuit(benchmark::State& state) { RunFromScratch(state, "launch\nquit\n", false); }
BENCHMARK(LaunchAndQuit)->Unit(benchmark::kMicrosecond);

// A picture of the panel, scaled up, as the fuzzer writes it (quickest
// compression) and as a person asks for it.
void LaunchAndPicturePanel(benchmark::State& state) {
  RunFromScratch(state, "launch\npng panel panel.png 2\n", state.range(0) != 0);
}
BENCHMARK(LaunchAndPicturePanel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
