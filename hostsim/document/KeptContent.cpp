// Fingerprints of art read from a file, and the read-only view of kept
// content that front ends draw with a real renderer.
#include "hostsim/document/KeptContent.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "hostsim/document/Document.h"

namespace hostsim {
namespace {

// FNV-1a over the fields one by one (structures have padding bytes).
class Hash {
 public:
  template <class T>
  void Add(const T& v) {
    static_assert(sizeof(T) <= sizeof(std::uint64_t));
    std::uint64_t word = 0;
    std::memcpy(&word, &v, sizeof(T));
    h_ = (h_ ^ word) * 1099511628211ull;
    h_ ^= h_ >> 31;
  }
  void Add(const std::string& s) {
    Add(s.size());
    for (char c : s) Add(c);
  }
  void Add(const AIRealPoint& p) {
    Add(p.h);
    Add(p.v);
  }
  void Add(const AIColor& c) {
    Add(c.kind);
    if (c.kind == kGrayColor) Add(c.c.g.gray);
    if (c.kind == kThreeColor) {
      Add(c.c.rgb.red);
      Add(c.c.rgb.green);
      Add(c.c.rgb.blue);
    }
  }
  std::uint64_t value() const { return h_; }

 private:
  std::uint64_t h_ = 14695981039346656037ull;
};

void AddPath(Hash& h, const PathData& path) {
  h.Add(path.segments.size());
  for (const AIPathSegment& s : path.segments) {
    h.Add(s.p);
    h.Add(s.in);
    h.Add(s.out);
    h.Add(static_cast<bool>(s.corner));
  }
  h.Add(path.closed);
  h.Add(path.guide);
  const AIPathStyle& st = path.style;
  h.Add(static_cast<bool>(st.fillPaint));
  h.Add(st.fill.color);
  h.Add(static_cast<bool>(st.strokePaint));
  h.Add(st.stroke.color);
  h.Add(st.stroke.width);
  h.Add(st.stroke.cap);
  h.Add(st.stroke.join);
  h.Add(st.stroke.miterLimit);
  h.Add(st.stroke.dash.length);
  for (int i = 0; i < st.stroke.dash.length && i < 6; ++i) h.Add(st.stroke.dash.array[i]);
  h.Add(st.stroke.dash.offset);
  h.Add(static_cast<bool>(st.evenodd));
}

std::string Num(double v) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9g", std::isfinite(v) ? v : 0.0);
  return buffer;
}

std::string MatrixText(const svg::Matrix& m) {
  return "matrix(" + Num(m.a) + " " + Num(m.b) + " " + Num(m.c) + " " + Num(m.d) + " " + Num(m.e) + " " + Num(m.f) + ")";
}

// Kept content that defines what others refer to, or styles them.
bool Defines(std::string_view element) {
  const std::size_t colon = element.find(':');
  const std::string_view name = colon == std::string_view::npos ? element : element.substr(colon + 1);
  return name == "defs" || name == "style" || name == "linearGradient" || name == "radialGradient" ||
         name == "pattern" || name == "clipPath" || name == "mask" || name == "marker" || name == "filter" ||
         name == "symbol";
}

}  // namespace

std::uint64_t Fingerprint(const Document& doc, const Art& art) {
  Hash h;
  h.Add(static_cast<int>(art.kind));
  h.Add(art.userAttr);
  h.Add(art.name);
  h.Add(art.tags.size());
  for (const auto& [name, tag] : art.tags) {
    h.Add(name);
    h.Add(tag.type);
    h.Add(tag.value);
  }
  h.Add(art.compound);
  switch (art.kind) {
    case ArtKind::Path:
      AddPath(h, art.path);
      break;
    case ArtKind::Text:
      h.Add(art.text.anchor);
      h.Add(art.text.text);
      h.Add(art.text.font);
      h.Add(art.text.size);
      h.Add(art.text.baselineShift);
      h.Add(art.text.justification);
      h.Add(art.text.fill);
      break;
    case ArtKind::Group:
      // A compound path is written as one element: its parts are part of it.
      if (art.compound) {
        h.Add(art.children.size());
        for (ObjectId child : art.children) {
          const Art* part = doc.FindArt(child);
          h.Add(part ? Fingerprint(doc, *part) : 0);
        }
      }
      break;
    case ArtKind::Kept:
      break;
  }
  return h.value();
}

std::uint64_t Fingerprint(const Layer& layer) {
  Hash h;
  h.Add(layer.title);
  h.Add(layer.visible);
  h.Add(layer.editable);
  return h.value();
}

std::vector<KeptNodeView> KeptNodes(const Document& doc) {
  std::vector<KeptNodeView> out;
  for (const Layer& layer : doc.layers()) {
    // A walk that knows whether a group above is hidden.
    auto visit = [&](auto& self, const Art& group, bool hidden) -> void {
      for (ObjectId id : group.children) {
        const Art* art = doc.FindArt(id);
        if (art == nullptr) continue;
        const bool artHidden = hidden || (art->userAttr & kArtHidden) != 0;
        if (art->kind == ArtKind::Group) self(self, *art, artHidden);
        if (art->kind != ArtKind::Kept || !art->source) continue;
        KeptNodeView v;
        v.id = art->id;
        v.element = art->source->name;
        v.markup = art->source->markup;
        v.toDocument = art->source->outer;
        v.bounds = doc.Bounds(*art);
        v.drawn = art->source->drawn;
        v.hidden = artHidden;
        out.push_back(v);
      }
    };
    visit(visit, *doc.FindArt(layer.group), !layer.visible);
  }
  return out;
}

std::string KeptNodeSvg(const Document& doc, std::uint64_t id) {
  const Art* art = doc.FindArt(id);
  if (art == nullptr || art->kind != ArtKind::Kept || !art->source) return {};
  const auto bounds = doc.Bounds(*art);
  if (!bounds) return {};
  const double w = static_cast<double>(bounds->right) - bounds->left;
  const double h = static_cast<double>(bounds->top) - bounds->bottom;
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\"";
  // The root's namespace declarations, so that prefixed names keep their meaning.
  if (doc.source) {
    for (const auto& [name, value] : doc.source->rootAttributes) {
      if (name.rfind("xmlns:", 0) != 0) continue;
      out += " " + name + "=\"";
      for (char c : value) out += c == '"' ? std::string("&quot;") : c == '&' ? std::string("&amp;") : c == '<' ? std::string("&lt;") : std::string(1, c);
      out += "\"";
    }
  }
  // Document y grows upwards: the view box holds y mirrored.
  out += " width=\"" + Num(w) + "pt\" height=\"" + Num(h) + "pt\" viewBox=\"" + Num(bounds->left) + " " +
         Num(-static_cast<double>(bounds->top)) + " " + Num(w) + " " + Num(h) + "\">\n";
  const svg::Matrix flip{1, 0, 0, -1, 0, 0};
  if (doc.source) {
    const std::string root = "<g transform=\"" + MatrixText(flip * doc.source->mapping) + "\">";
    for (const RootKept& k : doc.source->rootKept) {
      if (Defines(k.name)) out += root + k.markup + "</g>\n";
    }
  }
  for (const KeptNodeView& v : KeptNodes(doc)) {
    if (v.id != id && Defines(v.element)) out += "<g transform=\"" + MatrixText(flip * v.toDocument) + "\">" + std::string(v.markup) + "</g>\n";
  }
  out += "<g transform=\"" + MatrixText(flip * art->source->outer) + "\">" + art->source->markup + "</g>\n</svg>\n";
  return out;
}

}  // namespace hostsim
