// The Real Math and Real Bezier suites: plain geometry, no document needed.
// Every non-finite input, and every result too large for a real, gives
// kBadParameterErr and leaves the result alone. The tables' entries run each
// operation through the guard under its field name.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <numbers>

#include "host/AISuites.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/Geometry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/suites/Guard.h"

namespace hostsim {
namespace {

bool Finite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// Stores value when it is finite (an overflow gives kBadParameterErr too).
AIErr Store(double value, AIReal* result) {
  if (!result) return kBadParameterErr;
  const auto r = static_cast<AIReal>(value);
  if (!std::isfinite(r)) return kBadParameterErr;
  *result = r;
  return kNoErr;
}

AIErr RealSin(AIReal a, AIReal* result) { return Finite({a}) ? Store(std::sin(a), result) : kBadParameterErr; }
AIErr RealCos(AIReal a, AIReal* result) { return Finite({a}) ? Store(std::cos(a), result) : kBadParameterErr; }
AIErr RealATan(AIReal y, AIReal x, AIReal* result) {
  return Finite({y, x}) ? Store(std::atan2(y, x), result) : kBadParameterErr;
}
AIErr DegreeToRadian(AIReal degree, AIReal* result) {
  return Finite({degree}) ? Store(degree * std::numbers::pi / 180.0, result) : kBadParameterErr;
}
AIErr RadianToDegree(AIReal radian, AIReal* result) {
  return Finite({radian}) ? Store(radian * 180.0 / std::numbers::pi, result) : kBadParameterErr;
}

AIErr RealMultiple(AIReal value, AIReal multiple, ASBoolean ceiling, AIReal* result) {
  if (!Finite({value, multiple}) || multiple == 0) return kBadParameterErr;
  const double m = std::fabs(static_cast<double>(multiple));
  const double q = static_cast<double>(value) / m;
  // A value already on a multiple (within float noise) stays there.
  const double nearest = std::round(q);
  const double steps = std::fabs(q - nearest) < 1e-6 ? nearest : (ceiling ? std::ceil(q) : std::floor(q));
  return Store(steps * m + 0.0, result);  // + 0.0 turns -0 into 0
}

AIErr PointAngle(const AIRealPoint* p1, const AIRealPoint* p2, AIReal* result) {
  if (!p1 || !p2 || !Finite({p1->h, p1->v, p2->h, p2->v})) return kBadParameterErr;
  const double dx = static_cast<double>(p2->h) - p1->h, dy = static_cast<double>(p2->v) - p1->v;
  return Store(dx == 0 && dy == 0 ? 0.0 : std::atan2(dy, dx), result);
}

AIErr PointLength(const AIRealPoint* p1, const AIRealPoint* p2, AIReal* result) {
  if (!p1 || !p2 || !Finite({p1->h, p1->v, p2->h, p2->v})) return kBadParameterErr;
  return Store(std::hypot(static_cast<double>(p2->h) - p1->h, static_cast<double>(p2->v) - p1->v), result);
}

AIErr PointClose(const AIRealPoint* p1, const AIRealPoint* p2, AIReal tolerance, ASBoolean* result) {
  if (!p1 || !p2 || !result || !Finite({p1->h, p1->v, p2->h, p2->v, tolerance})) return kBadParameterErr;
  *result = std::fabs(p1->h - p2->h) <= tolerance && std::fabs(p1->v - p2->v) <= tolerance;
  return kNoErr;
}

AIErr PointPolar(AIReal length, AIReal angle, AIRealPoint* result) {
  if (!result || !Finite({length, angle})) return kBadParameterErr;
  *result = {static_cast<AIReal>(length * std::cos(angle)), static_cast<AIReal>(length * std::sin(angle))};
  return kNoErr;
}

AIErr MatrixSetIdentity(AIRealMatrix* m) {
  if (!m) return kBadParameterErr;
  *m = {1, 0, 0, 1, 0, 0};
  return kNoErr;
}

AIErr MatrixSetTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
  if (!m || !Finite({tx, ty})) return kBadParameterErr;
  *m = {1, 0, 0, 1, tx, ty};
  return kNoErr;
}

// Concatenation applies the new transformation after the matrix's own.
AIErr MatrixConcatRotate(AIRealMatrix* m, AIReal angle) {
  if (!m || !IsFinite(*m) || !Finite({angle})) return kBadParameterErr;
  const double c = std::cos(angle), s = std::sin(angle);
  const AIRealMatrix o = *m;
  const double r[6] = {c * o.a - s * o.b, s * o.a + c * o.b, c * o.c - s * o.d,
                       s * o.c + c * o.d, c * o.tx - s * o.ty, s * o.tx + c * o.ty};
  // A result too large for a real is refused and the matrix left as it was.
  if (!std::all_of(std::begin(r), std::end(r), FitsReal)) return kBadParameterErr;
  const auto f = [](double v) { return static_cast<AIReal>(v); };
  *m = {f(r[0]), f(r[1]), f(r[2]), f(r[3]), f(r[4]), f(r[5])};
  return kNoErr;
}

AIErr MatrixConcatTranslate(AIRealMatrix* m, AIReal tx, AIReal ty) {
  if (!m || !IsFinite(*m) || !Finite({tx, ty})) return kBadParameterErr;
  const double x = static_cast<double>(m->tx) + tx, y = static_cast<double>(m->ty) + ty;
  if (!FitsReal(x) || !FitsReal(y)) return kBadParameterErr;
  m->tx = static_cast<AIReal>(x);
  m->ty = static_cast<AIReal>(y);
  return kNoErr;
}

AIErr MatrixXformPoint(const AIRealMatrix* m, const AIRealPoint* in, AIRealPoint* out) {
  if (!m || !in || !out || !IsFinite(*m) || !Finite({in->h, in->v})) return kBadParameterErr;
  if (!TransformFits(*m, *in)) return kBadParameterErr;
  *out = Transform(*m, *in);
  return kNoErr;
}

template <class Body>
AIErr Math(const char* op, Body&& body) {
  return suites::GuardedWithoutHost(kAIRealMathSuite, op, body);
}

const AIRealMathSuite kRealMathSuiteTable = {
    [](AIReal a, AIReal* r) { return Math("AIRealSin", [&] { return RealSin(a, r); }); },
    [](AIReal a, AIReal* r) { return Math("AIRealCos", [&] { return RealCos(a, r); }); },
    [](AIReal y, AIReal x, AIReal* r) { return Math("AIRealATan", [&] { return RealATan(y, x, r); }); },
    [](AIReal d, AIReal* r) { return Math("AIDegreeToRadian", [&] { return DegreeToRadian(d, r); }); },
    [](AIReal a, AIReal* r) { return Math("AIRadianToDegree", [&] { return RadianToDegree(a, r); }); },
    [](AIReal v, AIReal m, ASBoolean c, AIReal* r) {
      return Math("AIRealMultiple", [&] { return RealMultiple(v, m, c, r); });
    },
    [](const AIRealPoint* p1, const AIRealPoint* p2, AIReal* r) {
      return Math("AIRealPointAngle", [&] { return PointAngle(p1, p2, r); });
    },
    [](const AIRealPoint* p1, const AIRealPoint* p2, AIReal* r) {
      return Math("AIRealPointLength", [&] { return PointLength(p1, p2, r); });
    },
    [](const AIRealPoint* p1, const AIRealPoint* p2, AIReal t, ASBoolean* r) {
      return Math("AIRealPointClose", [&] { return PointClose(p1, p2, t, r); });
    },
    [](AIReal l, AIReal a, AIRealPoint* r) { return Math("AIRealPointPolar", [&] { return PointPolar(l, a, r); }); },
    [](AIRealMatrix* m) { return Math("AIRealMatrixSetIdentity", [&] { return MatrixSetIdentity(m); }); },
    [](AIRealMatrix* m, AIReal x, AIReal y) {
      return Math("AIRealMatrixSetTranslate", [&] { return MatrixSetTranslate(m, x, y); });
    },
    [](AIRealMatrix* m, AIReal a) {
      return Math("AIRealMatrixConcatRotate", [&] { return MatrixConcatRotate(m, a); });
    },
    [](AIRealMatrix* m, AIReal x, AIReal y) {
      return Math("AIRealMatrixConcatTranslate", [&] { return MatrixConcatTranslate(m, x, y); });
    },
    [](const AIRealMatrix* m, const AIRealPoint* in, AIRealPoint* out) {
      return Math("AIRealMatrixXformPoint", [&] { return MatrixXformPoint(m, in, out); });
    },
};

bool FiniteBezier(const AIRealBezier& b) {
  return Finite({b.p0.h, b.p0.v, b.p1.h, b.p1.v, b.p2.h, b.p2.v, b.p3.h, b.p3.v});
}

Cubic ToCubic(const AIRealBezier& b) { return {ToVec(b.p0), ToVec(b.p1), ToVec(b.p2), ToVec(b.p3)}; }

AIErr BezierEvaluate(const AIRealBezier* b, AIReal t, AIRealPoint* p) {
  if (!b || !p || !FiniteBezier(*b) || !Finite({t})) return kBadParameterErr;
  *p = ToPoint(Evaluate(ToCubic(*b), std::clamp(static_cast<double>(t), 0.0, 1.0)));
  return kNoErr;
}

AIErr BezierDivide(const AIRealBezier* b, AIReal t, AIRealBezier* b1, AIRealBezier* b2) {
  if (!b || !b1 || !b2 || !FiniteBezier(*b) || !Finite({t})) return kBadParameterErr;
  Cubic first, second;
  Divide(ToCubic(*b), std::clamp(static_cast<double>(t), 0.0, 1.0), first, second);
  *b1 = {ToPoint(first.p0), ToPoint(first.p1), ToPoint(first.p2), ToPoint(first.p3)};
  *b2 = {ToPoint(second.p0), ToPoint(second.p1), ToPoint(second.p2), ToPoint(second.p3)};
  return kNoErr;
}

const AIRealBezierSuite kRealBezierSuiteTable = {
    [](const AIRealBezier* b, AIReal t, AIRealPoint* p) {
      return suites::GuardedWithoutHost(kAIRealBezierSuite, "Evaluate", [&] { return BezierEvaluate(b, t, p); });
    },
    [](const AIRealBezier* b, AIReal t, AIRealBezier* b1, AIRealBezier* b2) {
      return suites::GuardedWithoutHost(kAIRealBezierSuite, "Divide", [&] { return BezierDivide(b, t, b1, b2); });
    },
};

}  // namespace

void RegisterMathSuites(SuiteRegistry& registry) {
  registry.Add(kAIRealMathSuite, kAIRealMathSuiteVersion, &kRealMathSuiteTable);
  registry.Add(kAIRealBezierSuite, kAIRealBezierSuiteVersion, &kRealBezierSuiteTable);
}

}  // namespace hostsim
