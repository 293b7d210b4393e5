#include "geometry/Shapes.h"

#include <cmath>

#include "geometry/LabelLayout.h"

namespace {

constexpr double kSqrt3Over4 = 0.433012701892219;
constexpr double kSqrt3Over2 = 0.866025403784439;

// An outline with a non-finite coordinate would reach the document as
// garbage; drop it whole instead.
std::vector<Anchor> FiniteOrEmpty(std::vector<Anchor> anchors) {
  for (const Anchor& a : anchors)
    if (!IsFinite(a)) return {};
  return anchors;
}

std::vector<Anchor> Translated(std::vector<Anchor> anchors, Point centre) {
  for (Anchor& a : anchors) a = Translate(a, centre);
  return FiniteOrEmpty(std::move(anchors));
}

bool AllFinite(std::initializer_list<float> values) {
  for (float v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

PlacedOutline FailedPlacement(Point landingEnd) {
  return {{}, std::isfinite(landingEnd.x) ? landingEnd.x : 0.0f};
}

// Mirrors a corner chain onto the neighbouring corner: the order reverses, so
// in and out handles trade places.
std::vector<Anchor> MirroredChain(const std::vector<Anchor>& from, Point (*mirror)(Point)) {
  const size_t n = from.size();
  std::vector<Anchor> to(n);
  for (size_t k = 0; k < n; ++k) {
    const Anchor& src = from[n - 1 - k];
    to[k] = {mirror(src.p), mirror(src.out), mirror(src.in)};
  }
  return to;
}

}  // namespace

std::vector<Anchor> RectangleOutline(float width, float height, Point centre) {
  if (!AllFinite({width, height, centre.x, centre.y})) return {};
  const float a = std::fabs(width / 2);
  const float b = std::fabs(height / 2);
  return Translated({Sharp(-a, b), Sharp(a, b), Sharp(a, -b), Sharp(-a, -b)}, centre);
}

std::vector<Anchor> RoundedRectangleOutline(float width, float height, float radius, Point centre) {
  if (!AllFinite({width, height, radius, centre.x, centre.y})) return {};
  if (radius == 0) return RectangleOutline(width, height, centre);

  float a = std::fabs(width / 2);
  float b = std::fabs(height / 2);
  const float R = std::fabs(radius);
  if (R > a) a = R;
  if (R > b) b = R;
  const float k = radius * kCircleHandle;  // negative for concave corners

  // The anchor points are the same for both signs; only the handles differ.
  std::vector<Anchor> out = {
      Sharp(-a, b - R), Sharp(R - a, b), Sharp(a - R, b), Sharp(a, b - R),
      Sharp(a, R - b),  Sharp(a - R, -b), Sharp(R - a, -b), Sharp(-a, R - b),
  };
  if (radius > 0) {
    out[0].out = {-a, b - R + k};
    out[1].in = {R - a - k, b};
    out[2].out = {a - R + k, b};
    out[3].in = {a, b - R + k};
    out[4].out = {a, R - b - k};
    out[5].in = {a - R + k, -b};
    out[6].out = {R - a - k, -b};
    out[7].in = {-a, R - b - k};
  } else {
    out[0].out = {-a - k, b - R};
    out[1].in = {R - a, b + k};
    out[2].out = {a - R, b + k};
    out[3].in = {a + k, b - R};
    out[4].out = {a + k, R - b};
    out[5].in = {a - R, -b - k};
    out[6].out = {R - a, -b - k};
    out[7].in = {-a - k, R - b};
  }
  return Translated(std::move(out), centre);
}

std::vector<Anchor> EllipseOutline(float halfWidth, float halfHeight, Point centre) {
  if (!AllFinite({halfWidth, halfHeight, centre.x, centre.y})) return {};
  const float a = halfWidth;
  const float b = halfHeight;
  const float ka = kCircleHandle * a;
  const float kb = kCircleHandle * b;
  return Translated(
      {
          {{-a, 0}, {-a, -kb}, {-a, kb}},
          {{0, b}, {-ka, b}, {ka, b}},
          {{a, 0}, {a, kb}, {a, -kb}},
          {{0, -b}, {ka, -b}, {-ka, -b}},
      },
      centre);
}

bool LabelExtendsRight(float leaderAngle, bool flipSide) {
  // The label box's own rule, so that a vertical leader never puts the shape
  // across its landing.
  return LeaderPointsRight(leaderAngle) != flipSide;
}

PlacedOutline TrapezoidOutline(float width, float height, Point landingEnd, float leaderAngle,
                               bool flipSide) {
  if (!AllFinite({width, height, landingEnd.x, landingEnd.y})) return FailedPlacement(landingEnd);
  const float t = static_cast<float>(height * kSqrt3Over4);
  const float q = height / 4;
  const float x0 = landingEnd.x;
  const float y0 = landingEnd.y;

  std::vector<Anchor> anchors;
  if (LabelExtendsRight(leaderAngle, flipSide)) {
    anchors = {Sharp(x0 - q, y0 - t), Sharp(x0 + q, y0 + t),
               Sharp(x0 - q + width - height / 2, y0 + t), Sharp(x0 - q + width, y0 - t)};
  } else {
    anchors = {Sharp(x0 + q, y0 - t), Sharp(x0 - q, y0 + t),
               Sharp(x0 + q - width + height / 2, y0 + t), Sharp(x0 + q - width, y0 - t)};
  }
  anchors = FiniteOrEmpty(std::move(anchors));
  if (anchors.empty()) return FailedPlacement(landingEnd);
  const float centreX = (anchors[1].p.x + anchors[2].p.x) / 2;
  return {std::move(anchors), centreX};
}

PlacedOutline TriangleOutline(float width, float height, Point landingEnd, float leaderAngle,
                              bool flipSide) {
  if (!AllFinite({width, height, landingEnd.x, landingEnd.y})) return FailedPlacement(landingEnd);
  const float h = static_cast<float>(width * kSqrt3Over2);
  const float q = height / 4;
  const float x0 = landingEnd.x;
  const float baseY = landingEnd.y - h / 2;
  const float apexY = landingEnd.y + h / 2;

  const bool right = LabelExtendsRight(leaderAngle, flipSide);
  const float x0Base = right ? x0 - q : x0 + q;
  const float x2Base = right ? x0 - q + height : x0 + q - height;
  const float apexX = (x0Base + x2Base) / 2;

  std::vector<Anchor> anchors =
      FiniteOrEmpty({Sharp(x0Base, baseY), Sharp(apexX, apexY), Sharp(x2Base, baseY)});
  if (anchors.empty()) return FailedPlacement(landingEnd);
  return {std::move(anchors), apexX};
}

std::vector<Anchor> CustomOutline(float halfWidth, float halfHeight, Point centre, int curveCount,
                                  const BezierPointList& curve, CornerSwitches corners) {
  if (!IsValidPointCount(curveCount)) return {};
  if (!AllFinite({halfWidth, halfHeight, centre.x, centre.y})) return {};
  const float a = std::fabs(halfWidth);
  const float b = std::fabs(halfHeight);
  const size_t n = static_cast<size_t>(curveCount);

  // Editor coordinates run from the box corner, y downwards.
  std::vector<Anchor> topLeft(n);
  for (size_t i = 0; i < n; ++i) {
    topLeft[i] = {{curve.X[i] - a, b - curve.Y[i]},
                  {curve.OX[i] - a, b - curve.OY[i]},
                  {curve.IX[i] - a, b - curve.IY[i]}};
  }
  const std::vector<Anchor> bottomLeft = MirroredChain(topLeft, MirrorY);
  const std::vector<Anchor> bottomRight = MirroredChain(bottomLeft, MirrorX);
  const std::vector<Anchor> topRight = MirroredChain(bottomRight, MirrorY);

  std::vector<Anchor> out;
  out.reserve(4 * n);
  auto addCorner = [&out](bool on, const std::vector<Anchor>& chain, Point boxCorner) {
    if (on)
      out.insert(out.end(), chain.begin(), chain.end());
    else
      out.push_back(Sharp(boxCorner));
  };
  addCorner(corners.topLeft, topLeft, {-a, b});
  addCorner(corners.bottomLeft, bottomLeft, {-a, -b});
  addCorner(corners.bottomRight, bottomRight, {a, -b});
  addCorner(corners.topRight, topRight, {a, b});
  return Translated(std::move(out), centre);
}
