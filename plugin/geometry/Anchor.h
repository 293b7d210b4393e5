// Plain geometry values shared by the label outlines and the arrowheads.
// Document points, y growing upwards. No host types here: the rebuild turns
// anchors into host path segments.
#pragma once

#include <cmath>

struct Point {
  float x, y;
};

// One path anchor: the point and its two handles. A sharp anchor has both
// handles on the point.
struct Anchor {
  Point p, in, out;
};

inline Anchor Sharp(Point p) { return {p, p, p}; }
inline Anchor Sharp(float x, float y) { return Sharp(Point{x, y}); }

inline Point Translate(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }
inline Anchor Translate(const Anchor& a, Point by) {
  return {Translate(a.p, by), Translate(a.in, by), Translate(a.out, by)};
}

inline Point Scale(Point p, float s) { return {p.x * s, p.y * s}; }

// Rotation about the origin by the angle whose cosine and sine are given.
inline Point Rotate(Point p, float cosA, float sinA) {
  return {p.x * cosA - p.y * sinA, p.x * sinA + p.y * cosA};
}

inline Point MirrorX(Point p) { return {-p.x, p.y}; }  // mirror across the y axis
inline Point MirrorY(Point p) { return {p.x, -p.y}; }  // mirror across the x axis

inline bool IsFinite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }
inline bool IsFinite(const Anchor& a) { return IsFinite(a.p) && IsFinite(a.in) && IsFinite(a.out); }
