// A small plug-in the host tests load: it registers menus, a tool and a
// notifier as a real plug-in does, parks a block across Unload/Reload, and
// answers tool messages by calling the platform and toolkit services, writing
// what it saw into the preference section "Fixture".
#include <cstdio>
#include <cstring>

#include "host/AllSuites.h"

namespace {

const char* const kSection = "Fixture";

struct Globals {
  uint32_t magic;
  AIMenuItemHandle panelItem;
  AIToolHandle tool;
  ADMDialogRef panel;
  int32_t messages;
};

Globals* gGlobals = nullptr;
SPBasicSuite* sBasic = nullptr;
const AIMenuSuite* sMenu = nullptr;
const AIToolSuite* sTool = nullptr;
const AINotifierSuite* sNotifier = nullptr;
const AIPreferenceSuite* sPref = nullptr;
const ADMBasicSuite* sADM = nullptr;
const ADMIconSuite* sIcon = nullptr;
const ADMDialogSuite* sDialog = nullptr;
bool sAcquired = false;

ASErr Acquire() {
  if (sAcquired) return kNoErr;
  ASErr err = kNoErr;
  auto get = [&](const char* name, int32_t version, const void** slot) {
    if (err == kNoErr) err = sBasic->AcquireSuite(name, version, slot);
  };
  get(kAIMenuSuite, kAIMenuSuiteVersion, reinterpret_cast<const void**>(&sMenu));
  get(kAIToolSuite, kAIToolSuiteVersion, reinterpret_cast<const void**>(&sTool));
  get(kAINotifierSuite, kAINotifierSuiteVersion, reinterpret_cast<const void**>(&sNotifier));
  get(kAIPreferenceSuite, kAIPreferenceSuiteVersion, reinterpret_cast<const void**>(&sPref));
  get(kADMBasicSuite, kADMBasicSuiteVersion, reinterpret_cast<const void**>(&sADM));
  get(kADMIconSuite, kADMIconSuiteVersion2, reinterpret_cast<const void**>(&sIcon));
  get(kADMDialogSuite, kADMDialogSuiteVersion, reinterpret_cast<const void**>(&sDialog));
  sAcquired = err == kNoErr;
  return err;
}

void Release() {
  if (!sAcquired) return;
  sBasic->ReleaseSuite(kAIMenuSuite, kAIMenuSuiteVersion);
  sBasic->ReleaseSuite(kAIToolSuite, kAIToolSuiteVersion);
  sBasic->ReleaseSuite(kAINotifierSuite, kAINotifierSuiteVersion);
  sBasic->ReleaseSuite(kAIPreferenceSuite, kAIPreferenceSuiteVersion);
  sBasic->ReleaseSuite(kADMBasicSuite, kADMBasicSuiteVersion);
  sBasic->ReleaseSuite(kADMIconSuite, kADMIconSuiteVersion2);
  sBasic->ReleaseSuite(kADMDialogSuite, kADMDialogSuiteVersion);
  sAcquired = false;
}

ASErr Startup(SPMessageData* d) {
  void* block = nullptr;
  if (ASErr err = sBasic->AllocateBlock(sizeof(Globals), &block)) return err;
  gGlobals = static_cast<Globals*>(block);
  gGlobals->magic = 0x4B505831;

  AIMenuItemHandle about = nullptr, aboutHead = nullptr, toolsHead = nullptr;
  sMenu->AddMenuItem(d->self, "FixtureAboutHead", "About", "\xC0 propos\x85", 0, &aboutHead);
  sMenu->AddMenuGroupAsSubMenu("FixtureAboutGroup", 1, aboutHead, nullptr);
  sMenu->AddMenuItem(d->self, "FixtureAbout", "FixtureAboutGroup", "Fixture\x85", 0, &about);
  AIMenuGroup first = nullptr;
  const char* firstName = nullptr;
  sMenu->GetNthMenuGroup(0, &first);
  sMenu->GetMenuGroupName(first, &firstName);
  sPref->PutStringPreference(kSection, "FirstMenuGroup", firstName != nullptr ? firstName : "");
  sMenu->AddMenuItem(d->self, "KPXOutils", "Tool Palettes", "KPX\x95Tools", 0, &toolsHead);
  sMenu->AddMenuGroupAsSubMenu("KPXOutils", 1, toolsHead, nullptr);
  sMenu->AddMenuItem(d->self, "Outil1", "KPXOutils", "Show Fixture", 0, &gGlobals->panelItem);

  char title[64] = {0};
  char tooltip[64] = {0};
  sADM->GetIndexString(d->self, 16100, 1, title, sizeof title);
  sADM->GetIndexString(d->self, 16100, 2, tooltip, sizeof tooltip);
  ADMIconRef icon = nullptr;
  sIcon->GetFromResource(d->self, 16051, 0, &icon);
  int32_t type = 0;
  sIcon->GetType(icon, &type);
  if (type == kADMUnknownIconType) return kToolIconErr;
  int32_t pen = kNoTool;
  sTool->GetToolNumberFromName("Adobe Pen Tool", &pen);
  AIAddToolData data = {title, tooltip, icon, pen, pen};
  if (ASErr err = sTool->AddTool(d->self, title, &data, 1, &gGlobals->tool)) return err;

  AINotifierHandle started = nullptr;
  return sNotifier->AddNotifier(d->self, "notifierName", kAIApplicationStartedNotifier, &started);
}

ASErr Tool(const char* selector, AIToolMessage* m) {
  if (std::strcmp(selector, kSelectorAIToolMouseDown) == 0) {
    const bool shift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool alt = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    sPref->PutBooleanPreference(kSection, "ShiftAtDown", shift);
    sPref->PutBooleanPreference(kSection, "AltAtDown", alt);
    sPref->PutRealPreference(kSection, "DownX", m->cursor.h);
    sPref->PutRealPreference(kSection, "DownY", m->cursor.v);
    Beep(880, 30);
    return kNoErr;
  }
  if (std::strcmp(selector, kSelectorAITrackToolCursor) == 0) {
    sADM->SetPlatformCursor(m->d.self, 16000);  // a cursor the fixture has
    sADM->SetPlatformCursor(m->d.self, 12345);  // one it has not
    const int32_t vars[] = {kInfoPageVar1, kInfoPageVar2, kInfoTextVar, kInfoEndOfList};
    AIReal x = m->cursor.h, y = m->cursor.v;
    char text[] = "\x95 here";
    void* values[] = {&x, &y, text};
    return sTool->SetToolInfoVarValues(vars, values);
  }
  if (std::strcmp(selector, kSelectorAIEditToolOptions) == 0) {
    sADM->MessageAlert("Options \x85");
    return kNoErr;
  }
  if (std::strcmp(selector, kSelectorAISelectTool) == 0 || std::strcmp(selector, kSelectorAIDeselectTool) == 0) {
    int32_t count = 0;
    const char* key = selector[3] == 'S' ? "Selects" : "Deselects";
    sPref->GetIntegerPreference(kSection, key, &count);
    return sPref->PutIntegerPreference(kSection, key, count + 1);
  }
  if (std::strcmp(selector, kSelectorAIToolMouseUp) == 0) return 7;  // a code the host passes on
  return kNoErr;
}

ASErr Menu(AIMenuMessage* m) {
  if (m->menuItem == gGlobals->panelItem) {
    ASBoolean visible = false;
    sDialog->IsVisible(gGlobals->panel, &visible);
    sDialog->Show(gGlobals->panel, !visible);
    if (!visible) sTool->SetSelectedTool(gGlobals->tool);
    return sMenu->SetItemText(m->menuItem, visible ? "Show Fixture" : "Hide Fixture");
  }
  int32_t hit = 0;
  ASErr err = sDialog->Modal(m->d.self, "About", 30000, kADMModalDialogStyle, nullptr, nullptr, 0, &hit);
  sPref->PutIntegerPreference(kSection, "AboutHit", hit);
  return err;
}

}  // namespace

KPX_PLUGIN_EXPORT ASErr KPX_CDECL PluginMain(const char* caller, const char* selector, void* message) {
  auto* d = static_cast<SPMessageData*>(message);
  sBasic = d->basic;
  if (sBasic->IsEqual(caller, kSPAccessCaller)) {
    if (sBasic->IsEqual(selector, kSPAccessUnloadSelector)) {
      d->globals = gGlobals;
      Release();
    } else if (sBasic->IsEqual(selector, kSPAccessReloadSelector)) {
      gGlobals = static_cast<Globals*>(d->globals);
    }
    return kNoErr;
  }
  if (ASErr err = Acquire()) return err;
  if (gGlobals != nullptr) ++gGlobals->messages;
  if (sBasic->IsEqual(caller, kSPInterfaceCaller)) {
    if (sBasic->IsEqual(selector, kSPInterfaceStartupSelector)) return Startup(d);
    if (sBasic->IsEqual(selector, kSPInterfaceShutdownSelector)) {
      if (gGlobals->panel != nullptr) sDialog->Destroy(gGlobals->panel);
      sPref->PutIntegerPreference(kSection, "MessagesAtShutdown", gGlobals->messages);
      sBasic->FreeBlock(gGlobals);
      gGlobals = nullptr;
      d->globals = nullptr;
      Release();
      return kNoErr;
    }
    if (sBasic->IsEqual(selector, "Check")) {
      // Proves the block came back after a real unload: the magic is still there.
      return sPref->PutIntegerPreference(kSection, "Magic", gGlobals != nullptr ? int32_t(gGlobals->magic) : 0);
    }
    return kNoErr;
  }
  if (sBasic->IsEqual(caller, kCallerAIMenu)) return Menu(static_cast<AIMenuMessage*>(message));
  if (sBasic->IsEqual(caller, kCallerAITool)) return Tool(selector, static_cast<AIToolMessage*>(message));
  if (sBasic->IsEqual(caller, kCallerAINotify)) {
    auto* n = static_cast<AINotifierMessage*>(message);
    if (sBasic->IsEqual(n->type, kAIApplicationStartedNotifier)) {
      return sDialog->Create(d->self, "FixturePanel", 16400, kADMFloatingDialogStyle, nullptr, nullptr, 1,
                             &gGlobals->panel);
    }
  }
  return kNoErr;
}

namespace {
const unsigned char kStrings[] = "Fixture Tool\nFixture Tool 1.0\r\nThird \xC3\x89ntry\n";
// A PNG signature and header chunk: 24 x 18 pixels.
const unsigned char kIconPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                  0,    0,   0,   24,  0,    0,    0,    18,   8, 6, 0, 0, 0, 0, 0, 0, 0};
const char kDialog[] = "{}";
}  // namespace

KPX_PLUGIN_EXPORT ASErr KPX_CDECL PluginGetResource(int32_t type, int32_t id, const void** data, uint32_t* size) {
  if (data == nullptr || size == nullptr) return kBadParameterErr;
  *data = nullptr;
  *size = 0;
  if (type == kStringListResource && id == 16100) {
    *data = kStrings;
    *size = sizeof kStrings - 1;
  } else if ((type == kPictureResource && id == 16051) || (type == kCursorResource && id == 16000)) {
    *data = kIconPng;
    *size = sizeof kIconPng;
  } else if (type == kDialogResource && (id == 16400 || id == 30000)) {
    *data = kDialog;
    *size = sizeof kDialog - 1;
  }
  return *data != nullptr ? kNoErr : kNameNotFoundErr;
}
