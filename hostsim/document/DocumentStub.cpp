// Placeholder until the document model lands: an empty document, no suites.
#include "hostsim/document/DocumentApi.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace hostsim {

class Document {};

void DocumentDeleter::operator()(Document* d) const { delete d; }
DocumentPtr MakeDocument(const FontList&) { return DocumentPtr(new Document); }
void RegisterDocumentSuites(SuiteRegistry&) {}
nlohmann::json DumpLayers(const Document&) { return nlohmann::json::array(); }
void WriteSvg(const Document&, std::ostream& out) {
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n";
}

}  // namespace hostsim
