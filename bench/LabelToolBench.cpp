// The label tool as a user feels it: every drag message rebuilds the pending
// label, and every pointer movement runs the magnet test over the drawing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "host/AIMessages.h"
#include "hostsim/Host.h"
#include "hostsim/document/Document.h"

namespace {

AIPathSegment Corner(float x, float y) { return {{x, y}, {x, y}, {x, y}, true}; }

// A launched host with the tool selected and `paths` rectangles in the drawing.
std::unique_ptr<hostsim::Host> LaunchedHost(int paths) {
  const auto prefs = std::filesystem::temp_directory_path() / "kpxlabels-bench-prefs.json";
  std::filesystem::remove(prefs);
  auto host = std::make_unique<hostsim::Host>(hostsim::HostOptions{prefs, KPX_PLUGIN_FILE});
  host->Launch();
  host->SelectTool(true);
  hostsim::Document& doc = host->document();
  for (int i = 0; i < paths; ++i) {
    const float x = static_cast<float>((i % 50) * 12), y = static_cast<float>((i / 50) * 12);
    hostsim::ObjectId id = 0;
    doc.NewArt(hostsim::ArtKind::Path, kPlaceAboveAll, 0, &id);
    hostsim::Art& art = *doc.FindArt(id);
    art.path.segments = {Corner(x, y), Corner(x + 8, y), Corner(x + 8, y + 8), Corner(x, y + 8)};
    art.path.closed = true;
    art.path.style = hostsim::DefaultPathStyle();
  }
  return host;
}

void DragRebuildsTheLabel(benchmark::State& state) {
  auto host = LaunchedHost(0);
  const int leaders = static_cast<int>(state.range(0));
  for (int i = 0; i < leaders; ++i) host->SendTool(kSelectorAIToolMouseDown, {100.0f + 10.0f * i, 100.0f});
  float x = 300;
  for (auto _ : state) {
    x = x > 500 ? 300 : x + 1;
    benchmark::DoNotOptimize(host->SendTool(kSelectorAIToolMouseDrag, {x, 400}));
  }
  host->Quit();
}
BENCHMARK(DragRebuildsTheLabel)->Arg(1)->Arg(29);

void HoverRunsTheMagnetTest(benchmark::State& state) {
  auto host = LaunchedHost(static_cast<int>(state.range(0)));
  float x = 0;
  for (auto _ : state) {
    x = x > 600 ? 0 : x + 0.7f;
    benchmark::DoNotOptimize(host->SendTool(kSelectorAITrackToolCursor, {x, 700}));
  }
  host->Quit();
}
BENCHMARK(HoverRunsTheMagnetTest)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
