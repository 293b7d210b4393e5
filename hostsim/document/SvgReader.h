// Reading an SVG drawing into the document: layers, groups, paths, basic
// shapes, simple point texts, with transforms applied to the geometry and
// styles resolved through inheritance. Our own files (SvgWriter) read back to
// the same document. What the document cannot hold (images, gradients, masks,
// filters, clipping, other text) is left out with one warning per kind.
//
// Units: the page's width and height count a pixel as one point, as drawing
// hosts do (72 per inch); inside, lengths with units follow CSS (96 pixels
// per inch of user units). The page is the file's view box, y mirrored
// inside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim {

class Document;

// The bounds a drawing file keeps, shared by the writer and the reader: what
// the writer writes stays inside them, so that it reads back.
namespace svgbounds {
// Elements nested from the root, `use` copies included; art outside any layer
// counts as inside the layer the writer gives it.
inline constexpr int kMaxDepth = 200;
// Coordinates of the page and art, in points either way.
inline constexpr double kMaxCoordinate = 1e7;
}  // namespace svgbounds

// Bounds that keep a hostile file from exhausting the machine.
struct SvgLimits {
  std::uintmax_t maxFileBytes = 64u << 20;  // 64 MiB
  std::size_t maxArt = 250'000;             // art objects made, groups included
  std::size_t maxAnchors = 2'000'000;       // anchors of every path together
  int maxDepth = svgbounds::kMaxDepth;      // elements nested, `use` included
  // Work the walk may do beyond the file's own size, in bytes of element
  // names, attributes and text read: what `use` copies read again. Every
  // element read counts, so shapes too small to make an object count too.
  std::uintmax_t maxCopiedBytes = 16u << 20;  // 16 MiB
};

struct SvgReadResult {
  bool ok = false;
  std::string error;                  // why nothing was read (ok false)
  std::vector<std::string> warnings;  // what was left out, one line per kind
};

// Reads the SVG text into a new drawing and, only when all of it was read,
// puts that in place of the document's layers, art, page and zoom. On an
// error the document is untouched.
SvgReadResult ReadSvg(std::string_view text, Document& doc, const SvgLimits& limits = {});

// ReadSvg on the file's bytes; the document's file name becomes the file's.
SvgReadResult OpenSvg(const std::filesystem::path& file, Document& doc, const SvgLimits& limits = {});

}  // namespace hostsim
