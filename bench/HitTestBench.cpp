// Hit testing and SVG writing of a document with many paths: a grid of
// stroked rectangles and curved paths, as a busy drawing would have. Then
// what a large drawing costs the host's suites: art put on top of a full
// layer, the bounds of a path and of a group, and listing the art.
#include <benchmark/benchmark.h>

#include <sstream>

#include "host/AISuites.h"
#include "hostsim/Blocks.h"
#include "hostsim/FontList.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"

namespace {

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

AIPathSegment Smooth(float x, float y, float dx) { return {{x, y}, {x - dx, y}, {x + dx, y}, false}; }

// count paths on a grid 20 pt apart, every other one filled and curved.
hostsim::DocumentPtr MakeBusyDocument(int count) {
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  for (int i = 0; i < count; ++i) {
    const float x = static_cast<float>((i % 100) * 20), y = static_cast<float>((i / 100) * 20);
    hostsim::ObjectId id = 0;
    doc->NewArt(hostsim::ArtKind::Path, kPlaceAboveAll, 0, &id);
    hostsim::Art& art = *doc->FindArt(id);
    art.path.closed = true;
    if (i % 2 == 0) {
      art.path.segments = {Smooth(x, y, 4), Smooth(x + 10, y + 5, 4), Smooth(x, y + 10, 4)};
      art.path.style.fillPaint = true;
      art.path.style.fill.color = hostsim::GrayColor(0.3);
    } else {
      for (auto [px, py] : {std::pair{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}}) {
        art.path.segments.push_back({{px, py}, {px, py}, {px, py}, true});
      }
    }
  }
  return doc;
}

void HitTestMiss(benchmark::State& state) {
  const auto doc = MakeBusyDocument(static_cast<int>(state.range(0)));
  const AIRealPoint point{15, 15};  // between the shapes of the first row
  for (auto _ : state) benchmark::DoNotOptimize(doc->HitTest(0, point, 2));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(HitTestMiss)->Arg(100)->Arg(1000)->Arg(10000);

void HitTestSegmentOfTheBottomPath(benchmark::State& state) {
  const auto doc = MakeBusyDocument(static_cast<int>(state.range(0)));
  const AIRealPoint point{5, 0.5f};  // the first path made lies at the bottom of the paint order
  for (auto _ : state) benchmark::DoNotOptimize(doc->HitTest(0, point, 2));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(HitTestSegmentOfTheBottomPath)->Arg(100)->Arg(1000)->Arg(10000);

void WriteSvg(benchmark::State& state) {
  const auto doc = MakeBusyDocument(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    hostsim::WriteSvg(*doc, out);
    bytes = out.str().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(WriteSvg)->Arg(100)->Arg(1000)->Arg(10000);

// The suites as the plug-in acquires them; they act on the document made last.
struct Suites {
  hostsim::SuiteRegistry registry;
  const AIArtSuite* art = nullptr;
  const AIMatchingArtSuite* matching = nullptr;
  Suites() {
    hostsim::RegisterDocumentSuites(registry);
    art = registry.AcquireTable<AIArtSuite>(kAIArtSuite, kAIArtSuiteVersion);
    matching = registry.AcquireTable<AIMatchingArtSuite>(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion);
  }
};

Suites& TheSuites() {
  static Suites suites;
  return suites;
}

AIArtHandle Handle(hostsim::ObjectId id) { return reinterpret_cast<AIArtHandle>(static_cast<std::uintptr_t>(id)); }

// A closed square path of side 10 at (x, y).
void MakeSquare(hostsim::Document& doc, hostsim::ObjectId id, float x, float y) {
  hostsim::Art& art = *doc.FindArt(id);
  art.path.closed = true;
  for (auto [px, py] : {std::pair{x, y}, {x + 10, y}, {x + 10, y + 10}, {x, y + 10}}) {
    art.path.segments.push_back({{px, py}, {px, py}, {px, py}, true});
  }
  doc.ArtChanged(id);
}

// count square paths, in groups of `perGroup` (1: straight on the layer),
// each made at the bottom so that building costs the same before and after.
hostsim::DocumentPtr MakeLargeDocument(int count, int perGroup) {
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  hostsim::ObjectId group = 0;
  for (int i = 0; i < count; ++i) {
    const float x = static_cast<float>((i % 1000) * 20), y = static_cast<float>((i / 1000) * 20);
    hostsim::ObjectId id = 0;
    if (perGroup == 1) {
      doc->NewArt(hostsim::ArtKind::Path, kPlaceBelowAll, 0, &id);
    } else {
      if (i % perGroup == 0) doc->NewArt(hostsim::ArtKind::Group, kPlaceBelowAll, 0, &group);
      doc->NewArt(hostsim::ArtKind::Path, kPlaceInsideOnBottom, group, &id);
    }
    MakeSquare(*doc, id, x, y);
  }
  return doc;
}

// A new path on top of a layer holding range(0) paths, as every label is
// placed; the kept list of paths is in use, as after the plug-in's first
// listing. One path is put on top before timing: where room is made in
// front of the lists, it is made then, once for as many insertions as
// the layer holds (the cost, amortised, is the first insertion's copy
// divided by range(0)).
// A layer of range(0) paths, its kept list in use, and one more put on top.
template <class Doc>
AIArtHandle PutOneOnTop(Suites& suites, const Doc& doc) {
  benchmark::DoNotOptimize(doc->PathsInDocumentOrder().size());
  AIArtHandle first = nullptr;
  suites.art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &first);
  return first;
}

void NewArtOnTopOfAFullLayer(benchmark::State& state) {
  Suites& suites = TheSuites();
  const auto doc = MakeLargeDocument(static_cast<int>(state.range(0)), 1);
  PutOneOnTop(suites, doc);
  for (auto _ : state) {
    AIArtHandle made = nullptr;
    benchmark::DoNotOptimize(suites.art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &made));
  }
}
BENCHMARK(NewArtOnTopOfAFullLayer)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kMicrosecond);

// A new path put above the layer's top child, the other way of saying "on
// top"; also after one path put on top before timing.
void NewArtAboveTheTopChild(benchmark::State& state) {
  Suites& suites = TheSuites();
  const auto doc = MakeLargeDocument(static_cast<int>(state.range(0)), 1);
  AIArtHandle top = PutOneOnTop(suites, doc);
  for (auto _ : state) {
    AIArtHandle made = nullptr;
    benchmark::DoNotOptimize(suites.art->NewArt(kPathArt, kPlaceAbove, top, &made));
    top = made;
  }
}
BENCHMARK(NewArtAboveTheTopChild)->Arg(10000)->Arg(100000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kMicrosecond);

void GetArtBoundsOfAPath(benchmark::State& state) {
  Suites& suites = TheSuites();
  const auto doc = MakeBusyDocument(100);
  const AIArtHandle path = Handle(doc->PathsInDocumentOrder().front());
  AIRealRect bounds{};
  for (auto _ : state) benchmark::DoNotOptimize(suites.art->GetArtBounds(path, &bounds));
}
BENCHMARK(GetArtBoundsOfAPath);

// The bounds of a group of range(0) paths and one text, as a label's group
// with many leader lines, or a large group of a drawing.
void GetArtBoundsOfAGroup(benchmark::State& state) {
  Suites& suites = TheSuites();
  const auto doc = MakeLargeDocument(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)));
  const hostsim::ObjectId group = *doc->FindArt(doc->layers().front().group)->children.begin();
  hostsim::ObjectId text = 0;
  doc->NewArt(hostsim::ArtKind::Text, kPlaceInsideOnTop, group, &text);
  doc->FindArt(text)->text.text = "Label 12";
  doc->ArtChanged(text);
  AIRealRect bounds{};
  for (auto _ : state) benchmark::DoNotOptimize(suites.art->GetArtBounds(Handle(group), &bounds));
}
BENCHMARK(GetArtBoundsOfAGroup)->Arg(30)->Arg(10000);

// Every art of a drawing of range(0) paths in groups of ten, in document order.
void ListArtInDocumentOrder(benchmark::State& state) {
  const auto doc = MakeLargeDocument(static_cast<int>(state.range(0)), 10);
  for (auto _ : state) benchmark::DoNotOptimize(doc->ArtInDocumentOrder().size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ListArtInDocumentOrder)->Arg(100000)->Arg(1000000)->Iterations(10)->Unit(benchmark::kMillisecond);

// The matching art suite asked for the unlocked paths (a listing that looks
// at each art, unlike the plain list of every path the document keeps).
void MatchingUnlockedPaths(benchmark::State& state) {
  Suites& suites = TheSuites();
  const auto doc = MakeLargeDocument(static_cast<int>(state.range(0)), 10);
  const AIMatchingArtSpec unlockedPaths{kPathArt, kArtLocked, 0};
  for (auto _ : state) {
    AIArtHandle* found = nullptr;
    int32_t count = 0;
    benchmark::DoNotOptimize(suites.matching->GetMatchingArt(&unlockedPaths, 1, &found, &count));
    hostsim::FreeBlock(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(MatchingUnlockedPaths)->Arg(100000)->Arg(1000000)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
