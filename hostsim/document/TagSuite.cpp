// The tag suite: named strings attached to art.
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kTags = "AI Tag Suite";

AIErr SetTag(AIArtHandle art, const char* name, const char* type, const char* value) {
  return Run(kTags, "SetTag", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, art);
    if (!a || !name || !*name || !type || !value) return kBadParameterErr;
    a->tags[Cp1252ToUtf8(name)] = Tag{type, Cp1252ToUtf8(value)};
    return kNoErr;
  });
}

AIErr GetTag(AIArtHandle art, const char* name, const char* type, char* value, int32_t size) {
  return Run(kTags, "GetTag", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !name || !value || size < 1) return kBadParameterErr;
    const auto it = a->tags.find(Cp1252ToUtf8(name));
    if (it == a->tags.end() || (type && it->second.type != type)) return kNoSuchTagErr;
    CopyTruncated(Utf8ToCp1252(it->second.value), value, size);
    return kNoErr;
  });
}

AIErr RemoveTag(AIArtHandle art, const char* name) {
  return Run(kTags, "RemoveTag", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, art);
    if (!a || !name) return kBadParameterErr;
    a->tags.erase(Cp1252ToUtf8(name));
    return kNoErr;
  });
}

AIErr HasTag(AIArtHandle art, const char* name, ASBoolean* has) {
  return Run(kTags, "HasTag", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !name || !has) return kBadParameterErr;
    *has = a->tags.count(Cp1252ToUtf8(name)) > 0;
    return kNoErr;
  });
}

const AITagSuite kTagSuiteTable = {SetTag, GetTag, RemoveTag, HasTag};

}  // namespace

void RegisterTagSuite(SuiteRegistry& registry) {
  registry.Add(kAITagSuite, kAITagSuiteVersion, &kTagSuiteTable);
}

}  // namespace hostsim
