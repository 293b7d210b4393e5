// Hit testing: the top-most visible, unlocked art under a point wins. On a
// path an anchor beats a segment, and a segment beats the inside of the fill.
//
// [SECTION] Hitting one art
// [SECTION] The hit map
// [SECTION] The hit test
#include <algorithm>
#include <cmath>

#include "host/AISuites.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/Geometry.h"

namespace hostsim {
namespace {

bool Filled(const PathData& path) { return path.style.fillPaint && path.style.fill.color.kind != kNoneColor; }

//-----------------------------------------------------------------------------
// [SECTION] Hitting one art
//-----------------------------------------------------------------------------

std::optional<HitResult> HitPath(const Art& art, Vec2 p, double tolerance) {
  const auto& segs = art.path.segments;
  const std::size_t n = segs.size();
  // The curve lies inside the box of its anchors and handles: a point outside
  // that box by more than the tolerance hits nothing.
  bool near = false;
  if (n > 0) {
    double left = segs[0].p.h, right = left, bottom = segs[0].p.v, top = bottom;
    for (const AIPathSegment& s : segs) {
      for (AIRealPoint q : {s.p, s.in, s.out}) {
        left = std::min<double>(left, q.h);
        right = std::max<double>(right, q.h);
        bottom = std::min<double>(bottom, q.v);
        top = std::max<double>(top, q.v);
      }
    }
    near = p.x >= left - tolerance && p.x <= right + tolerance && p.y >= bottom - tolerance && p.y <= top + tolerance;
  }
  if (!near) return std::nullopt;
  HitResult r;
  r.hit = true;
  r.object = art.id;

  // The nearest anchor within reach.
  double best = tolerance;
  std::optional<std::size_t> anchor;
  for (std::size_t i = 0; i < n; ++i) {
    const double d = Distance(ToVec(segs[i].p), p);
    if (d <= best) {
      best = d;
      anchor = i;
    }
  }
  if (anchor) {
    r.type = kAnchorHitType;
    r.segment = static_cast<int16_t>(*anchor);
    r.point = segs[*anchor].p;
    return r;
  }

  // The nearest segment within reach; a closed path's last segment ends at anchor 0.
  const std::size_t segmentCount = n < 2 ? 0 : (art.path.closed ? n : n - 1);
  std::optional<NearestPoint> nearest;
  std::size_t ending = 0;
  for (std::size_t i = 0; i < segmentCount; ++i) {
    const NearestPoint q = Nearest(SegmentCubic(segs[i], segs[(i + 1) % n]), p);
    if (q.distance <= tolerance && (!nearest || q.distance < nearest->distance)) {
      nearest = q;
      ending = (i + 1) % n;
    }
  }
  if (nearest) {
    r.type = kSegmentHitType;
    r.segment = static_cast<int16_t>(ending);
    r.t = nearest->t;
    r.point = ToPoint(nearest->point);
    return r;
  }

  if (art.path.closed && Filled(art.path) && InsideOutline(segs, p, art.path.style.evenodd != 0)) {
    r.type = kFillHitType;
    r.point = ToPoint(p);
    return r;
  }
  return std::nullopt;
}

}  // namespace

std::optional<HitResult> Document::HitArt(const Art& art, AIRealPoint point, double tolerance) const {
  if (art.userAttr & (kArtHidden | kArtLocked)) return std::nullopt;
  switch (art.kind) {
    case ArtKind::Group:
      for (const ChildEntry& child : art.children.entries()) {
        if (auto hit = HitArt(*child.art, point, tolerance)) return hit;
      }
      return std::nullopt;
    case ArtKind::Path:
      if (art.path.guide) return std::nullopt;
      return HitPath(art, ToVec(point), tolerance);
    case ArtKind::Text:
    case ArtKind::Kept: {
      // Texts, and kept content, are hit anywhere in their bounds.
      const auto b = Bounds(art);
      if (b && point.h >= b->left - tolerance && point.h <= b->right + tolerance && point.v >= b->bottom - tolerance &&
          point.v <= b->top + tolerance) {
        HitResult r;
        r.hit = true;
        r.object = art.id;
        r.type = art.kind == ArtKind::Text ? kTextHitType : kFillHitType;
        r.point = point;
        return r;
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

HitResult Document::HitTestByWalk(AIRealPoint point, double tolerance) const {
  HitResult none;
  none.point = point;
  for (const Layer& layer : layers_) {
    if (!layer.visible || !layer.editable) continue;
    if (auto hit = HitArt(*FindArt(layer.group), point, tolerance)) return *hit;
  }
  return none;
}

//-----------------------------------------------------------------------------
// [SECTION] The hit map
//-----------------------------------------------------------------------------

namespace {

constexpr double kMaxCellsPerArt = 4096;  // larger bounds go to the list looked at every time
constexpr std::size_t kMaxCandidates = 256;

std::int32_t CellOf(double v, double cell) {
  return static_cast<std::int32_t>(std::clamp(std::floor(v / cell), -2.0e9, 2.0e9));
}

std::uint64_t CellKey(std::int32_t x, std::int32_t y) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) | static_cast<std::uint32_t>(y);
}

double CellsAcross(const AIRealRect& r, double cell) {
  return (std::floor(r.right / cell) - std::floor(r.left / cell) + 1) *
         (std::floor(r.top / cell) - std::floor(r.bottom / cell) + 1);
}

bool FiniteRect(const AIRealRect& r) {
  return std::isfinite(r.left) && std::isfinite(r.right) && std::isfinite(r.top) && std::isfinite(r.bottom);
}

template <class Visit>
void VisitCells(const AIRealRect& r, double cell, Visit&& visit) {
  for (std::int64_t x = CellOf(r.left, cell); x <= CellOf(r.right, cell); ++x) {
    for (std::int64_t y = CellOf(r.bottom, cell); y <= CellOf(r.top, cell); ++y) {
      visit(CellKey(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)));
    }
  }
}

}  // namespace

void Document::ArtChanged(ObjectId id) {
  const Art* art = FindArt(id);
  if (art == nullptr) return;
  ForgetBounds(id);
  ForgetBoundsBelow(*art);
  if (hitMap_.built) NoteChangedForHits(*art);
}

void Document::NoteChangedForHits(const Art& art) {
  if (art.kind != ArtKind::Group) {
    hitMap_.changed.push_back(art.id);
    return;
  }
  for (const ChildEntry& child : art.children.entries()) NoteChangedForHits(*child.art);
}

void Document::FileForHits(ObjectId id) const {
  const Art* art = FindArt(id);
  if (art == nullptr || art->kind == ArtKind::Group) return;
  const auto bounds = Bounds(*art);
  if (!bounds) return;
  hitMap_.filed[id] = *bounds;
  if (!FiniteRect(*bounds) || CellsAcross(*bounds, hitMap_.cell) > kMaxCellsPerArt) {
    hitMap_.everywhere.push_back(id);
    return;
  }
  VisitCells(*bounds, hitMap_.cell, [&](std::uint64_t key) { hitMap_.cells[key].push_back(id); });
}

// Takes the art, and everything inside it, out of the map.
void Document::UnfileForHits(ObjectId id) const {
  if (!hitMap_.built) return;
  const Art* art = FindArt(id);
  if (art == nullptr) return;
  for (ObjectId child : art->children) UnfileForHits(child);
  const auto it = hitMap_.filed.find(id);
  if (it == hitMap_.filed.end()) return;
  const AIRealRect r = it->second;
  hitMap_.filed.erase(it);
  if (!FiniteRect(r) || CellsAcross(r, hitMap_.cell) > kMaxCellsPerArt) {
    std::erase(hitMap_.everywhere, id);
    return;
  }
  VisitCells(r, hitMap_.cell, [&](std::uint64_t key) {
    const auto cell = hitMap_.cells.find(key);
    if (cell == hitMap_.cells.end()) return;
    std::erase(cell->second, id);
    if (cell->second.empty()) hitMap_.cells.erase(cell);
  });
}

void Document::BringHitMapUpToDate() const {
  if (!hitMap_.built) {
    hitMap_ = HitMap{};
    hitMap_.built = true;
    // Cells about as large as the art they hold.
    double area = 0;
    std::size_t leaves = 0;
    for (const auto& [id, art] : arts_) {
      if (art->kind == ArtKind::Group) continue;
      if (const auto b = Bounds(*art); b && FiniteRect(*b)) {
        area += (static_cast<double>(b->right) - b->left + 1) * (static_cast<double>(b->top) - b->bottom + 1);
        ++leaves;
      }
    }
    if (leaves > 0) hitMap_.cell = std::clamp(std::sqrt(area / static_cast<double>(leaves)) * 2, 4.0, 1.0e6);
    for (const auto& [id, art] : arts_) FileForHits(id);
    return;
  }
  std::vector<ObjectId> changed;
  changed.swap(hitMap_.changed);
  std::sort(changed.begin(), changed.end());
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
  for (ObjectId id : changed) {
    UnfileForHits(id);
    FileForHits(id);
  }
}

// The art can be hit as the walk would reach it: a visible, editable layer,
// and neither it nor a group above it hidden or locked.
bool Document::HittableThrough(const Art& art) const {
  const Layer* layer = FindLayer(art.layer);
  if (layer == nullptr || !layer->visible || !layer->editable) return false;
  return !InheritsAttr(art, kArtHidden | kArtLocked);
}

// True when a comes before b in document order (layers top first, children
// top first).
bool Document::BeforeInDocument(ObjectId a, ObjectId b) const {
  const auto chain = [this](ObjectId id) {
    std::vector<ObjectId> up;
    for (; id != 0; id = arts_.at(id)->parent) up.push_back(id);
    std::reverse(up.begin(), up.end());  // layer group first
    return up;
  };
  const std::vector<ObjectId> ca = chain(a), cb = chain(b);
  if (ca.front() != cb.front()) {
    const auto la = std::find_if(layers_.begin(), layers_.end(), [&](const Layer& l) { return l.group == ca.front(); });
    const auto lb = std::find_if(layers_.begin(), layers_.end(), [&](const Layer& l) { return l.group == cb.front(); });
    return la < lb;
  }
  std::size_t i = 1;
  while (i < ca.size() && i < cb.size() && ca[i] == cb[i]) ++i;
  if (i == ca.size() || i == cb.size()) return ca.size() < cb.size();  // a parent comes before what it holds
  for (ObjectId child : arts_.at(ca[i - 1])->children) {
    if (child == ca[i]) return true;
    if (child == cb[i]) return false;
  }
  return false;
}

//-----------------------------------------------------------------------------
// [SECTION] The hit test
//-----------------------------------------------------------------------------

HitResult Document::HitTest(ObjectId artId, AIRealPoint point, double tolerance) const {
  HitResult none;
  none.point = point;
  if (artId == 0) {
    // The art first in document order among those hit; only art whose bounds,
    // grown by the tolerance, hold the point can be hit at all.
    BringHitMapUpToDate();
    const double reach = tolerance * (1 + 1e-6) + 1e-3 + 1e-6 * std::max(std::fabs(point.h), std::fabs(point.v));
    std::vector<ObjectId> candidates = hitMap_.everywhere;
    const AIRealRect around{static_cast<AIReal>(point.h - reach), static_cast<AIReal>(point.v + reach),
                            static_cast<AIReal>(point.h + reach), static_cast<AIReal>(point.v - reach)};
    if (FiniteRect(around) && CellsAcross(around, hitMap_.cell) <= static_cast<double>(hitMap_.cells.size())) {
      // An art is in each cell at most once: beyond this many entries, the
      // distinct candidates are too many for ordering to pay, whatever the
      // repeats (a point under a pile of page-wide paths).
      std::size_t entries = candidates.size(), cells = 1;
      VisitCells(around, hitMap_.cell, [&](std::uint64_t key) {
        const auto cell = hitMap_.cells.find(key);
        if (cell != hitMap_.cells.end()) entries += cell->second.size();
        ++cells;
      });
      if (entries > kMaxCandidates * cells) return HitTestByWalk(point, tolerance);
      VisitCells(around, hitMap_.cell, [&](std::uint64_t key) {
        const auto cell = hitMap_.cells.find(key);
        if (cell != hitMap_.cells.end()) candidates.insert(candidates.end(), cell->second.begin(), cell->second.end());
      });
    } else {
      for (const auto& [key, ids] : hitMap_.cells) candidates.insert(candidates.end(), ids.begin(), ids.end());
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    // Where the point lies under much of the drawing (long page-wide paths),
    // walking in order and stopping at the first hit costs less than ordering
    // many hits.
    if (candidates.size() > kMaxCandidates) return HitTestByWalk(point, tolerance);
    std::optional<HitResult> first;
    for (ObjectId id : candidates) {
      const AIRealRect& b = hitMap_.filed.at(id);
      if (point.h < b.left - reach || point.h > b.right + reach || point.v < b.bottom - reach || point.v > b.top + reach)
        continue;
      const Art& art = *arts_.at(id);
      if (!HittableThrough(art)) continue;
      if (first && !BeforeInDocument(id, first->object)) continue;
      if (auto hit = HitArt(art, point, tolerance)) first = hit;
    }
    return first ? *first : none;
  }
  const Art* art = FindArt(artId);
  if (!art) return none;
  const Layer* layer = FindLayer(art->layer);
  if (!layer || !layer->visible || !layer->editable) return none;
  // Art inside a hidden or locked group is hidden or locked too.
  if (art->parent && InheritsAttr(*FindArt(art->parent), kArtHidden | kArtLocked)) return none;
  if (auto hit = HitArt(*art, point, tolerance)) return *hit;
  return none;
}

}  // namespace hostsim
