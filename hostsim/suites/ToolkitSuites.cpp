#include "hostsim/suites/ToolkitSuites.h"

#include "hostsim/SuiteRegistry.h"

namespace hostsim {

void RegisterToolkitSuites(SuiteRegistry& registry) {
  registry.Add(kADMBasicSuite, kADMBasicSuiteVersion, &suites::AdmBasicSuite());
  registry.Add(kADMDialogSuite, kADMDialogSuiteVersion, &suites::AdmDialogSuite());
  registry.Add(kADMItemSuite, kADMItemSuiteVersion, &suites::AdmItemSuite());
  registry.Add(kADMIconSuite, kADMIconSuiteVersion1, &suites::AdmIconSuite());
  registry.Add(kADMIconSuite, kADMIconSuiteVersion2, &suites::AdmIconSuite());
  registry.Add(kADMTrackerSuite, kADMTrackerSuiteVersion, &suites::AdmTrackerSuite());
  registry.Add(kADMDrawerSuite, kADMDrawerSuiteVersion, &suites::AdmDrawerSuite());
  registry.Add(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, &suites::AdmDialogGroupSuite());
  registry.Add(kADMListSuite, kADMListSuiteVersion, &suites::AdmListSuite());
  registry.Add(kADMEntrySuite, kADMEntrySuiteVersion, &suites::AdmEntrySuite());
  registry.Add(kADMNotifierSuite, kADMNotifierSuiteVersion, &suites::AdmNotifierSuite());
}

}  // namespace hostsim
