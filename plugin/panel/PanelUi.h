// The panel's host edge: its items and flyout entries by id, and the few
// things the handlers do to them. Every helper does nothing when the panel
// or the item does not exist, so that the plug-in works without a panel.
#pragma once

#include "core/State.h"
#include "host/ADMSuites.h"

// The panel's item, or null.
ADMItemRef PanelItem(int32_t id);
// The list of a popup or list item, or null.
ADMListRef ListOf(int32_t id);
// Appends an entry with that id and text; null when the host refuses.
ADMEntryRef AddEntry(ADMListRef list, int32_t id, const char* text);
// The id of an item the toolkit hands to a procedure (0 when unknown).
int32_t ItemId(ADMItemRef item);

void ShowItem(int32_t id, bool show);
void EnableItem(int32_t id, bool enable);
void SetItemValue(int32_t id, float value);
void SetItemIntValue(int32_t id, int32_t value);
void SetItemText(int32_t id, const char* text);
void SetItemTip(int32_t id, const char* tip);
void RedrawItem(int32_t id);
void RedrawItems(int32_t firstId, int32_t lastId);
// Makes the item active (keyboard focus) and selects its whole text.
void FocusItem(int32_t id);
// Repaints the whole panel.
void RedrawPanel();

// The flyout's entry with that id, or null.
ADMEntryRef FlyoutEntry(int32_t entryId);
void SetFlyoutText(int32_t entryId, const char* text);
void EnableFlyoutEntry(int32_t entryId, bool enable);
// The first letter of the entry's text ('\0' when there is none).
char FlyoutInitial(int32_t entryId);
// "Hide text options" / "Hide help" stand in the flyout.
bool TextOptionsShown();
bool HelpShown();

// True for the notification the handlers act on ("ADM User Changed Notifier").
bool IsUserChange(ADMNotifierRef notifier);
// The modifier flags held during a tracked event; the action in `action`.
int32_t TrackerModifiers(ADMTrackerRef tracker);
int32_t TrackerAction(ADMTrackerRef tracker);

// The toolkit calls the procedures below from outside any message: nothing
// may escape them, and a panel outliving the state block does nothing.
template <void (*Fn)(ADMItemRef, ADMNotifierRef)>
void GuardedNotify(ADMItemRef item, ADMNotifierRef notifier) {
  try {
    if (gState != nullptr) Fn(item, notifier);
  } catch (...) {
  }
}

template <void (*Fn)(ADMItemRef, ADMDrawerRef)>
void GuardedDraw(ADMItemRef item, ADMDrawerRef drawer) {
  try {
    if (gState != nullptr) Fn(item, drawer);
  } catch (...) {
  }
}

// A track procedure that fails answers "no change".
template <ASBoolean (*Fn)(ADMItemRef, ADMTrackerRef)>
ASBoolean GuardedTrack(ADMItemRef item, ADMTrackerRef tracker) {
  try {
    if (gState != nullptr) return Fn(item, tracker);
  } catch (...) {
  }
  return false;
}
