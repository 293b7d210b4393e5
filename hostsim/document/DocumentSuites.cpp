// The document, document view and transform art suites: redraw, file name,
// zoom, and moving art by a matrix.
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/Geometry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kDoc = "AI Document Suite";
constexpr const char* kView = "AI Document View Suite";
constexpr const char* kXform = "AI Transform Art Suite";

AIErr RedrawDocument() {
  return Run(kDoc, "RedrawDocument", [&](Document& doc) -> AIErr {
    ++doc.redrawCount;
    return kNoErr;
  });
}

AIErr GetDocumentFileName(char* name, int32_t size) {
  return Run(kDoc, "GetDocumentFileName", [&](Document& doc) -> AIErr {
    if (!name || size < 1) return kBadParameterErr;
    CopyTruncated(doc.fileName, name, size);
    return kNoErr;
  });
}

const AIDocumentSuite kDocumentSuiteTable = {RedrawDocument, GetDocumentFileName};

AIErr GetDocumentViewZoom(AIDocumentViewHandle view, AIReal* zoom) {
  return Run(kView, "GetDocumentViewZoom", [&](Document& doc) -> AIErr {
    if (view || !zoom) return kBadParameterErr;  // there is one view, reached as null
    *zoom = static_cast<AIReal>(doc.zoom);
    return kNoErr;
  });
}

AIErr SetDocumentViewZoom(AIDocumentViewHandle view, AIReal zoom) {
  return Run(kView, "SetDocumentViewZoom", [&](Document& doc) -> AIErr {
    if (view || !Finite(zoom) || zoom <= 0) return kBadParameterErr;
    doc.zoom = zoom;
    return kNoErr;
  });
}

const AIDocumentViewSuite kDocumentViewSuiteTable = {GetDocumentViewZoom, SetDocumentViewZoom};

// True when the matrix keeps every point of the art (and inside groups) within
// the range of a real, so that a refused transform changes nothing.
bool TransformStaysFinite(Document& doc, const Art& art, const AIRealMatrix& m) {
  switch (art.kind) {
    case ArtKind::Path:
      for (const AIPathSegment& s : art.path.segments) {
        if (!TransformFits(m, s.p) || !TransformFits(m, s.in) || !TransformFits(m, s.out)) return false;
      }
      return true;
    case ArtKind::Text:
      return TransformFits(m, art.text.anchor);
    case ArtKind::Kept:  // not moved by a transform
      return true;
    case ArtKind::Group:
      for (ObjectId child : art.children) {
        if (!TransformStaysFinite(doc, *doc.FindArt(child), m)) return false;
      }
      return true;
  }
  return false;
}

AIErr TransformArt(AIArtHandle art, const AIRealMatrix* matrix, AIReal /*lineScale*/, int32_t /*flags*/) {
  return Run(kXform, "TransformArt", [&](Document& doc) -> AIErr {
    const Art* a = ArtToChange(doc, art);
    if (!a || !matrix || !IsFinite(*matrix) || !TransformStaysFinite(doc, *a, *matrix)) return kBadParameterErr;
    doc.Transform(IdOf(art), *matrix);
    return kNoErr;
  });
}

const AITransformArtSuite kTransformArtSuiteTable = {TransformArt};

}  // namespace

void RegisterDocumentSuiteTables(SuiteRegistry& registry) {
  registry.Add(kAIDocumentSuite, kAIDocumentSuiteVersion, &kDocumentSuiteTable);
  registry.Add(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &kDocumentViewSuiteTable);
  registry.Add(kAITransformArtSuite, kAITransformArtSuiteVersion, &kTransformArtSuiteTable);
}

}  // namespace hostsim
