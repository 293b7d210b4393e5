// The host's own suite tables (basic family, menus, tools, notifiers,
// preferences, fonts, dialog toolkit basics) and the empty tables of the
// suites the plug-in holds without calling.
#pragma once

#include "host/SPBasic.h"

namespace hostsim {

class SuiteRegistry;

// Every suite the plug-in acquires, with an empty table; real tables are added over them.
void RegisterPlaceholderSuites(SuiteRegistry& registry);
// The suites the host itself implements (not the document's).
void RegisterHostSuites(SuiteRegistry& registry);
// The basic suite handed to the plug-in in every message.
SPBasicSuite* HostBasicSuite();

}  // namespace hostsim
