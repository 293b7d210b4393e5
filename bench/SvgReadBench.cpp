// Opening a drawing of 100 000 segments: 1 000 paths of 100 segments each,
// lines, cubics, quadratics and arcs in relative commands, in groups with
// transforms and inherited styles, as an exported illustration has them.
#include <benchmark/benchmark.h>

#include <string>

#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/SvgReader.h"

namespace {

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

std::string BigDrawing(int paths, int segmentsPerPath) {
  std::string svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='2000' height='2000' viewBox='0 0 2000 2000'>\n";
  for (int p = 0; p < paths; ++p) {
    if (p % 50 == 0) {
      if (p > 0) svg += "</g>\n";
      svg += "<g transform='translate(" + std::to_string(p % 7) + " 3) rotate(2)' fill='#336699' stroke='black'>\n";
    }
    svg += "<path stroke-width='0.5' d='M " + std::to_string(p % 40 * 50) + " " + std::to_string(p / 40 * 80);
    for (int s = 0; s < segmentsPerPath; ++s) {
      switch (s % 4) {
        case 0: svg += " l 1.25 -0.5"; break;
        case 1: svg += " c 0.5 0.25 1 0.75 1.5 0.125"; break;
        case 2: svg += " q 0.5 -1 1 0.25"; break;
        case 3: svg += " a 2 1 15 0 1 0.75 -0.25"; break;
      }
    }
    svg += " z'/>\n";
  }
  svg += "</g>\n</svg>\n";
  return svg;
}

void BM_OpenDrawingOf100000Segments(benchmark::State& state) {
  const std::string svg = BigDrawing(1000, 100);
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  for (auto _ : state) {
    const hostsim::SvgReadResult r = hostsim::ReadSvg(svg, *doc);
    if (!r.ok) state.SkipWithError(r.error.c_str());
    benchmark::DoNotOptimize(doc->layers().data());
  }
  state.SetItemsProcessed(state.iterations() * 100000);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(svg.size()));
}
BENCHMARK(BM_OpenDrawingOf100000Segments)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
