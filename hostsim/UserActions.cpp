#include "hostsim/UserActions.h"

#include "host/AIMessages.h"
#include "hostsim/Host.h"

namespace hostsim {

const char* Describe(ActionStatus status) {
  switch (status) {
    case ActionStatus::Done: return "done";
    case ActionStatus::NotLaunched: return "the plug-in is not launched";
    case ActionStatus::NoTool: return "the plug-in has no tool";
    case ActionStatus::ToolNotCurrent: return "the plug-in's tool is not the current tool";
    case ActionStatus::NoMenuEntry: return "there is no menu entry at that place";
    case ActionStatus::SubMenu: return "the menu entry at that place opens a sub-menu";
    case ActionStatus::MenuDisabled: return "the menu item is disabled";
    case ActionStatus::NoDialog: return "there is no dialog and no panel";
    case ActionStatus::NoItem: return "no such item";
    case ActionStatus::ItemIgnored: return "the item is hidden or disabled";
    case ActionStatus::CannotTakeArt: return "the current layer cannot take art";
    case ActionStatus::BadValue: return "a value the host does not take";
  }
  return "unknown";
}

ASErr ActionResult::code() const {
  for (const SentMessage& m : sent) {
    if (m.code != kNoErr) return m.code;
  }
  return kNoErr;
}

// ---------------------------------------------------------------------------
// The pointer

ActionStatus UserActions::ToolMessagesAllowed() const {
  if (!host_.launched()) return ActionStatus::NotLaunched;
  if (host_.tools().PluginTool() == nullptr) return ActionStatus::NoTool;
  if (!host_.tools().PluginToolSelected()) return ActionStatus::ToolNotCurrent;
  return ActionStatus::Done;
}

// Sends the selectors in turn. Whether the tool may have them is decided once,
// before the first: the messages of one action all go to the tool that had
// the first, as a button released after a press goes where it was pressed.
ActionResult UserActions::Tool(std::initializer_list<const char*> selectors, AIRealPoint p) {
  ActionResult result;
  result.status = ToolMessagesAllowed();
  if (!result.done()) return result;
  for (const char* selector : selectors) result.sent.push_back({selector, host_.SendTool(selector, p)});
  return result;
}

ActionResult UserActions::PointerMove(AIRealPoint p) { return Tool({kSelectorAITrackToolCursor}, p); }

ActionResult UserActions::MouseDown(AIRealPoint p) {
  // The tool sees the pointer at the point first (its magnet test runs then).
  return Tool({kSelectorAITrackToolCursor, kSelectorAIToolMouseDown}, p);
}

ActionResult UserActions::Drag(AIRealPoint p) { return Tool({kSelectorAIToolMouseDrag}, p); }

ActionResult UserActions::MouseUp(AIRealPoint p) { return Tool({kSelectorAIToolMouseUp}, p); }

ActionResult UserActions::Click(AIRealPoint p) {
  return Tool({kSelectorAITrackToolCursor, kSelectorAIToolMouseDown, kSelectorAIToolMouseUp}, p);
}

// ---------------------------------------------------------------------------
// Keys

void UserActions::PressKey(int virtualKey) { host_.keyboard().Press(virtualKey); }
void UserActions::ReleaseKey(int virtualKey) { host_.keyboard().Release(virtualKey); }
void UserActions::ReleaseAllKeys() { host_.keyboard().ReleaseAll(); }

// ---------------------------------------------------------------------------
// Menus

ActionResult UserActions::ChooseMenu(const MenuPath& place) {
  ActionResult result;
  if (!host_.launched()) {
    result.status = ActionStatus::NotLaunched;
    return result;
  }
  const MenuPlace found = FindMenuPlace(host_.menus(), place);
  switch (found.lookup) {
    case MenuLookup::NoEntry: result.status = ActionStatus::NoMenuEntry; return result;
    case MenuLookup::SubMenu: result.status = ActionStatus::SubMenu; return result;
    case MenuLookup::Disabled: result.status = ActionStatus::MenuDisabled; return result;
    case MenuLookup::Found: break;
  }
  result.sent.push_back({kSelectorAIGoMenuItem, host_.SendMenu(host_.menus().HandleOf(*found.item))});
  return result;
}

// ---------------------------------------------------------------------------
// Tools

ActionResult UserActions::SelectTool() {
  ActionResult result;
  if (!host_.launched()) result.status = ActionStatus::NotLaunched;
  else if (host_.tools().PluginTool() == nullptr) result.status = ActionStatus::NoTool;
  else if (!host_.tools().PluginToolSelected()) result.sent.push_back({kSelectorAISelectTool, host_.SelectTool(true)});
  return result;
}

ActionResult UserActions::DeselectTool() {
  ActionResult result;
  if (!host_.launched()) result.status = ActionStatus::NotLaunched;
  else if (host_.tools().PluginTool() == nullptr) result.status = ActionStatus::NoTool;
  else if (host_.tools().PluginToolSelected()) result.sent.push_back({kSelectorAIDeselectTool, host_.SelectTool(false)});
  return result;
}

ActionResult UserActions::ToolOptions() {
  ActionResult result;
  if (!host_.launched()) result.status = ActionStatus::NotLaunched;
  else if (host_.tools().PluginTool() == nullptr) result.status = ActionStatus::NoTool;
  else result.sent.push_back({kSelectorAIEditToolOptions, host_.ToolOptions()});
  return result;
}

// ---------------------------------------------------------------------------
// Dialog items

bool UserActions::ModalOpen(ADMDialogRef dialog) const {
  const Dialog* d = host_.dialogs().Find(dialog);
  return d != nullptr && d->modal && !d->ended;
}

namespace {

ActionResult FromToolkit(toolkit::ActionStatus status) {
  ActionResult result;
  switch (status) {
    case toolkit::ActionStatus::kDone: result.status = ActionStatus::Done; break;
    case toolkit::ActionStatus::kIgnored: result.status = ActionStatus::ItemIgnored; break;
    case toolkit::ActionStatus::kNoItem: result.status = ActionStatus::NoItem; break;
    case toolkit::ActionStatus::kBadValue: result.status = ActionStatus::BadValue; break;
  }
  return result;
}

int32_t Flags(ItemModifiers m) {
  return (m.command ? kADMCommandKeyFlag : 0) | (m.option ? kADMOptionKeyFlag : 0) | (m.shift ? kADMShiftKeyFlag : 0);
}

int32_t ActionOf(TrackAction action) {
  switch (action) {
    case TrackAction::Down: return kADMButtonDownAction;
    case TrackAction::Drag: return kADMMouseMovedDownAction;
    case TrackAction::Up: return kADMButtonUpAction;
    case TrackAction::Hover: return kADMMouseMovedUpAction;
  }
  return kADMNoAction;
}

}  // namespace

ActionStatus UserActions::FrontDialog(ADMDialogRef* dialog) const {
  *dialog = host_.dialogs().FrontDialog();
  return *dialog != nullptr ? ActionStatus::Done : ActionStatus::NoDialog;
}

ActionStatus UserActions::PanelDialog(ADMDialogRef* dialog) const {
  *dialog = host_.dialogs().Panel();
  return *dialog != nullptr ? ActionStatus::Done : ActionStatus::NoDialog;
}

ActionResult UserActions::ItemClick(int32_t item, ItemModifiers modifiers) {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = FrontDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  return FromToolkit(host_.dialogs().Click(dialog, item, Flags(modifiers)));
}

ActionResult UserActions::ItemValue(int32_t item, double value) {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = FrontDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  return FromToolkit(host_.dialogs().SetValue(dialog, item, value));
}

ActionResult UserActions::ItemText(int32_t item, const std::string& textUtf8) {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = FrontDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  return FromToolkit(host_.dialogs().TypeText(dialog, item, textUtf8));
}

ActionResult UserActions::ItemPick(int32_t item, int32_t position) {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = FrontDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  return FromToolkit(host_.dialogs().Pick(dialog, item, position));
}

ActionResult UserActions::ItemTrack(int32_t item, TrackAction action, ItemPoint point, ItemModifiers modifiers) {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = FrontDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  return FromToolkit(
      host_.dialogs().Track(dialog, item, ActionOf(action), ADMPoint{point.h, point.v}, Flags(modifiers)));
}

ActionResult UserActions::FlyoutPick(int32_t position) {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = PanelDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  const toolkit::Item* menu = host_.dialogs().ItemById(dialog, kADMMenuItemID);
  if (menu == nullptr || !menu->list || position < 0 || static_cast<std::size_t>(position) >= menu->list->size())
    return {ActionStatus::NoItem, {}};
  // A disabled entry or a separator cannot be picked: nothing happens.
  ActionResult result = FromToolkit(host_.dialogs().FlyoutPick(dialog, position));
  if (result.status == ActionStatus::BadValue) result.status = ActionStatus::ItemIgnored;
  return result;
}

ActionResult UserActions::CloseBox() {
  ADMDialogRef dialog = nullptr;
  if (ActionStatus s = PanelDialog(&dialog); s != ActionStatus::Done) return {s, {}};
  return FromToolkit(host_.dialogs().CloseBox(dialog));
}

}  // namespace hostsim
