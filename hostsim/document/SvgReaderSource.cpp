// What the reader keeps of the file: each element's markup beside the art
// made from it, content the document cannot hold as kept art with its
// bounds, and the file around the root's content.
#include "hostsim/document/SvgReaderImpl.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace hostsim::svgread {
namespace {

// Just past the '>' of the tag that starts at `start` (quotes respected:
// path data, the bulk of a drawing, is skipped a quoted value at a time).
std::size_t TagEnd(std::string_view text, std::size_t start) {
  const char* data = text.data();
  const std::size_t n = text.size();
  for (std::size_t i = start + 1; i < n; ++i) {
    const char c = data[i];
    if (c == '>') return i + 1;
    if (c == '"' || c == '\'') {
      const void* close = std::memchr(data + i + 1, c, n - i - 1);
      if (close == nullptr) return n;
      i = static_cast<std::size_t>(static_cast<const char*>(close) - data);
    }
  }
  return n;
}

// Just past the end of the element that starts at `start`: its end tag, or
// its own tag when it closes itself. The text is well-formed XML.
std::size_t ElementEnd(std::string_view text, std::size_t start) {
  std::size_t i = start;
  int depth = 0;
  while (i < text.size()) {
    if (text[i] != '<') {
      i = text.find('<', i);
      if (i == std::string_view::npos) return text.size();
      continue;
    }
    const std::string_view rest = text.substr(i);
    auto skipTo = [&](std::string_view end) {
      const std::size_t at = text.find(end, i);
      i = at == std::string_view::npos ? text.size() : at + end.size();
    };
    if (rest.starts_with("<!--")) {
      skipTo("-->");
    } else if (rest.starts_with("<![CDATA[")) {
      skipTo("]]>");
    } else if (rest.starts_with("<?")) {
      skipTo("?>");
    } else if (rest.starts_with("</")) {
      i = TagEnd(text, i);
      if (--depth <= 0) return i;
    } else {
      const std::size_t end = TagEnd(text, i);
      const bool closes = end >= 2 && text[end - 2] == '/';
      i = end;
      if (!closes) ++depth;
      if (depth == 0) return i;
    }
  }
  return text.size();
}

std::string Escaped(std::string_view value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '"': out += "&quot;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

}  // namespace

void Reader::CollectStyleSheets(pugi::xml_node root) {
  std::vector<pugi::xml_node> stack{root};
  while (!stack.empty()) {
    const pugi::xml_node n = stack.back();
    stack.pop_back();
    if (SvgName(n) == "style") {
      const std::string_view type = Trim(n.attribute("type").value());
      if (type.empty() || type == "text/css") {
        std::string css;
        for (pugi::xml_node part : n.children()) css += part.value();  // text and CDATA
        sheet_.Add(css);
        styleSheets_ = styleSheets_ || !Trim(css).empty();
      }
      continue;
    }
    for (pugi::xml_node child = n.last_child(); child; child = child.previous_sibling()) {
      if (child.type() == pugi::node_element) stack.push_back(child);
    }
  }
}

// The element as read. `whole`: its markup too, not only its start tag.
std::shared_ptr<SourceElement> Reader::Source(pugi::xml_node n, const Matrix& outer, bool whole) {
  auto s = std::make_shared<SourceElement>();
  s->name = n.name();
  s->outer = outer;
  s->inner = outer;
  // A leaf's attributes are in its markup, read again only if it is written anew.
  if (!whole) {
    for (pugi::xml_attribute a : n.attributes()) s->attributes.emplace_back(a.name(), a.value());
  }
  const std::ptrdiff_t at = n.offset_debug();
  if (at >= 1 && static_cast<std::size_t>(at) + s->name.size() <= text_.size() && text_[static_cast<std::size_t>(at) - 1] == '<' &&
      text_.substr(static_cast<std::size_t>(at), s->name.size()) == s->name) {
    const std::size_t start = static_cast<std::size_t>(at) - 1;
    const std::size_t tagEnd = TagEnd(text_, start);
    const bool closes = tagEnd >= 2 && text_[tagEnd - 2] == '/';
    if (!whole) s->openTag = std::string(text_.substr(start, tagEnd - (closes ? 2 : 1) - start));
    if (whole) s->markup = std::string(text_.substr(start, (closes ? tagEnd : ElementEnd(text_, start)) - start));
    return s;
  }
  // The bytes cannot be found (a file converted from another encoding): the
  // element as the parser holds it.
  s->openTag = "<" + s->name;
  for (pugi::xml_attribute a : n.attributes()) s->openTag += " " + std::string(a.name()) + "=\"" + Escaped(a.value()) + "\"";
  if (whole) {
    std::ostringstream out;
    n.print(out, "", pugi::format_raw);
    s->markup = out.str();
  }
  return s;
}

void Reader::Attach(Art& art, std::shared_ptr<SourceElement> source) {
  art.source = source;
  sourced_.emplace_back(art.id, std::move(source));
}

void Reader::AttachLayer(ObjectId layer, std::shared_ptr<SourceElement> source) {
  doc_.FindLayer(layer)->source = source;
  sourcedLayers_.emplace_back(layer, std::move(source));
}

// Kept art: the element as read, shown by its bounds (none: it draws nothing).
void Reader::Keep(pugi::xml_node n, ObjectId parent, const Context& c, std::optional<AIRealRect> bounds) {
  Art& art = NewArt(ArtKind::Kept, parent, n);
  auto source = Source(n, c.ctm, true);
  source->bounds = bounds;
  source->drawn = bounds.has_value();
  if (OwnEffects(n).displayNone) art.userAttr |= kArtHidden;
  Attach(art, std::move(source));
}

// Outside every layer, what draws nothing waits for the next layer read.
void Reader::KeepAtRoot(pugi::xml_node n) {
  const auto source = Source(n, rootMapping_, true);
  rootKept_.push_back({0, source->name, source->markup});
}

void Reader::GiveRootKeptTo(ObjectId layer) {
  for (; rootKeptPlaced_ < rootKept_.size(); ++rootKeptPlaced_) rootKept_[rootKeptPlaced_].beforeLayer = layer;
}

// A box in user units, in document points; none when not finite or too far.
std::optional<AIRealRect> Reader::UserBox(const Matrix& m, double x, double y, double w, double h) const {
  double left = INFINITY, right = -INFINITY, bottom = INFINITY, top = -INFINITY;
  for (const Vec2 corner : {Vec2{x, y}, Vec2{x + w, y}, Vec2{x, y + h}, Vec2{x + w, y + h}}) {
    const Vec2 p = Apply(m, corner);
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
  }
  for (double v : {left, right, bottom, top}) {
    if (!(std::fabs(v) <= kMaxCoordinate)) return std::nullopt;
  }
  return AIRealRect{static_cast<AIReal>(left), static_cast<AIReal>(top), static_cast<AIReal>(right),
                    static_cast<AIReal>(bottom)};
}

// The boxes of a text's runs, each set where its x, y, dx and dy put it, in
// its own font and size; a line of text at a time, placed by text-anchor.
std::optional<AIRealRect> Reader::TextBox(pugi::xml_node text, const Context& c) {
  std::optional<AIRealRect> box;
  Vec2 pen{0, 0};
  auto first = [&](pugi::xml_node n, const char* attribute, double percentOf, double fontSize) -> std::optional<double> {
    std::vector<double> list;
    const std::string_view value = n.attribute(attribute).value();
    if (value.empty()) return std::nullopt;
    const std::size_t end = std::min(value.find_first_of(" ,\t\n\r"), value.size());
    return Length(value.substr(0, end), percentOf, fontSize);
  };
  auto place = [&](pugi::xml_node n, const Style& s) {
    if (const auto x = first(n, "x", viewport_.x, s.fontSize)) pen.x = *x;
    if (const auto y = first(n, "y", viewport_.y, s.fontSize)) pen.y = *y;
    pen.x += first(n, "dx", viewport_.x, s.fontSize).value_or(0);
    pen.y += first(n, "dy", viewport_.y, s.fontSize).value_or(0);
  };
  auto walk = [&](auto& self, pugi::xml_node n, const Context& here, int depth) -> void {
    if (depth > 32) return;
    for (pugi::xml_node child : n.children()) {
      if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
        std::string run;
        for (char ch : std::string_view(child.value())) {
          if (IsSpace(ch)) {
            if (!run.empty() && run.back() != ' ') run.push_back(' ');
          } else {
            run.push_back(ch);
          }
        }
        if (Trim(run).empty()) continue;
        const Style& s = here.style;
        const TextMetrics m = doc_.textEngine().Measure(FontFor(n, s), Trim(run), s.fontSize);
        double left = pen.x;
        if (s.justification == kJustifyCenter) left -= m.width / 2;
        if (s.justification == kJustifyRight) left -= m.width;
        const auto b = UserBox(here.ctm, left, pen.y - m.ascender, m.width, m.ascender - m.descender);
        pen.x += m.width;
        if (!b) continue;
        if (!box) {
          box = b;
        } else {
          box->left = std::min(box->left, b->left);
          box->right = std::max(box->right, b->right);
          box->bottom = std::min(box->bottom, b->bottom);
          box->top = std::max(box->top, b->top);
        }
      } else if (child.type() == pugi::node_element) {
        const std::string name = SvgName(child);
        if (name != "tspan" && name != "a" && name != "textPath" && name != "altGlyph") continue;
        const Context inner = Enter(child, here);
        place(child, inner.style);
        self(self, child, inner, depth + 1);
      }
    }
  };
  place(text, c.style);
  walk(walk, text, c, 0);
  return box;
}

// What a `use` shows: its copy read as art for a moment, measured, and let go.
std::optional<AIRealRect> Reader::UseBox(pugi::xml_node n, ObjectId parent, const Context& c) {
  Art& scratch = NewArt(ArtKind::Group, parent, n);
  const ObjectId id = scratch.id;
  const std::size_t sourcedBefore = sourced_.size();
  Use(n, id, c);
  const std::optional<AIRealRect> bounds = doc_.BoundsByWalk(*doc_.FindArt(id));
  doc_.DisposeArt(id);
  sourced_.resize(sourcedBefore);
  return bounds;
}

std::shared_ptr<SourceDrawing> Reader::TakeDrawing() {
  for (const auto& [id, source] : sourced_) {
    if (const Art* art = doc_.FindArt(id)) source->stamp = Fingerprint(doc_, *art);
  }
  for (const auto& [id, source] : sourcedLayers_) {
    if (const Layer* layer = doc_.FindLayer(id)) source->stamp = Fingerprint(*layer);
  }
  auto drawing = std::make_shared<SourceDrawing>();
  const pugi::xml_node root = xml_.document_element();
  const auto element = Source(root, rootMapping_, true);
  const auto tag = Source(root, rootMapping_, false);
  drawing->rootName = tag->name;
  drawing->rootAttributes = tag->attributes;
  drawing->rootTag = tag->openTag + ">";
  const std::ptrdiff_t at = root.offset_debug();
  if (at >= 1 && !element->markup.empty() && element->markup.front() == '<' &&
      text_.substr(static_cast<std::size_t>(at) - 1, element->markup.size()) == element->markup) {
    drawing->prolog = std::string(text_.substr(0, static_cast<std::size_t>(at) - 1));
    drawing->epilog = std::string(text_.substr(static_cast<std::size_t>(at) - 1 + element->markup.size()));
  } else {
    drawing->prolog = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    drawing->epilog = "\n";
  }
  drawing->mapping = rootMapping_;
  drawing->zoom = zoomRead_;
  drawing->styleSheets = styleSheets_;
  drawing->rootKept = std::move(rootKept_);
  return drawing;
}

}  // namespace hostsim::svgread
