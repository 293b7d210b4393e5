// Which suites the host offers: an empty table under every name and version
// the plug-in acquires, then the tables each family file implements.
#include "host/ADMSuites.h"
#include "host/AISuites.h"
#include "host/ATESuites.h"
#include "hostsim/HostSuites.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Registration.h"

namespace hostsim {
namespace {

// Large enough that a table read past its documented end reads nulls, not other data.
struct EmptySuite {
  void* reserved[64];
};
const EmptySuite kEmptySuite{};

struct SuiteName {
  const char* name;
  int32_t version;
};

const SuiteName kHostSuiteNames[] = {
    {kSPBlocksSuite, kSPBlocksSuiteVersion},
    {kSPAccessSuite, kSPAccessSuiteVersion},
    {kAIPluginSuite, kAIPluginSuiteVersion},
    {kAIMdMemorySuite, kAIMdMemorySuiteVersion},
    {kAIRealMathSuite, kAIRealMathSuiteVersion},
    {kAIArtSuite, kAIArtSuiteVersion},
    {kAIUserSuite, kAIUserSuiteVersion},
    {kAIPathSuite, kAIPathSuiteVersion},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion},
    {kAIUndoSuite, kAIUndoSuiteVersion},
    {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion},
    {kAIMenuSuite, kAIMenuSuiteVersion},
    {kAIToolSuite, kAIToolSuiteVersion},
    {kAINotifierSuite, kAINotifierSuiteVersion},
    {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion},
    {kAIPreferenceSuite, kAIPreferenceSuiteVersion},
    {kAIContextSuite, kAIContextSuiteVersion},
    {kAICursorSnapSuite, kAICursorSnapSuiteVersion},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion},
    {kAIDocumentSuite, kAIDocumentSuiteVersion},
    {kAIMatchingArtSuite, kAIMatchingArtSuiteVersion},
    {kAITagSuite, kAITagSuiteVersion},
    {kAILayerSuite, kAILayerSuiteVersion},
    {kAIRealBezierSuite, kAIRealBezierSuiteVersion},
    {kAIHitTestSuite, kAIHitTestSuiteVersion},
    {kAITransformArtSuite, kAITransformArtSuiteVersion},
    {kAITextFrameSuite, kAITextFrameSuiteVersion},
    {kAIRuntimeSuite, kAIRuntimeSuiteVersion},
    {kAIFontSuite, kAIFontSuiteVersion},
    {kAIATEPaintSuite, kAIATEPaintSuiteVersion},
    {kAIURLSuite, kAIURLSuiteVersion},
#define KPX_ATE_NAME(object, version) {"ATE " #object " Suite", version},
    KPX_ATE_SUITES(KPX_ATE_NAME)
#undef KPX_ATE_NAME
};

}  // namespace

void RegisterPlaceholderSuites(SuiteRegistry& registry) {
  for (const SuiteName& s : kHostSuiteNames) registry.Add(s.name, s.version, &kEmptySuite);
}

void RegisterHostSuites(SuiteRegistry& registry) {
  suites::RegisterBasicSuites(registry);
  suites::RegisterMenuSuite(registry);
  suites::RegisterToolSuite(registry);
  suites::RegisterNotifierSuite(registry);
  suites::RegisterPreferenceSuite(registry);
  suites::RegisterFontSuites(registry);
}

}  // namespace hostsim
