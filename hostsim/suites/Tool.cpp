// The tool suite: tools plug-ins add, the selected tool, and the Info values a
// tool shows while it tracks the mouse.
#include <cmath>

#include "host/AISuites.h"
#include "hostsim/SuiteRegistry.h"
#include "hostsim/suites/Guard.h"
#include "hostsim/suites/PlatformText.h"
#include "hostsim/suites/Registration.h"

namespace hostsim::suites {
namespace {

constexpr const char* kTool = kAIToolSuite;

AIErr AddTool(SPPluginRef self, const char* name, const AIAddToolData* data, int32_t options, AIToolHandle* tool) {
  return Guarded(kTool, "AddTool", name, [&](Host& h) -> ASErr {
    if (tool != nullptr) *tool = nullptr;
    if (!h.IsPluginRef(self) || name == nullptr || data == nullptr || tool == nullptr) return kBadParameterErr;
    if (data->icon != nullptr && h.icons().Find(data->icon) == nullptr) return kBadParameterErr;
    return h.tools().Add(Utf8(name), Utf8(data->title), Utf8(data->tooltip), data->icon, data->sameGroupAs,
                         data->sameToolsetAs, options, tool);
  });
}

AIErr GetToolNumberFromName(const char* name, int32_t* number) {
  return Guarded(kTool, "GetToolNumberFromName", name, [&](Host& h) -> ASErr {
    if (name == nullptr || number == nullptr) return kBadParameterErr;
    auto found = h.tools().NumberFromName(Utf8(name));
    if (!found) return kNameNotFoundErr;
    *number = *found;
    return kNoErr;
  });
}

AIErr SetSelectedTool(AIToolHandle tool) {
  return Guarded(kTool, "SetSelectedTool", [&](Host& h) -> ASErr {
    const AIToolHandle previous = h.tools().selected();
    const ASErr err = h.tools().Select(tool);
    if (err == kNoErr && previous != tool) h.NoteToolChange(previous);
    return err;
  });
}

AIErr GetSelectedTool(AIToolHandle* tool) {
  return Guarded(kTool, "GetSelectedTool", [&](Host& h) -> ASErr {
    if (tool == nullptr) return kBadParameterErr;
    *tool = h.tools().selected();
    return kNoErr;
  });
}

AIErr SetToolInfoVarValues(const int32_t* vars, void** values) {
  return Guarded(kTool, "SetToolInfoVarValues", [&](Host& h) -> ASErr {
    if (vars == nullptr || values == nullptr) return kBadParameterErr;
    InfoValues info;
    for (int i = 0; vars[i] != kInfoEndOfList; ++i) {
      if (i > 64) return kBadParameterErr;  // an unterminated list
      void* value = values[i];
      if (value == nullptr) continue;
      switch (vars[i]) {
        case kInfoPageVar1:
        case kInfoPageVar2: {
          const AIReal v = *static_cast<const AIReal*>(value);
          if (std::isfinite(v)) (vars[i] == kInfoPageVar1 ? info.x : info.y) = v;
          break;
        }
        case kInfoTextVar:
          info.text = Utf8(static_cast<const char*>(value));
          break;
        default:
          return kBadParameterErr;
      }
    }
    h.ShowInfo(info);
    return kNoErr;
  });
}

AIErr SetToolRolloverIcon(AIToolHandle tool, ADMIconRef icon) {
  return Guarded(kTool, "SetToolRolloverIcon", [&](Host& h) -> ASErr {
    Tool* t = h.tools().Find(tool);
    if (t == nullptr || (icon != nullptr && h.icons().Find(icon) == nullptr)) return kBadParameterErr;
    t->rolloverIcon = icon;
    return kNoErr;
  });
}

const AIToolSuite kToolSuite = {AddTool,         GetToolNumberFromName, SetSelectedTool,
                                GetSelectedTool, SetToolInfoVarValues,  SetToolRolloverIcon};

}  // namespace

void RegisterToolSuite(SuiteRegistry& registry) { registry.Add(kAIToolSuite, kAIToolSuiteVersion, &kToolSuite); }

}  // namespace hostsim::suites
