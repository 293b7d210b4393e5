// libFuzzer target: the SVG reader over any bytes. A drawing it accepts is
// written back as SVG and read again, which must succeed: what the host
// writes, it reads.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "hostsim/FontList.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/SvgReader.h"

namespace {

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

// Small limits keep each input fast; the limits themselves are part of what is tested.
hostsim::SvgLimits FuzzLimits() {
  hostsim::SvgLimits limits;
  limits.maxArt = 2000;
  limits.maxAnchors = 20000;
  limits.maxDepth = 64;
  return limits;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  const hostsim::SvgReadResult result = hostsim::ReadSvg(text, *doc, FuzzLimits());
  if (!result.ok) return 0;
  std::ostringstream written;
  hostsim::WriteSvg(*doc, written);
  hostsim::DocumentPtr again = hostsim::MakeDocument(Fonts());
  const hostsim::SvgReadResult reread = hostsim::ReadSvg(written.str(), *again, hostsim::SvgLimits{});
  if (!reread.ok) __builtin_trap();
  return 0;
}
