// [SECTION] Identities, colours and styles
// [SECTION] Layers
// [SECTION] Art tree
// [SECTION] Bounds and transforms

#include "hostsim/document/Document.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "hostsim/FontList.h"
#include "hostsim/document/Geometry.h"

namespace hostsim {

//-----------------------------------------------------------------------------
// [SECTION] Identities, colours and styles
//-----------------------------------------------------------------------------

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

//-----------------------------------------------------------------------------
// [SECTION] Layers
//-----------------------------------------------------------------------------

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
  arts_.emplace(group.id, std::make_unique<Art>(std::move(group)));
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

//-----------------------------------------------------------------------------
// [SECTION] Art tree
//-----------------------------------------------------------------------------

Art* Document::FindArt(ObjectId id) {
  auto it = arts_.find(id);
  return it == arts_.end() ? nullptr : it->second.get();
}

const Art* Document::FindArt(ObjectId id) const {
  auto it = arts_.find(id);
  return it == arts_.end() ? nullptr : it->second.get();
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
      const Art& parent = *arts_.at(p->parent);
      const std::size_t at = parent.children.IndexOf(p->id).value_or(parent.children.size());
      return Placement{parent.id, at + (paintOrder == kPlaceBelow ? 1 : 0)};
    }
    case kPlaceAboveAll:
    case kPlaceBelowAll: {
      const Layer* layer = FindLayer(p ? p->layer : currentLayer_);
      if (!layer) return std::nullopt;
      const Art& group = *arts_.at(layer->group);
      return Placement{group.id, paintOrder == kPlaceAboveAll ? 0 : group.children.size()};
    }
    default:
      return std::nullopt;
  }
}

AIErr Document::NewArt(ArtKind kind, int16_t paintOrder, ObjectId prep, ObjectId* id) {
  const auto place = Place(paintOrder, prep);
  if (!place) return kBadParameterErr;
  Art& parent = *arts_.at(place->parent);
  auto art = std::make_unique<Art>();
  art->id = NextObjectId();
  art->kind = kind;
  art->parent = parent.id;
  art->layer = parent.layer;
  if (kind == ArtKind::Text) art->text.font = DefaultFont();
  const ObjectId made = art->id;
  Art& stored = *arts_.emplace(made, std::move(art)).first->second;
  parent.children.Insert(place->index, made, stored, kind == ArtKind::Group);
  ForgetBounds(parent.id);
  *id = made;
  if (kind == ArtKind::Path) NotePathMade(made, parent.id, place->index);
  if (kind != ArtKind::Group) ArtChanged(made);
  return kNoErr;
}

void Document::Unlink(Art& art) {
  if (art.parent == 0) return;
  ForgetBounds(art.parent);
  arts_.at(art.parent)->children.Erase(art.id);
  art.parent = 0;
}

void Document::EraseTree(ObjectId id) {
  const auto it = arts_.find(id);
  if (it == arts_.end()) return;
  for (const ChildEntry& child : it->second->children.entries()) EraseTree(child.id);
  arts_.erase(it);
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
  for (ObjectId up = place->parent; up != 0; up = arts_.at(up)->parent) {
    if (up == id) return kBadParameterErr;
  }
  const ObjectId oldParent = art->parent;
  pathOrderValid_ = false;
  Unlink(*art);
  auto place2 = Place(paintOrder, prep);  // indexes may have shifted by the removal
  if (!place2) {                          // cannot happen: prep is still there
    art->parent = oldParent;
    Art& back = *arts_.at(oldParent);
    back.children.Insert(back.children.size(), id, *art, art->kind == ArtKind::Group);
    return kCantHappenErr;
  }
  Art& parent = *arts_.at(place2->parent);
  parent.children.Insert(place2->index, id, *art, art->kind == ArtKind::Group);
  art->parent = parent.id;
  ForgetBounds(parent.id);
  if (art->layer != parent.layer) {
    std::vector<Art*> stack{art};
    while (!stack.empty()) {
      Art& a = *stack.back();
      stack.pop_back();
      a.layer = parent.layer;
      for (const ChildEntry& child : a.children.entries()) stack.push_back(child.art);
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

void Document::AppendInOrder(const Art& art, std::vector<ObjectId>& out) const {
  for (const ChildEntry& child : art.children.entries()) {
    out.push_back(child.id);
    if (child.group) AppendInOrder(*child.art, out);
  }
}

std::span<const ObjectId> Document::PathsInDocumentOrder() const {
  if (!pathOrderValid_) {
    pathOrder_.clear();
    ForEachInDocumentOrder([this](const Art& art) {
      if (art.kind == ArtKind::Path) pathOrder_.push_back(art.id);
    });
    pathOrderValid_ = true;
  }
  return pathOrder_.view();
}

std::optional<ObjectId> Document::FirstPathIn(const Art& art) const {
  if (art.kind == ArtKind::Path) return art.id;
  for (const ChildEntry& child : art.children.entries()) {
    if (auto path = FirstPathIn(*child.art)) return path;
  }
  return std::nullopt;
}

// The first path in document order among parent's children from index on,
// then after parent itself, up to the layers below.
std::optional<ObjectId> Document::FirstPathAfter(ObjectId parent, std::size_t index) const {
  for (;;) {
    const Art& group = *arts_.at(parent);
    const auto children = group.children.entries();
    for (std::size_t i = index; i < children.size(); ++i) {
      if (auto path = FirstPathIn(*children[i].art)) return path;
    }
    if (group.parent == 0) break;
    const ChildList& siblings = arts_.at(group.parent)->children;
    index = siblings.IndexOf(parent).value_or(siblings.size()) + 1;
    parent = group.parent;
  }
  const auto layer = std::find_if(layers_.begin(), layers_.end(), [&](const Layer& l) { return l.group == parent; });
  for (auto below = layer == layers_.end() ? layer : layer + 1; below != layers_.end(); ++below) {
    if (auto path = FirstPathIn(*arts_.at(below->group))) return path;
  }
  return std::nullopt;
}

void Document::NotePathMade(ObjectId id, ObjectId parent, std::size_t index) {
  if (!pathOrderValid_) return;
  const auto next = FirstPathAfter(parent, index + 1);
  // Searched from the top: a path put on top finds its place at once.
  const auto at = next ? std::find(pathOrder_.begin(), pathOrder_.end(), *next) : pathOrder_.end();
  pathOrder_.insert(static_cast<std::size_t>(at - pathOrder_.begin()), id);
}

void Document::NoteTreeDisposed(ObjectId id) {
  if (!pathOrderValid_) return;
  const Art& art = *arts_.at(id);
  std::vector<ObjectId> gone;
  if (art.kind == ArtKind::Path) gone.push_back(id);
  auto notePath = [&gone](const Art& a) {
    if (a.kind == ArtKind::Path) gone.push_back(a.id);
  };
  VisitBelow(art, notePath);
  if (gone.empty()) return;
  if (gone.size() == 1) {
    // One path, as when a label's line goes: searched from the top, where
    // the newest art lies.
    const auto at = std::find(pathOrder_.begin(), pathOrder_.end(), gone.front());
    if (at != pathOrder_.end()) pathOrder_.erase(static_cast<std::size_t>(at - pathOrder_.begin()));
    return;
  }
  std::sort(gone.begin(), gone.end());
  pathOrder_.keep_if([&](ObjectId p) { return !std::binary_search(gone.begin(), gone.end(), p); });
}

std::vector<ObjectId> Document::ArtInDocumentOrder() const {
  std::vector<ObjectId> out;
  out.reserve(arts_.size());
  for (const Layer& layer : layers_) AppendInOrder(*arts_.at(layer.group), out);
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
  source = std::move(from.source);
  from.layers_.clear();
  from.arts_.clear();
  from.currentLayer_ = 0;
  pathOrderValid_ = from.pathOrderValid_ = false;
  // Texts are measured by this document's engine from now on.
  for (const auto& [id, art] : arts_) art->boundsKnown = false;
  hitMap_ = HitMap{};
  from.hitMap_ = HitMap{};
}

//-----------------------------------------------------------------------------
// [SECTION] Bounds and transforms
//-----------------------------------------------------------------------------

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

std::optional<AIRealRect> Document::Bounds(const Art& art) const { return MeasureBounds(art, true); }

std::optional<AIRealRect> Document::BoundsByWalk(const Art& art) const { return MeasureBounds(art, false); }

// keep: take the bounds kept with the art where known, and keep what is measured.
std::optional<AIRealRect> Document::MeasureBounds(const Art& art, bool keep) const {
  if (keep && art.boundsKnown) return art.keptBounds;
  const auto measured = [&]() -> std::optional<AIRealRect> {
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
    case ArtKind::Kept:
      return art.source && art.source->drawn ? art.source->bounds : std::nullopt;
    case ArtKind::Group: {
      std::optional<AIRealRect> r;
      for (const ChildEntry& child : art.children.entries()) {
        const auto b = MeasureBounds(*child.art, keep);
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
  }();
  if (keep) {
    art.keptBounds = measured;
    art.boundsKnown = true;
  }
  return measured;
}

void Document::ForgetBounds(ObjectId id) {
  // Groups above an art whose bounds are not known have none known either.
  for (Art* art = FindArt(id); art != nullptr && art->boundsKnown; art = art->parent ? FindArt(art->parent) : nullptr) {
    art->boundsKnown = false;
  }
}

void Document::ForgetBoundsBelow(const Art& art) {
  for (const ChildEntry& child : art.children.entries()) {
    child.art->boundsKnown = false;
    ForgetBoundsBelow(*child.art);
  }
}

namespace {

void TransformTree(Art& art, const AIRealMatrix& m) {
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
      for (const ChildEntry& child : art.children.entries()) TransformTree(*child.art, m);
      break;
    case ArtKind::Kept:  // kept content stays where the file put it
      break;
  }
}

}  // namespace

void Document::Transform(ObjectId id, const AIRealMatrix& m) {
  Art* art = FindArt(id);
  if (art == nullptr) return;
  ArtChanged(id);
  TransformTree(*art, m);
}

}  // namespace hostsim
