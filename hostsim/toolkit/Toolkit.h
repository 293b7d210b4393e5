// The host's dialog toolkit as a model, independent of any screen: dialogs,
// items, lists and entries, notifications, tracking, drawing into display
// lists, docking, and the user's actions. The suites of ADMSuites.h are thin
// checks over it; front ends and tests call the user actions directly.
//
// Handles are numbers the toolkit hands out once and looks up on every call;
// a dead or foreign handle is simply not found. Every call into the plug-in
// (its procedures) may create or destroy anything, so the model looks its
// objects up again after each one.
#pragma once

// [SECTION] index
//   Services the toolkit needs from its host
//   Lookup and life
//   Changes with notifications
//   Procedures and default handling
//   Painting
//   User actions
//   Dialog groups, dump

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/ADMSuites.h"
#include "hostsim/toolkit/Dialog.h"
#include "hostsim/toolkit/DisplayList.h"
#include "hostsim/toolkit/EntryList.h"
#include "hostsim/toolkit/Item.h"

namespace hostsim::toolkit {

// -----------------------------------------------------------------------------
// [SECTION] Services the toolkit needs from its host

class ToolkitServices {
 public:
  virtual ~ToolkitServices() = default;
  // Runs the front end's modal loop for a modal dialog; returns when it has
  // ended or when the front end has nothing more for it.
  virtual void RunModal(ADMDialogRef dialog) = 0;
  // The screen should paint an item again (a null item: the whole dialog).
  virtual void Redraw(ADMDialogRef dialog, ADMItemRef item) = 0;
  // The plug-in's resource, or nothing.
  virtual std::optional<std::string_view> Resource(int32_t type, int32_t id) const = 0;
  // Width in pixels of UTF-8 text in a toolkit font; by default 0.55 em a character.
  virtual int32_t TextWidth(int32_t font, std::string_view utf8) const;
};

// How a user action went.
enum class ActionStatus {
  kDone,      // it happened and the item's procedures ran
  kIgnored,   // the item is hidden or disabled, or the dialog is not running: nothing happened
  kNoItem,    // no such dialog, item or entry
  kBadValue,  // the value or text is not acceptable for that item (nothing changed)
};

// What Create and Modal are given.
struct DialogRequest {
  std::string name;  // UTF-8
  int32_t resourceId = 0;
  int32_t style = kADMModalDialogStyle;
  int32_t options = 0;
  ADMUserData userData = nullptr;
};

class Toolkit {
 public:
  explicit Toolkit(ToolkitServices& services) : services_(services) {}
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  ToolkitServices& services() { return services_; }
  const ADMRect& screen() const { return screen_; }
  void SetScreen(const ADMRect& screen) { screen_ = screen; }

  // ---------------------------------------------------------------------------
  // [SECTION] Lookup and life

  Dialog* Find(ADMDialogRef dialog);
  const Dialog* Find(ADMDialogRef dialog) const;
  Item* FindItem(ADMItemRef item);
  const Item* FindItem(ADMItemRef item) const;
  // The item that holds the list, or null.
  Item* FindListItem(ADMListRef list);
  struct EntryPlace {
    Item* item;
    EntryList* list;
    std::size_t index;
    Entry* entry;
  };
  std::optional<EntryPlace> FindEntry(ADMEntryRef entry);

  static ADMDialogRef HandleOf(const Dialog& dialog) { return reinterpret_cast<ADMDialogRef>(dialog.id); }
  static ADMItemRef HandleOf(const Item& item) { return reinterpret_cast<ADMItemRef>(item.handle); }
  static ADMListRef HandleOf(const EntryList& list) { return reinterpret_cast<ADMListRef>(list.handle()); }
  static ADMEntryRef HandleOf(const Entry& entry) { return reinterpret_cast<ADMEntryRef>(entry.handle); }

  // The first item of the dialog with that id (as the plug-in looks items up), or null.
  Item* ItemById(ADMDialogRef dialog, int32_t id);
  // The item a person reaches by that id: the topmost (last made) visible one,
  // else the last made; null when none.
  Item* ItemForUser(ADMDialogRef dialog, int32_t id);

  // A non-modal dialog: made, init procedure run, left hidden. The resource's
  // JSON may give "title" and "bounds". kNameNotFoundErr for a missing resource.
  ASErr CreateDialog(const DialogRequest& request, ADMDialogInitProc init, ADMDialogRef* dialog);
  // A modal dialog: made, shown, run by the front end until it ends, destroyed.
  ASErr RunModalDialog(const DialogRequest& request, ADMDialogInitProc init, int32_t* itemHit);
  // Destroy procedures (dialog, then items), then gone. A running modal
  // dialog is ended with its cancel id instead. False for a dead handle or a
  // dialog already being destroyed.
  bool DestroyDialog(ADMDialogRef dialog);
  ASErr CreateItem(ADMDialogRef dialog, int32_t id, ItemKind kind, const ADMRect& bounds, ADMItemInitProc init,
                   ADMUserData userData, ADMItemRef* item);
  // False for a dead handle, the flyout menu item, or an item being destroyed.
  bool DestroyItem(ADMItemRef item);
  // A new entry at index (clamped to the list's end).
  Entry& InsertEntry(EntryList& list, std::size_t index);
  void RemoveEntry(EntryList& list, std::size_t index);
  // Replaces the list's entries by the plug-in's menu resource; false when it has none.
  bool LoadMenu(EntryList& list, int32_t menuId);
  // Drops everything without calling the plug-in (its library is going away).
  void Clear();
  std::size_t size() const { return dialogs_.size(); }
  // Every dialog, in creation order.
  std::vector<ADMDialogRef> Dialogs() const;

  // ---------------------------------------------------------------------------
  // [SECTION] Changes with notifications

  // A change of visibility notifies show or hide.
  void ShowDialog(ADMDialogRef dialog, bool show);
  // A change of bounds notifies "bounds changed".
  void SetDialogBounds(ADMDialogRef dialog, const ADMRect& bounds);
  // Ends a running modal dialog with that id; false when it is not one.
  bool EndModal(ADMDialogRef dialog, int32_t id);
  // Gives or takes the keyboard focus.
  void Activate(Item& item, bool activate);
  // Asks the screen to paint an item (null: the dialog) again; nothing while
  // that dialog is being painted.
  void Invalidate(ADMDialogRef dialog, ADMItemRef item);

  // ---------------------------------------------------------------------------
  // [SECTION] Procedures and default handling

  // Notifies the item (its notify procedure, or the default handling).
  void NotifyItem(ADMItemRef item, std::string_view type);
  void NotifyDialog(ADMDialogRef dialog, std::string_view type);

  struct NotifierCall {
    std::uintptr_t handle;
    std::uintptr_t dialog;
    std::uintptr_t item;  // 0 for a dialog's notification
    std::string type;
  };
  const NotifierCall* FindNotifier(ADMNotifierRef notifier) const;

  struct TrackerCall {
    std::uintptr_t handle;
    std::uintptr_t item;
    int32_t action;
    ADMPoint point;  // item pixels
    int32_t modifiers;
  };
  const TrackerCall* FindTracker(ADMTrackerRef tracker) const;
  // Ends the gesture of the tracker's item.
  void AbortTracking(const TrackerCall& call);

  struct DrawerCall {
    std::uintptr_t handle;
    std::uintptr_t dialog;
    std::uintptr_t item;  // 0 for the dialog's own background
    ADMRect area;         // (0, 0, width, height)
    DisplayList* list;
    ADMRGBColor color;
    int32_t admColor;
    int32_t font;
  };
  DrawerCall* FindDrawer(ADMDrawerRef drawer);
  // Appends a record with the drawer's colour and font.
  void Record(DrawerCall& drawer, DrawRecord record);

  // The toolkit's handling (ADMSuites.h). The notifier, tracker or drawer must
  // be the live one of that item or dialog; false otherwise.
  bool DefaultNotifyItem(ADMItemRef item, ADMNotifierRef notifier);
  bool DefaultNotifyDialog(ADMDialogRef dialog, ADMNotifierRef notifier);
  bool DefaultTrackItem(ADMItemRef item, ADMTrackerRef tracker, bool* changed);
  bool DefaultDrawItem(ADMItemRef item, ADMDrawerRef drawer);
  bool DefaultDrawDialog(ADMDialogRef dialog, ADMDrawerRef drawer);

  // ---------------------------------------------------------------------------
  // [SECTION] Painting

  // Paints the dialog: its draw procedure (or the default background), then
  // every visible item's, each into its own display list. Kept as the
  // dialog's last picture; null for a dead handle.
  const DialogPicture* Paint(ADMDialogRef dialog);

  // ---------------------------------------------------------------------------
  // [SECTION] User actions
  //
  // Each is one thing a person does to an item (addressed by its id, see
  // ItemForUser) or a dialog, and runs the procedures as the toolkit would:
  // tracking (the item's track procedure, or the default tracking), the
  // change itself, then "ADM User Changed Notifier" to its notify procedure
  // (or the default handling). Modifiers are kADM...KeyFlag bits.

  // Button down then up at the item's centre.
  ActionStatus Click(ADMDialogRef dialog, int32_t itemId, int32_t modifiers = 0);
  // One mouse event in item pixels (kADM...Action), passed on when the item's
  // mask lets it through (a button-up always reaches the item that took the down).
  ActionStatus Track(ADMDialogRef dialog, int32_t itemId, int32_t action, ADMPoint point, int32_t modifiers = 0);
  // A number typed in the units the item shows (millimetres for a millimetre
  // field); check boxes and radio buttons take 0 or 1. Clamped to the range.
  ActionStatus SetValue(ADMDialogRef dialog, int32_t itemId, double shown);
  // Text typed into an item (UTF-8): cut to its maximum length; a numeric
  // field parses it (kBadValue for no number). Text edits notify
  // "intermediate changed" and "text selection" before the user change.
  ActionStatus TypeText(ADMDialogRef dialog, int32_t itemId, std::string_view utf8);
  // The entry at a 0-based position of the item's list is picked; it must be
  // enabled and not a separator.
  ActionStatus Pick(ADMDialogRef dialog, int32_t itemId, int32_t position);
  // The close box of a dialog: "ADM Close Hit Notifier".
  ActionStatus CloseBox(ADMDialogRef dialog);
  // The entry at a 0-based position of a dialog's flyout menu is picked.
  ActionStatus FlyoutPick(ADMDialogRef dialog, int32_t position);

  // The first floating dialog (the panel), the front (last opened) running
  // modal dialog, and the front dialog a person works in (the modal dialog,
  // else the panel); null when none.
  ADMDialogRef Panel() const;
  ADMDialogRef FrontModal() const;
  ADMDialogRef FrontDialog() const;

  // ---------------------------------------------------------------------------
  // [SECTION] Dialog groups, dump

  void ShowAllFloating(bool show);
  void ToggleAllFloating();

  // {"exists", "visible", "bounds", "items", "flyout"} of the panel.
  nlohmann::json DumpPanel() const;
  // null, or {"name", "title", "bounds", "items"} of the front modal dialog.
  nlohmann::json DumpDialog() const;
  // {"ID": {"kind", "value", "text", "visible", "enabled", "tooltip", "active", "bounds", "entries"?}};
  // a second item with the same id is "ID#2", and so on.
  nlohmann::json DumpItems(const Dialog& dialog) const;

 private:
  std::uintptr_t NewHandle(std::uintptr_t base) { return base + ++counter_; }
  ASErr MakeDialog(const DialogRequest& request, bool modal, ADMDialogInitProc init, ADMDialogRef* dialog);
  bool DeliverTrack(std::uintptr_t item, int32_t action, ADMPoint point, int32_t modifiers);
  bool TrackDefault(Item& item, const TrackerCall& call);
  void NotifyDefault(std::uintptr_t item, std::string_view type);
  void DrawDefault(Item& item, DrawerCall& drawer);
  void RadioRunOff(Item& item);
  ActionStatus Reach(ADMDialogRef dialog, int32_t itemId, Item** item);
  void ForgetItem(std::uintptr_t item);

  ToolkitServices& services_;
  ADMRect screen_{0, 0, 1440, 900};
  std::map<std::uintptr_t, Dialog> dialogs_;  // in creation order (handles grow)
  // Looked up on nearly every suite call, never walked: hashed. Nodes keep
  // their place, so an Item& stays good while others come and go.
  std::unordered_map<std::uintptr_t, Item> items_;
  std::unordered_map<std::uintptr_t, std::uintptr_t> listItems_;   // list -> item
  std::unordered_map<std::uintptr_t, std::uintptr_t> entryItems_;  // entry -> item
  std::vector<NotifierCall> notifiers_;                  // live while their procedure runs
  std::vector<TrackerCall> trackers_;
  std::vector<DrawerCall> drawers_;
  std::uintptr_t counter_ = 0;
};

}  // namespace hostsim::toolkit
