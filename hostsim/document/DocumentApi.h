// What the rest of the simulated host needs from the document: its creation,
// its suites, its dump and its SVG. Implemented in hostsim/document/.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

#include <nlohmann/json_fwd.hpp>

namespace hostsim {

class Document;
class SuiteRegistry;
class FontList;

// Deletes a document (Document is incomplete outside hostsim/document/).
struct DocumentDeleter { void operator()(Document* d) const; };
using DocumentPtr = std::unique_ptr<Document, DocumentDeleter>;

// A new document: one visible, editable layer "Layer 1", current; zoom 1.
// The font list outlives the document.
DocumentPtr MakeDocument(const FontList& fonts);

// Adds the art, path, path style, tag, layer, matching art, hit test, document,
// document view, real math, real Bezier, transform art, text frame, AIATE paint
// and text engine suites to the registry.
void RegisterDocumentSuites(SuiteRegistry& registry);

// The dump's "layers" array, top layer first.
nlohmann::json DumpLayers(const Document& document);
// The document as SVG.
void WriteSvg(const Document& document, std::ostream& out);

}  // namespace hostsim
