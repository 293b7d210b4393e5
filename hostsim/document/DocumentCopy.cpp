// The drawing copied aside and put back: the host's history of changes keeps
// one copy per step. Art is copied by value; the children's pointers are made
// again when a copy is put back.
#include <algorithm>

#include "hostsim/document/Document.h"

namespace hostsim {

struct Document::Copy {
  std::vector<Layer> layers;
  std::vector<Art> arts;  // ordered by id, so two copies compare art by art
  ObjectId currentLayer = 0;
  int layersMade = 0;
  AIRealRect page{};
  std::size_t bytes = 0;
};

namespace {

bool Same(AIRealPoint a, AIRealPoint b) { return a.h == b.h && a.v == b.v; }

bool Same(const AIColor& a, const AIColor& b) {
  if (a.kind != b.kind) return false;
  if (a.kind == kGrayColor) return a.c.g.gray == b.c.g.gray;
  if (a.kind == kThreeColor) return a.c.rgb.red == b.c.rgb.red && a.c.rgb.green == b.c.rgb.green && a.c.rgb.blue == b.c.rgb.blue;
  return true;
}

bool Same(const AIPathStyle& a, const AIPathStyle& b) {
  const AIStrokeStyle& s = a.stroke;
  const AIStrokeStyle& t = b.stroke;
  if (a.fillPaint != b.fillPaint || a.strokePaint != b.strokePaint || a.evenodd != b.evenodd) return false;
  if (!Same(a.fill.color, b.fill.color) || a.fill.overprint != b.fill.overprint) return false;
  if (!Same(s.color, t.color) || s.overprint != t.overprint || s.width != t.width || s.cap != t.cap ||
      s.join != t.join || s.miterLimit != t.miterLimit || s.dash.offset != t.dash.offset ||
      s.dash.length != t.dash.length) {
    return false;
  }
  return std::equal(s.dash.array, s.dash.array + 6, t.dash.array);
}

bool Same(const AIPathSegment& a, const AIPathSegment& b) {
  return Same(a.p, b.p) && Same(a.in, b.in) && Same(a.out, b.out) && a.corner == b.corner;
}

bool Same(const Art& a, const Art& b) {
  if (a.id != b.id || a.kind != b.kind || a.parent != b.parent || a.layer != b.layer || a.compound != b.compound) {
    return false;
  }
  if ((a.userAttr & ~kArtSelected) != (b.userAttr & ~kArtSelected) || a.name != b.name) return false;
  if (a.tags.size() != b.tags.size() ||
      !std::equal(a.tags.begin(), a.tags.end(), b.tags.begin(), [](const auto& x, const auto& y) {
        return x.first == y.first && x.second.type == y.second.type && x.second.value == y.second.value;
      })) {
    return false;
  }
  if (!std::equal(a.children.begin(), a.children.end(), b.children.begin(), b.children.end())) return false;
  if (a.kind == ArtKind::Path) {
    const PathData& p = a.path;
    const PathData& q = b.path;
    if (p.closed != q.closed || p.guide != q.guide || !Same(p.style, q.style)) return false;
    return std::equal(p.segments.begin(), p.segments.end(), q.segments.begin(), q.segments.end(),
                      [](const AIPathSegment& x, const AIPathSegment& y) { return Same(x, y); });
  }
  if (a.kind == ArtKind::Text) {
    const TextData& s = a.text;
    const TextData& t = b.text;
    return Same(s.anchor, t.anchor) && s.text == t.text && s.font == t.font && s.size == t.size &&
           s.baselineShift == t.baselineShift && s.justification == t.justification && Same(s.fill, t.fill);
  }
  return true;
}

bool Same(const Layer& a, const Layer& b) {
  return a.id == b.id && a.title == b.title && a.visible == b.visible && a.editable == b.editable &&
         a.colour.red == b.colour.red && a.colour.green == b.colour.green && a.colour.blue == b.colour.blue &&
         a.group == b.group;
}

std::size_t BytesOf(const Art& art) {
  std::size_t bytes = sizeof(Art) + art.children.size() * sizeof(ChildEntry) + art.name.capacity() +
                      art.path.segments.capacity() * sizeof(AIPathSegment) + art.text.text.capacity();
  for (const auto& [key, tag] : art.tags) bytes += 64 + key.size() + tag.type.size() + tag.value.size();
  return bytes;
}

}  // namespace

std::shared_ptr<const Document::Copy> Document::CopyDrawing() const {
  auto copy = std::make_shared<Copy>();
  copy->layers = layers_;
  copy->currentLayer = currentLayer_;
  copy->layersMade = layersMade_;
  copy->page = page;
  copy->arts.reserve(arts_.size());
  for (const auto& [id, art] : arts_) copy->arts.push_back(*art);
  std::sort(copy->arts.begin(), copy->arts.end(), [](const Art& a, const Art& b) { return a.id < b.id; });
  copy->bytes = sizeof(Copy) + copy->layers.size() * sizeof(Layer);
  for (const Art& art : copy->arts) copy->bytes += BytesOf(art);
  return copy;
}

bool Document::SameDrawing(const Copy& copy) const {
  if (currentLayer_ != copy.currentLayer || arts_.size() != copy.arts.size()) return false;
  if (page.left != copy.page.left || page.top != copy.page.top || page.right != copy.page.right ||
      page.bottom != copy.page.bottom) {
    return false;
  }
  if (!std::equal(layers_.begin(), layers_.end(), copy.layers.begin(), copy.layers.end(),
                  [](const Layer& a, const Layer& b) { return Same(a, b); })) {
    return false;
  }
  for (const Art& kept : copy.arts) {
    const auto it = arts_.find(kept.id);
    if (it == arts_.end() || !Same(*it->second, kept)) return false;
  }
  return true;
}

void Document::RestoreDrawing(const Copy& copy) {
  layers_ = copy.layers;
  currentLayer_ = copy.currentLayer;
  layersMade_ = copy.layersMade;
  page = copy.page;
  arts_.clear();
  arts_.reserve(copy.arts.size());
  for (const Art& art : copy.arts) {
    auto restored = std::make_unique<Art>(art);
    restored->boundsKnown = false;
    restored->keptBounds.reset();
    arts_.emplace(art.id, std::move(restored));
  }
  // The children point at the art just made, not at the copy's.
  for (auto& [id, art] : arts_) {
    ChildList children;
    std::size_t index = 0;
    for (const ChildEntry& entry : art->children.entries()) {
      children.Insert(index++, entry.id, *arts_.at(entry.id), entry.group);
    }
    art->children = std::move(children);
  }
  pathOrderValid_ = false;
  hitMap_ = HitMap{};
}

std::size_t Document::CopyBytes(const Copy& copy) { return copy.bytes; }

}  // namespace hostsim
