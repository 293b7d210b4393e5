#include "label/LabelArt.h"

#include "core/Ids.h"
#include "core/HostCode.h"
#include "core/Suites.h"
#include "label/MagnetIndex.h"

AIPathSegment SharpSegment(Point p) {
  const AIRealPoint q = ToAIPoint(p);
  return {q, q, q, true};
}

Anchor ToAnchor(const AIPathSegment& s) { return {ToPoint(s.p), ToPoint(s.in), ToPoint(s.out)}; }

bool ArtAlive(AIArtHandle art) { return art != nullptr && sAIArt && sAIArt->ValidArt(art); }

ASErr WritePath(AIArtHandle path, const std::vector<Anchor>& anchors, bool closed) {
  std::vector<AIPathSegment> segments;
  segments.reserve(anchors.size());
  for (const Anchor& a : anchors) segments.push_back({ToAIPoint(a.p), ToAIPoint(a.in), ToAIPoint(a.out), false});
  return WriteSegments(path, segments, closed);
}

ASErr WriteSegments(AIArtHandle path, const std::vector<AIPathSegment>& segments, bool closed) {
  if (!ArtAlive(path)) return kBadParameterErr;
  MagnetArtEdited(path);
  const int16_t count = static_cast<int16_t>(segments.size());
  ASErr err = sAIPath->SetPathSegmentCount(path, count);
  if (err == kNoErr && count > 0) err = sAIPath->SetPathSegments(path, 0, count, segments.data());
  if (err == kNoErr) err = sAIPath->SetPathClosed(path, closed);
  return err;
}

ASErr ReadPath(AIArtHandle path, std::vector<AIPathSegment>& out) {
  out.clear();
  int16_t count = 0;
  ASErr err = sAIPath->GetPathSegmentCount(path, &count);
  if (err != kNoErr || count <= 0) return err;
  out.resize(static_cast<size_t>(count));
  err = sAIPath->GetPathSegments(path, 0, count, out.data());
  if (err != kNoErr) out.clear();
  return err;
}

ASErr NewArt(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* art) {
  *art = nullptr;
  ASErr err = sAIArt->NewArt(type, paintOrder, prep, art);
  if (err != kNoErr) {
    *art = nullptr;
    MagnetArtListChanged();  // whatever the host did, the map compares its list
  } else {
    MagnetArtMade(*art);
  }
  return err;
}

ASErr NewPath(int16_t paintOrder, AIArtHandle prep, int16_t anchors, AIArtHandle* path) {
  ASErr err = NewArt(kPathArt, paintOrder, prep, path);
  MagnetArtEdited(*path);
  if (err == kNoErr && anchors > 0) err = sAIPath->SetPathSegmentCount(*path, anchors);
  return err;
}

ASErr MoveArt(AIArtHandle art, AIRealPoint by) {
  AIRealMatrix m;
  ASErr err = sAIRealMath->AIRealMatrixSetTranslate(&m, by.h, by.v);
  MagnetArtEdited(art);
  if (err == kNoErr) err = sAITransformArt->TransformArt(art, &m, 1.0f, 0);
  return err;
}

void DisposeArt(AIArtHandle& art) {
  if (ArtAlive(art)) {
    MagnetArtDisposing(art);
    Ignore(sAIArt->DisposeArt(art), Why::Cleanup);
  }
  art = nullptr;
}

ASErr SetLabelTag(AIArtHandle art, const char* name) { return sAITag->SetTag(art, name, kTagType, kTagValue); }

bool HasTag(AIArtHandle art, const char* name) {
  ASBoolean has = false;
  return sAITag->HasTag(art, name, &has) == kNoErr && has;
}

int16_t ArtType(AIArtHandle art) {
  int16_t type = kUnknownArt;
  if (sAIArt->GetArtType(art, &type) != kNoErr) return kUnknownArt;
  return type;
}

std::vector<AIArtHandle> ChildrenOf(AIArtHandle group) {
  std::vector<AIArtHandle> children;
  AIArtHandle child = nullptr;
  if (sAIArt->GetArtFirstChild(group, &child) != kNoErr) return children;
  // A group holds at most a few hundred children here; the bound guards a host that loops.
  while (child != nullptr && children.size() < 100000) {
    children.push_back(child);
    if (sAIArt->GetArtSibling(child, &child) != kNoErr) break;
  }
  return children;
}
