// Styles: presentation attributes and the style attribute, inherited down
// the tree; effects that do not inherit; paints resolved into path styles.
#include "hostsim/document/SvgReaderImpl.h"
#include "hostsim/document/SvgStyleSheet.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hostsim::svgread {
namespace {

// Presentation attributes first, then the style sheets' rules that match,
// then the style attribute, which wins.
template <class Fn>
void EachDeclaration(pugi::xml_node n, const StyleSheet& sheet, Fn&& fn) {
  for (pugi::xml_attribute a : n.attributes()) {
    if (std::string_view(a.name()) != "style") fn(std::string_view(a.name()), std::string_view(a.value()));
  }
  if (!sheet.empty()) {
    const std::string_view type = n.name();
    const std::size_t colon = type.find(':');
    for (const StyleSheet::Declaration* d : sheet.Matching(colon == std::string_view::npos ? type : type.substr(colon + 1),
                                                           n.attribute("id").value(), n.attribute("class").value())) {
      fn(std::string_view(d->first), std::string_view(d->second));
    }
  }
  for (const auto& [name, value] : Declarations(n.attribute("style").value())) fn(name, value);
}

}  // namespace

Effects Reader::OwnEffects(pugi::xml_node n) {
  Effects e;
  EachDeclaration(n, sheet_, [&](std::string_view name, std::string_view value) {
    const std::string v(Trim(value));
    if (name == "display") e.displayNone = v == "none";
    else if (name == "opacity") e.opacity = Opacity(v).value_or(1);
    else if (name == "clip-path") e.clip = v == "none" ? "" : v;
    else if (name == "mask") e.mask = v == "none" ? "" : v;
    else if (name == "filter") e.filter = v == "none" ? "" : v;
  });
  return e;
}

Style Reader::ResolveStyle(pugi::xml_node n, const Style& parent) {
  Style s = parent;
  std::optional<double> fontSize;
  EachDeclaration(n, sheet_, [&](std::string_view name, std::string_view value) {
    if (Trim(value) == "inherit") return Inherit(s, parent, name, fontSize);
    if (!ApplyProperty(s, parent, name, Trim(value), fontSize)) {
      Warn("value", n, std::string(name) + "=\"" + std::string(value) + "\"");
    }
  });
  if (fontSize) s.fontSize = *fontSize;
  return s;
}

// The parent's value of the property, over any the element set before.
void Reader::Inherit(Style& s, const Style& parent, std::string_view name, std::optional<double>& fontSize) {
  if (name == "fill") s.fill = parent.fill;
  else if (name == "stroke") s.stroke = parent.stroke;
  else if (name == "fill-opacity") s.fillOpacity = parent.fillOpacity;
  else if (name == "stroke-opacity") s.strokeOpacity = parent.strokeOpacity;
  else if (name == "color") s.colour = parent.colour;
  else if (name == "fill-rule") s.evenOdd = parent.evenOdd;
  else if (name == "stroke-width") s.strokeWidth = parent.strokeWidth;
  else if (name == "stroke-linecap") s.cap = parent.cap;
  else if (name == "stroke-linejoin") s.join = parent.join;
  else if (name == "stroke-miterlimit") s.miterLimit = parent.miterLimit;
  else if (name == "stroke-dasharray") s.dash = parent.dash;
  else if (name == "stroke-dashoffset") s.dashOffset = parent.dashOffset;
  else if (name == "visibility") s.visible = parent.visible;
  else if (name == "font-family") s.fontFamily = parent.fontFamily;
  else if (name == "font-size") fontSize.reset();
  else if (name == "font-weight") s.bold = parent.bold;
  else if (name == "font-style") s.italic = parent.italic;
  else if (name == "text-anchor") s.justification = parent.justification;
}

// False for a value of a known property that cannot be read.
bool Reader::ApplyProperty(Style& s, const Style& parent, std::string_view name, std::string_view value,
                           std::optional<double>& fontSize) {
  auto paint = [&](Paint& target) {
    const auto p = ParsePaint(value);
    if (p) target = *p;
    return p.has_value();
  };
  auto number = [&](double& target) {
    const auto v = Opacity(value);
    if (v) target = *v;
    return v.has_value();
  };
  if (name == "fill") return paint(s.fill);
  if (name == "stroke") return paint(s.stroke);
  if (name == "fill-opacity") return number(s.fillOpacity);
  if (name == "stroke-opacity") return number(s.strokeOpacity);
  if (name == "color") {
    const auto c = ParseColour(value);
    if (c) s.colour = *c;
    return c.has_value();
  }
  if (name == "fill-rule") {
    if (value != "evenodd" && value != "nonzero") return false;
    s.evenOdd = value == "evenodd";
    return true;
  }
  if (name == "stroke-width") {
    const auto v = Length(value, Diagonal(), parent.fontSize);
    if (!v || *v < 0) return false;
    s.strokeWidth = *v;
    return true;
  }
  if (name == "stroke-linecap") {
    if (value == "butt") s.cap = kAIButtCap;
    else if (value == "round") s.cap = kAIRoundCap;
    else if (value == "square") s.cap = kAIProjectingCap;
    else return false;
    return true;
  }
  if (name == "stroke-linejoin") {
    if (value == "miter" || value == "miter-clip" || value == "arcs") s.join = kAIMiterJoin;
    else if (value == "round") s.join = kAIRoundJoin;
    else if (value == "bevel") s.join = kAIBevelJoin;
    else return false;
    return true;
  }
  if (name == "stroke-miterlimit") {
    const auto v = Number(value);
    if (!v || *v < 1) return false;
    s.miterLimit = *v;
    return true;
  }
  if (name == "stroke-dasharray") {
    if (value == "none") {
      s.dash.clear();
      return true;
    }
    std::string list(value);
    for (char& c : list) {
      if (c == ',') c = ' ';
    }
    std::vector<double> dash;
    std::size_t pos = 0;
    while (pos < list.size()) {
      while (pos < list.size() && IsSpace(list[pos])) ++pos;
      const std::size_t start = pos;
      while (pos < list.size() && !IsSpace(list[pos])) ++pos;
      if (pos == start) break;
      const auto v = Length(std::string_view(list).substr(start, pos - start), Diagonal(), parent.fontSize);
      if (!v || *v < 0) return false;
      dash.push_back(*v);
    }
    s.dash = std::move(dash);
    return true;
  }
  if (name == "stroke-dashoffset") {
    const auto v = Length(value, Diagonal(), parent.fontSize);
    if (!v) return false;
    s.dashOffset = *v;
    return true;
  }
  if (name == "visibility") {
    if (value != "visible" && value != "hidden" && value != "collapse") return false;
    s.visible = value == "visible";
    return true;
  }
  if (name == "marker" || name == "marker-start" || name == "marker-mid" || name == "marker-end") {
    s.markers = value != "none";
    return true;
  }
  if (name == "font-family") {
    s.fontFamily = std::string(value);
    return true;
  }
  if (name == "font-size") {
    static const std::pair<std::string_view, double> kKeywords[] = {
        {"xx-small", 9}, {"x-small", 10}, {"small", 13}, {"medium", 16},
        {"large", 18},   {"x-large", 24}, {"xx-large", 32}};
    for (const auto& [keyword, size] : kKeywords) {
      if (value == keyword) {
        fontSize = size;
        return true;
      }
    }
    if (value == "smaller" || value == "larger") {
      fontSize = value == "larger" ? parent.fontSize * 1.2 : parent.fontSize / 1.2;
      return true;
    }
    const auto v = Length(value, parent.fontSize, parent.fontSize);
    if (!v || !(*v > 0)) return false;
    fontSize = *v;
    return true;
  }
  if (name == "font-weight") {
    const auto v = Number(value);
    s.bold = value == "bold" || value == "bolder" || (v && *v >= 600);
    return true;
  }
  if (name == "font-style") {
    s.italic = value == "italic" || value == "oblique";
    return true;
  }
  if (name == "text-anchor") {
    if (value == "start") s.justification = kJustifyLeft;
    else if (value == "middle") s.justification = kJustifyCenter;
    else if (value == "end") s.justification = kJustifyRight;
    else return false;
    return true;
  }
  return true;  // not a property, or one without meaning here
}

// What a percentage of a length that is neither across nor up refers to.
double Reader::Diagonal() const { return std::hypot(viewport_.x, viewport_.y) / std::sqrt(2.0); }

// The element's style, transform and effects, with warnings for effects left out.
Reader::Context Reader::Enter(pugi::xml_node n, const Context& parent) {
  if (parent.depth >= limits_.maxDepth) Fail(n, "elements nest more than " + std::to_string(limits_.maxDepth) + " deep");
  Context c = parent;
  c.depth = parent.depth + 1;
  c.style = ResolveStyle(n, parent.style);
  if (const char* t = n.attribute("transform").value(); *t) {
    const auto m = ParseTransform(t);
    if (!m) Fail(n, "the transform \"" + std::string(t) + "\" cannot be read");
    c.ctm = parent.ctm * *m;
  }
  const Effects e = OwnEffects(n);
  c.opacity *= e.opacity;
  if (!e.clip.empty()) Warn("clipPath", n);
  if (!e.mask.empty()) Warn("mask", n);
  if (!e.filter.empty()) Warn("filter", n);
  return c;
}

// The paint as a colour, or nullopt for none. Partial opacity is noted.
std::optional<AIColor> Reader::Resolve(const Paint& paint, double alpha, const Context& c, pugi::xml_node n) {
  Paint::Kind kind = paint.kind;
  Colour colour = paint.colour;
  if (kind == Paint::Kind::Reference) {
    Warn("gradient", n);
    kind = paint.fallback;
  }
  if (kind == Paint::Kind::Current) colour = c.style.colour;
  if (kind == Paint::Kind::None) return std::nullopt;
  alpha *= colour.alpha;
  if (alpha <= 0) return std::nullopt;
  if (alpha < 1) Warn("opacity", n);
  return colour.colour;
}

// A colour kept exactly in data-fill or data-stroke, when it still agrees
// with the paint the file shows (an editor may have changed the paint).
AIColor Reader::Exact(pugi::xml_node n, const char* attribute, const AIColor& shown) {
  if (const auto exact = ExactColour(n.attribute(attribute).value()); exact && Bytes(*exact) == Bytes(shown)) {
    return *exact;
  }
  return shown;
}

AIPathStyle Reader::PathStyleOf(pugi::xml_node n, const Context& c) {
  const Style& s = c.style;
  AIPathStyle style = DefaultPathStyle();
  const auto fill = Resolve(s.fill, s.fillOpacity * c.opacity, c, n);
  style.fillPaint = fill.has_value();
  style.fill.color = fill ? Exact(n, "data-fill", *fill) : NoColor();
  style.evenodd = s.evenOdd;
  const double scale = LengthScale(c.ctm);
  const double width = s.strokeWidth * scale;
  const auto stroke = width > 0 ? Resolve(s.stroke, s.strokeOpacity * c.opacity, c, n) : std::nullopt;
  if (!(width <= kMaxCoordinate)) Fail(n, "the stroke width is out of range");
  style.strokePaint = stroke.has_value();
  style.stroke.color = stroke ? Exact(n, "data-stroke", *stroke) : NoColor();
  style.stroke.width = static_cast<AIReal>(stroke ? width : 0);
  style.stroke.cap = s.cap;
  style.stroke.join = s.join;
  style.stroke.miterLimit = static_cast<AIReal>(std::min(s.miterLimit, kMaxCoordinate));
  const bool dashed = std::any_of(s.dash.begin(), s.dash.end(), [](double v) { return v > 0; });
  if (stroke && dashed) {
    // An odd list repeats to an even one, as SVG has it.
    std::vector<double> dash = s.dash;
    if (dash.size() % 2 != 0) dash.insert(dash.end(), s.dash.begin(), s.dash.end());
    if (dash.size() > 6) Warn("value", n, "stroke-dasharray (more than 6 entries, the rest dropped)");
    style.stroke.dash.length = static_cast<int16_t>(std::min<std::size_t>(dash.size(), 6));
    for (int i = 0; i < style.stroke.dash.length; ++i) {
      style.stroke.dash.array[i] = static_cast<AIReal>(std::min(dash[static_cast<std::size_t>(i)] * scale, kMaxCoordinate));
    }
    style.stroke.dash.offset = static_cast<AIReal>(std::clamp(s.dashOffset * scale, -kMaxCoordinate, kMaxCoordinate));
  }
  return style;
}

}  // namespace hostsim::svgread
