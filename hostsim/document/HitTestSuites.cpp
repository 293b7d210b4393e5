// Finding art: the matching art suite (art by type and attributes) and the
// hit test suite (art under a point).
//
// [SECTION] Matching Art suite
// [SECTION] Hit Test suite
#include "hostsim/Blocks.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kMatching = "AI Matching Art Suite";
constexpr const char* kHits = "AI Hit Test Suite";

// =============================================================================
// [SECTION] Matching Art suite
// =============================================================================

constexpr int16_t kAnyArt = -1;

AIErr GetMatchingArt(const AIMatchingArtSpec* specs, int16_t numSpecs, AIArtHandle** matches, int32_t* numMatches) {
  return Run(kMatching, "GetMatchingArt", [&](Document& doc) -> AIErr {
    if (!matches || !numMatches || numSpecs < 0 || (numSpecs > 0 && !specs)) return kBadParameterErr;
    *matches = nullptr;
    *numMatches = 0;
    if (numSpecs == 1 && specs[0].type == kPathArt && specs[0].whichAttr == 0) {
      // Every path: the document keeps that list ready.
      const std::span<const ObjectId> paths = doc.PathsInDocumentOrder();
      if (paths.empty()) return kNoErr;
      auto* block = static_cast<AIArtHandle*>(AllocateBlock(paths.size() * sizeof(AIArtHandle)));
      if (!block) return kSPOutOfMemoryError;
      for (std::size_t i = 0; i < paths.size(); ++i) block[i] = HandleOf<AIArtHandle>(paths[i]);
      *matches = block;
      *numMatches = static_cast<int32_t>(paths.size());
      return kNoErr;
    }
    std::vector<ObjectId> found;
    doc.ForEachInDocumentOrder([&](const Art& art) {
      for (int16_t i = 0; i < numSpecs; ++i) {
        const AIMatchingArtSpec& s = specs[i];
        const bool typeMatches = s.type == kAnyArt || s.type == ArtTypeCode(art.kind);
        if (typeMatches && (art.userAttr & s.whichAttr) == (s.attr & s.whichAttr)) {
          found.push_back(art.id);
          break;
        }
      }
    });
    if (found.empty()) return kNoErr;
    auto* block = static_cast<AIArtHandle*>(AllocateBlock(found.size() * sizeof(AIArtHandle)));
    if (!block) return kSPOutOfMemoryError;
    for (std::size_t i = 0; i < found.size(); ++i) block[i] = HandleOf<AIArtHandle>(found[i]);
    *matches = block;
    *numMatches = static_cast<int32_t>(found.size());
    return kNoErr;
  });
}

const AIMatchingArtSuite kMatchingArtSuiteTable = {GetMatchingArt};

// =============================================================================
// [SECTION] Hit Test suite
// =============================================================================

AIErr HitTestEx(AIArtHandle art, const AIRealPoint* point, AIReal tolerance, int32_t /*option*/, AIHitRef* hit) {
  return Run(kHits, "HitTestEx", [&](Document& doc) -> AIErr {
    if (!point || !hit || !Finite(point->h) || !Finite(point->v) || !Finite(tolerance) || tolerance < 0) {
      return kBadParameterErr;
    }
    if (art && !FindArt(doc, art)) return kBadParameterErr;
    const ObjectId ref = NextObjectId();
    doc.hits[ref] = doc.HitTest(IdOf(art), *point, tolerance);
    *hit = HandleOf<AIHitRef>(ref);
    return kNoErr;
  });
}

const HitResult* FindHit(Document& doc, AIHitRef hit) {
  const auto it = doc.hits.find(IdOf(hit));
  return it == doc.hits.end() ? nullptr : &it->second;
}

ASBoolean IsHit(AIHitRef hit) {
  bool result = false;
  Run(kHits, "IsHit", [&](Document& doc) -> AIErr {
    const HitResult* r = FindHit(doc, hit);
    result = r && r->hit;
    return kNoErr;
  });
  return result;
}

int32_t GetHitType(AIHitRef hit) {
  int32_t type = -1;
  Run(kHits, "GetType", [&](Document& doc) -> AIErr {
    if (const HitResult* r = FindHit(doc, hit)) type = r->type;
    return kNoErr;
  });
  return type;
}

AIErr GetHitData(AIHitRef hit, AIToolHitData* data) {
  return Run(kHits, "GetHitData", [&](Document& doc) -> AIErr {
    const HitResult* r = FindHit(doc, hit);
    if (!r || !data) return kBadParameterErr;
    *data = AIToolHitData{};
    data->hit = r->hit;
    data->object = HandleOf<AIArtHandle>(r->object);
    data->type = r->type;
    data->segment = r->segment;
    data->t = static_cast<AIReal>(r->t);
    data->point = r->point;
    return kNoErr;
  });
}

AIErr ReleaseHit(AIHitRef hit) {
  return Run(kHits, "Release",
             [&](Document& doc) -> AIErr { return doc.hits.erase(IdOf(hit)) ? kNoErr : kBadParameterErr; });
}

const AIHitTestSuite kHitTestSuiteTable = {HitTestEx, IsHit, GetHitType, GetHitData, ReleaseHit};

}  // namespace

void RegisterHitTestSuites(SuiteRegistry& registry) {
  registry.Add(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &kMatchingArtSuiteTable);
  registry.Add(kAIHitTestSuite, kAIHitTestSuiteVersion, &kHitTestSuiteTable);
}

}  // namespace hostsim
