// The reader's messages: element names and lines, errors that stop the
// read, and warnings for what is left out.
#include "hostsim/document/SvgReaderImpl.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace hostsim::svgread {
namespace {

constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";

const char* Why(std::string_view kind) {
  if (kind == "image") return "images are kept as they are: shown, but not editable";
  if (kind == "text") return "texts other than one line of plain, upright text are kept as they are: shown, but not editable";
  if (kind == "foreignObject") return "foreign content is kept as it is: shown by its bounds, not editable";
  if (kind == "use") return "copies made by use are kept as they are: shown, but not editable";
  if (kind == "gradient") return "gradient and pattern paints are kept in the file; shown with the fallback colour or none";
  if (kind == "mask") return "masks are kept in the file; shown unmasked";
  if (kind == "filter") return "filters are kept in the file; shown unfiltered";
  if (kind == "clipPath") return "clipping paths are kept in the file; shown unclipped";
  if (kind == "marker") return "markers are kept in the file; not shown";
  if (kind == "opacity") return "partial opacity is kept in the file; shown opaque";
  if (kind == "reference") return "refers to nothing in this file; left out";
  if (kind == "value") return "has a value that is not understood; ignored";
  return "is kept as it is: shown by its bounds, not editable";
}

}  // namespace

// The element's SVG name without a prefix bound to the SVG namespace; empty
// for elements of other namespaces (editor metadata).
std::string Reader::SvgName(pugi::xml_node n) {
  const std::string_view name = n.name();
  const std::size_t colon = name.find(':');
  if (colon == std::string_view::npos) return std::string(name);
  const std::string attribute = "xmlns:" + std::string(name.substr(0, colon));
  for (pugi::xml_node up = n; up; up = up.parent()) {
    if (const pugi::xml_attribute ns = up.attribute(attribute.c_str())) {
      return std::string_view(ns.value()) == kSvgNamespace ? std::string(name.substr(colon + 1)) : std::string();
    }
  }
  return {};
}

std::size_t Reader::LineOf(pugi::xml_node n) const {
  const std::ptrdiff_t offset = n.offset_debug();
  if (offset < 0 || static_cast<std::size_t>(offset) > text_.size()) return 0;
  return 1 + static_cast<std::size_t>(std::count(text_.begin(), text_.begin() + offset, '\n'));
}

// `path "outline" (line 12)`.
std::string Reader::Describe(pugi::xml_node n) const {
  std::string s = n.name();
  if (const char* id = n.attribute("id").value(); *id) s += " \"" + std::string(id) + "\"";
  if (const std::size_t line = LineOf(n)) s += " (line " + std::to_string(line) + ")";
  return s;
}

void Reader::Fail(pugi::xml_node n, const std::string& message) const {
  throw ReadError(Describe(n) + ": " + message);
}

void Reader::Warn(const std::string& kind, pugi::xml_node n, const std::string& detail) {
  warnings_.Add(kind, [&] { return Describe(n) + (detail.empty() ? "" : " " + detail) + ": " + Why(kind); });
}

}  // namespace hostsim::svgread
