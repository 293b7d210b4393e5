#include "label/Magnet.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Ids.h"
#include "core/State.h"
#include "core/Suites.h"
#include "geometry/CubicReach.h"
#include "label/LabelArt.h"
#include "label/MagnetIndex.h"

namespace {

// How close a point of a segment must come to the cursor, in document units.
constexpr float kSegmentReach = 1.0f;
constexpr int kSegmentSamples = 100;  // t = 0, 0.01, ... 0.99
// Times the candidates are looked up again after a path was found changed.
constexpr int kMendRounds = 3;

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

bool AnchorClose(const AIRealPoint& cursor, const AIPathSegment& anchor, AIReal snapDistance) {
  ASBoolean close = false;
  sAIRealMath->AIRealPointClose(&cursor, &anchor.p, snapDistance, &close);
  return close;
}

// The first sample of the segment within reach of the cursor, or -1. The
// host decides each sample; samples that are plainly farther (by our own
// evaluation, with room for the host's rounding) are not asked about.
int FirstNearSample(const AIRealBezier& curve, const AIRealPoint& cursor, const MagnetCandidate& candidate) {
  const Cubic c{{curve.p0.h, curve.p1.h, curve.p2.h, curve.p3.h}, {curve.p0.v, curve.p1.v, curve.p2.v, curve.p3.v}};
  // A curve that is not finite is left wholly to the host.
  const bool finite = IsFinite(c);
  const double cursorSize = std::max(std::fabs(cursor.h), std::fabs(cursor.v));
  const double limit = kSegmentReach + RoundingSlack(std::max(Magnitude(c), cursorSize));
  // A cubic lies inside the box of its four control points.
  if (finite && !Contains(Grown(ControlBox(c), limit), cursor.h, cursor.v)) return -1;
  // Only the samples the map marked are looked at, unless the curve is not finite.
  const auto next = [&](int k) { return finite ? NextSampleMayBeNear(candidate, k) : k; };
  for (int k = next(0); k < kSegmentSamples; k = next(k + 1)) {
    const AIReal t = static_cast<AIReal>(k) * 0.01f;
    if (finite) {
      double x, y;
      PointAt(c, t, x, y);
      if ((x - cursor.h) * (x - cursor.h) + (y - cursor.v) * (y - cursor.v) >= limit * limit) continue;
    }
    AIRealPoint sample;
    if (sAIRealBezier->Evaluate(&curve, t, &sample) != kNoErr) return -1;
    if (Near(sample, cursor, kSegmentReach)) return k;
  }
  return -1;
}

struct PathRead {
  AIArtHandle path = nullptr;
  bool usable = false;
  ASBoolean closed = false;
  std::vector<AIPathSegment> segments;
};

// Tests one candidate of a path already read; fills the hit when it snaps.
bool TestCandidate(const PathRead& read, const MagnetCandidate& candidate, const AIRealPoint& cursor,
                   AIReal snapDistance, MagnetHit& hit) {
  const auto& s = read.segments;
  const std::size_t count = s.size(), j = static_cast<std::size_t>(candidate.index);
  if (j >= count) return false;
  if (!candidate.segment) {
    if (!AnchorClose(cursor, s[j], snapDistance)) return false;
    hit = {MagnetFound::Anchor, read.path, candidate.index, -1, s[j], {}};
    return true;
  }
  const bool last = j + 1 == count;
  if (last && !read.closed) return false;
  const AIPathSegment& a = s[j];
  const AIPathSegment& b = s[last ? 0 : j + 1];
  const int k = FirstNearSample({a.p, a.out, b.in, b.p}, cursor, candidate);
  if (k < 0) return false;
  if (HasTag(read.path, kLeaderLineTag)) {
    hit = {MagnetFound::LabelLine, read.path, candidate.index, k, {}, {}};
    return true;
  }
  const bool straight = SamePoint(a.out, a.p) && SamePoint(b.in, b.p);
  hit = {straight ? MagnetFound::Straight : MagnetFound::Curve, read.path, candidate.index, k, a, b};
  return true;
}

// Every path of the document, in full: the answer when the map cannot give one.
MagnetHit WalkEverything(const AIRealPoint& cursor, AIReal snapDistance) {
  MagnetHit hit;
  const AIMatchingArtSpec pathsOnly{kPathArt, 0, 0};
  AIArtHandle* matches = nullptr;
  int32_t count = 0;
  if (sAIMatchingArt->GetMatchingArt(&pathsOnly, 1, &matches, &count) != kNoErr) return hit;
  const std::vector<AIArtHandle> paths(matches, matches + (matches != nullptr && count > 0 ? count : 0));
  sSPBasic->FreeBlock(matches);
  std::vector<MagnetCandidate> all;
  PathRead read;
  for (AIArtHandle path : paths) {
    read.path = path;
    if (!Snappable(path) || ReadPath(path, read.segments) != kNoErr) continue;
    read.closed = false;
    sAIPath->GetPathClosed(path, &read.closed);
    all.clear();
    for (int32_t j = 0; j < static_cast<int32_t>(read.segments.size()); ++j) {
      all.push_back({path, j, false, {0, 0}});
      all.push_back({path, j, true, {~uint64_t{0}, ~uint64_t{0}}});
    }
    for (const MagnetCandidate& candidate : all) {
      if (TestCandidate(read, candidate, cursor, snapDistance, hit)) return hit;
    }
  }
  return hit;
}

}  // namespace

MagnetHit FindMagnetHit(AIRealPoint cursor, AIReal snapDistance) {
  for (int round = 0; round < kMendRounds; ++round) {
    // Each candidate's path is read afresh, as the whole-document walk would
    // read it; one that differs from the map's copy mends the map, and the
    // candidates are looked up again.
    MagnetHit hit;
    // Its anchors' room is kept from one cursor move to the next.
    static PathRead read;
    read.path = nullptr;
    bool stale = false;
    const auto test = [&](const MagnetCandidate& candidate) {
      if (candidate.path != read.path) {
        read.path = candidate.path;
        read.usable = Snappable(read.path) && ReadPath(read.path, read.segments) == kNoErr;
        if (read.usable) {
          if (MendMagnetPath(read.path, read.segments)) {
            stale = true;
            return MagnetVisit::Stop;
          }
          read.closed = false;
          sAIPath->GetPathClosed(read.path, &read.closed);
        }
      }
      const bool snapped = read.usable && TestCandidate(read, candidate, cursor, snapDistance, hit);
      return snapped ? MagnetVisit::Stop : MagnetVisit::Next;
    };
    bool listed = false;
    if (!FindMagnetCandidates(cursor, snapDistance, kSegmentReach, test, listed)) {
      if (!listed) return {};
      break;
    }
    if (!stale) return hit;
  }
  return WalkEverything(cursor, snapDistance);
}

bool RunMagnetTest(AIRealPoint cursor) {
  State& g = *gState;
  AIReal zoom = 1.0f;
  if (sAIDocumentView->GetDocumentViewZoom(nullptr, &zoom) != kNoErr || !(zoom > 0.0f)) zoom = 1.0f;
  const AIReal snapDistance = static_cast<AIReal>(g.Tolerance) / zoom;
  g.SnapAnchor = g.SnapCurve = g.SnapStraight = g.OverLabelLine = false;
  if (!g.Magnetisme) return false;

  const MagnetHit hit = FindMagnetHit(cursor, snapDistance);
  switch (hit.found) {
    case MagnetFound::Nothing:
      return false;
    case MagnetFound::Anchor:
      sADMBasic->SetPlatformCursor(gPluginRef, kCursorSnapAnchor);
      g.MagnetSegA = hit.a;
      g.SnapAnchor = true;
      return true;
    case MagnetFound::LabelLine:
      sADMBasic->SetPlatformCursor(gPluginRef, kCursorLabelLine);
      g.OverLabelLine = true;
      return true;
    case MagnetFound::Straight:
    case MagnetFound::Curve: {
      const bool straight = hit.found == MagnetFound::Straight;
      g.MagnetSegA = hit.a;
      g.MagnetSegB = hit.b;
      g.SnapSegA = SharpSegment(ToPoint(hit.a.p));
      g.SnapSegB = SharpSegment(ToPoint(hit.b.p));
      sADMBasic->SetPlatformCursor(gPluginRef, straight ? kCursorSnapStraight : kCursorSnapCurve);
      (straight ? g.SnapStraight : g.SnapCurve) = true;
      return true;
    }
  }
  return false;
}
