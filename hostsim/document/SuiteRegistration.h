// Registration of the document's suite tables, one function per source file.
#pragma once

namespace hostsim {

class SuiteRegistry;

void RegisterArtSuites(SuiteRegistry& registry);
void RegisterMathSuites(SuiteRegistry& registry);
void RegisterTextSuites(SuiteRegistry& registry);

}  // namespace hostsim
