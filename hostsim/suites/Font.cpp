// The host's font list (AI Font suite) and the text engine's font refs made
// from it (ATE Font suite).
#include <cstdint>

#include "host/AISuites.h"
#include "host/ATESuites.h"
#include "hostsim/Encoding.h"
#include "hostsim/FontRefs.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

constexpr const char* kFont = kAIFontSuite;

// Font keys are the list index plus one, so a null key is never valid.
const ToolkitFont* FaceOfKey(Host& h, AIFontKey key, std::size_t* index) {
  const auto raw = reinterpret_cast<std::uintptr_t>(key);
  if (raw == 0 || raw > h.fonts().size()) return nullptr;
  if (index != nullptr) *index = raw - 1;
  return &h.fonts().at(raw - 1);
}

AIErr CountFonts(int32_t* count) {
  return Guarded(kFont, "CountFonts", [&](Host& h) -> ASErr {
    if (count == nullptr) return kBadParameterErr;
    *count = static_cast<int32_t>(h.fonts().size());
    return kNoErr;
  });
}

AIErr IndexFontList(int32_t index, AIFontKey* key) {
  return Guarded(kFont, "IndexFontList", [&](Host& h) -> ASErr {
    if (key == nullptr) return kBadParameterErr;
    *key = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= h.fonts().size()) return kBadParameterErr;
    *key = reinterpret_cast<AIFontKey>(static_cast<std::uintptr_t>(index) + 1);
    return kNoErr;
  });
}

AIErr GetFullFontName(AIFontKey key, char* name, int16_t maxName) {
  return Guarded(kFont, "GetFullFontName", [&](Host& h) -> ASErr {
    const ToolkitFont* face = FaceOfKey(h, key, nullptr);
    if (face == nullptr || name == nullptr || maxName < 1) return kBadParameterErr;
    CopyTruncated(Utf8ToCp1252(face->fullName), name, maxName);
    return kNoErr;
  });
}

AIErr FontFromFontKey(AIFontKey key, ATEFontRef* font) {
  return Guarded(kFont, "FontFromFontKey", [&](Host& h) -> ASErr {
    if (font == nullptr) return kBadParameterErr;
    *font = nullptr;
    std::size_t index = 0;
    if (FaceOfKey(h, key, &index) == nullptr) return kBadParameterErr;
    *font = MakeFontRef(index);
    return kNoErr;
  });
}

const AIFontSuite kFontSuite = {CountFonts, IndexFontList, GetFullFontName, FontFromFontKey};

AIErr AteFontRelease(ATEFontRef font) {
  return Guarded(kATEFontSuite, "Release", [&](Host&) { return ReleaseFontRef(font) ? kNoErr : kBadParameterErr; });
}
const ATEFontSuite kAteFontSuite = {AteFontRelease};

}  // namespace

void RegisterFontSuites(SuiteRegistry& registry) {
  registry.Add(kAIFontSuite, kAIFontSuiteVersion, &kFontSuite);
  registry.Add(kATEFontSuite, 1, &kAteFontSuite);
}

}  // namespace hostsim::suites
