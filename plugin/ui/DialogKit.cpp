#include "ui/DialogKit.h"

#include <cmath>
#include <cstring>

#include "core/Suites.h"

namespace dlg {

ASErr CreateItem(ADMDialogRef dialog, const ItemRow& row, ADMItemRef* out) {
  ADMItemRef item = nullptr;
  const ASErr err = sADMItem->Create(dialog, row.id, row.type, &row.rect, nullptr, nullptr, 0, &item);
  if (out != nullptr) *out = err == kNoErr ? item : nullptr;
  if (err != kNoErr || item == nullptr) return err != kNoErr ? err : kCantHappenErr;

  if (row.style >= 0) sADMItem->SetItemStyle(item, row.style);
  if (row.units >= 0) sADMItem->SetUnits(item, row.units);
  if (row.precision >= 0) sADMItem->SetPrecision(item, row.precision);
  if (row.hasMin) sADMItem->SetMinFloatValue(item, row.min);
  if (row.hasMax) sADMItem->SetMaxFloatValue(item, row.max);
  if (row.smallStep > 0) sADMItem->SetSmallIncrement(item, row.smallStep);
  if (row.largeStep > 0) sADMItem->SetLargeIncrement(item, row.largeStep);
  if (row.maxLength > 0) sADMItem->SetMaxTextLength(item, row.maxLength);
  if (row.text != nullptr) sADMItem->SetText(item, row.text);
  if (row.tip != nullptr) sADMItem->SetTipString(item, row.tip);
  if (row.picture != 0) sADMItem->SetPictureID(item, row.picture);
  if (row.mask != 0) sADMItem->SetMask(item, row.mask);
  if (row.notify != nullptr) sADMItem->SetNotifyProc(item, row.notify);
  if (row.draw != nullptr) sADMItem->SetDrawProc(item, row.draw);
  if (row.track != nullptr) sADMItem->SetTrackProc(item, row.track);
  return kNoErr;
}

ADMItemRef Item(ADMDialogRef dialog, int32_t id) {
  if (dialog == nullptr) return nullptr;
  ADMItemRef item = nullptr;
  if (sADMDialog->GetItem(dialog, id, &item) != kNoErr) return nullptr;
  return item;
}

int32_t IdOf(ADMItemRef item) {
  int32_t id = 0;
  if (item == nullptr || sADMItem->GetID(item, &id) != kNoErr) return 0;
  return id;
}

ADMDialogRef DialogOf(ADMItemRef item) {
  ADMDialogRef dialog = nullptr;
  if (item == nullptr || sADMItem->GetDialog(item, &dialog) != kNoErr) return nullptr;
  return dialog;
}

void SetValue(ADMDialogRef dialog, int32_t id, float value) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->SetFloatValue(item, value);
}

void SetBoolean(ADMDialogRef dialog, int32_t id, bool value) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->SetBooleanValue(item, value ? 1 : 0);
}

void SetText(ADMDialogRef dialog, int32_t id, const char* text) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->SetText(item, text);
}

void SetTip(ADMDialogRef dialog, int32_t id, const char* tip) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->SetTipString(item, tip);
}

void SetMax(ADMDialogRef dialog, int32_t id, float max) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->SetMaxFloatValue(item, max);
}

void Show(ADMDialogRef dialog, int32_t id, bool show) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->Show(item, show ? 1 : 0);
}

void Enable(ADMDialogRef dialog, int32_t id, bool enable) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->Enable(item, enable ? 1 : 0);
}

void Redraw(ADMDialogRef dialog, int32_t id) {
  if (ADMItemRef item = Item(dialog, id)) sADMItem->Invalidate(item);
}

void RedrawItems(ADMDialogRef dialog, int32_t firstId, int32_t lastId) {
  for (int32_t id = firstId; id <= lastId; ++id) Redraw(dialog, id);
}

void RedrawDialog(ADMDialogRef dialog) {
  if (dialog != nullptr) sADMDialog->Invalidate(dialog);
}

void Focus(ADMDialogRef dialog, int32_t id) {
  if (ADMItemRef item = Item(dialog, id)) {
    sADMItem->Activate(item, 1);
    sADMItem->SelectAll(item);
  }
}

float FloatOf(ADMItemRef item, float fallback) {
  AIReal value = 0;
  if (item == nullptr || sADMItem->GetFloatValue(item, &value) != kNoErr || !std::isfinite(value)) return fallback;
  return static_cast<float>(value);
}

bool BooleanOf(ADMItemRef item, bool fallback) {
  ASBoolean value = 0;
  if (item == nullptr || sADMItem->GetBooleanValue(item, &value) != kNoErr) return fallback;
  return value != 0;
}

bool IsNotifier(ADMNotifierRef notifier, const char* type) {
  ASBoolean is = 0;
  return notifier != nullptr && sADMNotifier->IsNotifierType(notifier, type, &is) == kNoErr && is != 0;
}

bool IsUserChange(ADMNotifierRef notifier) { return IsNotifier(notifier, kADMUserChangedNotifier); }

bool DefaultThenUserChange(ADMItemRef item, ADMNotifierRef notifier) {
  sADMItem->DefaultNotify(item, notifier);
  return IsUserChange(notifier);
}

int32_t TrackAction(ADMTrackerRef tracker) {
  int32_t action = kADMNoAction;
  if (sADMTracker->GetAction(tracker, &action) != kNoErr) return kADMNoAction;
  return action;
}

ADMPoint TrackPoint(ADMTrackerRef tracker) {
  ADMPoint point{0, 0};
  if (sADMTracker->GetPoint(tracker, &point) != kNoErr) return ADMPoint{0, 0};
  return point;
}

bool ModifierHeld(ADMTrackerRef tracker, int32_t flag) {
  int32_t modifiers = 0;
  if (sADMTracker->GetModifiers(tracker, &modifiers) != kNoErr) return false;
  return (modifiers & flag) == flag;
}

ASBoolean DefaultTrack(ADMItemRef item, ADMTrackerRef tracker) {
  ASBoolean changed = 0;
  if (sADMItem->DefaultTrack(item, tracker, &changed) != kNoErr) return 0;
  return changed;
}

void PlaceDialog(ADMDialogRef dialog, ADMRect& remembered, int32_t width, int32_t height) {
  remembered.right = remembered.left + width;
  remembered.bottom = remembered.top + height;
  sADMDialog->SetBoundsRect(dialog, &remembered);
}

void RememberBounds(ADMDialogRef dialog, ADMRect& remembered) {
  ADMRect bounds{};
  if (dialog != nullptr && sADMDialog->GetBoundsRect(dialog, &bounds) == kNoErr) remembered = bounds;
}

void ShowNotSaved(const char* text) {
  State& g = *gState;
  g.AlertShowing = 1;
  sADMBasic->MessageAlert(text);
  // The alert may have outlived the plug-in's run.
  if (gState != nullptr) gState->AlertShowing = 0;
}

void DrawNothing(ADMItemRef, ADMDrawerRef) {}

}  // namespace dlg
