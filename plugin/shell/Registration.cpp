// [SECTION] Menus
// [SECTION] Tool
// [SECTION] Notifiers
// [SECTION] Host callbacks

#include "shell/Registration.h"

#include <cstring>

#include "core/FixedText.h"
#include "core/HostCode.h"
#include "core/Ids.h"
#include "core/Settings.h"
#include "core/State.h"
#include "core/Suites.h"
#include "panel/About.h"
#include "panel/Panel.h"
#include "dialogs/Dialogs.h"
#include "label/MagnetIndex.h"
#include "core/PendingLabel.h"

//-----------------------------------------------------------------------------
// [SECTION] Menus
//-----------------------------------------------------------------------------

namespace {

bool MenuGroupExists(const AIMenuSuite& menus, const char* name) {
  int32_t count = 0;
  if (menus.CountMenuGroups(&count) != kNoErr) return false;
  for (int32_t i = 0; i < count; ++i) {
    AIMenuGroup group = nullptr;
    const char* groupName = nullptr;
    if (menus.GetNthMenuGroup(i, &group) != kNoErr) continue;
    if (menus.GetMenuGroupName(group, &groupName) != kNoErr || groupName == nullptr) continue;
    if (std::strcmp(groupName, name) == 0) return true;
  }
  return false;
}

// The About-plug-ins group under the host's "About" group, shared by the
// plug-ins of the family, and this plug-in's item in it. The menu suite is
// held for the duration of the step only.
ASErr RegisterAboutItem() {
  State& g = *gState;
  const void* table = nullptr;
  ASErr err = sSPBasic->AcquireSuite(kAIMenuSuite, kAIMenuSuiteVersion, &table);
  if (err != kNoErr) return err;
  if (table == nullptr) return kSPSuiteNotFoundError;
  const AIMenuSuite& menus = *static_cast<const AIMenuSuite*>(table);

  if (!MenuGroupExists(menus, kAboutGroupName)) {
    AIMenuItemHandle head = nullptr;
    err = menus.AddMenuItem(gPluginRef, kAboutGroupName, "About", kAboutGroupText, 0, &head);
    AIMenuGroup group = nullptr;
    if (err == kNoErr) err = menus.AddMenuGroupAsSubMenu(kAboutGroupName, kMenuGroupSortedAlphabeticallyOption, head, &group);
  }
  if (err == kNoErr) {
    err = menus.AddMenuItem(gPluginRef, kAboutItemText, kAboutGroupName, kAboutItemText, 0, &g.AboutMenuItem);
  }
  Ignore(sSPBasic->ReleaseSuite(kAIMenuSuite, kAIMenuSuiteVersion), Why::Cleanup);
  return err;
}

// True when menu group 0 is one of the family's own ("KPX...").
bool FamilyGroupComesFirst() {
  AIMenuGroup group = nullptr;
  const char* name = nullptr;
  if (sAIMenu->GetNthMenuGroup(0, &group) != kNoErr) return false;
  if (sAIMenu->GetMenuGroupName(group, &name) != kNoErr || name == nullptr) return false;
  return std::strncmp(name, "KPX", 3) == 0;
}

}  // namespace

ASErr RegisterMenus() {
  State& g = *gState;
  // The About item is optional: its failure does not keep the panel item out.
  RegisterAboutItem();

  if (!FamilyGroupComesFirst()) {
    AIMenuItemHandle head = nullptr;
    ASErr err = sAIMenu->AddMenuItem(gPluginRef, kToolsGroupName, "Tool Palettes", kToolsGroupText, 0, &head);
    if (err != kNoErr) return err;
    AIMenuGroup group = nullptr;
    err = sAIMenu->AddMenuGroupAsSubMenu(kToolsGroupName, kMenuGroupSortedAlphabeticallyOption, head, &group);
    if (err != kNoErr) return err;
  }
  return sAIMenu->AddMenuItem(gPluginRef, kPanelItemName, kToolsGroupName, kShowPanelText, 0, &g.PanelMenuItem);
}

//-----------------------------------------------------------------------------
// [SECTION] Tool
//-----------------------------------------------------------------------------

namespace {

// The string list's entry, or `fallback` when the host cannot give it.
void LoadToolString(int32_t index, const char* fallback, char (&text)[256]) {
  if (sADMBasic->GetIndexString(gPluginRef, kToolStringList, index, text, sizeof text) != kNoErr || text[0] == '\0') {
    CopyText(text, fallback);
  }
  text[sizeof text - 1] = '\0';
}

// The icon, or null when the resource cannot be loaded as an icon.
ADMIconRef LoadIcon(int32_t id) {
  ADMIconRef icon = nullptr;
  if (sADMIcon->GetFromResource(gPluginRef, id, 0, &icon) != kNoErr || icon == nullptr) return nullptr;
  int32_t type = kADMUnknownIconType;
  if (sADMIcon->GetType(icon, &type) != kNoErr || type == kADMUnknownIconType) return nullptr;
  return icon;
}

bool ToolNumber(const char* name, int32_t& number) {
  return sAITool->GetToolNumberFromName(name, &number) == kNoErr;
}

// With the pen tool, or in a slot of its own next to the line tools.
void ToolPlacement(bool withPenTool, int32_t& group, int32_t& toolset) {
  group = kNoTool;
  toolset = kNoTool;
  int32_t number = kNoTool;
  if (withPenTool) {
    if (ToolNumber("Adobe Pen Tool", number)) group = toolset = number;
    return;
  }
  if (ToolNumber("Segment Tool", number) || ToolNumber("Arcs & Circles Tool", number)) group = number;
}

}  // namespace

ASErr RegisterTool() {
  State& g = *gState;
  LoadSettingsAtStart();

  char title[256] = {};
  char tooltip[256] = {};
  LoadToolString(1, "Labels Tool", title);
  LoadToolString(2, "Labels Tool 4.5", tooltip);

  ADMIconRef icon = LoadIcon(kToolIcon);
  if (icon == nullptr) return kToolIconErr;

  AIAddToolData data{};
  data.title = title;
  data.tooltip = tooltip;
  data.icon = icon;
  ToolPlacement(g.OutilsGroupe != 0, data.sameGroupAs, data.sameToolsetAs);

  const ASErr err = sAITool->AddTool(gPluginRef, kToolName, &data, 1, &g.LabelsTool);
  if (err != kNoErr) return err;
  if (ADMIconRef rollover = LoadIcon(kToolRolloverIcon))
    Ignore(sAITool->SetToolRolloverIcon(g.LabelsTool, rollover), Why::Cosmetic);
  return kNoErr;
}

//-----------------------------------------------------------------------------
// [SECTION] Notifiers
//-----------------------------------------------------------------------------

ASErr RegisterNotifiers() {
  State& g = *gState;
  AINotifierHandle selection = nullptr;
  Ignore(sAINotifier->AddNotifier(gPluginRef, kNotifierName, kAIArtSelectionChangedNotifier, &selection),
         Why::Optional);
  return sAINotifier->AddNotifier(gPluginRef, kNotifierName, kAIApplicationStartedNotifier, &g.StartedNotifier);
}

//-----------------------------------------------------------------------------
// [SECTION] Host callbacks
//-----------------------------------------------------------------------------

ASErr TogglePanel(bool selectTool) {
  State& g = *gState;
  if (g.PanelRef == nullptr) return kNoErr;  // the host has not finished starting
  ASBoolean visible = 0;
  ASErr err = sADMDialog->IsVisible(g.PanelRef, &visible);
  if (err != kNoErr) return err;
  const ASBoolean wanted = visible ? 0 : 1;
  err = sADMDialog->Show(g.PanelRef, wanted);
  if (err != kNoErr) return err;
  if (sADMDialog->IsVisible(g.PanelRef, &visible) != kNoErr) visible = wanted;
  if (visible && selectTool) sAITool->SetSelectedTool(g.LabelsTool);
  return sAIMenu->SetItemText(g.PanelMenuItem, visible ? kHidePanelText : kShowPanelText);
}

ASErr MenuCommand(AIMenuMessage* message) {
  State& g = *gState;
  if (message->menuItem == nullptr) return kNoErr;
  if (message->menuItem == g.PanelMenuItem) return TogglePanel(true);
  if (message->menuItem == g.AboutMenuItem) {
    ShowAboutBox();
    return kNoErr;
  }
  return kNoErr;
}

ASErr Notification(AINotifierMessage* message) {
  State& g = *gState;
  if (message->notifier != nullptr && message->notifier == g.StartedNotifier) {
    if (g.PanelRef == nullptr) BuildPanel();
  } else {
    // The selection changes when art is edited, undone or redone: the
    // magnet's map of the drawing is made again before its next use.
    MagnetDocumentChanged();
  }
  return kNoErr;
}

ASErr ToolOptions(AIToolMessage*) {
  // A dialog that cannot be shown leaves nothing to undo: the host gets 0.
  RunColorsDialog(kColorsDialog, kToolColorsDialogName);
  return kNoErr;
}
