#include "LiteralMagnet.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace magnet_reference {
namespace {

constexpr int kCursorAnchor = 19000, kCursorStraight = 19001, kCursorCurve = 17009, kCursorLabelLine = 20007;

template <class Suite>
bool AcquireOne(SPBasicSuite* basic, const char* name, int32_t version, const Suite*& out) {
  const void* suite = nullptr;
  if (basic->AcquireSuite(name, version, &suite) != kNoErr || suite == nullptr) return false;
  out = static_cast<const Suite*>(suite);
  return true;
}

bool Snappable(const Suites& s, AIArtHandle path) {
  AILayerHandle layer = nullptr;
  ASBoolean visible = false, guide = false;
  int32_t attr = 0;
  if (s.art->GetLayerOfArt(path, &layer) != kNoErr) return false;
  if (s.layer->GetLayerVisible(layer, &visible) != kNoErr || !visible) return false;
  if (s.path->GetPathGuide(path, &guide) != kNoErr || guide) return false;
  if (s.art->GetArtUserAttr(path, kArtLocked | kArtHidden, &attr) != kNoErr || attr != 0) return false;
  return true;
}

bool ReadPath(const Suites& s, AIArtHandle path, std::vector<AIPathSegment>& out) {
  out.clear();
  int16_t count = 0;
  if (s.path->GetPathSegmentCount(path, &count) != kNoErr) return false;
  if (count <= 0) return true;
  out.resize(static_cast<size_t>(count));
  if (s.path->GetPathSegments(path, 0, count, out.data()) != kNoErr) {
    out.clear();
    return false;
  }
  return true;
}

bool Near(const Suites& s, const AIRealPoint& a, const AIRealPoint& b, float distance) {
  AIReal length = 0;
  return s.math->AIRealPointLength(&a, &b, &length) == kNoErr && length < distance;
}

bool CurveBoxNear(const AIRealBezier& curve, const AIRealPoint& cursor, float reach) {
  const auto [left, right] = std::minmax({curve.p0.h, curve.p1.h, curve.p2.h, curve.p3.h});
  const auto [bottom, top] = std::minmax({curve.p0.v, curve.p1.v, curve.p2.v, curve.p3.v});
  return cursor.h >= left - reach && cursor.h <= right + reach && cursor.v >= bottom - reach && cursor.v <= top + reach;
}

}  // namespace

bool Acquire(SPBasicSuite* basic, Suites& out) {
  out.basic = basic;
  return basic != nullptr && AcquireOne(basic, kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, out.matching) &&
         AcquireOne(basic, kAIArtSuite, kAIArtSuiteVersion, out.art) &&
         AcquireOne(basic, kAILayerSuite, kAILayerSuiteVersion, out.layer) &&
         AcquireOne(basic, kAIPathSuite, kAIPathSuiteVersion, out.path) &&
         AcquireOne(basic, kAITagSuite, kAITagSuiteVersion, out.tag) &&
         AcquireOne(basic, kAIRealMathSuite, kAIRealMathSuiteVersion, out.math) &&
         AcquireOne(basic, kAIRealBezierSuite, kAIRealBezierSuiteVersion, out.bezier) &&
         AcquireOne(basic, kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, out.view);
}

void Release(const Suites& s) {
  if (s.basic == nullptr) return;
  const std::pair<const char*, int32_t> held[] = {
      {kAIMatchingArtSuite, kAIMatchingArtSuiteVersion}, {kAIArtSuite, kAIArtSuiteVersion},
      {kAILayerSuite, kAILayerSuiteVersion},             {kAIPathSuite, kAIPathSuiteVersion},
      {kAITagSuite, kAITagSuiteVersion},                 {kAIRealMathSuite, kAIRealMathSuiteVersion},
      {kAIRealBezierSuite, kAIRealBezierSuiteVersion},   {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion}};
  for (const auto& [name, version] : held) s.basic->ReleaseSuite(name, version);
}

Result Run(const Suites& s, AIRealPoint cursor, float tolerance, bool on, Walk walk) {
  Result r;
  AIReal zoom = 1.0f;
  if (s.view->GetDocumentViewZoom(nullptr, &zoom) != kNoErr || !(zoom > 0.0f)) zoom = 1.0f;
  const AIReal snapDistance = static_cast<AIReal>(tolerance) / zoom;
  if (!on) return r;

  std::vector<AIArtHandle> paths;
  const AIMatchingArtSpec pathsOnly{kPathArt, 0, 0};
  AIArtHandle* matches = nullptr;
  int32_t count = 0;
  if (s.matching->GetMatchingArt(&pathsOnly, 1, &matches, &count) != kNoErr) return r;
  if (matches != nullptr && count > 0) paths.assign(matches, matches + count);
  s.basic->FreeBlock(matches);

  std::vector<AIPathSegment> segments;
  for (AIArtHandle path : paths) {
    if (!Snappable(s, path) || !ReadPath(s, path, segments)) continue;
    ASBoolean closed = false;
    s.path->GetPathClosed(path, &closed);
    const size_t n = segments.size();
    for (size_t j = 0; j < n; ++j) {
      ASBoolean close = false;
      s.math->AIRealPointClose(&cursor, &segments[j].p, snapDistance, &close);
      if (close) {
        r.found = Found::Anchor;
        r.path = path;
        r.anchor = static_cast<int>(j);
        r.a = segments[j];
        r.cursor = kCursorAnchor;
        return r;
      }
      const bool last = j + 1 == n;
      if (last && !closed) continue;
      const AIPathSegment& a = segments[j];
      const AIPathSegment& b = segments[last ? 0 : j + 1];
      const AIRealBezier curve{a.p, a.out, b.in, b.p};
      if (walk == Walk::SkippingFarBoxes && !CurveBoxNear(curve, cursor, 1.0f)) continue;
      for (int k = 0; k < 100; ++k) {
        AIRealPoint sample;
        if (s.bezier->Evaluate(&curve, static_cast<AIReal>(k) * 0.01f, &sample) != kNoErr) break;
        if (!Near(s, sample, cursor, 1.0f)) continue;
        r.path = path;
        r.anchor = static_cast<int>(j);
        r.sample = k;
        ASBoolean tagged = false;
        if (s.tag->HasTag(path, "lab", &tagged) == kNoErr && tagged) {
          r.found = Found::LabelLine;
          r.cursor = kCursorLabelLine;
          return r;
        }
        r.a = a;
        r.b = b;
        const bool straight = a.out.h == a.p.h && a.out.v == a.p.v && b.in.h == b.p.h && b.in.v == b.p.v;
        r.found = straight ? Found::Straight : Found::Curve;
        r.cursor = straight ? kCursorStraight : kCursorCurve;
        return r;
      }
    }
  }
  return r;
}

}  // namespace magnet_reference
