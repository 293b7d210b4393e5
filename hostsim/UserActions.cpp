#include "hostsim/UserActions.h"

#include "host/AIMessages.h"
#include "hostsim/Host.h"
#include "hostsim/History.h"

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
    case ActionStatus::Ignored: return "the item is hidden or disabled";
    case ActionStatus::CannotTakeArt: return "the current layer cannot take art";
    case ActionStatus::BadValue: return "a value the host does not take";
    case ActionStatus::NothingToUndo: return "there is nothing to undo or redo now";
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

// A gesture of the tool, mouse down to mouse up, is one step of the history.
ActionResult UserActions::MouseDown(AIRealPoint p) {
  if (ToolMessagesAllowed() == ActionStatus::Done) host_.history().OpenGesture(host_.document());
  HistoryStep step(host_.history(), host_.document());
  // The tool sees the pointer at the point first (its magnet test runs then).
  return Tool({kSelectorAITrackToolCursor, kSelectorAIToolMouseDown}, p);
}

ActionResult UserActions::Drag(AIRealPoint p) {
  HistoryStep step(host_.history(), host_.document());
  return Tool({kSelectorAIToolMouseDrag}, p);
}

ActionResult UserActions::MouseUp(AIRealPoint p) {
  ActionResult result;
  {
    HistoryStep step(host_.history(), host_.document());
    result = Tool({kSelectorAIToolMouseUp}, p);
  }
  host_.history().CloseGesture(host_.document());
  return result;
}

ActionResult UserActions::Click(AIRealPoint p) {
  HistoryStep step(host_.history(), host_.document());
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
  HistoryStep step(host_.history(), host_.document());
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
  HistoryStep step(host_.history(), host_.document());
  ActionResult result;
  if (!host_.launched()) result.status = ActionStatus::NotLaunched;
  else if (host_.tools().PluginTool() == nullptr) result.status = ActionStatus::NoTool;
  else if (!host_.tools().PluginToolSelected()) result.sent.push_back({kSelectorAISelectTool, host_.SelectTool(true)});
  return result;
}

ActionResult UserActions::DeselectTool() {
  HistoryStep step(host_.history(), host_.document());
  ActionResult result;
  if (!host_.launched()) result.status = ActionStatus::NotLaunched;
  else if (host_.tools().PluginTool() == nullptr) result.status = ActionStatus::NoTool;
  else if (host_.tools().PluginToolSelected()) result.sent.push_back({kSelectorAIDeselectTool, host_.SelectTool(false)});
  return result;
}

ActionResult UserActions::ToolOptions() {
  HistoryStep step(host_.history(), host_.document());
  ActionResult result;
  if (!host_.launched()) result.status = ActionStatus::NotLaunched;
  else if (host_.tools().PluginTool() == nullptr) result.status = ActionStatus::NoTool;
  else result.sent.push_back({kSelectorAIEditToolOptions, host_.ToolOptions()});
  return result;
}

// ---------------------------------------------------------------------------
// Undo and redo

namespace {

ActionResult AfterRestore(Host& host, bool restored) {
  ActionResult result;
  if (!restored) {
    result.status = ActionStatus::NothingToUndo;
    return result;
  }
  // The art the plug-in holds may be gone or back: it hears of it as of any
  // change made behind its back, and finds out when it next looks.
  if (host.launched()) result.sent.push_back({kAIArtSelectionChangedNotifier, host.Notify(kAIArtSelectionChangedNotifier)});
  return result;
}

}  // namespace

ActionResult UserActions::Undo() { return AfterRestore(host_, host_.history().Undo(host_.document())); }
ActionResult UserActions::Redo() { return AfterRestore(host_, host_.history().Redo(host_.document())); }
bool UserActions::CanUndo() const { return host_.history().idle() && host_.history().undoLevels() > 0; }
bool UserActions::CanRedo() const { return host_.history().idle() && host_.history().redoLevels() > 0; }
void UserActions::BeginGesture() { host_.history().OpenGesture(host_.document()); }
void UserActions::EndGesture() { host_.history().CloseGesture(host_.document()); }
std::uint64_t UserActions::DrawingState() const { return host_.history().state(); }

// ---------------------------------------------------------------------------
// Dialog items

bool UserActions::ModalOpen(ADMDialogRef dialog) const {
  const Dialog* d = host_.dialogs().Find(dialog);
  return d != nullptr && d->modal && !d->ended;
}

namespace {

int32_t ModifierFlags(ItemModifiers m) {
  return (m.command ? kADMCommandKeyFlag : 0) | (m.option ? kADMOptionKeyFlag : 0) | (m.shift ? kADMShiftKeyFlag : 0);
}

int32_t TrackerAction(TrackAction action) {
  switch (action) {
    case TrackAction::Down: return kADMButtonDownAction;
    case TrackAction::Drag: return kADMMouseMovedDownAction;
    case TrackAction::Up: return kADMButtonUpAction;
    case TrackAction::Hover: return kADMMouseMovedUpAction;
  }
  return kADMNoAction;
}

}  // namespace

// Runs one toolkit action on the front dialog (the open modal dialog, else
// the panel) and says how it went.
template <class Action>
ActionResult UserActions::OnDialog(ADMDialogRef dialog, Action&& action) {
  // A modal dialog the action opens runs inside it: what its OK rebuilds is this step.
  HistoryStep step(host_.history(), host_.document());
  ActionResult result;
  if (dialog == nullptr) {
    result.status = ActionStatus::NoDialog;
    return result;
  }
  switch (action(host_.dialogs(), dialog)) {
    case toolkit::ActionStatus::kDone: result.status = ActionStatus::Done; break;
    case toolkit::ActionStatus::kIgnored: result.status = ActionStatus::Ignored; break;
    case toolkit::ActionStatus::kNoItem: result.status = ActionStatus::NoItem; break;
    case toolkit::ActionStatus::kBadValue: result.status = ActionStatus::BadValue; break;
  }
  return result;
}

ActionResult UserActions::ItemClick(int32_t item, ItemModifiers modifiers) {
  return OnDialog(host_.dialogs().FrontDialog(), [&](toolkit::Toolkit& t, ADMDialogRef d) {
    return t.Click(d, item, ModifierFlags(modifiers));
  });
}

ActionResult UserActions::ItemValue(int32_t item, double value) {
  return OnDialog(host_.dialogs().FrontDialog(),
                  [&](toolkit::Toolkit& t, ADMDialogRef d) { return t.SetValue(d, item, value); });
}

ActionResult UserActions::ItemText(int32_t item, const std::string& text) {
  return OnDialog(host_.dialogs().FrontDialog(),
                  [&](toolkit::Toolkit& t, ADMDialogRef d) { return t.TypeText(d, item, text); });
}

ActionResult UserActions::ItemPick(int32_t item, int32_t position) {
  return OnDialog(host_.dialogs().FrontDialog(),
                  [&](toolkit::Toolkit& t, ADMDialogRef d) { return t.Pick(d, item, position); });
}

ActionResult UserActions::ItemTrack(int32_t item, TrackAction action, ItemPoint point, ItemModifiers modifiers) {
  // Tracking from the button's press to its release is one step.
  if (action == TrackAction::Down) host_.history().OpenGesture(host_.document());
  struct CloseAfter {
    UserActions& user;
    bool close;
    ~CloseAfter() {
      if (close) user.host_.history().CloseGesture(user.host_.document());
    }
  } closeAfter{*this, action == TrackAction::Up};
  return OnDialog(host_.dialogs().FrontDialog(), [&](toolkit::Toolkit& t, ADMDialogRef d) {
    return t.Track(d, item, TrackerAction(action), ADMPoint{point.h, point.v}, ModifierFlags(modifiers));
  });
}

ActionResult UserActions::FlyoutPick(int32_t position) {
  return OnDialog(host_.dialogs().Panel(),
                  [&](toolkit::Toolkit& t, ADMDialogRef d) { return t.FlyoutPick(d, position); });
}

ActionResult UserActions::CloseBox() {
  return OnDialog(host_.dialogs().Panel(), [&](toolkit::Toolkit& t, ADMDialogRef d) { return t.CloseBox(d); });
}

ActionResult UserActions::MovePanel(int32_t left, int32_t top) {
  ActionResult result;
  const ADMDialogRef panel = host_.dialogs().Panel();
  const toolkit::Dialog* d = panel != nullptr ? host_.dialogs().Find(panel) : nullptr;
  if (d == nullptr) {
    result.status = ActionStatus::NoDialog;
    return result;
  }
  const ADMRect b = d->bounds;
  if (b.left == left && b.top == top) return result;
  host_.dialogs().SetDialogBounds(panel, ADMRect{left, top, left + (b.right - b.left), top + (b.bottom - b.top)});
  return result;
}

}  // namespace hostsim
