#include "geometry/Arrowheads.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDegreesToRadians = 3.1415927f / 180.0f;
constexpr float kBarbLength = 9.0f;    // shaft length of the V and triangle barbs
constexpr float kPointRadius = 2.5f;   // half the side of the dots and squares

void SetAnchor(HeadOutline& h, int i, Point p, Point in, Point out) {
  h.X[i] = p.x;
  h.Y[i] = p.y;
  h.InX[i] = in.x;
  h.InY[i] = in.y;
  h.OutX[i] = out.x;
  h.OutY[i] = out.y;
}

void SetSharp(HeadOutline& h, int i, float x, float y) { SetAnchor(h, i, {x, y}, {x, y}, {x, y}); }

void FillNotched(HeadOutline& h) {
  h.count = 6;
  SetSharp(h, 0, 0, 0);
  SetSharp(h, 1, 4.890738f, 1.0395584f);
  SetSharp(h, 2, 8.5727577f, 2.602483f);
  SetSharp(h, 3, 7, 0);
  SetSharp(h, 4, 8.5727577f, -2.602483f);
  SetSharp(h, 5, 4.890738f, -1.0395584f);
  h.HeadClosed = 1;
  h.HollowHead = 0;
  h.HeadLength = 7;
}

// Open V and triangle: barb, tip, barb.
void FillBarbs(HeadOutline& h, float spread) {
  h.count = 3;
  SetSharp(h, 0, kBarbLength, spread);
  SetSharp(h, 1, 0, 0);
  SetSharp(h, 2, kBarbLength, -spread);
}

void FillCircle(HeadOutline& h) {
  const float r = kPointRadius;
  const float k = kDotHandle;
  h.count = 4;
  SetAnchor(h, 0, {-r, 0}, {-r, -k}, {-r, k});
  SetAnchor(h, 1, {0, r}, {-k, r}, {k, r});
  SetAnchor(h, 2, {r, 0}, {r, k}, {r, -k});
  SetAnchor(h, 3, {0, -r}, {k, -r}, {-k, -r});
}

void FillSquare(HeadOutline& h) {
  const float r = kPointRadius;
  h.count = 4;
  SetSharp(h, 0, -r, -r);
  SetSharp(h, 1, r, -r);
  SetSharp(h, 2, r, r);
  SetSharp(h, 3, -r, r);
}

bool FillCustom(HeadOutline& h, const HeadSettings& s, const BezierPointList& list) {
  if (!IsValidPointCount(s.customCount) || !std::isfinite(s.customLineStartX)) return false;
  h.count = static_cast<int8_t>(s.customCount);
  for (int i = 0; i < s.customCount; ++i) {
    // The editor's I handle leaves the anchor: it is the path's out handle.
    const Anchor a = {{list.X[i], list.Y[i]}, {list.OX[i], list.OY[i]}, {list.IX[i], list.IY[i]}};
    if (!IsFinite(a)) return false;
    SetAnchor(h, i, a.p, a.in, a.out);
  }
  h.HeadClosed = s.customClosed;
  h.HollowHead = s.customHollow;
  h.HeadLength = s.customLineStartX;
  return true;
}

}  // namespace

float BarbHalfSpread(float angleDegrees) {
  float degrees = std::isfinite(angleDegrees) ? angleDegrees : kDefaultHeadAngleDegrees;
  // A negative half-opening draws the same V mirrored; only its size is bounded.
  degrees = std::clamp(degrees, -kMaxHeadAngleDegrees, kMaxHeadAngleDegrees);
  const float radians = degrees * kDegreesToRadians;
  return kBarbLength * std::sin(radians) / std::cos(radians);
}

bool ChooseHeadOutline(int kind, bool arrowsOn, const HeadSettings& settings,
                       const BezierPointList& customPoints, HeadOutline& out) {
  HeadOutline h{};
  if (arrowsOn) {
    switch (kind) {
      case 1:
        FillNotched(h);
        break;
      case 2:
        FillBarbs(h, BarbHalfSpread(settings.openAngleDegrees));
        h.HeadClosed = 0;
        h.HollowHead = 1;
        h.HeadLength = 0;
        break;
      case 3:
        FillBarbs(h, BarbHalfSpread(settings.triangleAngleDegrees));
        h.HeadClosed = 1;
        h.HollowHead = settings.hollowTriangle;
        h.HeadLength = kBarbLength;
        break;
      case 4:
        if (!FillCustom(h, settings, customPoints)) return false;
        break;
      default:
        return false;
    }
  } else {
    switch (kind) {
      case 1:
      case 2:
        FillCircle(h);
        break;
      case 3:
      case 4:
        FillSquare(h);
        break;
      default:
        return false;
    }
    h.HeadClosed = 1;
    h.HollowHead = (kind == 2 || kind == 4);  // ring and open square
    h.HeadLength = kPointRadius;
  }
  out = h;
  return true;
}

Point LeaderLineStart(Point tip, float theta, float headLength, float sizePercent) {
  if (!(sizePercent > 0) || !std::isfinite(sizePercent)) return tip;
  const float distance = headLength * sizePercent / 100;
  const Point start = {tip.x + distance * std::cos(theta), tip.y + distance * std::sin(theta)};
  return IsFinite(start) ? start : tip;
}

std::vector<Anchor> PlaceHead(const HeadOutline& outline, float sizePercent, float theta, Point tip) {
  if (!(sizePercent > 0) || !std::isfinite(sizePercent)) return {};
  if (outline.count < 1 || outline.count > kPointListCapacity) return {};
  const float s = sizePercent / 100;
  const float c = std::cos(theta);
  const float n = std::sin(theta);
  auto place = [&](float x, float y) { return Translate(Rotate(Scale({x, y}, s), c, n), tip); };

  std::vector<Anchor> anchors(static_cast<size_t>(outline.count));
  for (int j = 0; j < outline.count; ++j) {
    Anchor& a = anchors[static_cast<size_t>(j)];
    a.p = place(outline.X[j], outline.Y[j]);
    a.in = place(outline.InX[j], outline.InY[j]);
    a.out = place(outline.OutX[j], outline.OutY[j]);
    if (!IsFinite(a)) return {};
  }
  return anchors;
}

HeadTag TagForHead(bool arrowsOn, int kind) {
  if (!arrowsOn) return HeadTag::Point;
  return (kind == 1 || kind == 4) ? HeadTag::Arrow : HeadTag::None;
}

const char* HeadTagName(HeadTag tag) {
  switch (tag) {
    case HeadTag::Point:
      return kPointHeadTag;
    case HeadTag::Arrow:
      return kArrowHeadTag;
    case HeadTag::None:
      break;
  }
  return nullptr;
}

bool FindTip(std::span<const Anchor> head, HeadTag tag, Point& tip) {
  switch (tag) {
    case HeadTag::Point:
      if (head.size() < 3) return false;
      tip = {(head[0].p.x + head[2].p.x) / 2, (head[0].p.y + head[2].p.y) / 2};
      return true;
    case HeadTag::Arrow:
      if (head.empty()) return false;
      tip = head[0].p;
      return true;
    case HeadTag::None:
      break;
  }
  if (head.size() < 2) return false;
  tip = head[1].p;
  return true;
}
