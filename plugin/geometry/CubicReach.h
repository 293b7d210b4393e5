// Conservative geometry of one cubic Bezier segment, for deciding cheaply
// that no point of it can come near a given point. Pure functions over plain
// values, in double precision so that float inputs lose nothing.
#pragma once

#include <algorithm>
#include <cmath>

struct Box {
  double left, bottom, right, top;
};

struct Cubic {
  double x[4], y[4];  // start, its out handle, the end's in handle, end
};

inline Box ControlBox(const Cubic& c) {
  return {std::min({c.x[0], c.x[1], c.x[2], c.x[3]}), std::min({c.y[0], c.y[1], c.y[2], c.y[3]}),
          std::max({c.x[0], c.x[1], c.x[2], c.x[3]}), std::max({c.y[0], c.y[1], c.y[2], c.y[3]})};
}

inline Box Grown(const Box& b, double by) { return {b.left - by, b.bottom - by, b.right + by, b.top + by}; }

inline bool Contains(const Box& b, double x, double y) {
  return x >= b.left && x <= b.right && y >= b.bottom && y <= b.top;
}

inline bool IsFinite(const Cubic& c) {
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(c.x[i]) || !std::isfinite(c.y[i])) return false;
  }
  return true;
}

// The point at t, in Bernstein form.
inline void PointAt(const Cubic& c, double t, double& x, double& y) {
  const double u = 1 - t, b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
  x = b0 * c.x[0] + b1 * c.x[1] + b2 * c.x[2] + b3 * c.x[3];
  y = b0 * c.y[0] + b1 * c.y[1] + b2 * c.y[2] + b3 * c.y[3];
}

// The derivative at t.
inline void TangentAt(const Cubic& c, double t, double& dx, double& dy) {
  const double u = 1 - t, a = 3 * u * u, b = 6 * u * t, d = 3 * t * t;
  dx = a * (c.x[1] - c.x[0]) + b * (c.x[2] - c.x[1]) + d * (c.x[3] - c.x[2]);
  dy = a * (c.y[1] - c.y[0]) + b * (c.y[2] - c.y[1]) + d * (c.y[3] - c.y[2]);
}

// The part of the curve between t0 and t1, as a cubic of its own.
inline Cubic Piece(const Cubic& c, double t0, double t1) {
  Cubic p;
  double dx0, dy0, dx1, dy1;
  PointAt(c, t0, p.x[0], p.y[0]);
  PointAt(c, t1, p.x[3], p.y[3]);
  TangentAt(c, t0, dx0, dy0);
  TangentAt(c, t1, dx1, dy1);
  const double k = (t1 - t0) / 3;
  p.x[1] = p.x[0] + k * dx0, p.y[1] = p.y[0] + k * dy0;
  p.x[2] = p.x[3] - k * dx1, p.y[2] = p.y[3] - k * dy1;
  return p;
}

// The square of the distance from (x, y) to the line segment from (x0, y0)
// to (x1, y1).
inline double SquaredDistanceToSegment(double x, double y, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
  const double t = length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0.0;
  const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
  return ex * ex + ey * ey;
}

// True when no point of the cubic comes within reach of (x, y): it lies in
// the hull of its control points, and the distance to a line segment is
// convex, so no point of it is nearer than its chord less the handles'
// distance from the chord.
inline bool FarFrom(const Cubic& c, double x, double y, double reach) {
  const double stray2 = std::max(SquaredDistanceToSegment(c.x[1], c.y[1], c.x[0], c.y[0], c.x[3], c.y[3]),
                                 SquaredDistanceToSegment(c.x[2], c.y[2], c.x[0], c.y[0], c.x[3], c.y[3]));
  const double within = reach + std::sqrt(stray2);
  return SquaredDistanceToSegment(x, y, c.x[0], c.y[0], c.x[3], c.y[3]) >= within * within;
}

// Splits at t = 0.5 (de Casteljau): each half lies inside its own control box.
inline void Halve(const Cubic& c, Cubic& first, Cubic& second) {
  const auto mid = [](double a, double b) { return (a + b) / 2; };
  double x01 = mid(c.x[0], c.x[1]), x12 = mid(c.x[1], c.x[2]), x23 = mid(c.x[2], c.x[3]);
  double y01 = mid(c.y[0], c.y[1]), y12 = mid(c.y[1], c.y[2]), y23 = mid(c.y[2], c.y[3]);
  double xa = mid(x01, x12), xb = mid(x12, x23), ya = mid(y01, y12), yb = mid(y12, y23);
  double xm = mid(xa, xb), ym = mid(ya, yb);
  first = {{c.x[0], x01, xa, xm}, {c.y[0], y01, ya, ym}};
  second = {{xm, xb, x23, c.x[3]}, {ym, yb, y23, c.y[3]}};
}

inline double Magnitude(const Box& b) {
  return std::max({std::fabs(b.left), std::fabs(b.right), std::fabs(b.bottom), std::fabs(b.top)});
}
inline double Magnitude(const Cubic& c) { return Magnitude(ControlBox(c)); }

// Slack for comparing a distance computed here with one a host computed from
// the same float coordinates in its own way: both round to float somewhere,
// so the slack grows with the size of the coordinates.
inline double RoundingSlack(double magnitude) { return 1e-3 + 1e-6 * magnitude; }
