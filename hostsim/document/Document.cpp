#include "hostsim/document/Document.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "hostsim/FontList.h"
#include "hostsim/document/Geometry.h"

namespace hostsim {

ObjectId NextObjectId() {
  // Starts well above zero so that a small integer passed as a handle is never
  // a live one by accident.
  static std::atomic<ObjectId> next{0x10000};
  return next.fetch_add(16);
}

AIColor GrayColor(double gray) {
  AIColor c{};
  c.kind = kGrayColor;
  c.c.g.gray = static_cast<AIReal>(gray);
  return c;
}

AIColor RgbColor(double r, double g, double b) {
  AIColor c{};
  c.kind = kThreeColor;
  c.c.rgb = {static_cast<AIReal>(r), static_cast<AIReal>(g), static_cast<AIReal>(b)};
  return c;
}

AIColor NoColor() {
  AIColor c{};
  c.kind = kNoneColor;
  return c;
}

AIPathStyle DefaultPathStyle() {
  AIPathStyle s{};
  s.fillPaint = false;
  s.fill.color = NoColor();
  s.strokePaint = true;
  s.stroke.color = GrayColor(1);
  s.stroke.width = 1;
  s.stroke.cap = kAIButtCap;
  s.stroke.join = kAIMiterJoin;
  s.stroke.miterLimit = 10;
  return s;
}

Document::Document(const FontList& fonts) : fonts_(fonts), text_(fonts) {
  currentLayer_ = InsertLayer(0);
}

// --- Layers ------------------------------------------------------------------

Layer* Document::FindLayer(ObjectId id) {
  auto it = std::find_if(layers_.begin(), layers_.end(), [id](const Layer& l) { return l.id == id; });
  return it == layers_.end() ? nullptr : &*it;
}

const Layer* Document::FindLayer(ObjectId id) const { return const_cast<Document*>(this)->FindLayer(id); }

std::optional<std::size_t> Document::LayerIndex(ObjectId id) const {
  for (std::size_t i = 0; i < layers_.size(); ++i) {
    if (layers_[i].id == id) return i;
  }
  return std::nullopt;
}

ObjectId Document::InsertLayer(std::size_t position, const std::string& title) {
  Layer layer;
  layer.id = NextObjectId();
  layer.title = title.empty() ? NextLayerTitle() : title;
  ++layersMade_;
  Art group;
  group.id = NextObjectId();
  group.kind = ArtKind::Group;
  group.layer = layer.id;
  layer.group = group.id;
  arts_.emplace(group.id, std::move(group));
  position = std::min(position, layers_.size());
  layers_.insert(layers_.begin() + static_cast<std::ptrdiff_t>(position), std::move(layer));
  return layers_[position].id;
}

bool Document::SetCurrentLayer(ObjectId id) {
  if (!FindLayer(id)) return false;
  currentLayer_ = id;
  return true;
}

std::size_t Document::DefaultFont() const {
  for (const char* name : {"DejaVu Sans", "DejaVu Sans Book", "Liberation Sans", "Arial"}) {
    if (auto index = fonts_.FindByFullName(name)) return *index;
  }
  return 0;
}

// --- Art tree ------------------------------------------------------------------

Art* Document::FindArt(ObjectId id) {
  auto it = arts_.find(id);
  return it == arts_.end() ? nullptr : &it->second;
}

const Art* Document::FindArt(ObjectId id) const {
  auto it = arts_.find(id);
  return it == arts_.end() ? nullptr : &it->second;
}

std::optional<Document::Placement> Document::Place(int16_t paintOrder, ObjectId prep) const {
  const Art* p = prep ? FindArt(prep) : nullptr;
  if (prep && !p) return std::nullopt;
  switch (paintOrder) {
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom:
      if (!p || p->kind != ArtKind::Group) return std::nullopt;
      return Placement{p->id, paintOrder == kPlaceInsideOnTop ? 0 : p->children.size()};
    case kPlaceAbove:
    case kPlaceBelow: {
      if (!p || p->parent == 0) return std::nullopt;
      const Art& parent = arts_.at(p->parent);
      const auto at = std::find(parent.children.begin(), parent.children.end(), p->id) - parent.children.begin();
      return Placement{parent.id, static_cast<std::size_t>(at) + (paintOrder == kPlaceBelow ? 1 : 0)};
    }
    case kPlaceAboveAll:
    case kPlaceBelowAll: {
      const Layer* layer = FindLayer(p ? p->layer : currentLayer_);
      if (!layer) return std::nullopt;
      const Art& group = arts_.at(layer->group);
      return Placement{group.id, paintOrder == kPlaceAboveAll ? 0 : group.children.size()};
    }
    default:
      return std::nullopt;
  }
}

AIErr Document::NewArt(ArtKind kind, int16_t paintOrder, ObjectId prep, ObjectId* id) {
  const auto place = Place(paintOrder, prep);
  if (!place) return kBadParameterErr;
  Art& parent = arts_.at(place->parent);
  Art art;
  art.id = NextObjectId();
  art.kind = kind;
  art.parent = parent.id;
  art.layer = parent.layer;
  if (kind == ArtKind::Text) art.text.font = DefaultFont();
  parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(place->index), art.id);
  *id = art.id;
  const ObjectId parentId = parent.id;
  arts_.emplace(art.id, std::move(art));
  if (kind == ArtKind::Path) NotePathMade(*id, parentId, place->index);
  if (kind != ArtKind::Group) ArtChanged(*id);
  return kNoErr;
}

void Document::Unlink(Art& art) {
  if (art.parent == 0) return;
  auto& siblings = arts_.at(art.parent).children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), art.id), siblings.end());
  art.parent = 0;
}

void Document::EraseTree(ObjectId id) {
  const std::vector<ObjectId> children = arts_.at(id).children;
  for (ObjectId child : children) EraseTree(child);
  arts_.erase(id);
}

AIErr Document::DisposeArt(ObjectId id) {
  Art* art = FindArt(id);
  if (!art || art->parent == 0) return kBadParameterErr;
  NoteTreeDisposed(id);
  UnfileForHits(id);
  Unlink(*art);
  EraseTree(id);
  // Text ranges of disposed texts stay allocated until released but name nothing.
  return kNoErr;
}

AIErr Document::ReorderArt(ObjectId id, int16_t paintOrder, ObjectId prep) {
  Art* art = FindArt(id);
  if (!art || art->parent == 0 || id == prep) return kBadParameterErr;
  // The destination must not lie inside the art itself.
  const auto place = Place(paintOrder, prep);
  if (!place) return kBadParameterErr;
  for (ObjectId up = place->parent; up != 0; up = arts_.at(up).parent) {
    if (up == id) return kBadParameterErr;
  }
  const ObjectId oldParent = art->parent;
  pathOrderValid_ = false;
  Unlink(*art);
  auto place2 = Place(paintOrder, prep);  // indexes may have shifted by the removal
  if (!place2) {                          // cannot happen: prep is still there
    art->parent = oldParent;
    arts_.at(oldParent).children.push_back(id);
    return kCantHappenErr;
  }
  Art& parent = arts_.at(place2->parent);
  parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(place2->index), id);
  art->parent = parent.id;
  if (art->layer != parent.layer) {
    std::vector<ObjectId> stack{id};
    while (!stack.empty()) {
      Art& a = arts_.at(stack.back());
      stack.pop_back();
      a.layer = parent.layer;
      stack.insert(stack.end(), a.children.begin(), a.children.end());
    }
  }
  return kNoErr;
}

bool Document::InheritsAttr(const Art& art, int32_t bits) const {
  for (const Art* a = &art; a; a = a->parent ? FindArt(a->parent) : nullptr) {
    if (a->userAttr & bits) return true;
  }
  return false;
}

void Document::AppendInOrder(ObjectId id, std::vector<ObjectId>& out) const {
  for (ObjectId child : arts_.at(id).children) {
    out.push_back(child);
    AppendInOrder(child, out);
  }
}

const std::vector<ObjectId>& Document::PathsInDocumentOrder() const {
  if (!pathOrderValid_) {
    pathOrder_.clear();
    for (ObjectId id : ArtInDocumentOrder()) {
      if (arts_.at(id).kind == ArtKind::Path) pathOrder_.push_back(id);
    }
    pathOrderValid_ = true;
  }
  return pathOrder_;
}

std::optional<ObjectId> Document::FirstPathIn(ObjectId id) const {
  const Art& art = arts_.at(id);
  if (art.kind == ArtKind::Path) return id;
  for (ObjectId child : art.children) {
    if (auto path = FirstPathIn(child)) return path;
  }
  return std::nullopt;
}

// The first path in document order among parent's children from index on,
// then after parent itself, up to the layers below.
std::optional<ObjectId> Document::FirstPathAfter(ObjectId parent, std::size_t index) const {
  for (;;) {
    const Art& group = arts_.at(parent);
    for (std::size_t i = index; i < group.children.size(); ++i) {
      if (auto path = FirstPathIn(group.children[i])) return path;
    }
    if (group.parent == 0) break;
    const auto& siblings = arts_.at(group.parent).children;
    index = static_cast<std::size_t>(std::find(siblings.begin(), siblings.end(), parent) - siblings.begin()) + 1;
    parent = group.parent;
  }
  const auto layer = std::find_if(layers_.begin(), layers_.end(), [&](const Layer& l) { return l.group == parent; });
  for (auto below = layer == layers_.end() ? layer : layer + 1; below != layers_.end(); ++below) {
    if (auto path = FirstPathIn(below->group)) return path;
  }
  return std::nullopt;
}

void Document::NotePathMade(ObjectId id, ObjectId parent, std::size_t index) {
  if (!pathOrderValid_) return;
  const auto next = FirstPathAfter(parent, index + 1);
  const auto at = next ? std::find(pathOrder_.begin(), pathOrder_.end(), *next) : pathOrder_.end();
  pathOrder_.insert(at, id);
}

void Document::NoteTreeDisposed(ObjectId id) {
  if (!pathOrderValid_) return;
  std::vector<ObjectId> gone;
  if (arts_.at(id).kind == ArtKind::Path) gone.push_back(id);
  AppendInOrder(id, gone);
  std::erase_if(gone, [this](ObjectId g) { return arts_.at(g).kind != ArtKind::Path; });
  if (gone.empty()) return;
  std::sort(gone.begin(), gone.end());
  std::erase_if(pathOrder_, [&](ObjectId p) { return std::binary_search(gone.begin(), gone.end(), p); });
}

std::vector<ObjectId> Document::ArtInDocumentOrder() const {
  std::vector<ObjectId> out;
  for (const Layer& layer : layers_) AppendInOrder(layer.group, out);
  return out;
}

void Document::ReplaceDrawing(Document&& from) {
  layers_ = std::move(from.layers_);
  arts_ = std::move(from.arts_);
  currentLayer_ = from.currentLayer_;
  layersMade_ = from.layersMade_;
  page = from.page;
  zoom = from.zoom;
  fileName = std::move(from.fileName);
  from.layers_.clear();
  from.arts_.clear();
  from.currentLayer_ = 0;
  pathOrderValid_ = from.pathOrderValid_ = false;
  hitMap_ = HitMap{};
  from.hitMap_ = HitMap{};
}

// --- Bounds and transforms -----------------------------------------------------

AIRealRect Document::TextBounds(const TextData& text) const {
  const TextMetrics m = text_.Measure(text.font, text.text, text.size);
  double left = text.anchor.h;
  if (text.justification == kJustifyRight) left -= m.width;
  if (text.justification == kJustifyCenter) left -= m.width / 2;
  const double baseline = text.anchor.v + text.baselineShift;
  AIRealRect r;
  r.left = static_cast<AIReal>(left);
  r.right = static_cast<AIReal>(left + m.width);
  r.top = static_cast<AIReal>(baseline + m.ascender);
  r.bottom = static_cast<AIReal>(baseline + m.descender);
  return r;
}

std::optional<AIRealRect> Document::Bounds(const Art& art) const {
  switch (art.kind) {
    case ArtKind::Text:
      return TextBounds(art.text);
    case ArtKind::Path: {
      if (art.path.segments.empty()) return std::nullopt;
      const AIRealPoint first = art.path.segments.front().p;
      AIRealRect r{first.h, first.v, first.h, first.v};
      for (const AIPathSegment& s : art.path.segments) {
        for (AIRealPoint p : {s.p, s.in, s.out}) {
          r.left = std::min(r.left, p.h);
          r.right = std::max(r.right, p.h);
          r.bottom = std::min(r.bottom, p.v);
          r.top = std::max(r.top, p.v);
        }
      }
      return r;
    }
    case ArtKind::Group: {
      std::optional<AIRealRect> r;
      for (ObjectId child : art.children) {
        const auto b = Bounds(arts_.at(child));
        if (!b) continue;
        if (!r) {
          r = b;
        } else {
          r->left = std::min(r->left, b->left);
          r->right = std::max(r->right, b->right);
          r->bottom = std::min(r->bottom, b->bottom);
          r->top = std::max(r->top, b->top);
        }
      }
      return r;
    }
  }
  return std::nullopt;
}

void Document::Transform(ObjectId id, const AIRealMatrix& m) {
  ArtChanged(id);
  Art& art = arts_.at(id);
  switch (art.kind) {
    case ArtKind::Path:
      for (AIPathSegment& s : art.path.segments) {
        s.p = hostsim::Transform(m, s.p);
        s.in = hostsim::Transform(m, s.in);
        s.out = hostsim::Transform(m, s.out);
      }
      break;
    case ArtKind::Text:
      art.text.anchor = hostsim::Transform(m, art.text.anchor);
      break;
    case ArtKind::Group:
      for (ObjectId child : art.children) Transform(child, m);
      break;
  }
}

}  // namespace hostsim
