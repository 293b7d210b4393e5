// A small plug-in the host tests load: it registers menus, a tool and a
// notifier as a real plug-in does, parks a block across Unload/Reload, and
// answers tool messages by calling the platform and toolkit services, writing
// what it saw into the preference section "Fixture". Its panel has a few items
// whose procedures go through the toolkit's suites: a millimetre field, a
// check box, a custom-drawn and tracked area and the flyout menu; it docks
// where the preferences say and stores its docking when it goes.
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
SPPluginRef gSelf = nullptr;
SPBasicSuite* sBasic = nullptr;
const AIMenuSuite* sMenu = nullptr;
const AIToolSuite* sTool = nullptr;
const AINotifierSuite* sNotifier = nullptr;
const AIPreferenceSuite* sPref = nullptr;
const ADMBasicSuite* sADM = nullptr;
const ADMIconSuite* sIcon = nullptr;
const ADMDialogSuite* sDialog = nullptr;
const ADMItemSuite* sItem = nullptr;
const ADMListSuite* sList = nullptr;
const ADMEntrySuite* sEntry = nullptr;
const ADMNotifierSuite* sNotifierADM = nullptr;
const ADMTrackerSuite* sTracker = nullptr;
const ADMDrawerSuite* sDrawer = nullptr;
const ADMDialogGroupSuite* sGroup = nullptr;
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
  get(kADMItemSuite, kADMItemSuiteVersion, reinterpret_cast<const void**>(&sItem));
  get(kADMListSuite, kADMListSuiteVersion, reinterpret_cast<const void**>(&sList));
  get(kADMEntrySuite, kADMEntrySuiteVersion, reinterpret_cast<const void**>(&sEntry));
  get(kADMNotifierSuite, kADMNotifierSuiteVersion, reinterpret_cast<const void**>(&sNotifierADM));
  get(kADMTrackerSuite, kADMTrackerSuiteVersion, reinterpret_cast<const void**>(&sTracker));
  get(kADMDrawerSuite, kADMDrawerSuiteVersion, reinterpret_cast<const void**>(&sDrawer));
  get(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, reinterpret_cast<const void**>(&sGroup));
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
  sBasic->ReleaseSuite(kADMItemSuite, kADMItemSuiteVersion);
  sBasic->ReleaseSuite(kADMListSuite, kADMListSuiteVersion);
  sBasic->ReleaseSuite(kADMEntrySuite, kADMEntrySuiteVersion);
  sBasic->ReleaseSuite(kADMNotifierSuite, kADMNotifierSuiteVersion);
  sBasic->ReleaseSuite(kADMTrackerSuite, kADMTrackerSuiteVersion);
  sBasic->ReleaseSuite(kADMDrawerSuite, kADMDrawerSuiteVersion);
  sBasic->ReleaseSuite(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion);
  sAcquired = false;
}

// -- The panel ----------------------------------------------------------------

bool UserChanged(ADMNotifierRef notifier) {
  ASBoolean is = 0;
  sNotifierADM->IsNotifierType(notifier, kADMUserChangedNotifier, &is);
  return is != 0;
}

// The millimetre field: its value, in points, once the toolkit has handled it.
void TieNotify(ADMItemRef item, ADMNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  if (!UserChanged(notifier)) return;
  AIReal points = 0;
  sItem->GetFloatValue(item, &points);
  sPref->PutRealPreference(kSection, "TieLength", points);
}

void SoundNotify(ADMItemRef item, ADMNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  ASBoolean on = 0;
  sItem->GetBooleanValue(item, &on);
  if (UserChanged(notifier)) sPref->PutBooleanPreference(kSection, "Sound", on);
}

// The custom area: a needle in the toolkit's shadow colour over a picture.
void AreaDraw(ADMItemRef item, ADMDrawerRef drawer) {
  sItem->DefaultDraw(item, drawer);
  sDrawer->SetADMColor(drawer, kADMShadowColor);
  const ADMPoint from = {9, 9}, to = {17, 1};
  sDrawer->DrawLine(drawer, &from, &to);
  const ADMPoint corner = {0, 0};
  sDrawer->DrawResPicture(drawer, gSelf, 404, &corner);
}

ASBoolean AreaTrack(ADMItemRef item, ADMTrackerRef tracker) {
  ADMPoint p = {0, 0};
  int32_t action = 0, modifiers = 0;
  sTracker->GetPoint(tracker, &p);
  sTracker->GetAction(tracker, &action);
  sTracker->GetModifiers(tracker, &modifiers);
  char text[64];
  std::snprintf(text, sizeof text, "%d %d,%d %d", int(action), int(p.h), int(p.v), int(modifiers));
  sPref->PutStringPreference(kSection, "LastTrack", text);
  ASBoolean changed = 0;
  sItem->DefaultTrack(item, tracker, &changed);
  return changed;
}

void FlyoutNotify(ADMItemRef item, ADMNotifierRef notifier) {
  sItem->DefaultNotify(item, notifier);
  ADMListRef list = nullptr;
  ADMEntryRef entry = nullptr;
  int32_t id = -1;
  sItem->GetList(item, &list);
  sList->GetActiveEntry(list, &entry);
  sEntry->GetID(entry, &id);
  if (UserChanged(notifier)) sPref->PutIntegerPreference(kSection, "Flyout", id);
}

// Stores where the panel is docked as it goes.
void PanelDestroy(ADMDialogRef dialog) {
  char group[64] = "";
  int32_t code = -1;
  sGroup->GetDialogGroupInfo(dialog, group, sizeof group, &code);
  sPref->PutStringPreference(kSection, "DockGroup", group);
  sPref->PutIntegerPreference(kSection, "DockCode", code);
}

ADMItemRef MakeItem(ADMDialogRef dialog, int32_t id, const char* type, ADMRect bounds) {
  ADMItemRef item = nullptr;
  sItem->Create(dialog, id, type, &bounds, nullptr, nullptr, 0, &item);
  return item;
}

ASErr PanelInit(ADMDialogRef dialog) {
  const ADMRect bounds = {100, 200, 306, 316};
  sDialog->SetBoundsRect(dialog, &bounds);
  sDialog->SetDestroyProc(dialog, PanelDestroy);
  ADMItemRef tie = MakeItem(dialog, 9, kADMSpinEditType, {28, 100, 100, 119});
  sItem->SetUnits(tie, kADMMillimeterUnits);
  sItem->SetPrecision(tie, 1);
  sItem->SetSmallIncrement(tie, 2.8346457f);
  sItem->SetFloatValue(tie, 17.007874f);
  sItem->SetNotifyProc(tie, TieNotify);
  ADMItemRef sound = MakeItem(dialog, 20, kADMTextCheckBoxType, {118, 34, 172, 50});
  sItem->SetText(sound, "Sound");
  sItem->SetNotifyProc(sound, SoundNotify);
  ADMItemRef area = MakeItem(dialog, 27, kADMPictureStaticType, {104, 80, 122, 98});
  sItem->SetPictureID(area, 404);
  sItem->SetDrawProc(area, AreaDraw);
  sItem->SetTrackProc(area, AreaTrack);
  sItem->SetMask(area, 0x40002);
  ADMItemRef flyout = nullptr;
  ADMListRef list = nullptr;
  sDialog->GetItem(dialog, kADMMenuItemID, &flyout);
  sItem->GetList(flyout, &list);
  sList->SetMenuID(list, 128);
  sItem->SetNotifyProc(flyout, FlyoutNotify);
  char group[64] = "W";
  int32_t code = 7168;
  sPref->GetStringPreference(kSection, "DockGroup", group, sizeof group);
  sPref->GetIntegerPreference(kSection, "DockCode", &code);
  return sGroup->SetDialogGroupInfo(dialog, group, code);
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
  gSelf = d->self;
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
      return sDialog->Create(d->self, "FixturePanel", 16400, kADMTabbedFloatingDialogStyle, PanelInit, nullptr, 1,
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
const char kMenu[] = "Dialog List\nFirst\n-\nThird\n";
}  // namespace

KPX_PLUGIN_EXPORT ASErr KPX_CDECL PluginGetResource(int32_t type, int32_t id, const void** data, uint32_t* size) {
  if (data == nullptr || size == nullptr) return kBadParameterErr;
  *data = nullptr;
  *size = 0;
  if (type == kStringListResource && id == 16100) {
    *data = kStrings;
    *size = sizeof kStrings - 1;
  } else if ((type == kPictureResource && (id == 16051 || id == 404)) || (type == kCursorResource && id == 16000)) {
    *data = kIconPng;
    *size = sizeof kIconPng;
  } else if (type == kDialogResource && (id == 16400 || id == 30000)) {
    *data = kDialog;
    *size = sizeof kDialog - 1;
  } else if (type == kMenuResource && id == 128) {
    *data = kMenu;
    *size = sizeof kMenu - 1;
  }
  return *data != nullptr ? kNoErr : kNameNotFoundErr;
}
