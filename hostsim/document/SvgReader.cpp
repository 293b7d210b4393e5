// SVG in: pugixml parses, a walk over the element tree builds a new
// document, and only a walk that finished replaces the open drawing.
//
// [SECTION] Errors and warnings
// [SECTION] Styles
// [SECTION] Paths into anchors
// [SECTION] The reader
// [SECTION] Entry points
#include "hostsim/document/SvgReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include <pugixml.hpp>

#include "hostsim/Encoding.h"
#include "hostsim/FontList.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/PathData.h"
#include "hostsim/document/SvgValues.h"

namespace hostsim {
namespace {

using namespace svg;

// Document coordinates beyond this many points are refused, as in sessions.
constexpr double kMaxCoordinate = 1e7;
// The path suite counts anchors in 16 bits.
constexpr std::size_t kMaxPathAnchors = 32767;
constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";

// =============================================================================
// [SECTION] Errors and warnings
// =============================================================================

struct ReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One line per kind of thing left out: the first occurrence, and how many.
class Warnings {
 public:
  template <class Describe>
  void Add(const std::string& kind, Describe&& describe) {
    for (Entry& e : entries_) {
      if (e.kind == kind) {
        ++e.count;
        return;
      }
    }
    entries_.push_back({kind, describe(), 1});
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const Entry& e : entries_) {
      lines.push_back(SanitizeUtf8(e.count > 1 ? e.first + " (" + std::to_string(e.count) + " in all)" : e.first));
    }
    return lines;
  }

 private:
  struct Entry {
    std::string kind;
    std::string first;
    std::size_t count = 0;
  };
  std::vector<Entry> entries_;
};

// =============================================================================
// [SECTION] Styles
// =============================================================================

// Properties that children inherit.
struct Style {
  Paint fill{Paint::Kind::Colour, {GrayColor(1), 1}, {}, Paint::Kind::None};
  bool evenOdd = false;
  double fillOpacity = 1;
  Paint stroke;
  double strokeWidth = 1;
  int32_t cap = kAIButtCap;
  int32_t join = kAIMiterJoin;
  double miterLimit = 4;
  std::vector<double> dash;
  double dashOffset = 0;
  double strokeOpacity = 1;
  Colour colour{GrayColor(1), 1};  // currentColor
  bool visible = true;
  bool markers = false;
  std::string fontFamily;
  double fontSize = 16;
  bool bold = false;
  bool italic = false;
  int justification = kJustifyLeft;
};

// Properties of one element that do not inherit.
struct Effects {
  bool displayNone = false;
  double opacity = 1;
  std::string clip, mask, filter;  // the value when not "none"
};

// =============================================================================
// [SECTION] Paths into anchors
// =============================================================================

struct Subpath {
  std::vector<AIPathSegment> segments;
  bool closed = false;
};

// Turns moves, lines and curves in user units into document anchors. A point
// out of range, or more anchors than the budget, stops the collection and is
// reported by the flags; the caller names the element.
class AnchorSink final : public PathSink {
 public:
  AnchorSink(const Matrix& m, std::size_t budget) : m_(m), budget_(budget) {}

  void MoveTo(Vec2 p) override {
    subpaths_.emplace_back();
    Append(p, p);
    lastCurve_ = false;
  }
  void LineTo(Vec2 p) override {
    Append(p, p);
    lastCurve_ = false;
  }
  void CurveTo(Vec2 c1, Vec2 c2, Vec2 p) override {
    if (stopped() || subpaths_.empty() || subpaths_.back().segments.empty()) return;
    const AIRealPoint out = Point(c1);
    subpaths_.back().segments.back().out = out;
    Append(p, c2);
    lastCurve_ = true;
  }
  // A closing curve that ends on the first anchor joins it: its control
  // point becomes the first anchor's in handle.
  void ClosePath() override {
    if (stopped() || subpaths_.empty()) return;
    Subpath& s = subpaths_.back();
    s.closed = true;
    if (lastCurve_ && s.segments.size() > 2) {
      const AIPathSegment& last = s.segments.back();
      AIPathSegment& first = s.segments.front();
      if (Near(last.p.h, first.p.h) && Near(last.p.v, first.p.v)) {
        first.in = last.in;
        s.segments.pop_back();
        --anchors_;
      }
    }
    lastCurve_ = false;
  }

  bool outOfRange() const { return outOfRange_; }
  bool overBudget() const { return overBudget_; }
  std::size_t anchors() const { return anchors_; }

  // The subpaths with their corner flags. Lone moves are dropped when the
  // path has something else to draw.
  std::vector<Subpath> Take() {
    std::vector<Subpath> out;
    for (Subpath& s : subpaths_) {
      if (s.segments.size() < 2 && subpaths_.size() > 1) continue;
      for (AIPathSegment& seg : s.segments) seg.corner = !Smooth(seg);
      out.push_back(std::move(s));
    }
    return out;
  }

 private:
  bool stopped() const { return outOfRange_ || overBudget_; }

  static bool Near(AIReal a, AIReal b) { return std::fabs(a - b) <= 1e-4 + 1e-6 * std::fabs(a); }

  // Handles on both sides, pointing in opposite directions.
  static bool Smooth(const AIPathSegment& s) {
    const double ix = s.in.h - s.p.h, iy = s.in.v - s.p.v, ox = s.out.h - s.p.h, oy = s.out.v - s.p.v;
    if ((ix == 0 && iy == 0) || (ox == 0 && oy == 0)) return false;
    const double cross = ix * oy - iy * ox, dot = ix * ox + iy * oy;
    return dot < 0 && std::fabs(cross) <= 1e-3 * std::hypot(ix, iy) * std::hypot(ox, oy);
  }

  AIRealPoint Point(Vec2 user) {
    const Vec2 p = Apply(m_, user);
    if (!(std::fabs(p.x) <= kMaxCoordinate && std::fabs(p.y) <= kMaxCoordinate)) {
      outOfRange_ = true;
      return {0, 0};
    }
    return ToPoint(p);
  }

  void Append(Vec2 p, Vec2 in) {
    if (stopped() || subpaths_.empty()) return;
    if (anchors_ >= budget_) {
      overBudget_ = true;
      return;
    }
    const AIRealPoint point = Point(p);
    subpaths_.back().segments.push_back({point, Point(in), point, true});
    ++anchors_;
  }

  Matrix m_;
  std::size_t budget_;
  std::vector<Subpath> subpaths_;
  std::size_t anchors_ = 0;
  bool lastCurve_ = false;
  bool outOfRange_ = false;
  bool overBudget_ = false;
};

// =============================================================================
// [SECTION] The reader
// =============================================================================

// Elements that draw nothing by themselves: definitions, metadata, animation.
bool IsSilent(std::string_view name) {
  static const std::unordered_set<std::string_view> kSilent = {
      "defs", "symbol", "clipPath", "mask", "pattern", "linearGradient", "radialGradient", "marker",
      "filter", "title", "desc", "metadata", "script", "cursor", "view", "animate", "animateMotion",
      "animateTransform", "animateColor", "set", "tspan", "textPath", "stop", "font", "font-face",
      "glyph", "missing-glyph", "hkern", "vkern", "color-profile", "altGlyphDef", "mpath"};
  return kSilent.count(name) != 0;
}

const char* Why(std::string_view kind) {
  if (kind == "image") return "images cannot be kept";
  if (kind == "text") return "only a single line of plain, upright text can be kept";
  if (kind == "foreignObject") return "foreign content cannot be kept";
  if (kind == "gradient") return "gradient and pattern paints cannot be kept; painted with the fallback colour or none";
  if (kind == "mask") return "masks are not kept; drawn unmasked";
  if (kind == "filter") return "filters are not kept; drawn unfiltered";
  if (kind == "clipPath") return "clipping paths are not kept; drawn unclipped";
  if (kind == "marker") return "markers are not kept";
  if (kind == "opacity") return "partial opacity is not kept; drawn opaque";
  if (kind == "stylesheet") return "style sheets are not applied";
  if (kind == "reference") return "refers to nothing in this file; left out";
  if (kind == "value") return "has a value that is not understood; ignored";
  return "cannot be kept";
}

class Reader {
 public:
  Reader(std::string_view text, const pugi::xml_document& xml, Document& doc, const SvgLimits& limits)
      : text_(text), xml_(xml), doc_(doc), limits_(limits) {}

  void Read() {
    const pugi::xml_node root = xml_.document_element();
    if (!root || SvgName(root) != "svg") {
      throw ReadError(root ? "not an SVG file: the root element is <" + std::string(root.name()) + ">"
                           : "not an SVG file: it holds no element");
    }
    IndexIds(root);
    Context context = RootContext(root);
    for (pugi::xml_node child : root.children()) {
      if (child.type() != pugi::node_element) continue;
      if (IsLayer(child)) {
        loose_ = 0;
        const ObjectId group = NewLayer(child);
        Context layer = Enter(child, context);
        ActiveGuard guard(*this, child);
        for (pugi::xml_node art : child.children()) {
          if (art.type() == pugi::node_element) Walk(art, group, layer);
        }
      } else {
        Walk(child, LooseLayer(), context);
      }
    }
    for (ObjectId group : layerGroups_) Reverse(group);  // they were filled bottom first
    const auto& layers = doc_.layers();
    if (!doc_.FindLayer(current_)) current_ = layers.front().id;
    doc_.SetCurrentLayer(current_);
  }

  std::vector<std::string> WarningLines() const { return warnings_.Lines(); }

 private:
  struct Context {
    Matrix ctm;
    Style style;
    double opacity = 1;  // product of the ancestors' opacity
    int depth = 0;
  };

  // Marks an element as being read, so that a `use` of it inside itself is caught.
  class ActiveGuard {
   public:
    ActiveGuard(Reader& r, pugi::xml_node n) : r_(r), key_(n.internal_object()) { r_.active_.insert(key_); }
    ~ActiveGuard() { r_.active_.erase(key_); }
    ActiveGuard(const ActiveGuard&) = delete;
    ActiveGuard& operator=(const ActiveGuard&) = delete;

   private:
    Reader& r_;
    const void* key_;
  };

  // --- Names, places and messages --------------------------------------------

  // The element's SVG name without a prefix bound to the SVG namespace; empty
  // for elements of other namespaces (editor metadata).
  static std::string SvgName(pugi::xml_node n) {
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

  std::size_t LineOf(pugi::xml_node n) const {
    const std::ptrdiff_t offset = n.offset_debug();
    if (offset < 0 || static_cast<std::size_t>(offset) > text_.size()) return 0;
    return 1 + static_cast<std::size_t>(std::count(text_.begin(), text_.begin() + offset, '\n'));
  }

  // `path "outline" (line 12)`.
  std::string Describe(pugi::xml_node n) const {
    std::string s = n.name();
    if (const char* id = n.attribute("id").value(); *id) s += " \"" + std::string(id) + "\"";
    if (const std::size_t line = LineOf(n)) s += " (line " + std::to_string(line) + ")";
    return s;
  }

  [[noreturn]] void Fail(pugi::xml_node n, const std::string& message) const {
    throw ReadError(Describe(n) + ": " + message);
  }

  void Warn(const std::string& kind, pugi::xml_node n, const std::string& detail = {}) {
    warnings_.Add(kind, [&] { return Describe(n) + (detail.empty() ? "" : " " + detail) + ": " + Why(kind); });
  }

  void IndexIds(pugi::xml_node root) {
    std::vector<pugi::xml_node> stack{root};
    while (!stack.empty()) {
      const pugi::xml_node n = stack.back();
      stack.pop_back();
      if (const char* id = n.attribute("id").value(); *id) ids_.emplace(id, n);
      for (pugi::xml_node child = n.last_child(); child; child = child.previous_sibling()) {
        if (child.type() == pugi::node_element) stack.push_back(child);
      }
    }
  }

  // --- Layers ----------------------------------------------------------------

  static bool IsLayer(pugi::xml_node n) {
    return SvgName(n) == "g" && std::string_view(n.attribute("inkscape:groupmode").value()) == "layer";
  }

  // The first layer needed is the new document's own "Layer 1"; later ones go on top.
  ObjectId TakeLayer(const std::string& title) {
    ObjectId id = 0;
    if (!firstLayerTaken_) {
      firstLayerTaken_ = true;
      id = doc_.layers().front().id;
      if (!title.empty()) doc_.FindLayer(id)->title = SanitizeUtf8(title);
    } else {
      id = doc_.InsertLayer(0, SanitizeUtf8(title));
    }
    const ObjectId group = doc_.FindLayer(id)->group;
    layerGroups_.push_back(group);
    return id;
  }

  ObjectId NewLayer(pugi::xml_node n) {
    std::string title = n.attribute("data-title").value();
    if (title.empty()) title = n.attribute("inkscape:label").value();
    if (title.empty()) title = n.attribute("id").value();
    const ObjectId id = TakeLayer(title);
    Layer& layer = *doc_.FindLayer(id);
    const std::string_view visible = n.attribute("data-visible").value();
    layer.visible = visible.empty() ? !OwnEffects(n).displayNone : visible == "true";
    const std::string_view editable = n.attribute("data-editable").value();
    layer.editable = editable.empty() ? std::string_view(n.attribute("sodipodi:insensitive").value()) != "true"
                                      : editable == "true";
    if (std::string_view(n.attribute("data-current").value()) == "true") current_ = id;
    return layer.group;
  }

  // Top-level art outside any layer goes into a layer of its own, one for
  // each run of such elements.
  ObjectId LooseLayer() {
    if (!loose_) loose_ = doc_.FindLayer(TakeLayer({}))->group;
    return loose_;
  }

  // --- The root: page and mapping to document coordinates --------------------

  Context RootContext(pugi::xml_node root) {
    const auto width = Length(root.attribute("width").value(), -1, 16, Units::Page);
    const auto height = Length(root.attribute("height").value(), -1, 16, Units::Page);
    const char* viewBoxText = root.attribute("viewBox").value();
    // Negative: not given (or a percentage, which has nothing to refer to here).
    double w = width && *width >= 0 ? *width : -1;
    double h = height && *height >= 0 ? *height : -1;
    Matrix mapping;
    AIRealRect page{};
    if (*viewBoxText) {
      std::vector<double> vb;
      if (!ParseNumberList(viewBoxText, vb) || vb.size() != 4) Fail(root, "the viewBox is not four numbers");
      if (!(vb[2] > 0 && vb[3] > 0)) Fail(root, "the viewBox has no area");
      if (w < 0 && h < 0) {
        w = vb[2];
        h = vb[3];
      }
      if (w < 0) w = h * vb[2] / vb[3];
      if (h < 0) h = w * vb[3] / vb[2];
      double sx = w / vb[2], sy = h / vb[3];
      const std::string aspect = Lower(Trim(root.attribute("preserveAspectRatio").value()));
      if (!StartsWith(aspect, "none")) sx = sy = aspect.find("slice") != std::string::npos ? std::max(sx, sy) : std::min(sx, sy);
      // The view box keeps its numbers, scaled to points, with y mirrored inside it.
      mapping = {sx, 0, 0, -sy, 0, sy * (2 * vb[1] + vb[3])};
      page = {static_cast<AIReal>(sx * vb[0]), static_cast<AIReal>(sy * (vb[1] + vb[3])),
              static_cast<AIReal>(sx * (vb[0] + vb[2])), static_cast<AIReal>(sy * vb[1])};
      viewport_ = {vb[2], vb[3]};
    } else {
      const double pw = w < 0 ? 612 : w, ph = h < 0 ? 792 : h;
      mapping = {1, 0, 0, -1, 0, ph};
      page = {0, static_cast<AIReal>(ph), static_cast<AIReal>(pw), 0};
      viewport_ = {pw, ph};
    }
    bool inRange = mapping.a > 0 && mapping.d < 0;
    for (double v : {static_cast<double>(page.left), static_cast<double>(page.top), static_cast<double>(page.right),
                     static_cast<double>(page.bottom), mapping.a, mapping.d, mapping.f}) {
      inRange = inRange && std::fabs(v) <= kMaxCoordinate;
    }
    if (!inRange) Fail(root, "the page is empty or out of range (width, height and viewBox)");
    doc_.page = page;
    if (const auto zoom = Number(root.attribute("data-zoom").value()); zoom && *zoom > 0 && *zoom <= kMaxCoordinate) {
      doc_.zoom = *zoom;
    }
    Context context;
    context.ctm = mapping;
    context.style = ResolveStyle(root, context.style);
    context.depth = 1;
    return context;
  }

  // --- Styles ------------------------------------------------------------------

  // Presentation attributes first, then the style attribute, which wins.
  template <class Fn>
  void EachDeclaration(pugi::xml_node n, Fn&& fn) {
    for (pugi::xml_attribute a : n.attributes()) {
      if (std::string_view(a.name()) != "style") fn(std::string_view(a.name()), std::string_view(a.value()));
    }
    std::string_view style = n.attribute("style").value();
    while (!style.empty()) {
      const std::size_t end = std::min(style.find(';'), style.size());
      const std::string_view declaration = style.substr(0, end);
      style.remove_prefix(std::min(end + 1, style.size()));
      const std::size_t colon = declaration.find(':');
      if (colon == std::string_view::npos) continue;
      std::string_view value = Trim(declaration.substr(colon + 1));
      if (const std::size_t bang = value.find("!important"); bang != std::string_view::npos) {
        value = Trim(value.substr(0, bang));
      }
      fn(Trim(declaration.substr(0, colon)), value);
    }
  }

  Effects OwnEffects(pugi::xml_node n) {
    Effects e;
    EachDeclaration(n, [&](std::string_view name, std::string_view value) {
      const std::string v(Trim(value));
      if (name == "display") e.displayNone = v == "none";
      else if (name == "opacity") e.opacity = Opacity(v).value_or(1);
      else if (name == "clip-path") e.clip = v == "none" ? "" : v;
      else if (name == "mask") e.mask = v == "none" ? "" : v;
      else if (name == "filter") e.filter = v == "none" ? "" : v;
    });
    return e;
  }

  Style ResolveStyle(pugi::xml_node n, const Style& parent) {
    Style s = parent;
    std::optional<double> fontSize;
    EachDeclaration(n, [&](std::string_view name, std::string_view value) {
      if (Trim(value) == "inherit") return;  // the inherited value stands
      if (!ApplyProperty(s, parent, name, Trim(value), fontSize)) {
        Warn("value", n, std::string(name) + "=\"" + std::string(value) + "\"");
      }
    });
    if (fontSize) s.fontSize = *fontSize;
    return s;
  }

  // False for a value of a known property that cannot be read.
  bool ApplyProperty(Style& s, const Style& parent, std::string_view name, std::string_view value,
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
  double Diagonal() const { return std::hypot(viewport_.x, viewport_.y) / std::sqrt(2.0); }

  // The element's style, transform and effects, with warnings for effects left out.
  Context Enter(pugi::xml_node n, const Context& parent) {
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

  // --- Art -----------------------------------------------------------------------

  Art& NewArt(ArtKind kind, ObjectId parent, pugi::xml_node n) {
    if (++artCount_ > limits_.maxArt) Fail(n, "the drawing has more than " + std::to_string(limits_.maxArt) + " objects");
    ObjectId id = 0;
    doc_.NewArt(kind, kPlaceInsideOnBottom, parent, &id);  // bottom first, reversed once the group is full
    return *doc_.FindArt(id);
  }

  static void Reverse(Document& doc, ObjectId group) {
    auto& children = doc.FindArt(group)->children;
    std::reverse(children.begin(), children.end());
  }
  void Reverse(ObjectId group) { Reverse(doc_, group); }

  // "_x20_" back to the byte it stands for.
  static std::string DecodeTail(std::string_view tail) {
    std::string out;
    for (std::size_t i = 0; i < tail.size(); ++i) {
      if (tail[i] == '_' && i + 4 < tail.size() && tail[i + 1] == 'x' && tail[i + 4] == '_' &&
          HexDigit(tail[i + 2]) >= 0 && HexDigit(tail[i + 3]) >= 0) {
        out.push_back(static_cast<char>(HexDigit(tail[i + 2]) * 16 + HexDigit(tail[i + 3])));
        i += 4;
      } else {
        out.push_back(tail[i]);
      }
    }
    return out;
  }

  // Name, tags and user attributes.
  void Common(Art& art, pugi::xml_node n, bool displayNone) {
    std::string_view name = n.attribute("data-name").value();
    if (name.empty()) name = n.attribute("inkscape:label").value();
    art.name = SanitizeUtf8(name);
    for (pugi::xml_attribute a : n.attributes()) {
      const std::string_view name = a.name();
      if (!StartsWith(name, "data-tag-")) continue;
      const std::string_view tail = name.substr(9);
      const std::string typeAttribute = "data-tagtype-" + std::string(tail);
      const char* type = n.attribute(typeAttribute.c_str()).value();
      art.tags[SanitizeUtf8(DecodeTail(tail))] = Tag{SanitizeUtf8(*type ? type : "string"), SanitizeUtf8(a.value())};
    }
    auto flag = [&](const char* attribute) { return std::string_view(n.attribute(attribute).value()) == "true"; };
    if (flag("data-selected")) art.userAttr |= kArtSelected;
    if (flag("data-locked")) art.userAttr |= kArtLocked;
    if (flag("data-center-visible")) art.userAttr |= kArtCenterVisible;
    if (flag("data-hidden") || displayNone) art.userAttr |= kArtHidden;
  }

  // --- The walk -------------------------------------------------------------------

  void WalkChildren(pugi::xml_node n, ObjectId group, const Context& c) {
    for (pugi::xml_node child : n.children()) {
      if (child.type() == pugi::node_element) Walk(child, group, c);
    }
    Reverse(group);
  }

  void Walk(pugi::xml_node n, ObjectId parent, const Context& parentContext) {
    const std::string name = SvgName(n);
    if (name.empty() || IsSilent(name)) return;
    if (name == "style") {
      if (!Trim(n.child_value()).empty()) Warn("stylesheet", n);
      return;
    }
    ActiveGuard guard(*this, n);
    if (name == "g" || name == "a" || name == "switch" || name == "svg") {
      Context c = Enter(n, parentContext);
      if (name == "svg") c.ctm = c.ctm * NestedViewport(n, c);
      Art& group = NewArt(ArtKind::Group, parent, n);
      Common(group, n, OwnEffects(n).displayNone);
      const ObjectId id = group.id;
      if (name == "switch") {
        // Only the first child that can be drawn is shown.
        for (pugi::xml_node child : n.children()) {
          if (child.type() != pugi::node_element || SvgName(child) == "foreignObject") continue;
          Walk(child, id, c);
          break;
        }
      } else {
        WalkChildren(n, id, c);
      }
      return;
    }
    if (name == "use") return Use(n, parent, parentContext);
    if (name == "text") return Text(n, parent, Enter(n, parentContext));
    if (name == "path" || name == "rect" || name == "circle" || name == "ellipse" || name == "line" ||
        name == "polyline" || name == "polygon") {
      return Shape(name, n, parent, Enter(n, parentContext));
    }
    Warn(name == "image" || name == "foreignObject" ? name : "element", n);
  }

  // A nested svg element: its position and its own view box.
  Matrix NestedViewport(pugi::xml_node n, const Context& c) {
    const double x = Length(n.attribute("x").value(), viewport_.x, c.style.fontSize).value_or(0);
    const double y = Length(n.attribute("y").value(), viewport_.y, c.style.fontSize).value_or(0);
    return Translation(x, y) * ViewBoxMatrix(n, n, c);
  }

  // Maps `boxOwner`'s viewBox into the width and height given on `sizeOwner`.
  Matrix ViewBoxMatrix(pugi::xml_node boxOwner, pugi::xml_node sizeOwner, const Context& c) {
    std::vector<double> vb;
    if (!ParseNumberList(boxOwner.attribute("viewBox").value(), vb) || vb.size() != 4 || !(vb[2] > 0 && vb[3] > 0)) {
      return {};
    }
    const auto w = Length(sizeOwner.attribute("width").value(), viewport_.x, c.style.fontSize);
    const auto h = Length(sizeOwner.attribute("height").value(), viewport_.y, c.style.fontSize);
    if (!w || !h || !(*w > 0 && *h > 0)) return Translation(-vb[0], -vb[1]);
    double sx = *w / vb[2], sy = *h / vb[3];
    const std::string aspect = Lower(Trim(boxOwner.attribute("preserveAspectRatio").value()));
    if (!StartsWith(aspect, "none")) sx = sy = std::min(sx, sy);
    return Matrix{sx, 0, 0, sy, 0, 0} * Translation(-vb[0], -vb[1]);
  }

  void Use(pugi::xml_node n, ObjectId parent, const Context& parentContext) {
    std::string_view href = n.attribute("href").value();
    if (href.empty()) href = n.attribute("xlink:href").value();
    if (href.empty() || href.front() != '#') return Warn("reference", n, href.empty() ? "" : "to \"" + std::string(href) + "\"");
    const auto target = ids_.find(std::string(href.substr(1)));
    if (target == ids_.end()) return Warn("reference", n, "to \"" + std::string(href) + "\"");
    const pugi::xml_node element = target->second;
    if (element == n) Fail(n, "refers to itself");
    if (active_.count(element.internal_object())) {
      Fail(n, "refers to \"" + std::string(href) + "\", which contains it: the copy would never end");
    }
    Context c = Enter(n, parentContext);
    const double x = Length(n.attribute("x").value(), viewport_.x, c.style.fontSize).value_or(0);
    const double y = Length(n.attribute("y").value(), viewport_.y, c.style.fontSize).value_or(0);
    c.ctm = c.ctm * Translation(x, y);
    Art& group = NewArt(ArtKind::Group, parent, n);
    Common(group, n, OwnEffects(n).displayNone);
    const ObjectId id = group.id;
    if (SvgName(element) == "symbol") {
      ActiveGuard guard(*this, element);
      Context s = Enter(element, c);
      s.ctm = s.ctm * ViewBoxMatrix(element, n, s);
      WalkChildren(element, id, s);
    } else {
      Walk(element, id, c);
    }
  }

  // --- Shapes -----------------------------------------------------------------------

  std::optional<double> Attribute(pugi::xml_node n, const char* name, double percentOf, const Context& c) {
    const char* text = n.attribute(name).value();
    if (!*text) return std::nullopt;
    const auto v = Length(text, percentOf, c.style.fontSize);
    if (!v) Fail(n, std::string("the ") + name + " \"" + text + "\" is not a length");
    return v;
  }

  // Writes the geometry of a basic shape or path to the sink; false when the
  // shape draws nothing (a zero size).
  bool Geometry(const std::string& name, pugi::xml_node n, const Context& c, PathSink& sink) {
    const double across = viewport_.x, up = viewport_.y, diagonal = Diagonal();
    auto length = [&](const char* attribute, double percentOf) {
      return Attribute(n, attribute, percentOf, c).value_or(0);
    };
    auto notNegative = [&](double v, const char* what) {
      if (v < 0) Fail(n, std::string("the ") + what + " is negative");
      return v;
    };
    if (name == "path") {
      const std::string_view d = n.attribute("d").value();
      if (const auto err = ParsePathData(d, sink)) {
        Fail(n, "the path data cannot be read at character " + std::to_string(err->offset + 1) + ": " +
                    err->message);
      }
      return true;
    }
    if (name == "line") {
      sink.MoveTo({length("x1", across), length("y1", up)});
      sink.LineTo({length("x2", across), length("y2", up)});
      return true;
    }
    if (name == "polyline" || name == "polygon") {
      std::vector<double> v;
      if (!ParseNumberList(n.attribute("points").value(), v) || v.size() % 2 != 0) {
        Fail(n, "the points are not a list of coordinate pairs");
      }
      if (v.empty()) return false;
      sink.MoveTo({v[0], v[1]});
      for (std::size_t i = 2; i < v.size(); i += 2) sink.LineTo({v[i], v[i + 1]});
      if (name == "polygon") sink.ClosePath();
      return true;
    }
    constexpr double k = 0.5522847498307936;  // handle length of a quarter circle of radius 1
    if (name == "circle" || name == "ellipse") {
      const double cx = length("cx", across), cy = length("cy", up);
      double rx = 0, ry = 0;
      if (name == "circle") {
        rx = ry = notNegative(length("r", diagonal), "radius");
      } else {
        const auto ax = Attribute(n, "rx", across, c), ay = Attribute(n, "ry", up, c);
        rx = notNegative(ax ? *ax : ay.value_or(0), "radius");
        ry = notNegative(ay ? *ay : ax.value_or(0), "radius");
      }
      if (rx == 0 || ry == 0) return false;
      // From the right, clockwise on screen, as SVG draws them.
      sink.MoveTo({cx + rx, cy});
      sink.CurveTo({cx + rx, cy + k * ry}, {cx + k * rx, cy + ry}, {cx, cy + ry});
      sink.CurveTo({cx - k * rx, cy + ry}, {cx - rx, cy + k * ry}, {cx - rx, cy});
      sink.CurveTo({cx - rx, cy - k * ry}, {cx - k * rx, cy - ry}, {cx, cy - ry});
      sink.CurveTo({cx + k * rx, cy - ry}, {cx + rx, cy - k * ry}, {cx + rx, cy});
      sink.ClosePath();
      return true;
    }
    // rect
    const double x = length("x", across), y = length("y", up);
    const double w = notNegative(length("width", across), "width");
    const double h = notNegative(length("height", up), "height");
    if (w == 0 || h == 0) return false;
    const auto ax = Attribute(n, "rx", across, c), ay = Attribute(n, "ry", up, c);
    double rx = ax ? *ax : ay.value_or(0), ry = ay ? *ay : ax.value_or(0);
    rx = std::clamp(rx, 0.0, w / 2);
    ry = std::clamp(ry, 0.0, h / 2);
    if (rx == 0 || ry == 0) {
      sink.MoveTo({x, y});
      sink.LineTo({x + w, y});
      sink.LineTo({x + w, y + h});
      sink.LineTo({x, y + h});
      sink.ClosePath();
      return true;
    }
    const double kx = k * rx, ky = k * ry;
    auto line = [&](Vec2 from, Vec2 to) {
      if (from.x != to.x || from.y != to.y) sink.LineTo(to);
    };
    sink.MoveTo({x + rx, y});
    line({x + rx, y}, {x + w - rx, y});
    sink.CurveTo({x + w - rx + kx, y}, {x + w, y + ry - ky}, {x + w, y + ry});
    line({x + w, y + ry}, {x + w, y + h - ry});
    sink.CurveTo({x + w, y + h - ry + ky}, {x + w - rx + kx, y + h}, {x + w - rx, y + h});
    line({x + w - rx, y + h}, {x + rx, y + h});
    sink.CurveTo({x + rx - kx, y + h}, {x, y + h - ry + ky}, {x, y + h - ry});
    line({x, y + h - ry}, {x, y + ry});
    sink.CurveTo({x, y + ry - ky}, {x + rx - kx, y}, {x + rx, y});
    sink.ClosePath();
    return true;
  }

  // The paint as a colour, or nullopt for none. Partial opacity is noted.
  std::optional<AIColor> Resolve(const Paint& paint, double alpha, const Context& c, pugi::xml_node n) {
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
  static AIColor Exact(pugi::xml_node n, const char* attribute, const AIColor& shown) {
    if (const auto exact = ExactColour(n.attribute(attribute).value()); exact && Bytes(*exact) == Bytes(shown)) {
      return *exact;
    }
    return shown;
  }

  AIPathStyle PathStyleOf(pugi::xml_node n, const Context& c) {
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

  void Shape(const std::string& name, pugi::xml_node n, ObjectId parent, const Context& c) {
    AnchorSink sink(c.ctm, limits_.maxAnchors - std::min(anchorCount_, limits_.maxAnchors));
    if (!Geometry(name, n, c, sink)) return;
    if (sink.outOfRange()) Fail(n, "coordinates lie beyond 10000000 points");
    if (sink.overBudget()) Fail(n, "the drawing has more than " + std::to_string(limits_.maxAnchors) + " anchors");
    anchorCount_ += sink.anchors();
    std::vector<Subpath> parts = sink.Take();
    for (const Subpath& part : parts) {
      if (part.segments.size() > kMaxPathAnchors) {
        Fail(n, "a path has more than " + std::to_string(kMaxPathAnchors) + " anchors");
      }
    }
    if (c.style.markers && name != "rect" && name != "circle" && name != "ellipse") Warn("marker", n);
    const AIPathStyle style = PathStyleOf(n, c);
    const bool guide = std::string_view(n.attribute("data-guide").value()) == "true";
    const bool displayNone = OwnEffects(n).displayNone || !c.style.visible;
    const bool compound = parts.size() > 1 || std::string_view(n.attribute("data-compound").value()) == "true";
    if (!compound) {
      Art& art = NewArt(ArtKind::Path, parent, n);
      Common(art, n, displayNone);
      if (!parts.empty()) {
        art.path.segments = std::move(parts.front().segments);
        art.path.closed = parts.front().closed;
      }
      art.path.style = style;
      art.path.guide = guide;
      return;
    }
    Art& group = NewArt(ArtKind::Group, parent, n);
    Common(group, n, displayNone);
    group.compound = true;
    const ObjectId id = group.id;
    for (Subpath& part : parts) {
      Art& art = NewArt(ArtKind::Path, id, n);
      art.path.segments = std::move(part.segments);
      art.path.closed = part.closed;
      art.path.style = style;
      art.path.guide = guide;
    }
    Reverse(id);
  }

  // --- Text ------------------------------------------------------------------------

  std::size_t FontFor(pugi::xml_node n, const Style& s) const {
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
        const FontFace& face = fonts.at(i);
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
  bool IsPointText(pugi::xml_node n, const Context& c) const {
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

  void Text(pugi::xml_node n, ObjectId parent, const Context& c) {
    if (!IsPointText(n, c)) return Warn("text", n);
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
  }

  std::string_view text_;
  const pugi::xml_document& xml_;
  Document& doc_;
  const SvgLimits& limits_;
  Warnings warnings_;
  std::unordered_map<std::string, pugi::xml_node> ids_;
  std::unordered_set<const void*> active_;
  std::vector<ObjectId> layerGroups_;
  Vec2 viewport_{612, 792};  // what percentages refer to, in user units
  ObjectId loose_ = 0;
  ObjectId current_ = 0;
  bool firstLayerTaken_ = false;
  std::size_t artCount_ = 0;
  std::size_t anchorCount_ = 0;
};

std::string SizeText(std::uintmax_t bytes) {
  return bytes % (1u << 20) == 0 ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

std::size_t LineAt(std::string_view text, std::ptrdiff_t offset) {
  const auto end = text.begin() + std::clamp<std::ptrdiff_t>(offset, 0, static_cast<std::ptrdiff_t>(text.size()));
  return 1 + static_cast<std::size_t>(std::count(text.begin(), end, '\n'));
}

}  // namespace

// =============================================================================
// [SECTION] Entry points
// =============================================================================

SvgReadResult ReadSvg(std::string_view text, Document& doc, const SvgLimits& limits) {
  SvgReadResult result;
  if (text.size() > limits.maxFileBytes) {
    result.error = "the file is larger than " + SizeText(limits.maxFileBytes);
    return result;
  }
  pugi::xml_document xml;
  const pugi::xml_parse_result parsed = xml.load_buffer(text.data(), text.size(), pugi::parse_default);
  if (!parsed) {
    if (parsed.status == pugi::status_no_document_element) {
      result.error = "not an SVG file: it holds no element";
    } else {
      result.error = "not well-formed XML at line " + std::to_string(LineAt(text, parsed.offset)) + ": " +
                     parsed.description();
    }
    return result;
  }
  Document fresh(doc.fonts());
  fresh.fileName = doc.fileName;
  try {
    Reader reader(text, xml, fresh, limits);
    reader.Read();
    result.warnings = reader.WarningLines();
  } catch (const ReadError& e) {
    result.error = SanitizeUtf8(e.what());
    return result;
  } catch (const std::bad_alloc&) {
    result.error = "the drawing is too large for the memory available";
    return result;
  }
  doc.ReplaceDrawing(std::move(fresh));
  result.ok = true;
  return result;
}

SvgReadResult OpenSvg(const std::filesystem::path& file, Document& doc, const SvgLimits& limits) {
  SvgReadResult result;
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) {
    result.error = "cannot be read (" + ec.message() + ")";
    return result;
  }
  if (size > limits.maxFileBytes) {
    result.error = "the file is larger than " + SizeText(limits.maxFileBytes);
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    result.error = "cannot be opened";
    return result;
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.gcount() != static_cast<std::streamsize>(text.size())) {
    result.error = "cannot be read";
    return result;
  }
  const std::string previousName = doc.fileName;
  doc.fileName = file.filename().string();
  result = ReadSvg(text, doc, limits);
  if (!result.ok) doc.fileName = previousName;
  return result;
}

}  // namespace hostsim
