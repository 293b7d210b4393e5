// Registration of the document's suite tables, one function per source file.
#pragma once

namespace hostsim {

class SuiteRegistry;

void RegisterArtSuite(SuiteRegistry& registry);
void RegisterPathSuites(SuiteRegistry& registry);           // path and path style
void RegisterTagSuite(SuiteRegistry& registry);
void RegisterLayerSuite(SuiteRegistry& registry);
void RegisterHitTestSuites(SuiteRegistry& registry);        // matching art and hit test
void RegisterDocumentSuiteTables(SuiteRegistry& registry);  // document, document view, transform art
void RegisterMathSuites(SuiteRegistry& registry);
void RegisterTextSuites(SuiteRegistry& registry);

}  // namespace hostsim
