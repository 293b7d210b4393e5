// The entry point: routes each host message to its handler, with the suites
// acquired around it, and owns the life of the state block.

#include "shell/Registration.h"
#include "core/HostCode.h"
#include "core/State.h"
#include "core/Suites.h"
#include "host/AllSuites.h"
#include "label/MagnetIndex.h"
#include "label/ToolHandlers.h"
#include "panel/About.h"

namespace {

bool Is(const char* a, const char* b) { return sSPBasic->IsEqual(a, b) != 0; }

// The panel first (it may still read the block while it goes), then the block.
void DisposeState() {
  ForgetMagnetMap();
  if (gState == nullptr) return;
  if (gState->PanelRef != nullptr) {
    Ignore(sADMDialog->Destroy(gState->PanelRef), Why::Cleanup);
    gState->PanelRef = nullptr;
  }
  FreeState();
}

ASErr StartUp() {
  DisposeState();  // a second start-up starts afresh
  const ASErr err = AllocateState();
  if (err != kNoErr) return err;
  RegisterMenus();
  RegisterTool();
  return RegisterNotifiers();
}

void ShutDown(SPMessageData* message) {
  DisposeState();
  message->globals = nullptr;
}

ASErr InterfaceMessage(const char* selector, SPMessageData* message) {
  if (Is(selector, kSPInterfaceStartupSelector)) return StartUp();
  if (Is(selector, kSPInterfaceAboutSelector)) {
    if (gState != nullptr) ShowAboutBox();
    return kNoErr;
  }
  if (Is(selector, kSPInterfaceShutdownSelector)) {
    ShutDown(message);
    return kNoErr;
  }
  return kNoErr;
}

ASErr ToolMessage(const char* selector, AIToolMessage* message) {
  if (Is(selector, kSelectorAIEditToolOptions)) return ToolOptions(message);
  if (Is(selector, kSelectorAITrackToolCursor)) return ToolTrackCursor(message);
  if (Is(selector, kSelectorAIToolMouseDown)) return ToolMouseDown(message);
  if (Is(selector, kSelectorAIToolMouseDrag)) return ToolMouseDrag(message);
  if (Is(selector, kSelectorAIToolMouseUp)) return ToolMouseUp(message);
  if (Is(selector, kSelectorAISelectTool)) return ToolSelect(message);
  if (Is(selector, kSelectorAIDeselectTool)) return ToolDeselect(message);
  return kNoErr;
}

ASErr Dispatch(const char* caller, const char* selector, SPMessageData* message) {
  if (Is(caller, kSPInterfaceCaller)) return InterfaceMessage(selector, message);
  // Every other caller needs the state block; before start-up or after
  // shut-down there is nothing to act on.
  if (gState == nullptr) return kNoErr;
  if (Is(caller, kCallerAIMenu)) {
    if (Is(selector, kSelectorAIGoMenuItem)) return MenuCommand(reinterpret_cast<AIMenuMessage*>(message));
    return kNoErr;
  }
  if (Is(caller, kCallerAITool)) return ToolMessage(selector, reinterpret_cast<AIToolMessage*>(message));
  if (Is(caller, kCallerAINotify)) {
    if (Is(selector, kSelectorAINotify)) Notification(reinterpret_cast<AINotifierMessage*>(message));
    return kNoErr;
  }
  return kNoErr;
}

ASErr AccessMessage(const char* selector, SPMessageData* message) {
  if (Is(selector, kSPAccessUnloadSelector)) {
    message->globals = gState;
  } else if (Is(selector, kSPAccessReloadSelector)) {
    // The parked block; a host that parked nothing does not take ours away.
    if (message->globals != nullptr) gState = static_cast<State*>(message->globals);
    ResetSuiteCounter();
  }
  return kNoErr;
}

ASErr Main(const char* caller, const char* selector, void* record) {
  auto* message = static_cast<SPMessageData*>(record);
  if (message == nullptr || message->basic == nullptr || caller == nullptr || selector == nullptr) {
    return kBadParameterErr;
  }
  sSPBasic = message->basic;
  if (Is(caller, kSPAccessCaller)) return AccessMessage(selector, message);

  const ASErr acquired = AcquireSuites();
  if (acquired != kNoErr) return acquired;  // nothing is held; no handler runs
  gPluginRef = message->self;

  ASErr result = kNoErr;
  try {
    result = Dispatch(caller, selector, message);
  } catch (...) {
    result = kCantHappenErr;
  }
  return ReleaseSuitesAfter(result);
}

}  // namespace

KPX_PLUGIN_EXPORT ASErr KPX_CDECL PluginMain(const char* caller, const char* selector, void* message) {
  try {
    return Main(caller, selector, message);
  } catch (...) {
    return kCantHappenErr;
  }
}
