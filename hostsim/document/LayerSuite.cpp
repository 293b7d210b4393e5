// The layer suite: the document's layers, the current one, titles, visibility,
// whether they can be edited, and their colours.
#include "hostsim/Encoding.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/document/SuiteRegistration.h"
#include "hostsim/document/SuiteSupport.h"

namespace hostsim {
namespace {

using namespace suites;

constexpr const char* kLayers = "AI Layer Suite";

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

AIErr GetLayerColor(AILayerHandle layer, AIThreeColorStyle* color) {
  return WithLayer("GetLayerColor", layer, [&](Layer& l) -> AIErr {
    if (!color) return kBadParameterErr;
    *color = l.colour;
    return kNoErr;
  });
}

const AILayerSuite kLayerSuiteTable = {
    CountLayers,     GetNthLayer,     GetCurrentLayer,  SetCurrentLayer,
    InsertLayer,     GetLayerTitle,   SetLayerTitle,    GetLayerVisible,
    SetLayerVisible, GetLayerEditable, SetLayerEditable, GetLayerColor,
};

}  // namespace

void RegisterLayerSuite(SuiteRegistry& registry) {
  registry.Add(kAILayerSuite, kAILayerSuiteVersion, &kLayerSuiteTable);
}

}  // namespace hostsim
