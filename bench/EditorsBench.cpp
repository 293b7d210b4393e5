// The graphic editors as a user feels them: one drag event on the canvas of
// an outline of 20 curved points, through the whole host (tracking, the
// plug-in's drag step, the redraw requests) and, in the second form, with the
// whole dialog painted again as a screen would after each event. The third
// form times the plug-in's own geometry alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "geometry/EditGeometry.h"
#include "hostsim/FrontEnd.h"
#include "hostsim/Host.h"
#include "hostsim/UserActions.h"

namespace {

// Runs the benchmark's loop inside the editor's modal loop.
class LoopFrontEnd : public hostsim::NullFrontEnd {
 public:
  std::function<void(hostsim::Host&, ADMDialogRef)> loop;
  void RunModal(hostsim::Host& host, ADMDialogRef dialog) override {
    if (loop) loop(host, dialog);
  }
};

constexpr int kPoints = 20;

// A wavy outline of 20 rounded points, stored as the custom arrowhead.
void StoreTwentyPoints(hostsim::PreferenceStore& prefs) {
  const std::string section = "KPXEtiquette";
  prefs.Put(section, "NbPtsFlEdit", int32_t{kPoints});
  for (int i = 0; i < kPoints; ++i) {
    const double x = 0.7 * i, y = (i % 2 == 0 ? -3.0 : 3.0) * (i % 5) / 4.0;
    const std::string n = std::to_string(i);
    const auto put = [&](const std::string& key, double v) { prefs.Put(section, key + n, v + 6.0); };
    put("PtFlEditX", x), put("PtFlEditY", y);
    put("PtINOUTEditIX", x + 0.4), put("PtINOUTEditIY", y + 0.5);
    put("PtINOUTEditOX", x - 0.4), put("PtINOUTEditOY", y - 0.5);
  }
}

void DragOnTheArrowsCanvas(benchmark::State& state) {
  const auto prefsFile = std::filesystem::temp_directory_path() / "kpxlabels-editors-bench-prefs.json";
  std::filesystem::remove(prefsFile);
  hostsim::Host host(hostsim::HostOptions{prefsFile, KPX_PLUGIN_FILE});
  auto frontEnd = std::make_unique<LoopFrontEnd>();
  LoopFrontEnd& front = *frontEnd;
  host.SetFrontEnd(std::move(frontEnd));
  StoreTwentyPoints(host.prefs());
  host.Launch();
  const bool paint = state.range(0) != 0;
  front.loop = [&](hostsim::Host& h, ADMDialogRef dialog) {
    hostsim::UserActions user(h);
    user.ItemTrack(12, hostsim::TrackAction::Drag, {130, 130}, {});  // picks point 0
    int32_t x = 140;
    for (auto _ : state) {
      x = x >= 440 ? 140 : x + 1;
      benchmark::DoNotOptimize(user.ItemTrack(12, hostsim::TrackAction::Drag, {x, 100}, {}));
      if (paint) benchmark::DoNotOptimize(h.dialogs().Paint(dialog));
    }
    user.ItemClick(2, {});
  };
  hostsim::UserActions(host).FlyoutPick(4);
  host.Quit();
}
BENCHMARK(DragOnTheArrowsCanvas)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The plug-in's part of one drag event and one canvas drawing: the drag with
// its mirror, the hover test and the flattening of the 20 segments.
void EditGeometryOfOneDrag(benchmark::State& state) {
  BezierPointList p{};
  for (int i = 0; i < kPoints; ++i) {
    const float x = 0.7f * i, y = (i % 2 == 0 ? -3.0f : 3.0f) * (i % 5) / 4.0f;
    p.X[i] = x, p.Y[i] = y, p.IX[i] = x + 0.4f, p.IY[i] = y + 0.5f, p.OX[i] = x - 0.4f, p.OY[i] = y - 0.5f;
  }
  edit::Pixel flat[edit::kFlatCapacity];
  int32_t x = 0;
  for (auto _ : state) {
    x = x >= 300 ? 0 : x + 1;
    edit::DragArrowTo(p, kPoints, 3, {edit::ArrowUnits(x, 20, true), edit::ArrowUnits(-x / 3, 20, false)}, true);
    benchmark::DoNotOptimize(edit::FindHover(p, kPoints, true, edit::kArrowCanvas, {130 + x, 100}));
    benchmark::DoNotOptimize(edit::FlattenOutline(p, kPoints, true, edit::kArrowCanvas, flat, edit::kFlatCapacity));
  }
}
BENCHMARK(EditGeometryOfOneDrag)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
