// Registration of the host's own suite tables, one function per family file.
#pragma once

namespace hostsim {
class SuiteRegistry;
}

namespace hostsim::suites {

void RegisterBasicSuites(SuiteRegistry& registry);  // blocks and access; the basic suite is handed over
void RegisterMenuSuite(SuiteRegistry& registry);
void RegisterToolSuite(SuiteRegistry& registry);
void RegisterNotifierSuite(SuiteRegistry& registry);
void RegisterPreferenceSuite(SuiteRegistry& registry);
void RegisterFontSuites(SuiteRegistry& registry);  // the host's font list and the text engine's font refs

}  // namespace hostsim::suites
