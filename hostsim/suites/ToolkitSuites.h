// The dialog toolkit's suite tables (ADM Basic, Dialog, Item, List, Entry,
// Drawer, Icon, Tracker, Notifier, Dialog Group), one file per family.
#pragma once

#include "host/ADMSuites.h"

namespace hostsim {

class SuiteRegistry;

// Offers every toolkit suite, over the placeholders.
void RegisterToolkitSuites(SuiteRegistry& registry);

namespace suites {

const ADMBasicSuite& AdmBasicSuite();
const ADMIconSuite& AdmIconSuite();
const ADMDialogSuite& AdmDialogSuite();
const ADMDialogGroupSuite& AdmDialogGroupSuite();
const ADMItemSuite& AdmItemSuite();
const ADMListSuite& AdmListSuite();
const ADMEntrySuite& AdmEntrySuite();
const ADMDrawerSuite& AdmDrawerSuite();
const ADMTrackerSuite& AdmTrackerSuite();
const ADMNotifierSuite& AdmNotifierSuite();

}  // namespace suites
}  // namespace hostsim
