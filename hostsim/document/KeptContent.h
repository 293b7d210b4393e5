// What a drawing read from a file keeps of that file, so that saving it
// writes back what the host did not change exactly as it was read:
//   - every art made from an element remembers the element (its name, its
//     start tag and, for leaves, its whole markup as read) and a fingerprint
//     of the art as read; art whose fingerprint still matches is written
//     back byte for byte, changed art is written anew with the attributes
//     the host does not model;
//   - what the host cannot model (texts with tspans, gradients, images,
//     `use`, style sheets, metadata, unknown elements...) becomes kept art:
//     its markup is held as read, shown and hit-tested by its bounds, and
//     written back in its place;
//   - the drawing keeps the bytes before and after its root element and the
//     root's start tag, so that page size, units and view box come back as read.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/AITypes.h"
#include "hostsim/document/SvgValues.h"

namespace hostsim {

class Document;
struct Art;
struct Layer;

using SourceAttributes = std::vector<std::pair<std::string, std::string>>;  // name, value (unescaped)

// The element an art or a layer was made from.
struct SourceElement {
  std::string name;            // as written, prefix included; empty: a layer made for loose elements
  std::string openTag;         // groups and layers: "<name attributes" as read, without the closing ">"
  std::string markup;          // leaves and kept art: the whole element as read
  SourceAttributes attributes;  // groups and layers: as read (a leaf's are in its markup)
  svg::Matrix outer;           // the parent's user units to document points
  svg::Matrix inner;           // groups: the children's user units to document points
  std::uint64_t stamp = 0;     // the fingerprint of the art (or layer) when read
  std::optional<AIRealRect> bounds;  // kept art: what it covers, in document points
  bool drawn = false;          // kept art: it paints something where it stands
};

// Content outside every layer that draws nothing (definitions, style sheets,
// metadata): written back before the layer it came before.
struct RootKept {
  std::uint64_t beforeLayer = 0;  // the layer's id; 0: after every layer
  std::string name;
  std::string markup;
};

// The file a drawing was read from, around its art.
struct SourceDrawing {
  std::string prolog;   // everything before the root element
  std::string rootTag;  // the root's start tag, as read, ">" included
  std::string rootName;
  SourceAttributes rootAttributes;
  std::string epilog;   // everything after the root's end tag
  svg::Matrix mapping;  // the root's user units to document points
  double zoom = 1;      // data-zoom as read (only our own files carry it)
  bool styleSheets = false;  // the file holds <style> rules, which outrank presentation attributes
  std::vector<RootKept> rootKept;
};

// A fingerprint of what the host models of the art (and, for a compound
// path, of its parts): equal fingerprints mean nothing was changed.
std::uint64_t Fingerprint(const Document& doc, const Art& art);
std::uint64_t Fingerprint(const Layer& layer);

// --- A read-only view of kept content for front ends ---------------------------

struct KeptNodeView {
  std::uint64_t id = 0;                  // the art's id
  std::string_view element;              // element name as written
  std::string_view markup;               // the element as read
  svg::Matrix toDocument;                // the markup's user units to document points (y up)
  std::optional<AIRealRect> bounds;      // document points; none for what draws nothing
  bool drawn = false;                    // it paints something (defs, style sheets, metadata do not)
  bool hidden = false;                   // hidden itself, in a hidden group, or in a hidden layer
};

// Every kept node in document order (layers top first, like the art).
std::vector<KeptNodeView> KeptNodes(const Document& doc);

// A stand-alone SVG file of one kept node, sized to its bounds in points and
// carrying the file's definitions and style sheets, for a renderer to draw.
// Empty when the node has no bounds or is not kept art.
std::string KeptNodeSvg(const Document& doc, std::uint64_t id);

}  // namespace hostsim
