// Point texts: one line of plain, upright text, with its font found among
// the host's fonts.
#include "hostsim/document/SvgReaderImpl.h"

#include "hostsim/FontList.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace hostsim::svgread {

std::size_t Reader::FontFor(pugi::xml_node n, const Style& s) const {
  const FontList& fonts = doc_.fonts();
  if (const char* full = n.attribute("data-font").value(); *full) {
    if (const auto index = fonts.FindByFullName(full)) return *index;
  }
  std::string_view families = s.fontFamily;
  while (!families.empty()) {
    const std::size_t comma = std::min(families.find(','), families.size());
    std::string_view family = Trim(families.substr(0, comma));
    families.remove_prefix(std::min(comma + 1, families.size()));
    if (family.size() >= 2 && (family.front() == '\'' || family.front() == '"')) {
      family = family.substr(1, family.size() - 2);
    }
    std::string wanted = Lower(family);
    if (wanted == "sans-serif") wanted = "dejavu sans";
    if (wanted == "serif") wanted = "dejavu serif";
    if (wanted == "monospace") wanted = "dejavu sans mono";
    std::optional<std::size_t> best;
    int bestScore = -1;
    for (std::size_t i = 0; i < fonts.size(); ++i) {
      const ToolkitFont& face = fonts.at(i);
      if (Lower(face.family) != wanted) continue;
      const bool bold = face.fullName.find("Bold") != std::string::npos;
      const bool italic = face.fullName.find("Italic") != std::string::npos ||
                          face.fullName.find("Oblique") != std::string::npos;
      const int score = (bold == s.bold) * 2 + (italic == s.italic);
      if (score > bestScore) best = i, bestScore = score;
    }
    if (best) return *best;
  }
  return doc_.DefaultFont();
}

// One x and one y, no per-character positions, no child elements, and a
// transform that neither turns, skews nor mirrors.
bool Reader::IsPointText(pugi::xml_node n, const Context& c) const {
  for (pugi::xml_node child : n.children()) {
    if (child.type() == pugi::node_element) return false;
  }
  for (const char* position : {"x", "y"}) {
    const char* value = n.attribute(position).value();
    if (*value && !Length(value, 0, c.style.fontSize)) return false;  // a list places each character
  }
  for (const char* attribute : {"dx", "dy", "rotate", "textLength"}) {
    if (*n.attribute(attribute).value()) return false;
  }
  const Matrix& m = c.ctm;
  const double scale = m.a;
  return std::fabs(m.b) <= 1e-9 * scale && std::fabs(m.c) <= 1e-9 * scale && scale > 0 &&
         std::fabs(-m.d - scale) <= 1e-9 * scale;
}

void Reader::Text(pugi::xml_node n, ObjectId parent, const Context& c, const Matrix& outer) {
  if (!IsPointText(n, c)) {
    Warn("text", n);
    Context parentContext = c;
    parentContext.ctm = outer;
    return Keep(n, parent, parentContext, TextBox(n, c));
  }
  const Style& s = c.style;
  std::string text;
  for (pugi::xml_node child : n.children()) text += child.value();
  bool preserve = false;
  for (pugi::xml_node up = n; up; up = up.parent()) {
    if (const pugi::xml_attribute a = up.attribute("xml:space")) {
      preserve = std::string_view(a.value()) == "preserve";
      break;
    }
  }
  if (!preserve) {
    // Line breaks go, tabs become spaces, runs of spaces become one.
    std::string collapsed;
    for (char ch : text) {
      if (ch == '\n' || ch == '\r') continue;
      if (ch == '\t') ch = ' ';
      if (ch == ' ' && (collapsed.empty() || collapsed.back() == ' ')) continue;
      collapsed.push_back(ch);
    }
    while (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    text = std::move(collapsed);
  }
  const double scale = c.ctm.a;
  const double x = Length(n.attribute("x").value(), viewport_.x, s.fontSize).value_or(0);
  const double y = Length(n.attribute("y").value(), viewport_.y, s.fontSize).value_or(0);
  const double shift = Number(n.attribute("data-baseline-shift").value()).value_or(0) * scale;
  const Vec2 baseline = Apply(c.ctm, {x, y});
  const double size = s.fontSize * scale;
  if (!(std::fabs(baseline.x) <= kMaxCoordinate && std::fabs(baseline.y - shift) <= kMaxCoordinate &&
        size <= kMaxCoordinate && std::fabs(shift) <= kMaxCoordinate)) {
    Fail(n, "the text lies beyond 10000000 points or is too large");
  }
  Art& art = NewArt(ArtKind::Text, parent, n);
  Common(art, n, OwnEffects(n).displayNone || !s.visible);
  TextData& t = art.text;
  t.text = SanitizeUtf8(text);
  t.anchor = ToPoint({baseline.x, baseline.y - shift});
  t.baselineShift = shift;
  t.size = size;
  t.justification = s.justification;
  t.font = FontFor(n, s);
  const auto fill = Resolve(s.fill, s.fillOpacity * c.opacity, c, n);
  t.fill = fill ? Exact(n, "data-fill", *fill) : NoColor();
  Attach(art, Source(n, outer, true));
}

}  // namespace hostsim::svgread
