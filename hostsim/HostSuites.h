// The host's own suite tables (basic family, menus, tools, notifiers,
// preferences, fonts, dialog toolkit basics) and the empty tables of the
// suites the plug-in holds without calling. Implemented in hostsim/suites/.
#pragma once

#include "host/SPBasic.h"

namespace hostsim {

class SuiteRegistry;

// The name the basic suite's operations carry in the guard and the fault
// injector; the plug-in never acquires it, it arrives in every message.
inline constexpr const char* kBasicSuiteName = "SP Basic Suite";

// Every suite the plug-in acquires, with an empty table; real tables are added over them.
void RegisterPlaceholderSuites(SuiteRegistry& registry);
// The suites the host itself implements (not the document's).
void RegisterHostSuites(SuiteRegistry& registry);
// The basic suite handed to the plug-in in every message.
SPBasicSuite* HostBasicSuite();

}  // namespace hostsim
