// Hit testing and SVG writing of a document with many paths: a grid of
// stroked rectangles and curved paths, as a busy drawing would have.
#include <benchmark/benchmark.h>

#include <sstream>

#include "hostsim/FontList.h"
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

}  // namespace

BENCHMARK_MAIN();
