// The notifier suite: notifications plug-ins ask the host to send them.
#include "host/AISuites.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/PlatformText.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

AIErr AddNotifier(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier) {
  return Guarded(kAINotifierSuite, "AddNotifier", type, [&](Host& h) -> ASErr {
    if (notifier != nullptr) *notifier = nullptr;
    if (!h.IsPluginRef(self) || name == nullptr || type == nullptr || notifier == nullptr) return kBadParameterErr;
    *notifier = h.notifiers().Add(Utf8(name), Utf8(type));
    return kNoErr;
  });
}

const AINotifierSuite kNotifierSuite = {AddNotifier};

}  // namespace

void RegisterNotifierSuite(SuiteRegistry& registry) {
  registry.Add(kAINotifierSuite, kAINotifierSuiteVersion, &kNotifierSuite);
}

}  // namespace hostsim::suites
