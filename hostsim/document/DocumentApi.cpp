// Creation of documents, the active document the C suites act on, and the
// registration of every document suite.
#include "hostsim/document/DocumentApi.h"

#include "hostsim/document/Document.h"
#include "hostsim/document/SuiteRegistration.h"

namespace hostsim {
namespace {
Document* gActive = nullptr;
}  // namespace

Document* ActiveDocument() { return gActive; }

void DocumentDeleter::operator()(Document* d) const {
  if (d == gActive) gActive = nullptr;
  delete d;
}

DocumentPtr MakeDocument(const FontList& fonts) {
  DocumentPtr doc(new Document(fonts));
  gActive = doc.get();
  return doc;
}

// Registered after the host's own rows, so these tables replace any
// placeholder of the same name and version.
void RegisterDocumentSuites(SuiteRegistry& registry) {
  RegisterArtSuite(registry);
  RegisterPathSuites(registry);
  RegisterTagSuite(registry);
  RegisterLayerSuite(registry);
  RegisterHitTestSuites(registry);
  RegisterDocumentSuiteTables(registry);
  RegisterMathSuites(registry);
  RegisterTextSuites(registry);
}

}  // namespace hostsim
