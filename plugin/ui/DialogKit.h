// What the three settings dialogs share at the host's edge: items made from
// one row each, small item helpers that do nothing for an item the host does
// not have, the guards every procedure the toolkit calls runs behind, the
// remembered dialog position, and the alert for settings that could not be
// saved.
#pragma once

#include <cstdint>

#include "core/State.h"
#include "host/ADMSuites.h"

namespace dlg {

// One item of a dialog. Fields left at their "not set" value are not sent
// to the host.
struct ItemRow {
  int32_t id;
  const char* type;
  ADMRect rect;
  const char* tip = nullptr;   // none
  const char* text = nullptr;  // none
  int32_t units = -1;          // not set
  int32_t precision = -1;      // not set
  bool hasMin = false;
  float min = 0;
  bool hasMax = false;
  float max = 0;
  float smallStep = 0;         // 0: not set
  float largeStep = 0;
  int32_t maxLength = 0;       // 0: not set
  int32_t style = -1;          // not set (kADMNumericEditStyle for a text edit that holds a number)
  int32_t picture = 0;         // 0: none
  int32_t mask = 0;            // 0: the toolkit's default
  ADMItemNotifyProc notify = nullptr;
  ADMItemDrawProc draw = nullptr;
  ADMItemTrackProc track = nullptr;
};

// Makes the item and sets what its row gives. Returns the host's code for
// the item itself (null in *item when refused); a refused property leaves
// the item as the toolkit made it.
ASErr CreateItem(ADMDialogRef dialog, const ItemRow& row, ADMItemRef* item = nullptr);

// The dialog's first item with that id, or null.
ADMItemRef Item(ADMDialogRef dialog, int32_t id);
// The id of an item handed to a procedure (0 when unknown).
int32_t IdOf(ADMItemRef item);
// The dialog of an item handed to a procedure, or null.
ADMDialogRef DialogOf(ADMItemRef item);

void SetValue(ADMDialogRef dialog, int32_t id, float value);
void SetBoolean(ADMDialogRef dialog, int32_t id, bool value);
void SetText(ADMDialogRef dialog, int32_t id, const char* text);
void SetTip(ADMDialogRef dialog, int32_t id, const char* tip);
void SetMax(ADMDialogRef dialog, int32_t id, float max);
void Show(ADMDialogRef dialog, int32_t id, bool show);
void Enable(ADMDialogRef dialog, int32_t id, bool enable);
void Redraw(ADMDialogRef dialog, int32_t id);
void RedrawItems(ADMDialogRef dialog, int32_t firstId, int32_t lastId);
void RedrawDialog(ADMDialogRef dialog);
// Gives the item the keyboard focus and selects its whole text.
void Focus(ADMDialogRef dialog, int32_t id);

// The item's value; `fallback` when the host cannot give it or it is not finite.
float FloatOf(ADMItemRef item, float fallback);
bool BooleanOf(ADMItemRef item, bool fallback);

// True for "ADM User Changed Notifier".
bool IsUserChange(ADMNotifierRef notifier);
// Runs the toolkit's handling of the notification first, as every item of
// the dialogs does; true when it is the user's change, which the item acts on.
bool DefaultThenUserChange(ADMItemRef item, ADMNotifierRef notifier);
// True for a notification of that type.
bool IsNotifier(ADMNotifierRef notifier, const char* type);

// The tracked event's action, point and modifier flags (0 when unknown).
int32_t TrackAction(ADMTrackerRef tracker);
ADMPoint TrackPoint(ADMTrackerRef tracker);
bool ModifierHeld(ADMTrackerRef tracker, int32_t flag);
// The toolkit's tracking of the event; its answer says whether the event
// completed a user change.
ASBoolean DefaultTrack(ADMItemRef item, ADMTrackerRef tracker);

// Sets the dialog's bounds to the remembered place, width x height.
void PlaceDialog(ADMDialogRef dialog, ADMRect& remembered, int32_t width, int32_t height);
// Reads the dialog's bounds into `remembered`; it keeps its value when the
// host cannot give them.
void RememberBounds(ADMDialogRef dialog, ADMRect& remembered);

// Tells the user, in the host's message alert, that some settings were not
// saved. Cursor tracking stays quiet while it is on screen.
void ShowNotSaved(const char* text);

// Procedures the toolkit calls from outside any message: nothing may escape
// them, and a dialog that outlives the state block does nothing.
template <void (*Fn)(ADMItemRef, ADMNotifierRef)>
void Notify(ADMItemRef item, ADMNotifierRef notifier) {
  try {
    if (gState != nullptr) Fn(item, notifier);
  } catch (...) {
  }
}

template <void (*Fn)(ADMItemRef, ADMDrawerRef)>
void Draw(ADMItemRef item, ADMDrawerRef drawer) {
  try {
    if (gState != nullptr) Fn(item, drawer);
  } catch (...) {
  }
}

template <void (*Fn)(ADMDialogRef, ADMDrawerRef)>
void DrawDialog(ADMDialogRef dialog, ADMDrawerRef drawer) {
  try {
    if (gState != nullptr) Fn(dialog, drawer);
  } catch (...) {
  }
}

// A track procedure that fails answers "no change".
template <ASBoolean (*Fn)(ADMItemRef, ADMTrackerRef)>
ASBoolean Track(ADMItemRef item, ADMTrackerRef tracker) {
  try {
    if (gState != nullptr) return Fn(item, tracker);
  } catch (...) {
  }
  return false;
}

// An init procedure that fails abandons the dialog.
template <ASErr (*Fn)(ADMDialogRef)>
ASErr Init(ADMDialogRef dialog) {
  try {
    if (gState != nullptr) return Fn(dialog);
  } catch (...) {
  }
  return kCantHappenErr;
}

// Draws nothing: a click area over what the dialog paints beneath it.
void DrawNothing(ADMItemRef item, ADMDrawerRef drawer);

}  // namespace dlg
