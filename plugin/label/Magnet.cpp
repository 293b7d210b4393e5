#include "label/Magnet.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "label/LabelArt.h"

namespace {

// How close a point of a segment must come to the cursor, in document units.
constexpr float kSegmentReach = 1.0f;
constexpr int kSegmentSamples = 100;  // t = 0, 0.01, ... 0.99

// Every path of the document, through a block the host allocated.
std::vector<AIArtHandle> AllPaths() {
  std::vector<AIArtHandle> paths;
  const AIMatchingArtSpec pathsOnly{kPathArt, 0, 0};
  AIArtHandle* matches = nullptr;
  int32_t count = 0;
  if (sAIMatchingArt->GetMatchingArt(&pathsOnly, 1, &matches, &count) != kNoErr) return paths;
  if (matches != nullptr && count > 0) paths.assign(matches, matches + count);
  sSPBasic->FreeBlock(matches);
  return paths;
}

bool Snappable(AIArtHandle path) {
  AILayerHandle layer = nullptr;
  ASBoolean visible = false, guide = false;
  int32_t attr = 0;
  if (sAIArt->GetLayerOfArt(path, &layer) != kNoErr) return false;
  if (sAILayer->GetLayerVisible(layer, &visible) != kNoErr || !visible) return false;
  if (sAIPath->GetPathGuide(path, &guide) != kNoErr || guide) return false;
  if (sAIArt->GetArtUserAttr(path, kArtLocked | kArtHidden, &attr) != kNoErr || attr != 0) return false;
  return true;
}

bool Near(const AIRealPoint& a, const AIRealPoint& b, float distance) {
  AIReal length = 0;
  return sAIRealMath->AIRealPointLength(&a, &b, &length) == kNoErr && length < distance;
}

bool SamePoint(const AIRealPoint& a, const AIRealPoint& b) { return a.h == b.h && a.v == b.v; }

// A cubic lies inside the box of its four control points, so no sample of
// a curve whose box, grown by the reach, misses the cursor can come near it.
bool CurveBoxNear(const AIRealBezier& curve, const AIRealPoint& cursor, float reach) {
  const auto [left, right] = std::minmax({curve.p0.h, curve.p1.h, curve.p2.h, curve.p3.h});
  const auto [bottom, top] = std::minmax({curve.p0.v, curve.p1.v, curve.p2.v, curve.p3.v});
  return cursor.h >= left - reach && cursor.h <= right + reach && cursor.v >= bottom - reach && cursor.v <= top + reach;
}

}  // namespace

bool RunMagnetTest(AIRealPoint cursor) {
  State& g = *gState;
  AIReal zoom = 1.0f;
  if (sAIDocumentView->GetDocumentViewZoom(nullptr, &zoom) != kNoErr || !(zoom > 0.0f)) zoom = 1.0f;
  const AIReal snapDistance = static_cast<AIReal>(g.Tolerance) / zoom;
  g.SnapAnchor = g.SnapCurve = g.SnapStraight = g.OverLabelLine = false;
  if (!g.Magnetisme) return false;

  std::vector<AIPathSegment> segments;
  for (AIArtHandle path : AllPaths()) {
    if (!Snappable(path) || ReadPath(path, segments) != kNoErr) continue;
    ASBoolean closed = false;
    sAIPath->GetPathClosed(path, &closed);
    const size_t count = segments.size();
    for (size_t j = 0; j < count; ++j) {
      ASBoolean close = false;
      sAIRealMath->AIRealPointClose(&cursor, &segments[j].p, snapDistance, &close);
      if (close) {
        sADMBasic->SetPlatformCursor(gPluginRef, kCursorSnapAnchor);
        g.MagnetSegA = segments[j];
        g.SnapAnchor = true;
        return true;
      }
      const bool last = j + 1 == count;
      if (last && !closed) continue;
      const AIPathSegment& a = segments[j];
      const AIPathSegment& b = segments[last ? 0 : j + 1];
      const AIRealBezier curve{a.p, a.out, b.in, b.p};
      if (!CurveBoxNear(curve, cursor, kSegmentReach)) continue;
      for (int k = 0; k < kSegmentSamples; ++k) {
        AIRealPoint sample;
        if (sAIRealBezier->Evaluate(&curve, static_cast<AIReal>(k) * 0.01f, &sample) != kNoErr) break;
        if (!Near(sample, cursor, kSegmentReach)) continue;
        if (HasTag(path, kLeaderLineTag)) {
          sADMBasic->SetPlatformCursor(gPluginRef, kCursorLabelLine);
          g.OverLabelLine = true;
          return true;
        }
        g.MagnetSegA = a;
        g.MagnetSegB = b;
        g.SnapSegA = SharpSegment(ToPoint(a.p));
        g.SnapSegB = SharpSegment(ToPoint(b.p));
        const bool straight = SamePoint(a.out, a.p) && SamePoint(b.in, b.p);
        sADMBasic->SetPlatformCursor(gPluginRef, straight ? kCursorSnapStraight : kCursorSnapCurve);
        (straight ? g.SnapStraight : g.SnapCurve) = true;
        return true;
      }
    }
  }
  return false;
}
