// The path and path style suites: segments, closing, guides, fill and stroke.
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kPath = "AI Path Suite";
constexpr const char* kStyle = "AI Path Style Suite";

constexpr int16_t kMaxSegments = 32000;

bool FiniteSegment(const AIPathSegment& s) {
  for (AIReal v : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v}) {
    if (!Finite(v)) return false;
  }
  return true;
}

AIErr GetPathSegmentCount(AIArtHandle path, int16_t* count) {
  return Run(kPath, "GetPathSegmentCount", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !count) return kBadParameterErr;
    *count = static_cast<int16_t>(a->path.segments.size());
    return kNoErr;
  });
}

AIErr SetPathSegmentCount(AIArtHandle path, int16_t count) {
  return Run(kPath, "SetPathSegmentCount", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a || count < 0 || count > kMaxSegments) return kBadParameterErr;
    auto& segs = a->path.segments;
    const AIPathSegment fill = segs.empty() ? AIPathSegment{} : segs.back();
    segs.resize(static_cast<std::size_t>(count), fill);
    return kNoErr;
  });
}

bool InRange(const std::vector<AIPathSegment>& segs, int16_t first, int16_t count) {
  return first >= 0 && count >= 0 && static_cast<std::size_t>(first) + static_cast<std::size_t>(count) <= segs.size();
}

AIErr GetPathSegments(AIArtHandle path, int16_t segNumber, int16_t count, AIPathSegment* segments) {
  return Run(kPath, "GetPathSegments", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !InRange(a->path.segments, segNumber, count) || (count > 0 && !segments)) return kBadParameterErr;
    for (int16_t i = 0; i < count; ++i) segments[i] = a->path.segments[static_cast<std::size_t>(segNumber + i)];
    return kNoErr;
  });
}

AIErr SetPathSegments(AIArtHandle path, int16_t segNumber, int16_t count, const AIPathSegment* segments) {
  return Run(kPath, "SetPathSegments", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a || !InRange(a->path.segments, segNumber, count) || (count > 0 && !segments)) return kBadParameterErr;
    for (int16_t i = 0; i < count; ++i) {
      if (!FiniteSegment(segments[i])) return kBadParameterErr;
    }
    for (int16_t i = 0; i < count; ++i) a->path.segments[static_cast<std::size_t>(segNumber + i)] = segments[i];
    return kNoErr;
  });
}

AIErr GetPathClosed(AIArtHandle path, ASBoolean* closed) {
  return Run(kPath, "GetPathClosed", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !closed) return kBadParameterErr;
    *closed = a->path.closed;
    return kNoErr;
  });
}

AIErr SetPathClosed(AIArtHandle path, ASBoolean closed) {
  return Run(kPath, "SetPathClosed", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a) return kBadParameterErr;
    a->path.closed = closed != 0;
    return kNoErr;
  });
}

AIErr GetPathGuide(AIArtHandle path, ASBoolean* isGuide) {
  return Run(kPath, "GetPathGuide", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !isGuide) return kBadParameterErr;
    *isGuide = a->path.guide;
    return kNoErr;
  });
}

const AIPathSuite kPathSuiteTable = {
    GetPathSegmentCount, SetPathSegmentCount, GetPathSegments, SetPathSegments,
    GetPathClosed,       SetPathClosed,       GetPathGuide,
};

bool ValidStyle(const AIPathStyle& s) {
  const AIStrokeStyle& k = s.stroke;
  if (!ValidColor(s.fill.color) || !ValidColor(k.color)) return false;
  if (!Finite(k.width) || k.width < 0 || !Finite(k.miterLimit) || !Finite(k.dash.offset)) return false;
  if (k.dash.length < 0 || k.dash.length > 6) return false;
  for (AIReal v : k.dash.array) {
    if (!Finite(v)) return false;
  }
  return k.cap >= kAIButtCap && k.cap <= kAIProjectingCap && k.join >= kAIMiterJoin && k.join <= kAIBevelJoin;
}

AIErr GetPathStyle(AIArtHandle path, AIPathStyle* style) {
  return Run(kStyle, "GetPathStyle", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !style) return kBadParameterErr;
    *style = a->path.style;
    return kNoErr;
  });
}

AIErr SetPathStyle(AIArtHandle path, const AIPathStyle* style) {
  return Run(kStyle, "SetPathStyle", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a || !style || !ValidStyle(*style)) return kBadParameterErr;
    a->path.style = *style;
    return kNoErr;
  });
}

const AIPathStyleSuite kPathStyleSuiteTable = {GetPathStyle, SetPathStyle};

}  // namespace

namespace suites {

bool ValidColor(const AIColor& c) {
  switch (c.kind) {
    case kNoneColor: return true;
    case kGrayColor: return Finite(c.c.g.gray);
    case kThreeColor: return Finite(c.c.rgb.red) && Finite(c.c.rgb.green) && Finite(c.c.rgb.blue);
    default: return false;
  }
}

}  // namespace suites

void RegisterPathSuites(SuiteRegistry& registry) {
  registry.Add(kAIPathSuite, kAIPathSuiteVersion, &kPathSuiteTable);
  registry.Add(kAIPathStyleSuite, kAIPathStyleSuiteVersion, &kPathStyleSuiteTable);
}

}  // namespace hostsim
