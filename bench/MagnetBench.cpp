// The label tool on large drawings, through the plug-in's real entry point:
// cursor tracking near and away from the art, the pointer arriving and the
// mouse going down, the drag of a 29-leader label and mouse up, and a long
// session of labels. The magnet test's literal whole-document walk runs on
// the same drawings and cursor positions in the same run, as the reference
// the ratios are taken against; so does the tool's first walk (the literal one
// skipping segments whose control box is far), for a second ratio.
//
// Drawings of 1 000 to 1 000 000 segments, of three kinds: random walks of
// cubic curves, a grid of small shapes (rectangles and circles) like a
// technical drawing, and long segments across the whole drawing. The drawing
// grows with its size (10 000 segments per 700 x 700 pt), as a large
// technical drawing does, so that blank space exists at every size.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <malloc.h>
#include <time.h>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "LiteralMagnet.h"
#include "host/AIMessages.h"
#include "hostsim/Host.h"
#include "hostsim/document/Document.h"

namespace {

namespace ref = magnet_reference;
using Clock = std::chrono::steady_clock;

enum class Kind { Walk, Grid, Long };
const char* Name(Kind kind) { return kind == Kind::Walk ? "walk" : kind == Kind::Grid ? "grid" : "long"; }

constexpr float kTolerance = 8;  // the default snapping distance, zoom 1

// The process's CPU time, in milliseconds: on a busy machine the wall clock
// also counts other programs' turns.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Memory taken from the heap, in megabytes.
double AllocatedMb() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / 1e6;
}

struct PathShape {
  std::vector<AIPathSegment> segments;
  bool closed = false;
};

AIPathSegment Corner(double x, double y) {
  const AIRealPoint p{static_cast<float>(x), static_cast<float>(y)};
  return {p, p, p, true};
}

AIPathSegment Smooth(double x, double y, double ix, double iy, double ox, double oy) {
  auto f = [](double v) { return static_cast<float>(v); };
  return {{f(x), f(y)}, {f(ix), f(iy)}, {f(ox), f(oy)}, false};
}

double Side(int segments) { return 700.0 * std::sqrt(std::max(segments, 1000) / 1e4); }

std::vector<PathShape> MakeDrawing(Kind kind, int segments, std::mt19937& rng) {
  const double side = Side(segments);
  std::uniform_real_distribution<double> anywhere(0, side), step(-12, 12), handle(-6, 6);
  std::vector<PathShape> paths;
  if (kind == Kind::Walk) {
    for (int made = 0; made < segments; made += 10) {
      PathShape path;
      double x = anywhere(rng), y = anywhere(rng);
      for (int i = 0; i <= 10; ++i) {
        const double hx = handle(rng), hy = handle(rng);
        path.segments.push_back(Smooth(x, y, x - hx, y - hy, x + hx, y + hy));
        x += step(rng);
        y += step(rng);
      }
      paths.push_back(std::move(path));
    }
  } else if (kind == Kind::Grid) {
    const int shapes = std::max(1, segments / 4);
    const int across = static_cast<int>(std::ceil(std::sqrt(shapes)));
    const double pitch = side / across, size = pitch * 0.6, k = 0.5522848 * size / 2;
    for (int i = 0; i < shapes; ++i) {
      const double x = (i % across) * pitch, y = (i / across) * pitch;
      PathShape path;
      path.closed = true;
      if (i % 3 == 2) {
        const double cx = x + size / 2, cy = y + size / 2, r = size / 2;
        path.segments = {Smooth(cx + r, cy, cx + r, cy - k, cx + r, cy + k), Smooth(cx, cy + r, cx + k, cy + r, cx - k, cy + r),
                         Smooth(cx - r, cy, cx - r, cy + k, cx - r, cy - k), Smooth(cx, cy - r, cx - k, cy - r, cx + k, cy - r)};
      } else {
        path.segments = {Corner(x, y), Corner(x + size, y), Corner(x + size, y + size), Corner(x, y + size)};
      }
      paths.push_back(std::move(path));
    }
  } else {
    std::uniform_real_distribution<double> bend(-side / 6, side / 6);
    for (int made = 0; made < segments; made += 3) {
      PathShape path;
      for (int i = 0; i < 4; ++i) {
        const double x = anywhere(rng), y = anywhere(rng);
        if (made % 2 == 0) {
          path.segments.push_back(Corner(x, y));
        } else {
          const double hx = bend(rng), hy = bend(rng);
          path.segments.push_back(Smooth(x, y, x - hx, y - hy, x + hx, y + hy));
        }
      }
      paths.push_back(std::move(path));
    }
  }
  return paths;
}

// True when no anchor lies within the snapping distance and no segment's
// control box comes within reach: a place the magnet surely finds nothing.
bool Blank(const std::vector<PathShape>& paths, double x, double y) {
  for (const PathShape& path : paths) {
    const auto& s = path.segments;
    for (std::size_t j = 0; j < s.size(); ++j) {
      if (std::fabs(s[j].p.h - x) <= kTolerance + 1 && std::fabs(s[j].p.v - y) <= kTolerance + 1) return false;
      const AIPathSegment& b = s[(j + 1) % s.size()];
      const float xs[] = {s[j].p.h, s[j].out.h, b.in.h, b.p.h}, ys[] = {s[j].p.v, s[j].out.v, b.in.v, b.p.v};
      if (x >= *std::min_element(xs, xs + 4) - 2 && x <= *std::max_element(xs, xs + 4) + 2 &&
          y >= *std::min_element(ys, ys + 4) - 2 && y <= *std::max_element(ys, ys + 4) + 2)
        return false;
    }
  }
  return true;
}

// Custom arrowhead and custom corner of 20 points each, stored as the
// settings dialogs store them (each coordinate plus 6).
void PutTwentyPointOutlines(hostsim::PreferenceStore& prefs) {
  const std::string section = "KPXEtiquette";
  prefs.Put(section, "Fleche", int32_t{4});
  prefs.Put(section, "Etiquette", int32_t{4});
  prefs.Put(section, "NbPtsFlEdit", int32_t{20});
  prefs.Put(section, "NbPtsArrondiEdit", int32_t{20});
  const auto put = [&](const char* x, const char* y, const char* ix, const char* iy, const char* ox, const char* oy,
                       auto point) {
    for (int i = 0; i < 20; ++i) {
      const auto [px, py] = point(i);
      for (const char* key : {x, ix, ox}) prefs.Put(section, key + std::to_string(i), px + 6.0);
      for (const char* key : {y, iy, oy}) prefs.Put(section, key + std::to_string(i), py + 6.0);
    }
  };
  // The head: a closed teardrop from the tip at the origin.
  put("PtFlEditX", "PtFlEditY", "PtINOUTEditIX", "PtINOUTEditIY", "PtINOUTEditOX", "PtINOUTEditOY", [](int i) {
    const double a = 2 * M_PI * i / 20;
    return std::pair{7.0 - 7.0 * std::cos(a), 4.0 * std::sin(a)};
  });
  // The corner: a quarter circle from (12, 0) to (0, 12).
  put("PtArEditX", "PtArEditY", "ArINOUTEditIX", "ArINOUTEditIY", "ArINOUTEditOX", "ArINOUTEditOY", [](int i) {
    const double a = M_PI / 2 * i / 19;
    return std::pair{12.0 * std::cos(a), 12.0 * std::sin(a)};
  });
}

// A launched host with the tool current over one drawing, the positions to
// hover at, and the literal walk's suites. One at a time, kept while the
// benchmarks of its drawing run.
struct Scene {
  Kind kind = Kind::Walk;
  int segments = -1;
  std::string purpose;
  std::unique_ptr<hostsim::Host> host;
  std::vector<PathShape> paths;
  std::vector<AIRealPoint> away, nearArt;
  bool awayIsBlank = true;
  ref::Suites suites;
  double remakeMs = 0;   // the first hover after the tool is chosen
  double recheckMs = 0;  // the first hover after the host's word that the drawing changed
  double remakeCpuMs = 0, recheckCpuMs = 0;  // the same, in the process's CPU time
  double mapMb = 0;      // memory the first hover kept (the map and its copies of the paths)
  double fullMapMb = -1; // ... and after hovering everywhere (KPX_BENCH_FULL_MAP=1)

  ~Scene() {
    if (host) {
      ref::Release(suites);
      host->Quit();
    }
  }
};

std::unique_ptr<Scene> gScene;

Scene& SceneFor(Kind kind, int segments, const std::string& purpose = "hover") {
  if (gScene && gScene->kind == kind && gScene->segments == segments && gScene->purpose == purpose) return *gScene;
  gScene.reset();
  auto scene = std::make_unique<Scene>();
  scene->kind = kind;
  scene->segments = segments;
  scene->purpose = purpose;
  const auto prefs = std::filesystem::temp_directory_path() / "kpxlabels-magnet-bench-prefs.json";
  std::filesystem::remove(prefs);
  // KPX_BENCH_PLUGIN measures another build of the plug-in against the same drawings.
  const char* plugin = std::getenv("KPX_BENCH_PLUGIN");
  scene->host = std::make_unique<hostsim::Host>(
      hostsim::HostOptions{prefs, plugin != nullptr && *plugin != 0 ? plugin : KPX_PLUGIN_FILE, false});
  PutTwentyPointOutlines(scene->host->prefs());
  scene->host->Launch();
  ref::Acquire(scene->host->basicSuite(), scene->suites);

  std::mt19937 rng(static_cast<unsigned>(segments) * 7u + static_cast<unsigned>(kind));
  scene->paths = MakeDrawing(kind, segments, rng);
  hostsim::Document& doc = scene->host->document();
  const double side = Side(segments);
  doc.page = {0, static_cast<float>(side), static_cast<float>(side), 0};
  for (const PathShape& shape : scene->paths) {
    hostsim::ObjectId id = 0;
    doc.NewArt(hostsim::ArtKind::Path, kPlaceBelowAll, 0, &id);  // bottom first: building stays linear
    hostsim::Art& art = *doc.FindArt(id);
    art.path.segments = shape.segments;
    art.path.closed = shape.closed;
  }

  std::uniform_real_distribution<double> anywhere(0, side);
  for (int tries = 0; tries < 400 && scene->away.size() < 32; ++tries) {
    const double x = anywhere(rng), y = anywhere(rng);
    if (Blank(scene->paths, x, y)) scene->away.push_back({static_cast<float>(x), static_cast<float>(y)});
  }
  if (scene->away.size() < 8) {  // no blank space: anywhere on the drawing instead
    scene->awayIsBlank = false;
    scene->away.clear();
    for (int i = 0; i < 64; ++i) scene->away.push_back({static_cast<float>(anywhere(rng)), static_cast<float>(anywhere(rng))});
  }
  std::uniform_real_distribution<float> offset(-4, 4), onCurve(-0.5f, 0.5f);
  for (int i = 0; i < 64 && !scene->paths.empty(); ++i) {
    const PathShape& path = scene->paths[rng() % scene->paths.size()];
    const AIPathSegment& a = path.segments[rng() % (path.segments.size() - 1)];
    if (i % 2 == 0) {
      scene->nearArt.push_back({a.p.h + offset(rng), a.p.v + offset(rng)});
    } else {
      const AIPathSegment& b = (&a)[1];
      const double t = (rng() % 100) / 100.0, u = 1 - t;
      const double x = u * u * u * a.p.h + 3 * u * u * t * a.out.h + 3 * u * t * t * b.in.h + t * t * t * b.p.h;
      const double y = u * u * u * a.p.v + 3 * u * u * t * a.out.v + 3 * u * t * t * b.in.v + t * t * t * b.p.v;
      scene->nearArt.push_back({static_cast<float>(x) + onCurve(rng), static_cast<float>(y) + onCurve(rng)});
    }
  }
  scene->host->SelectTool(true);
  const double before = AllocatedMb();
  const auto start = Clock::now();
  const double startCpu = CpuMs();
  scene->host->SendTool(kSelectorAITrackToolCursor, scene->away.front());
  scene->remakeCpuMs = CpuMs() - startCpu;
  scene->remakeMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  scene->mapMb = AllocatedMb() - before;
  if (const char* full = std::getenv("KPX_BENCH_FULL_MAP"); full != nullptr && std::string(full) == "1") {
    // Every part of the drawing hovered once (blocks are wider than 50 points): the whole map filed.
    for (double y = -5; y < side + 10; y += 50) {
      for (double x = -5; x < side + 10; x += 50) {
        scene->host->SendTool(kSelectorAITrackToolCursor, {static_cast<float>(x), static_cast<float>(y)});
      }
    }
    scene->fullMapMb = AllocatedMb() - before;
  }
  scene->host->Notify(kAIArtSelectionChangedNotifier);
  const auto again = Clock::now();
  const double againCpu = CpuMs();
  scene->host->SendTool(kSelectorAITrackToolCursor, scene->away.back());
  scene->recheckCpuMs = CpuMs() - againCpu;
  scene->recheckMs = std::chrono::duration<double, std::milli>(Clock::now() - again).count();
  gScene = std::move(scene);
  return *gScene;
}

// Percentiles of the timed calls, in microseconds.
void Report(benchmark::State& state, std::vector<double>& us, const Scene* scene) {
  if (us.empty()) return;
  std::sort(us.begin(), us.end());
  state.counters["p50_us"] = us[us.size() / 2];
  state.counters["p95_us"] = us[std::min(us.size() - 1, us.size() * 95 / 100)];
  if (scene != nullptr) {
    state.counters["blank"] = scene->awayIsBlank ? 1 : 0;
    state.counters["map_ms"] = scene->remakeMs;
    state.counters["recheck_ms"] = scene->recheckMs;
    state.counters["map_cpu_ms"] = scene->remakeCpuMs;
    state.counters["recheck_cpu_ms"] = scene->recheckCpuMs;
    state.counters["map_mb"] = scene->mapMb;
    if (scene->fullMapMb >= 0) state.counters["full_map_mb"] = scene->fullMapMb;
  }
}

template <class Call>
void Timed(benchmark::State& state, const std::vector<AIRealPoint>& at, const Scene* scene, Call&& call) {
  std::vector<double> us;
  std::size_t i = 0;
  for (auto _ : state) {
    const AIRealPoint p = at[i++ % at.size()];
    const auto start = Clock::now();
    call(p);
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  Report(state, us, scene);
}

void HoverAway(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  Timed(state, s.away, &s, [&](AIRealPoint p) { benchmark::DoNotOptimize(s.host->SendTool(kSelectorAITrackToolCursor, p)); });
}

void HoverNear(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  Timed(state, s.nearArt, &s, [&](AIRealPoint p) { benchmark::DoNotOptimize(s.host->SendTool(kSelectorAITrackToolCursor, p)); });
}

void HoverOutside(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  const std::vector<AIRealPoint> outside = {{-5000, -5000}, {-5001, -5000}};
  Timed(state, outside, &s, [&](AIRealPoint p) { benchmark::DoNotOptimize(s.host->SendTool(kSelectorAITrackToolCursor, p)); });
}

void LiteralAway(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  Timed(state, s.away, &s, [&](AIRealPoint p) { benchmark::DoNotOptimize(ref::Run(s.suites, p, kTolerance)); });
}

void LiteralNear(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  Timed(state, s.nearArt, &s, [&](AIRealPoint p) { benchmark::DoNotOptimize(ref::Run(s.suites, p, kTolerance)); });
}

void FirstWalkAway(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  Timed(state, s.away, &s, [&](AIRealPoint p) {
    benchmark::DoNotOptimize(ref::Run(s.suites, p, kTolerance, true, ref::Walk::SkippingFarBoxes));
  });
}

void FirstWalkNear(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  Timed(state, s.nearArt, &s, [&](AIRealPoint p) {
    benchmark::DoNotOptimize(ref::Run(s.suites, p, kTolerance, true, ref::Walk::SkippingFarBoxes));
  });
}

// The pointer arrives and the button goes down, near art and on blank space in
// turn; the drag and release that finish each label are not timed.
void PointerAndDown(benchmark::State& state, Kind kind, int segments) {
  Scene& s = SceneFor(kind, segments);
  std::vector<double> us;
  std::size_t i = 0;
  for (auto _ : state) {
    const AIRealPoint p = i % 2 == 0 ? s.nearArt[(i / 2) % s.nearArt.size()] : s.away[(i / 2) % s.away.size()];
    ++i;
    const auto start = Clock::now();
    s.host->SendTool(kSelectorAITrackToolCursor, p);
    s.host->SendTool(kSelectorAIToolMouseDown, p);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    us.push_back(seconds * 1e6);
    state.SetIterationTime(seconds);
    s.host->SendTool(kSelectorAIToolMouseDrag, {p.h + 30, p.v + 40});
    s.host->SendTool(kSelectorAIToolMouseUp, {p.h + 30, p.v + 40});
  }
  Report(state, us, &s);
}

// A label of 29 leader lines with the 20-point custom arrowhead and corner.
Scene& LabelScene() {
  Scene& s = SceneFor(Kind::Walk, 1000, "drag");
  if (s.host->document().layers().size() == 1 || true) {
    static Scene* prepared = nullptr;
    if (prepared != &s) {
      for (int i = 0; i < 29; ++i) s.host->SendTool(kSelectorAIToolMouseDown, {-200.0f - 10.0f * i, -100.0f});
      s.host->SendTool(kSelectorAIToolMouseDrag, {-300, -300});
      prepared = &s;
    }
  }
  return s;
}

void DragStep(benchmark::State& state) {
  Scene& s = LabelScene();
  float x = -300;
  std::vector<double> us;
  for (auto _ : state) {
    x = x < -500 ? -300 : x - 1;
    const auto start = Clock::now();
    benchmark::DoNotOptimize(s.host->SendTool(kSelectorAIToolMouseDrag, {x, -350}));
    us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  Report(state, us, nullptr);
}

void MouseUp(benchmark::State& state) {
  Scene& s = LabelScene();
  std::vector<double> us;
  float x = -300;
  for (auto _ : state) {
    x = x < -500 ? -300 : x - 1;
    s.host->SendTool(kSelectorAIToolMouseDrag, {x, -350});
    const auto start = Clock::now();
    benchmark::DoNotOptimize(s.host->SendTool(kSelectorAIToolMouseUp, {x, -350}));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    us.push_back(seconds * 1e6);
    state.SetIterationTime(seconds);
  }
  Report(state, us, nullptr);
}

// Labels one after another on the 100 000-segment walk: the pointer arrives,
// the button goes down, two drag steps, the button comes up.
void Session(benchmark::State& state) {
  const int labels = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Scene& s = SceneFor(Kind::Walk, 100000, "session");
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> anywhere(0, static_cast<float>(Side(100000)));
    double lastHover = 0, lastDown = 0;
    state.ResumeTiming();
    const auto start = Clock::now();
    for (int i = 0; i < labels; ++i) {
      const AIRealPoint p{anywhere(rng), anywhere(rng)};
      const auto t0 = Clock::now();
      s.host->SendTool(kSelectorAITrackToolCursor, p);
      const auto t1 = Clock::now();
      s.host->SendTool(kSelectorAIToolMouseDown, p);
      const auto t2 = Clock::now();
      if (i >= labels - 1000) {
        lastHover += std::chrono::duration<double, std::milli>(t1 - t0).count();
        lastDown += std::chrono::duration<double, std::milli>(t2 - t1).count();
      }
      s.host->SendTool(kSelectorAIToolMouseDrag, {p.h + 20, p.v + 25});
      s.host->SendTool(kSelectorAIToolMouseDrag, {p.h + 40, p.v + 50});
      s.host->SendTool(kSelectorAIToolMouseUp, {p.h + 40, p.v + 50});
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["labels_per_s"] = labels / seconds;
    state.counters["last1000_hover_ms"] = lastHover / std::min(labels, 1000);
    state.counters["last1000_down_ms"] = lastDown / std::min(labels, 1000);
    state.PauseTiming();
    gScene.reset();
    state.ResumeTiming();
  }
}

int Register() {
  const char* only = std::getenv("KPX_BENCH_SIZES");  // e.g. "1000,10000"
  std::vector<int> sizes = {1000, 10000, 100000, 1000000};
  if (only != nullptr && *only != 0) {
    sizes.clear();
    for (std::string list = only; !list.empty();) {
      const auto comma = list.find(',');
      sizes.push_back(std::stoi(list.substr(0, comma)));
      list = comma == std::string::npos ? "" : list.substr(comma + 1);
    }
  }
  for (Kind kind : {Kind::Walk, Kind::Grid, Kind::Long}) {
    for (int size : sizes) {
      const std::string tail = std::string("/") + Name(kind) + "/" + std::to_string(size);
      // The literal walk costs seconds a call on large drawings: a few calls are enough.
      const int literalCalls = size >= 1000000 ? 3 : size >= 100000 ? 8 : 0;
      const int firstWalkCalls = size >= 100000 ? 8 : 0;
      auto* la = benchmark::RegisterBenchmark(("LiteralAway" + tail).c_str(), LiteralAway, kind, size);
      auto* ln = benchmark::RegisterBenchmark(("LiteralNear" + tail).c_str(), LiteralNear, kind, size);
      auto* fa = benchmark::RegisterBenchmark(("FirstWalkAway" + tail).c_str(), FirstWalkAway, kind, size);
      auto* fn = benchmark::RegisterBenchmark(("FirstWalkNear" + tail).c_str(), FirstWalkNear, kind, size);
      if (literalCalls > 0) {
        la->Iterations(literalCalls);
        ln->Iterations(literalCalls);
      }
      if (firstWalkCalls > 0) {
        fa->Iterations(firstWalkCalls);
        fn->Iterations(firstWalkCalls);
      }
      benchmark::RegisterBenchmark(("HoverAway" + tail).c_str(), HoverAway, kind, size)->MinTime(0.3);
      benchmark::RegisterBenchmark(("HoverNear" + tail).c_str(), HoverNear, kind, size)->MinTime(0.3);
      benchmark::RegisterBenchmark(("HoverOutside" + tail).c_str(), HoverOutside, kind, size)->MinTime(0.3);
      benchmark::RegisterBenchmark(("PointerAndDown" + tail).c_str(), PointerAndDown, kind, size)
          ->UseManualTime()
          ->Iterations(400);
    }
  }
  benchmark::RegisterBenchmark("DragStep/29-leaders", DragStep)->MinTime(0.3);
  benchmark::RegisterBenchmark("MouseUp/29-leaders", MouseUp)->UseManualTime()->MinTime(0.3);
  benchmark::RegisterBenchmark("Session/walk/100000", Session)->Arg(10000)->Iterations(1)->Unit(benchmark::kSecond);
  return 0;
}

const int gRegistered = Register();

}  // namespace

// The last scene is closed before exit: the plug-in's own statics are
// destroyed by exit, and must not see a shut-down message after that.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  gScene.reset();
  return 0;
}
