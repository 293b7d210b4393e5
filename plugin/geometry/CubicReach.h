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
