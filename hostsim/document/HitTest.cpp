// Hit testing: the top-most visible, unlocked art under a point wins. On a
// path an anchor beats a segment, and a segment beats the inside of the fill.
#include <algorithm>
#include <cmath>

#include "host/AISuites.h"
#include "hostsim/document/Document.h"
#include "hostsim/document/Geometry.h"

namespace hostsim {
namespace {

bool Filled(const PathData& path) { return path.style.fillPaint && path.style.fill.color.kind != kNoneColor; }

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
      for (ObjectId child : art.children) {
        if (auto hit = HitArt(*FindArt(child), point, tolerance)) return hit;
      }
      return std::nullopt;
    case ArtKind::Path:
      if (art.path.guide) return std::nullopt;
      return HitPath(art, ToVec(point), tolerance);
    case ArtKind::Text: {
      const AIRealRect b = TextBounds(art.text);
      if (point.h >= b.left - tolerance && point.h <= b.right + tolerance && point.v >= b.bottom - tolerance &&
          point.v <= b.top + tolerance) {
        HitResult r;
        r.hit = true;
        r.object = art.id;
        r.type = kTextHitType;
        r.point = point;
        return r;
      }
      return std::nullopt;
    }
  }
  return std::nullopt;
}

HitResult Document::HitTest(ObjectId artId, AIRealPoint point, double tolerance) const {
  HitResult none;
  none.point = point;
  if (artId == 0) {
    for (const Layer& layer : layers_) {
      if (!layer.visible || !layer.editable) continue;
      if (auto hit = HitArt(*FindArt(layer.group), point, tolerance)) return *hit;
    }
    return none;
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
