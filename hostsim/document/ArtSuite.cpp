// The art suite: creating, disposing of, ordering and naming art, its user
// attributes and bounds, and the walk of the art tree.
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kArt = "AI Art Suite";

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
  const ChildList& siblings = doc.FindArt(a->parent)->children;
  // Searched from the top, and no further than the art itself.
  const auto at = siblings.IndexOf(a->id);
  if (!at) return kNoErr;
  const auto j = static_cast<std::ptrdiff_t>(*at) + step;
  if (j >= 0 && j < static_cast<std::ptrdiff_t>(siblings.size())) {
    *sibling = HandleOf<AIArtHandle>(siblings[static_cast<std::size_t>(j)]);
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
    case ArtKind::Kept: return "<Kept>";
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

}  // namespace

void RegisterArtSuite(SuiteRegistry& registry) {
  registry.Add(kAIArtSuite, kAIArtSuiteVersion, &kArtSuiteTable);
}

}  // namespace hostsim
