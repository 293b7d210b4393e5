// [SECTION] Path data commands
// [SECTION] Numbers
// [SECTION] Arcs

#include "hostsim/document/PathData.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace hostsim {
//-----------------------------------------------------------------------------
// [SECTION] Path data commands
//-----------------------------------------------------------------------------

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool StartsNumber(char c) { return IsDigit(c) || c == '-' || c == '+' || c == '.'; }

Vec2 Add(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
Vec2 Sub(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
Vec2 Scale(Vec2 a, double k) { return {a.x * k, a.y * k}; }
Vec2 Reflect(Vec2 point, Vec2 about) { return {2 * about.x - point.x, 2 * about.y - point.y}; }

// Number of arguments each command takes per repetition.
int ArgumentCount(char command) {
  switch (command) {
    case 'M': case 'L': case 'T': return 2;
    case 'H': case 'V': return 1;
    case 'C': return 6;
    case 'S': case 'Q': return 4;
    case 'A': return 7;
    case 'Z': return 0;
    default: return -1;
  }
}

class Parser {
 public:
  Parser(std::string_view d, PathSink& sink) : d_(d), sink_(sink) {}

  std::optional<PathDataError> Run() {
    SkipSpace();
    if (pos_ == d_.size()) return std::nullopt;  // empty data draws nothing
    if (d_[pos_] != 'M' && d_[pos_] != 'm') return Error("path data must begin with a move (M or m)");
    while (pos_ < d_.size()) {
      const char letter = d_[pos_];
      const char command = static_cast<char>(letter & ~0x20);  // upper case
      const int count = ArgumentCount(command);
      if (count < 0 || !std::isalpha(static_cast<unsigned char>(letter))) {
        return Error(StartsNumber(letter) ? "a command letter is expected" : "unknown path command");
      }
      const bool relative = letter != command;
      ++pos_;
      SkipSpace();
      if (count == 0) {
        Close();
        continue;
      }
      bool first = true;
      do {
        double args[7];
        if (auto err = ReadArguments(command, count, args)) return err;
        Execute(command, relative, first, args);
        first = false;
        // Arguments may repeat the command; a comma must lead to another set.
        if (pos_ < d_.size() && d_[pos_] == ',') {
          ++pos_;
          SkipSpace();
          if (pos_ == d_.size() || !StartsNumber(d_[pos_])) return Error("a number is expected after the comma");
        }
      } while (pos_ < d_.size() && StartsNumber(d_[pos_]));
    }
    return std::nullopt;
  }

 private:
  PathDataError Error(std::string message) const { return {pos_, std::move(message)}; }

  void SkipSpace() {
    while (pos_ < d_.size() && IsSpace(d_[pos_])) ++pos_;
  }

  // Optional white space, one optional comma, optional white space.
  void SkipSeparator() {
    SkipSpace();
    if (pos_ < d_.size() && d_[pos_] == ',') {
      ++pos_;
      SkipSpace();
    }
  }

  std::optional<PathDataError> ReadArguments(char command, int count, double* args) {
    for (int i = 0; i < count; ++i) {
      if (i > 0) SkipSeparator();
      if (command == 'A' && (i == 3 || i == 4)) {  // flags are one digit, 0 or 1
        if (pos_ == d_.size() || (d_[pos_] != '0' && d_[pos_] != '1')) return Error("an arc flag (0 or 1) is expected");
        args[i] = d_[pos_] == '1' ? 1 : 0;
        ++pos_;
        continue;
      }
      const std::size_t at = pos_;
      const auto value = ScanNumber(d_, pos_);
      if (!value) {
        if (at < d_.size() && StartsNumber(d_[at])) return Error("a number is malformed or out of range");
        return Error(pos_ == d_.size() ? "the path data ends in the middle of a command" : "a number is expected");
      }
      args[i] = *value;
    }
    SkipSpace();
    return std::nullopt;
  }

  // A drawing command after a close starts a new subpath at the closed one's start.
  void EnsureOpen() {
    if (!open_) {
      sink_.MoveTo(current_);
      start_ = current_;
      open_ = true;
    }
  }

  void Close() {
    if (open_) sink_.ClosePath();
    open_ = false;
    current_ = start_;
    previous_ = 'Z';
  }

  void Execute(char command, bool relative, bool first, const double* a) {
    const Vec2 base = relative ? current_ : Vec2{0, 0};
    auto at = [&](int i) { return Add(base, Vec2{a[i], a[i + 1]}); };
    switch (command) {
      case 'M':
        if (first) {
          current_ = start_ = at(0);
          sink_.MoveTo(current_);
          open_ = true;
          previous_ = 'M';
          return;
        }
        [[fallthrough]];  // further pairs are lines
      case 'L':
        LineTo(at(0));
        break;
      case 'H':
        LineTo({a[0] + (relative ? current_.x : 0), current_.y});
        break;
      case 'V':
        LineTo({current_.x, a[0] + (relative ? current_.y : 0)});
        break;
      case 'C':
        CurveTo(at(0), at(2), at(4));
        break;
      case 'S': {
        const bool follows = previous_ == 'C' || previous_ == 'S';
        CurveTo(follows ? Reflect(control_, current_) : current_, at(0), at(2));
        break;
      }
      case 'Q':
        QuadTo(at(0), at(2));
        break;
      case 'T': {
        const bool follows = previous_ == 'Q' || previous_ == 'T';
        QuadTo(follows ? Reflect(control_, current_) : current_, at(0));
        break;
      }
      case 'A': {
        EnsureOpen();
        const Vec2 to = at(5);
        ArcToCubics(current_, a[0], a[1], a[2], a[3] != 0, a[4] != 0, to, sink_);
        current_ = to;
        break;
      }
    }
    previous_ = command;
  }

  void LineTo(Vec2 p) {
    EnsureOpen();
    sink_.LineTo(p);
    current_ = p;
  }

  void CurveTo(Vec2 c1, Vec2 c2, Vec2 p) {
    EnsureOpen();
    sink_.CurveTo(c1, c2, p);
    control_ = c2;
    current_ = p;
  }

  // A quadratic is the cubic whose controls lie two thirds of the way from
  // each end towards the quadratic's control point.
  void QuadTo(Vec2 q, Vec2 p) {
    EnsureOpen();
    const Vec2 c1 = Add(current_, Scale(Sub(q, current_), 2.0 / 3.0));
    const Vec2 c2 = Add(p, Scale(Sub(q, p), 2.0 / 3.0));
    sink_.CurveTo(c1, c2, p);
    control_ = q;
    current_ = p;
  }

  std::string_view d_;
  PathSink& sink_;
  std::size_t pos_ = 0;
  Vec2 current_, start_;
  Vec2 control_;        // last cubic's second control, or last quadratic's control
  char previous_ = 0;   // upper-case letter of the previous command
  bool open_ = false;   // a subpath is started and not closed
};

}  // namespace

//-----------------------------------------------------------------------------
// [SECTION] Numbers
//-----------------------------------------------------------------------------

std::optional<double> ScanNumber(std::string_view text, std::size_t& pos) {
  std::size_t i = pos;
  const std::size_t size = text.size();
  if (i < size && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t mantissa = i;
  while (i < size && IsDigit(text[i])) ++i;
  bool digits = i > mantissa;
  if (i < size && text[i] == '.') {
    const std::size_t fraction = ++i;
    while (i < size && IsDigit(text[i])) ++i;
    digits = digits || i > fraction;
  }
  if (!digits) return std::nullopt;
  if (i < size && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < size && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t exponent = j;
    while (j < size && IsDigit(text[j])) ++j;
    if (j > exponent) i = j;  // an 'e' without digits is not part of the number
  }
  std::size_t from = pos;
  if (text[from] == '+') ++from;  // from_chars takes no plus sign
  double value = 0;
  const auto result = std::from_chars(text.data() + from, text.data() + i, value);
  if (result.ec != std::errc() || result.ptr != text.data() + i || !std::isfinite(value)) return std::nullopt;
  pos = i;
  return value;
}

bool ParseNumberList(std::string_view text, std::vector<double>& out) {
  std::size_t pos = 0;
  auto skipSpace = [&] {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
  };
  skipSpace();
  bool needNumber = false;  // after a comma
  while (pos < text.size()) {
    const auto value = ScanNumber(text, pos);
    if (!value) return false;
    out.push_back(*value);
    skipSpace();
    needNumber = pos < text.size() && text[pos] == ',';
    if (needNumber) {
      ++pos;
      skipSpace();
    }
  }
  return !needNumber;
}

std::optional<PathDataError> ParsePathData(std::string_view d, PathSink& sink) { return Parser(d, sink).Run(); }

//-----------------------------------------------------------------------------
// [SECTION] Arcs
//-----------------------------------------------------------------------------

void ArcToCubics(Vec2 from, double rx, double ry, double xAxisRotationDegrees, bool largeArc, bool sweep, Vec2 to,
                 PathSink& sink) {
  if (from.x == to.x && from.y == to.y) return;
  rx = std::fabs(rx);
  ry = std::fabs(ry);
  if (rx == 0 || ry == 0) {
    sink.LineTo(to);
    return;
  }
  const double phi = std::fmod(xAxisRotationDegrees, 360.0) * std::numbers::pi / 180;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  // The start point in the ellipse's own axes, the chord's midpoint at the origin.
  const double dx = (from.x - to.x) / 2, dy = (from.y - to.y) / 2;
  const double x1 = cosPhi * dx + sinPhi * dy;
  const double y1 = -sinPhi * dx + cosPhi * dy;
  // Radii too small to span the chord grow until they just do.
  const double lambda = (x1 / rx) * (x1 / rx) + (y1 / ry) * (y1 / ry);
  if (!(lambda > 0) || !std::isfinite(lambda)) {
    sink.LineTo(to);
    return;
  }
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  const double ratio = lambda > 1 ? 0 : 1 / lambda - 1;
  const double coef = (largeArc == sweep ? -1 : 1) * std::sqrt(ratio);
  const double cx1 = coef * rx * y1 / ry, cy1 = -coef * ry * x1 / rx;
  if (!std::isfinite(cx1) || !std::isfinite(cy1)) {
    sink.LineTo(to);
    return;
  }
  const double cx = cosPhi * cx1 - sinPhi * cy1 + (from.x + to.x) / 2;
  const double cy = sinPhi * cx1 + cosPhi * cy1 + (from.y + to.y) / 2;
  const double ux = (x1 - cx1) / rx, uy = (y1 - cy1) / ry;
  const double vx = (-x1 - cx1) / rx, vy = (-y1 - cy1) / ry;
  const double theta1 = std::atan2(uy, ux);
  double sweepAngle = std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
  if (!sweep && sweepAngle > 0) sweepAngle -= 2 * std::numbers::pi;
  if (sweep && sweepAngle < 0) sweepAngle += 2 * std::numbers::pi;

  // Pieces of at most a quarter turn; each is a cubic whose handles have the
  // length 4/3 tan(angle / 4) times the tangent.
  const int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(sweepAngle) / (std::numbers::pi / 2) - 1e-9)));
  const double step = sweepAngle / pieces;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  auto point = [&](double t) {
    const double c = std::cos(t), s = std::sin(t);
    return Vec2{cx + rx * c * cosPhi - ry * s * sinPhi, cy + rx * c * sinPhi + ry * s * cosPhi};
  };
  auto tangent = [&](double t) {
    const double c = std::cos(t), s = std::sin(t);
    return Vec2{-rx * s * cosPhi - ry * c * sinPhi, -rx * s * sinPhi + ry * c * cosPhi};
  };
  Vec2 start = from;
  for (int i = 0; i < pieces; ++i) {
    const double t1 = theta1 + i * step, t2 = t1 + step;
    const Vec2 end = i + 1 == pieces ? to : point(t2);
    sink.CurveTo(Add(start, Scale(tangent(t1), k)), Sub(end, Scale(tangent(t2), k)), end);
    start = end;
  }
}

}  // namespace hostsim
