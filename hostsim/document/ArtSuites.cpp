// The document's suites for art, paths, styles, tags, layers, matching art,
// hit testing, the document, its view and transforms.
//
// [SECTION] Art suite
// [SECTION] Path and Path Style suites
// [SECTION] Tag suite
// [SECTION] Layer suite
// [SECTION] Matching Art suite
// [SECTION] Hit Test suite
// [SECTION] Document, Document View and Transform Art suites
// [SECTION] Registration
#include <cstring>

#include "hostsim/Blocks.h"
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/Geometry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kArt = "AI Art Suite";
constexpr const char* kPath = "AI Path Suite";
constexpr const char* kStyle = "AI Path Style Suite";
constexpr const char* kTags = "AI Tag Suite";
constexpr const char* kLayers = "AI Layer Suite";
constexpr const char* kMatching = "AI Matching Art Suite";
constexpr const char* kHits = "AI Hit Test Suite";
constexpr const char* kDoc = "AI Document Suite";
constexpr const char* kView = "AI Document View Suite";
constexpr const char* kXform = "AI Transform Art Suite";

// =============================================================================
// [SECTION] Art suite
// =============================================================================

AIErr NewArt(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
  return Run(kArt, "NewArt", [&](Document& doc) -> AIErr {
    if (!newArt || (type != kGroupArt && type != kPathArt)) return kBadParameterErr;
    if (prep && !ArtToChange(doc, prep)) return kBadParameterErr;
    ObjectId id = 0;
    const AIErr err = doc.NewArt(type == kGroupArt ? ArtKind::Group : ArtKind::Path, paintOrder, IdOf(prep), &id);
    if (err == kNoErr) *newArt = HandleOf<AIArtHandle>(id);
    return err;
  });
}

AIErr DisposeArt(AIArtHandle art) {
  return Run(kArt, "DisposeArt", [&](Document& doc) -> AIErr {
    if (!ArtToChange(doc, art)) return kBadParameterErr;
    return doc.DisposeArt(IdOf(art));
  });
}

AIErr ReorderArt(AIArtHandle art, int16_t paintOrder, AIArtHandle prep) {
  return Run(kArt, "ReorderArt", [&](Document& doc) -> AIErr {
    if (!ArtToChange(doc, art)) return kBadParameterErr;
    return doc.ReorderArt(IdOf(art), paintOrder, IdOf(prep));
  });
}

AIErr GetArtParent(AIArtHandle art, AIArtHandle* parent) {
  return Run(kArt, "GetArtParent", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !parent) return kBadParameterErr;
    *parent = HandleOf<AIArtHandle>(a->parent);
    return kNoErr;
  });
}

AIErr GetArtFirstChild(AIArtHandle art, AIArtHandle* child) {
  return Run(kArt, "GetArtFirstChild", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !child) return kBadParameterErr;
    *child = HandleOf<AIArtHandle>(a->children.empty() ? 0 : a->children.front());
    return kNoErr;
  });
}

// The sibling `step` places further down (+1) or up (-1) the paint order.
AIErr Sibling(Document& doc, AIArtHandle art, AIArtHandle* sibling, int step) {
  const Art* a = FindArt(doc, art);
  if (!a || !sibling) return kBadParameterErr;
  *sibling = nullptr;
  if (a->parent == 0) return kNoErr;
  const auto& siblings = doc.FindArt(a->parent)->children;
  for (std::size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i] != a->id) continue;
    const auto j = static_cast<std::ptrdiff_t>(i) + step;
    if (j >= 0 && j < static_cast<std::ptrdiff_t>(siblings.size())) *sibling = HandleOf<AIArtHandle>(siblings[j]);
  }
  return kNoErr;
}

AIErr GetArtSibling(AIArtHandle art, AIArtHandle* sibling) {
  return Run(kArt, "GetArtSibling", [&](Document& doc) -> AIErr { return Sibling(doc, art, sibling, +1); });
}

AIErr GetArtPriorSibling(AIArtHandle art, AIArtHandle* sibling) {
  return Run(kArt, "GetArtPriorSibling", [&](Document& doc) -> AIErr { return Sibling(doc, art, sibling, -1); });
}

AIErr GetArtType(AIArtHandle art, int16_t* type) {
  return Run(kArt, "GetArtType", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !type) return kBadParameterErr;
    *type = ArtTypeCode(a->kind);
    return kNoErr;
  });
}

AIErr GetArtUserAttr(AIArtHandle art, int32_t whichAttr, int32_t* attr) {
  return Run(kArt, "GetArtUserAttr", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !attr) return kBadParameterErr;
    *attr = a->userAttr & whichAttr;
    return kNoErr;
  });
}

AIErr SetArtUserAttr(AIArtHandle art, int32_t whichAttr, int32_t attr) {
  return Run(kArt, "SetArtUserAttr", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, art);
    if (!a) return kBadParameterErr;
    a->userAttr = (a->userAttr & ~whichAttr) | (attr & whichAttr);
    return kNoErr;
  });
}

const char* DefaultArtName(ArtKind kind) {
  switch (kind) {
    case ArtKind::Group: return "<Group>";
    case ArtKind::Path: return "<Path>";
    case ArtKind::Text: return "<Text>";
  }
  return "";
}

AIErr GetArtName(AIArtHandle art, char* name, int32_t size, ASBoolean* isDefaultName) {
  return Run(kArt, "GetArtName", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !name || size < 1) return kBadParameterErr;
    const bool unnamed = a->name.empty();
    CopyTruncated(unnamed ? std::string(DefaultArtName(a->kind)) : Utf8ToCp1252(a->name), name, size);
    if (isDefaultName) *isDefaultName = unnamed;
    return kNoErr;
  });
}

AIErr SetArtName(AIArtHandle art, const char* name) {
  return Run(kArt, "SetArtName", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, art);
    if (!a || !name) return kBadParameterErr;
    a->name = Cp1252ToUtf8(name);
    return kNoErr;
  });
}

ASBoolean ValidArt(AIArtHandle art) {
  bool valid = false;
  Run(kArt, "ValidArt", [&](Document& doc) -> AIErr {
    valid = FindArt(doc, art) != nullptr;
    return kNoErr;
  });
  return valid;
}

AIErr GetArtBounds(AIArtHandle art, AIRealRect* bounds) {
  return Run(kArt, "GetArtBounds", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !bounds) return kBadParameterErr;
    *bounds = doc.Bounds(*a).value_or(AIRealRect{0, 0, 0, 0});
    return kNoErr;
  });
}

AIErr GetFirstArtOfLayer(AILayerHandle layer, AIArtHandle* group) {
  return Run(kArt, "GetFirstArtOfLayer", [&](Document& doc) -> AIErr {
    const Layer* l = doc.FindLayer(IdOf(layer));
    if (!l || !group) return kBadParameterErr;
    *group = HandleOf<AIArtHandle>(l->group);
    return kNoErr;
  });
}

AIErr GetLayerOfArt(AIArtHandle art, AILayerHandle* layer) {
  return Run(kArt, "GetLayerOfArt", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !layer) return kBadParameterErr;
    *layer = HandleOf<AILayerHandle>(a->layer);
    return kNoErr;
  });
}

const AIArtSuite kArtSuiteTable = {
    NewArt,         DisposeArt,     ReorderArt,         GetArtParent,
    GetArtFirstChild, GetArtSibling, GetArtPriorSibling, GetArtType,
    GetArtUserAttr, SetArtUserAttr, GetArtName,         SetArtName,
    ValidArt,       GetArtBounds,   GetFirstArtOfLayer, GetLayerOfArt,
};

// =============================================================================
// [SECTION] Path and Path Style suites
// =============================================================================

constexpr int16_t kMaxSegments = 32000;

bool FiniteSegment(const AIPathSegment& s) {
  for (AIReal v : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v}) {
    if (!Finite(v)) return false;
  }
  return true;
}

AIErr GetPathSegmentCount(AIArtHandle path, int16_t* count) {
  return Run(kPath, "GetPathSegmentCount", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !count) return kBadParameterErr;
    *count = static_cast<int16_t>(a->path.segments.size());
    return kNoErr;
  });
}

AIErr SetPathSegmentCount(AIArtHandle path, int16_t count) {
  return Run(kPath, "SetPathSegmentCount", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a || count < 0 || count > kMaxSegments) return kBadParameterErr;
    auto& segs = a->path.segments;
    const AIPathSegment fill = segs.empty() ? AIPathSegment{} : segs.back();
    segs.resize(static_cast<std::size_t>(count), fill);
    return kNoErr;
  });
}

bool InRange(const std::vector<AIPathSegment>& segs, int16_t first, int16_t count) {
  return first >= 0 && count >= 0 && static_cast<std::size_t>(first) + static_cast<std::size_t>(count) <= segs.size();
}

AIErr GetPathSegments(AIArtHandle path, int16_t segNumber, int16_t count, AIPathSegment* segments) {
  return Run(kPath, "GetPathSegments", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !InRange(a->path.segments, segNumber, count) || (count > 0 && !segments)) return kBadParameterErr;
    for (int16_t i = 0; i < count; ++i) segments[i] = a->path.segments[static_cast<std::size_t>(segNumber + i)];
    return kNoErr;
  });
}

AIErr SetPathSegments(AIArtHandle path, int16_t segNumber, int16_t count, const AIPathSegment* segments) {
  return Run(kPath, "SetPathSegments", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a || !InRange(a->path.segments, segNumber, count) || (count > 0 && !segments)) return kBadParameterErr;
    for (int16_t i = 0; i < count; ++i) {
      if (!FiniteSegment(segments[i])) return kBadParameterErr;
    }
    for (int16_t i = 0; i < count; ++i) a->path.segments[static_cast<std::size_t>(segNumber + i)] = segments[i];
    return kNoErr;
  });
}

AIErr GetPathClosed(AIArtHandle path, ASBoolean* closed) {
  return Run(kPath, "GetPathClosed", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !closed) return kBadParameterErr;
    *closed = a->path.closed;
    return kNoErr;
  });
}

AIErr SetPathClosed(AIArtHandle path, ASBoolean closed) {
  return Run(kPath, "SetPathClosed", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a) return kBadParameterErr;
    a->path.closed = closed != 0;
    return kNoErr;
  });
}

AIErr GetPathGuide(AIArtHandle path, ASBoolean* isGuide) {
  return Run(kPath, "GetPathGuide", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !isGuide) return kBadParameterErr;
    *isGuide = a->path.guide;
    return kNoErr;
  });
}

const AIPathSuite kPathSuiteTable = {
    GetPathSegmentCount, SetPathSegmentCount, GetPathSegments, SetPathSegments,
    GetPathClosed,       SetPathClosed,       GetPathGuide,
};

bool ValidStyle(const AIPathStyle& s) {
  const AIStrokeStyle& k = s.stroke;
  if (!ValidColor(s.fill.color) || !ValidColor(k.color)) return false;
  if (!Finite(k.width) || k.width < 0 || !Finite(k.miterLimit) || !Finite(k.dash.offset)) return false;
  if (k.dash.length < 0 || k.dash.length > 6) return false;
  for (AIReal v : k.dash.array) {
    if (!Finite(v)) return false;
  }
  return k.cap >= kAIButtCap && k.cap <= kAIProjectingCap && k.join >= kAIMiterJoin && k.join <= kAIBevelJoin;
}

AIErr GetPathStyle(AIArtHandle path, AIPathStyle* style) {
  return Run(kStyle, "GetPathStyle", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, path, ArtKind::Path);
    if (!a || !style) return kBadParameterErr;
    *style = a->path.style;
    return kNoErr;
  });
}

AIErr SetPathStyle(AIArtHandle path, const AIPathStyle* style) {
  return Run(kStyle, "SetPathStyle", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, path, ArtKind::Path);
    if (!a || !style || !ValidStyle(*style)) return kBadParameterErr;
    a->path.style = *style;
    return kNoErr;
  });
}

const AIPathStyleSuite kPathStyleSuiteTable = {GetPathStyle, SetPathStyle};

// =============================================================================
// [SECTION] Tag suite
// =============================================================================

AIErr SetTag(AIArtHandle art, const char* name, const char* type, const char* value) {
  return Run(kTags, "SetTag", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, art);
    if (!a || !name || !*name || !type || !value) return kBadParameterErr;
    a->tags[Cp1252ToUtf8(name)] = Tag{type, Cp1252ToUtf8(value)};
    return kNoErr;
  });
}

AIErr GetTag(AIArtHandle art, const char* name, const char* type, char* value, int32_t size) {
  return Run(kTags, "GetTag", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !name || !value || size < 1) return kBadParameterErr;
    const auto it = a->tags.find(Cp1252ToUtf8(name));
    if (it == a->tags.end() || (type && it->second.type != type)) return kNoSuchTagErr;
    CopyTruncated(Utf8ToCp1252(it->second.value), value, size);
    return kNoErr;
  });
}

AIErr RemoveTag(AIArtHandle art, const char* name) {
  return Run(kTags, "RemoveTag", [&](Document& doc) -> AIErr {
    Art* a = ArtToChange(doc, art);
    if (!a || !name) return kBadParameterErr;
    a->tags.erase(Cp1252ToUtf8(name));
    return kNoErr;
  });
}

AIErr HasTag(AIArtHandle art, const char* name, ASBoolean* has) {
  return Run(kTags, "HasTag", [&](Document& doc) -> AIErr {
    const Art* a = FindArt(doc, art);
    if (!a || !name || !has) return kBadParameterErr;
    *has = a->tags.count(Cp1252ToUtf8(name)) > 0;
    return kNoErr;
  });
}

const AITagSuite kTagSuiteTable = {SetTag, GetTag, RemoveTag, HasTag};

// =============================================================================
// [SECTION] Layer suite
// =============================================================================

AIErr CountLayers(int32_t* count) {
  return Run(kLayers, "CountLayers", [&](Document& doc) -> AIErr {
    if (!count) return kBadParameterErr;
    *count = static_cast<int32_t>(doc.layers().size());
    return kNoErr;
  });
}

AIErr GetNthLayer(int32_t n, AILayerHandle* layer) {
  return Run(kLayers, "GetNthLayer", [&](Document& doc) -> AIErr {
    if (!layer || n < 0 || static_cast<std::size_t>(n) >= doc.layers().size()) return kBadParameterErr;
    *layer = HandleOf<AILayerHandle>(doc.layers()[static_cast<std::size_t>(n)].id);
    return kNoErr;
  });
}

AIErr GetCurrentLayer(AILayerHandle* layer) {
  return Run(kLayers, "GetCurrentLayer", [&](Document& doc) -> AIErr {
    if (!layer) return kBadParameterErr;
    *layer = HandleOf<AILayerHandle>(doc.currentLayer());
    return kNoErr;
  });
}

AIErr SetCurrentLayer(AILayerHandle layer) {
  return Run(kLayers, "SetCurrentLayer",
             [&](Document& doc) -> AIErr { return doc.SetCurrentLayer(IdOf(layer)) ? kNoErr : kBadParameterErr; });
}

AIErr InsertLayer(AILayerHandle layer, int16_t paintOrder, AILayerHandle* newLayer) {
  return Run(kLayers, "InsertLayer", [&](Document& doc) -> AIErr {
    if (!newLayer) return kBadParameterErr;
    std::size_t position = 0;
    if (paintOrder == kPlaceAboveAll) {
      position = 0;
    } else if (paintOrder == kPlaceBelowAll) {
      position = doc.layers().size();
    } else if (paintOrder == kPlaceAbove || paintOrder == kPlaceBelow) {
      const auto index = doc.LayerIndex(IdOf(layer));
      if (!layer || !index) return kBadParameterErr;
      position = *index + (paintOrder == kPlaceBelow ? 1 : 0);
    } else {
      return kBadParameterErr;
    }
    *newLayer = HandleOf<AILayerHandle>(doc.InsertLayer(position));
    return kNoErr;
  });
}

template <class Body>
AIErr WithLayer(const char* op, AILayerHandle layer, Body&& body) {
  return Run(kLayers, op, [&](Document& doc) -> AIErr {
    Layer* l = layer ? doc.FindLayer(IdOf(layer)) : nullptr;
    return l ? body(*l) : kBadParameterErr;
  });
}

AIErr GetLayerTitle(AILayerHandle layer, char* title, int32_t size) {
  return WithLayer("GetLayerTitle", layer, [&](Layer& l) -> AIErr {
    if (!title || size < 1) return kBadParameterErr;
    CopyTruncated(Utf8ToCp1252(l.title), title, size);
    return kNoErr;
  });
}

AIErr SetLayerTitle(AILayerHandle layer, const char* title) {
  return WithLayer("SetLayerTitle", layer, [&](Layer& l) -> AIErr {
    if (!title) return kBadParameterErr;
    l.title = Cp1252ToUtf8(title);
    return kNoErr;
  });
}

AIErr GetLayerVisible(AILayerHandle layer, ASBoolean* visible) {
  return WithLayer("GetLayerVisible", layer, [&](Layer& l) -> AIErr {
    if (!visible) return kBadParameterErr;
    *visible = l.visible;
    return kNoErr;
  });
}

AIErr SetLayerVisible(AILayerHandle layer, ASBoolean visible) {
  return WithLayer("SetLayerVisible", layer, [&](Layer& l) -> AIErr {
    l.visible = visible != 0;
    return kNoErr;
  });
}

AIErr GetLayerEditable(AILayerHandle layer, ASBoolean* editable) {
  return WithLayer("GetLayerEditable", layer, [&](Layer& l) -> AIErr {
    if (!editable) return kBadParameterErr;
    *editable = l.editable;
    return kNoErr;
  });
}

AIErr SetLayerEditable(AILayerHandle layer, ASBoolean editable) {
  return WithLayer("SetLayerEditable", layer, [&](Layer& l) -> AIErr {
    l.editable = editable != 0;
    return kNoErr;
  });
}

const AILayerSuite kLayerSuiteTable = {
    CountLayers,     GetNthLayer,     GetCurrentLayer,  SetCurrentLayer,
    InsertLayer,     GetLayerTitle,   SetLayerTitle,    GetLayerVisible,
    SetLayerVisible, GetLayerEditable, SetLayerEditable,
};

// =============================================================================
// [SECTION] Matching Art suite
// =============================================================================

constexpr int16_t kAnyArt = -1;

AIErr GetMatchingArt(const AIMatchingArtSpec* specs, int16_t numSpecs, AIArtHandle** matches, int32_t* numMatches) {
  return Run(kMatching, "GetMatchingArt", [&](Document& doc) -> AIErr {
    if (!matches || !numMatches || numSpecs < 0 || (numSpecs > 0 && !specs)) return kBadParameterErr;
    *matches = nullptr;
    *numMatches = 0;
    std::vector<ObjectId> found;
    for (ObjectId id : doc.ArtInDocumentOrder()) {
      const Art& art = *doc.FindArt(id);
      for (int16_t i = 0; i < numSpecs; ++i) {
        const AIMatchingArtSpec& s = specs[i];
        const bool typeMatches = s.type == kAnyArt || s.type == ArtTypeCode(art.kind);
        if (typeMatches && (art.userAttr & s.whichAttr) == (s.attr & s.whichAttr)) {
          found.push_back(id);
          break;
        }
      }
    }
    if (found.empty()) return kNoErr;
    auto* block = static_cast<AIArtHandle*>(AllocateBlock(found.size() * sizeof(AIArtHandle)));
    if (!block) return kSPOutOfMemoryError;
    for (std::size_t i = 0; i < found.size(); ++i) block[i] = HandleOf<AIArtHandle>(found[i]);
    *matches = block;
    *numMatches = static_cast<int32_t>(found.size());
    return kNoErr;
  });
}

const AIMatchingArtSuite kMatchingArtSuiteTable = {GetMatchingArt};

// =============================================================================
// [SECTION] Hit Test suite
// =============================================================================

AIErr HitTestEx(AIArtHandle art, const AIRealPoint* point, AIReal tolerance, int32_t /*option*/, AIHitRef* hit) {
  return Run(kHits, "HitTestEx", [&](Document& doc) -> AIErr {
    if (!point || !hit || !Finite(point->h) || !Finite(point->v) || !Finite(tolerance) || tolerance < 0) {
      return kBadParameterErr;
    }
    if (art && !FindArt(doc, art)) return kBadParameterErr;
    const ObjectId ref = NextObjectId();
    doc.hits[ref] = doc.HitTest(IdOf(art), *point, tolerance);
    *hit = HandleOf<AIHitRef>(ref);
    return kNoErr;
  });
}

const HitResult* FindHit(Document& doc, AIHitRef hit) {
  const auto it = doc.hits.find(IdOf(hit));
  return it == doc.hits.end() ? nullptr : &it->second;
}

ASBoolean IsHit(AIHitRef hit) {
  bool result = false;
  Run(kHits, "IsHit", [&](Document& doc) -> AIErr {
    const HitResult* r = FindHit(doc, hit);
    result = r && r->hit;
    return kNoErr;
  });
  return result;
}

int32_t GetHitType(AIHitRef hit) {
  int32_t type = -1;
  Run(kHits, "GetType", [&](Document& doc) -> AIErr {
    if (const HitResult* r = FindHit(doc, hit)) type = r->type;
    return kNoErr;
  });
  return type;
}

AIErr GetHitData(AIHitRef hit, AIToolHitData* data) {
  return Run(kHits, "GetHitData", [&](Document& doc) -> AIErr {
    const HitResult* r = FindHit(doc, hit);
    if (!r || !data) return kBadParameterErr;
    *data = AIToolHitData{};
    data->hit = r->hit;
    data->object = HandleOf<AIArtHandle>(r->object);
    data->type = r->type;
    data->segment = r->segment;
    data->t = static_cast<AIReal>(r->t);
    data->point = r->point;
    return kNoErr;
  });
}

AIErr ReleaseHit(AIHitRef hit) {
  return Run(kHits, "Release",
             [&](Document& doc) -> AIErr { return doc.hits.erase(IdOf(hit)) ? kNoErr : kBadParameterErr; });
}

const AIHitTestSuite kHitTestSuiteTable = {HitTestEx, IsHit, GetHitType, GetHitData, ReleaseHit};

// =============================================================================
// [SECTION] Document, Document View and Transform Art suites
// =============================================================================

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

namespace suites {

bool ValidColor(const AIColor& c) {
  switch (c.kind) {
    case kNoneColor: return true;
    case kGrayColor: return Finite(c.c.g.gray);
    case kThreeColor: return Finite(c.c.rgb.red) && Finite(c.c.rgb.green) && Finite(c.c.rgb.blue);
    default: return false;
  }
}

}  // namespace suites

// =============================================================================
// [SECTION] Registration
// =============================================================================

void RegisterArtSuites(SuiteRegistry& registry) {
  registry.Add(kAIArtSuite, kAIArtSuiteVersion, &kArtSuiteTable);
  registry.Add(kAIPathSuite, kAIPathSuiteVersion, &kPathSuiteTable);
  registry.Add(kAIPathStyleSuite, kAIPathStyleSuiteVersion, &kPathStyleSuiteTable);
  registry.Add(kAITagSuite, kAITagSuiteVersion, &kTagSuiteTable);
  registry.Add(kAILayerSuite, kAILayerSuiteVersion, &kLayerSuiteTable);
  registry.Add(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &kMatchingArtSuiteTable);
  registry.Add(kAIHitTestSuite, kAIHitTestSuiteVersion, &kHitTestSuiteTable);
  registry.Add(kAIDocumentSuite, kAIDocumentSuiteVersion, &kDocumentSuiteTable);
  registry.Add(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &kDocumentViewSuiteTable);
  registry.Add(kAITransformArtSuite, kAITransformArtSuiteVersion, &kTransformArtSuiteTable);
}

}  // namespace hostsim
