#include "hostsim/document/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hostsim {
namespace {

Vec2 Lerp(Vec2 a, Vec2 b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

constexpr int kFlattenSteps = 24;

}  // namespace

double Distance(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

Vec2 Evaluate(const Cubic& c, double t) {
  const double u = 1 - t;
  const double a = u * u * u, b = 3 * u * u * t, d = 3 * u * t * t, e = t * t * t;
  return {a * c.p0.x + b * c.p1.x + d * c.p2.x + e * c.p3.x, a * c.p0.y + b * c.p1.y + d * c.p2.y + e * c.p3.y};
}

void Divide(const Cubic& c, double t, Cubic& first, Cubic& second) {
  const Vec2 p01 = Lerp(c.p0, c.p1, t), p12 = Lerp(c.p1, c.p2, t), p23 = Lerp(c.p2, c.p3, t);
  const Vec2 p012 = Lerp(p01, p12, t), p123 = Lerp(p12, p23, t);
  const Vec2 mid = Lerp(p012, p123, t);
  first = {c.p0, p01, p012, mid};
  second = {mid, p123, p23, c.p3};
}

NearestPoint Nearest(const Cubic& c, Vec2 p) {
  constexpr int kSamples = 64;
  NearestPoint best{0, c.p0, Distance(c.p0, p)};
  for (int i = 1; i <= kSamples; ++i) {
    const double t = static_cast<double>(i) / kSamples;
    const Vec2 q = Evaluate(c, t);
    const double d = Distance(q, p);
    if (d < best.distance) best = {t, q, d};
  }
  // Walk towards the minimum with a halving step; the sampling has put us in
  // the right basin, so this converges to the local (and global) minimum.
  for (double step = 1.0 / kSamples; step > 1e-9; step *= 0.5) {
    for (double t : {best.t - step, best.t + step}) {
      if (t < 0 || t > 1) continue;
      const Vec2 q = Evaluate(c, t);
      const double d = Distance(q, p);
      if (d < best.distance) best = {t, q, d};
    }
  }
  return best;
}

void Extent::Add(Vec2 p) {
  if (empty) {
    left = right = p.x;
    bottom = top = p.y;
    empty = false;
    return;
  }
  left = std::min(left, p.x);
  right = std::max(right, p.x);
  bottom = std::min(bottom, p.y);
  top = std::max(top, p.y);
}

void AddCubic(const Cubic& c, Extent& e) {
  e.Add(c.p0);
  e.Add(c.p3);
  // Turning points: roots in (0, 1) of the derivative a t^2 + b t + k, per axis.
  auto extremes = [&](double p0, double p1, double p2, double p3) {
    const double a = -p0 + 3 * p1 - 3 * p2 + p3, b = 2 * (p0 - 2 * p1 + p2), k = p1 - p0;
    double roots[2];
    int count = 0;
    if (std::fabs(a) < 1e-12) {
      if (std::fabs(b) > 1e-12) roots[count++] = -k / b;
    } else {
      const double disc = b * b - 4 * a * k;
      if (disc >= 0) {
        const double r = std::sqrt(disc);
        roots[count++] = (-b + r) / (2 * a);
        roots[count++] = (-b - r) / (2 * a);
      }
    }
    for (int i = 0; i < count; ++i) {
      if (roots[i] > 0 && roots[i] < 1) e.Add(Evaluate(c, roots[i]));
    }
  };
  extremes(c.p0.x, c.p1.x, c.p2.x, c.p3.x);
  extremes(c.p0.y, c.p1.y, c.p2.y, c.p3.y);
}

Cubic SegmentCubic(const AIPathSegment& from, const AIPathSegment& to) {
  return {ToVec(from.p), ToVec(from.out), ToVec(to.in), ToVec(to.p)};
}

bool InsideOutline(const std::vector<AIPathSegment>& segments, Vec2 p, bool evenOdd) {
  const std::size_t n = segments.size();
  if (n < 2) return false;
  std::vector<Vec2> polygon;
  polygon.reserve(n * kFlattenSteps);
  for (std::size_t i = 0; i < n; ++i) {
    const Cubic c = SegmentCubic(segments[i], segments[(i + 1) % n]);
    for (int k = 0; k < kFlattenSteps; ++k) polygon.push_back(Evaluate(c, static_cast<double>(k) / kFlattenSteps));
  }
  int winding = 0;
  int crossings = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Vec2 a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    if ((a.y <= p.y) == (b.y <= p.y)) continue;
    const double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
    if (x > p.x) {
      ++crossings;
      winding += b.y > a.y ? 1 : -1;
    }
  }
  return evenOdd ? (crossings % 2) == 1 : winding != 0;
}

AIRealPoint Transform(const AIRealMatrix& m, AIRealPoint p) {
  const double x = p.h, y = p.v;
  return {static_cast<AIReal>(m.a * x + m.c * y + m.tx), static_cast<AIReal>(m.b * x + m.d * y + m.ty)};
}

bool FitsReal(double v) { return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<AIReal>::max(); }

bool TransformFits(const AIRealMatrix& m, AIRealPoint p) {
  const double x = p.h, y = p.v;
  return FitsReal(m.a * x + m.c * y + m.tx) && FitsReal(m.b * x + m.d * y + m.ty);
}

bool IsFinite(const AIRealMatrix& m) {
  for (AIReal v : {m.a, m.b, m.c, m.d, m.tx, m.ty}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

}  // namespace hostsim
