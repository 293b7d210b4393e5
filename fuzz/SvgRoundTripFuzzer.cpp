// libFuzzer target: read -> write -> read of any bytes the SVG reader
// accepts. The second reading must succeed and write the very file the first
// wrote: a saved drawing is a fixed point of opening and saving it again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "hostsim/FontList.h"
#include "hostsim/document/DocumentApi.h"
#include "hostsim/document/SvgReader.h"

namespace {

const hostsim::FontList& Fonts() {
  static const hostsim::FontList fonts = hostsim::FontList::FromFontconfig();
  return fonts;
}

// The first reading uses small limits to keep each input fast; the second
// the ordinary ones, as a user opening the saved file would.
hostsim::SvgLimits FuzzLimits() {
  hostsim::SvgLimits limits;
  limits.maxArt = 2000;
  limits.maxAnchors = 20000;
  limits.maxDepth = 64;
  limits.maxCopiedBytes = 1 << 20;
  return limits;
}

std::string Written(const hostsim::Document& doc) {
  std::ostringstream out;
  hostsim::WriteSvg(doc, out);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  hostsim::DocumentPtr doc = hostsim::MakeDocument(Fonts());
  if (!hostsim::ReadSvg(text, *doc, FuzzLimits()).ok) return 0;
  const std::string first = Written(*doc);
  hostsim::DocumentPtr again = hostsim::MakeDocument(Fonts());
  const hostsim::SvgReadResult reread = hostsim::ReadSvg(first, *again, hostsim::SvgLimits{});
  if (!reread.ok) __builtin_trap();
  // Kept content is noted again on the second reading: notes are no fault.
  if (Written(*again) != first) __builtin_trap();
  return 0;
}
