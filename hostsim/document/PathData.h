// SVG path data ("M 10 20 c 5 0 ...") turned into absolute moves, lines and
// cubic Béziers written to a sink. Quadratic curves are raised to cubics,
// elliptical arcs become cubics of at most a quarter turn each, smooth curves
// get their reflected control point. Coordinates stay in the file's user
// units; placing them in the document is the caller's business.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/document/Geometry.h"

namespace hostsim {

// Receives a path as absolute geometry. Every LineTo, CurveTo and ClosePath
// follows a MoveTo; after ClosePath the next drawing command starts with a
// MoveTo back at the subpath's first point.
class PathSink {
 public:
  virtual ~PathSink() = default;
  virtual void MoveTo(Vec2 p) = 0;
  virtual void LineTo(Vec2 p) = 0;
  virtual void CurveTo(Vec2 c1, Vec2 c2, Vec2 p) = 0;
  virtual void ClosePath() = 0;
};

struct PathDataError {
  std::size_t offset = 0;  // byte offset of the offending character
  std::string message;     // "a number is expected", ...
};

// Parses the whole string. On an error nothing after it is written and the
// error is returned; what was written before it stays in the sink.
std::optional<PathDataError> ParsePathData(std::string_view d, PathSink& sink);

// The elliptical arc from `from` to `to` as cubics (SVG's endpoint
// parameterisation). Radii too small to reach `to` are scaled up; a zero
// radius gives a straight line; an arc that ends where it starts draws nothing.
void ArcToCubics(Vec2 from, double rx, double ry, double xAxisRotationDegrees, bool largeArc, bool sweep, Vec2 to,
                 PathSink& sink);

// Numbers separated by white space and/or one comma, as in `points` and
// `viewBox`. False on anything else (the numbers read so far stay in out).
bool ParseNumberList(std::string_view text, std::vector<double>& out);

// Reads one SVG number (sign, digits, fraction, exponent) at text[pos] and
// advances pos past it; nullopt (pos unchanged) when there is none or it is
// not finite.
std::optional<double> ScanNumber(std::string_view text, std::size_t& pos);

}  // namespace hostsim
