// Paths and basic shapes, turned into document anchors and path art.
#include "hostsim/document/SvgReaderImpl.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hostsim::svgread {
namespace {

// The path suite counts anchors in 16 bits.
constexpr std::size_t kMaxPathAnchors = 32767;

struct Subpath {
  std::vector<AIPathSegment> segments;
  bool closed = false;
};

// Turns moves, lines and curves in user units into document anchors. A point
// out of range, or more anchors than the budget, stops the collection and is
// reported by the flags; the caller names the element.
class AnchorSink final : public PathSink {
 public:
  AnchorSink(const Matrix& m, std::size_t budget) : m_(m), budget_(budget) {}

  void MoveTo(Vec2 p) override {
    subpaths_.emplace_back();
    Append(p, p);
    lastCurve_ = false;
  }
  void LineTo(Vec2 p) override {
    Append(p, p);
    lastCurve_ = false;
  }
  void CurveTo(Vec2 c1, Vec2 c2, Vec2 p) override {
    if (stopped() || subpaths_.empty() || subpaths_.back().segments.empty()) return;
    const AIRealPoint out = Point(c1);
    subpaths_.back().segments.back().out = out;
    Append(p, c2);
    lastCurve_ = true;
  }
  // A closing curve that ends on the first anchor joins it: its control
  // point becomes the first anchor's in handle.
  void ClosePath() override {
    if (stopped() || subpaths_.empty()) return;
    Subpath& s = subpaths_.back();
    s.closed = true;
    if (lastCurve_ && s.segments.size() > 2) {
      const AIPathSegment& last = s.segments.back();
      AIPathSegment& first = s.segments.front();
      if (Near(last.p.h, first.p.h) && Near(last.p.v, first.p.v)) {
        first.in = last.in;
        s.segments.pop_back();
        --anchors_;
      }
    }
    lastCurve_ = false;
  }

  bool outOfRange() const { return outOfRange_; }
  bool overBudget() const { return overBudget_; }
  std::size_t anchors() const { return anchors_; }

  // The subpaths with their corner flags. Lone moves are dropped when the
  // path has something else to draw.
  std::vector<Subpath> Take() {
    std::vector<Subpath> out;
    for (Subpath& s : subpaths_) {
      if (s.segments.size() < 2 && subpaths_.size() > 1) continue;
      for (AIPathSegment& seg : s.segments) seg.corner = !Smooth(seg);
      out.push_back(std::move(s));
    }
    return out;
  }

 private:
  bool stopped() const { return outOfRange_ || overBudget_; }

  static bool Near(AIReal a, AIReal b) { return std::fabs(a - b) <= 1e-4 + 1e-6 * std::fabs(a); }

  // Handles on both sides, pointing in opposite directions.
  static bool Smooth(const AIPathSegment& s) {
    const double ix = s.in.h - s.p.h, iy = s.in.v - s.p.v, ox = s.out.h - s.p.h, oy = s.out.v - s.p.v;
    if ((ix == 0 && iy == 0) || (ox == 0 && oy == 0)) return false;
    const double cross = ix * oy - iy * ox, dot = ix * ox + iy * oy;
    return dot < 0 && std::fabs(cross) <= 1e-3 * std::hypot(ix, iy) * std::hypot(ox, oy);
  }

  AIRealPoint Point(Vec2 user) {
    const Vec2 p = Apply(m_, user);
    if (!(std::fabs(p.x) <= kMaxCoordinate && std::fabs(p.y) <= kMaxCoordinate)) {
      outOfRange_ = true;
      return {0, 0};
    }
    return ToPoint(p);
  }

  void Append(Vec2 p, Vec2 in) {
    if (stopped() || subpaths_.empty()) return;
    if (anchors_ >= budget_) {
      overBudget_ = true;
      return;
    }
    const AIRealPoint point = Point(p);
    subpaths_.back().segments.push_back({point, Point(in), point, true});
    ++anchors_;
  }

  Matrix m_;
  std::size_t budget_;
  std::vector<Subpath> subpaths_;
  std::size_t anchors_ = 0;
  bool lastCurve_ = false;
  bool outOfRange_ = false;
  bool overBudget_ = false;
};

}  // namespace

std::optional<double> Reader::Attribute(pugi::xml_node n, const char* name, double percentOf, const Context& c) {
  const char* text = n.attribute(name).value();
  if (!*text) return std::nullopt;
  const auto v = Length(text, percentOf, c.style.fontSize);
  if (!v) Fail(n, std::string("the ") + name + " \"" + text + "\" is not a length");
  return v;
}

// Writes the geometry of a basic shape or path to the sink; false when the
// shape draws nothing (a zero size).
bool Reader::Geometry(const std::string& name, pugi::xml_node n, const Context& c, PathSink& sink) {
  const double across = viewport_.x, up = viewport_.y, diagonal = Diagonal();
  auto length = [&](const char* attribute, double percentOf) {
    return Attribute(n, attribute, percentOf, c).value_or(0);
  };
  auto notNegative = [&](double v, const char* what) {
    if (v < 0) Fail(n, std::string("the ") + what + " is negative");
    return v;
  };
  if (name == "path") {
    const std::string_view d = n.attribute("d").value();
    if (const auto err = ParsePathData(d, sink)) {
      Fail(n, "the path data cannot be read at character " + std::to_string(err->offset + 1) + ": " +
                  err->message);
    }
    return true;
  }
  if (name == "line") {
    sink.MoveTo({length("x1", across), length("y1", up)});
    sink.LineTo({length("x2", across), length("y2", up)});
    return true;
  }
  if (name == "polyline" || name == "polygon") {
    std::vector<double> v;
    if (!ParseNumberList(n.attribute("points").value(), v) || v.size() % 2 != 0) {
      Fail(n, "the points are not a list of coordinate pairs");
    }
    if (v.empty()) return false;
    sink.MoveTo({v[0], v[1]});
    for (std::size_t i = 2; i < v.size(); i += 2) sink.LineTo({v[i], v[i + 1]});
    if (name == "polygon") sink.ClosePath();
    return true;
  }
  constexpr double k = 0.5522847498307936;  // handle length of a quarter circle of radius 1
  if (name == "circle" || name == "ellipse") {
    const double cx = length("cx", across), cy = length("cy", up);
    double rx = 0, ry = 0;
    if (name == "circle") {
      rx = ry = notNegative(length("r", diagonal), "radius");
    } else {
      const auto ax = Attribute(n, "rx", across, c), ay = Attribute(n, "ry", up, c);
      rx = notNegative(ax ? *ax : ay.value_or(0), "radius");
      ry = notNegative(ay ? *ay : ax.value_or(0), "radius");
    }
    if (rx == 0 || ry == 0) return false;
    // From the right, clockwise on screen, as SVG draws them.
    sink.MoveTo({cx + rx, cy});
    sink.CurveTo({cx + rx, cy + k * ry}, {cx + k * rx, cy + ry}, {cx, cy + ry});
    sink.CurveTo({cx - k * rx, cy + ry}, {cx - rx, cy + k * ry}, {cx - rx, cy});
    sink.CurveTo({cx - rx, cy - k * ry}, {cx - k * rx, cy - ry}, {cx, cy - ry});
    sink.CurveTo({cx + k * rx, cy - ry}, {cx + rx, cy - k * ry}, {cx + rx, cy});
    sink.ClosePath();
    return true;
  }
  // rect
  const double x = length("x", across), y = length("y", up);
  const double w = notNegative(length("width", across), "width");
  const double h = notNegative(length("height", up), "height");
  if (w == 0 || h == 0) return false;
  const auto ax = Attribute(n, "rx", across, c), ay = Attribute(n, "ry", up, c);
  double rx = ax ? *ax : ay.value_or(0), ry = ay ? *ay : ax.value_or(0);
  rx = std::clamp(rx, 0.0, w / 2);
  ry = std::clamp(ry, 0.0, h / 2);
  if (rx == 0 || ry == 0) {
    sink.MoveTo({x, y});
    sink.LineTo({x + w, y});
    sink.LineTo({x + w, y + h});
    sink.LineTo({x, y + h});
    sink.ClosePath();
    return true;
  }
  const double kx = k * rx, ky = k * ry;
  auto line = [&](Vec2 from, Vec2 to) {
    if (from.x != to.x || from.y != to.y) sink.LineTo(to);
  };
  sink.MoveTo({x + rx, y});
  line({x + rx, y}, {x + w - rx, y});
  sink.CurveTo({x + w - rx + kx, y}, {x + w, y + ry - ky}, {x + w, y + ry});
  line({x + w, y + ry}, {x + w, y + h - ry});
  sink.CurveTo({x + w, y + h - ry + ky}, {x + w - rx + kx, y + h}, {x + w - rx, y + h});
  line({x + w - rx, y + h}, {x + rx, y + h});
  sink.CurveTo({x + rx - kx, y + h}, {x, y + h - ry + ky}, {x, y + h - ry});
  line({x, y + h - ry}, {x, y + ry});
  sink.CurveTo({x, y + ry - ky}, {x + rx - kx, y}, {x + rx, y});
  sink.ClosePath();
  return true;
}

// False when the shape draws nothing (no size, no segment): it is kept as read.
bool Reader::Shape(const std::string& name, pugi::xml_node n, ObjectId parent, const Context& c, const Matrix& outer) {
  AnchorSink sink(c.ctm, limits_.maxAnchors - std::min(anchorCount_, limits_.maxAnchors));
  if (!Geometry(name, n, c, sink)) return false;
  if (sink.outOfRange()) Fail(n, "coordinates lie beyond 10000000 points");
  if (sink.overBudget()) Fail(n, "the drawing has more than " + std::to_string(limits_.maxAnchors) + " anchors");
  anchorCount_ += sink.anchors();
  std::vector<Subpath> parts = sink.Take();
  for (const Subpath& part : parts) {
    if (part.segments.size() > kMaxPathAnchors) {
      Fail(n, "a path has more than " + std::to_string(kMaxPathAnchors) + " anchors");
    }
  }
  if (c.style.markers && name != "rect" && name != "circle" && name != "ellipse") Warn("marker", n);
  const AIPathStyle style = PathStyleOf(n, c);
  const bool guide = std::string_view(n.attribute("data-guide").value()) == "true";
  const bool displayNone = OwnEffects(n).displayNone || !c.style.visible;
  const bool compound = parts.size() > 1 || std::string_view(n.attribute("data-compound").value()) == "true";
  if (!compound) {
    Art& art = NewArt(ArtKind::Path, parent, n);
    Common(art, n, displayNone);
    if (!parts.empty()) {
      art.path.segments = std::move(parts.front().segments);
      art.path.closed = parts.front().closed;
    }
    art.path.style = style;
    art.path.guide = guide;
    Attach(art, Source(n, outer, true));
    return true;
  }
  Art& group = NewArt(ArtKind::Group, parent, n);
  Common(group, n, displayNone);
  group.compound = true;
  Attach(group, Source(n, outer, true));
  const ObjectId id = group.id;
  for (Subpath& part : parts) {
    Art& art = NewArt(ArtKind::Path, id, n);
    art.path.segments = std::move(part.segments);
    art.path.closed = part.closed;
    art.path.style = style;
    art.path.guide = guide;
  }
  Reverse(id);
  return true;
}

}  // namespace hostsim::svgread
